#pragma once
// The words the program understands on its command line, and the texts of
// their messages.
#include <QString>

namespace corvel {

enum class CommandWord { None, Help, About, Unset, Set, File };

// Which word the command line is: None when it is blank, File for anything
// that is not one of the words (compared upper-cased, whole line).
CommandWord ClassifyCommandLine(const QString &commandLine);
// The file a command line names: every double quote removed, trimmed.
QString CommandLineFile(const QString &commandLine);
// Joins program arguments back into one command line as the shell gave it.
QString JoinArguments(const QStringList &args);

QString HelpText();
QString AboutText();
QString UnsetQuestion();
QString SetQuestion();

} // namespace corvel
