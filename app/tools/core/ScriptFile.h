#pragma once
// The script list files: one INI-style file per language ("js.dat",
// "asp.dat", "php.dat" in the "Scripts" folder), one section per script. The
// section name is the script's shortcut; its keys are "Descricao" (the
// description), "Parametros" (the parameter names, joined by ",") and
// "Saida" (the template on one line, every line break stored as "<##>").
// Values are read whole and trimmed; each change replaces the file
// atomically, so a failure leaves the old file as it was.
#include <QString>
#include <QStringList>
#include <QVector>

namespace corvel {

// The file of a language ("JS", "ASP", "PHP"):
// programFolder + "/Scripts/" + code in lower case + ".dat".
QString ScriptFilePath(const QString &programFolder, const QString &languageCode);

struct ScriptEntry {
    QString shortcut;
    QString description;
    QStringList parameters; // the names in use, at most four meant
    QString output;         // storage form: line breaks as "<##>"
};

// One row of the list: the shortcut as stored and its description.
struct ScriptListRow {
    QString shortcut;
    QString description;
};

enum class ScriptFileStatus {
    Ok,         // read (a missing file reads as an empty list)
    Unreadable, // exists but cannot be opened (a folder, no permission)
    Corrupt,    // holds bytes no text file has (NUL)
};

// The scripts in file order. Sections with an empty name and repeats of a
// name already listed (names compare without regard to case, so a repeat
// could never be reached) are left out.
QVector<ScriptListRow> ReadScriptList(const QString &path, ScriptFileStatus *status = nullptr);

// The script of that shortcut (section names compare without regard to
// case); found false when the file has no such section.
ScriptEntry ReadScript(const QString &path, const QString &shortcut, bool *found = nullptr);

// Writes the three keys of e under e.shortcut (an existing section of that
// name, in any case, is updated in place) in one atomic replacement of the
// file; the file and the "Scripts" folder are created when missing.
bool WriteScript(const QString &path, const ScriptEntry &e, QString *error = nullptr);

enum class RemoveOutcome {
    Removed,     // the file was rewritten without the script
    FileRemoved, // it was the last script: the file is gone
    NotFound,    // no such section: nothing changed
    Failed,      // the file could not be rewritten: it is as it was
};
// Removes the script: the other scripts (their three keys, in their order)
// are written into the file with ".dat" replaced by ".new", which then
// replaces the old file in one rename.
RemoveOutcome RemoveScript(const QString &path, const QString &shortcut, QString *error = nullptr);

// "Parametros" split at "," ("" gives none).
QStringList SplitScriptParameters(const QString &stored);
// The non-empty names, in order, joined by ","; an empty name in the middle
// is skipped, so later names move up.
QString JoinScriptParameters(const QStringList &names);

// Template text (any line breaks) to its stored form and back (CR LF).
QString TemplateToStored(const QString &text);
QString StoredToTemplate(const QString &stored);

} // namespace corvel
