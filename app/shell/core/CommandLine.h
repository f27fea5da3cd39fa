#pragma once
// The words the program understands on its command line, and the texts of
// their messages.
#include <QByteArray>
#include <QList>
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
// The same from the arguments' bytes, each decoded as a file name. When
// unreadable is given it tells whether some argument's bytes do not come
// back from the decoded text (a name that is not valid in the system's
// encoding, which no file operation could reach by that text).
QString JoinRawArguments(const QList<QByteArray> &args, bool *unreadable = nullptr);
// file made absolute against workingFolder (the folder of the process that
// was given it). "." parts and doubled separators go; ".." parts are resolved
// through the folders on disk when they exist, so a linked folder leads where
// the system would. Empty for an empty file.
QString AbsoluteFilePath(const QString &file, const QString &workingFolder);

QString HelpText();
QString AboutText();
QString UnsetQuestion();
QString SetQuestion();

} // namespace corvel
