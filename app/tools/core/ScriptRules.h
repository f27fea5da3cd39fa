#pragma once
// The rules of the script dialogs that need no window: finding a row by a
// typed shortcut, and checking a script before it is saved.
#include <QString>
#include <QStringList>
#include <functional>

namespace corvel {

// Index of the first row whose trimmed text equals the typed text in
// capitals without surrounding blanks; -1 when none (or nothing typed).
int FindShortcutRow(const QString &typed, const QStringList &rows);

// What is wrong with a script about to be saved, in the order it is checked.
enum class ScriptFault {
    None,
    NoDescription,     // empty description
    NoContent,         // template empty once trimmed
    NoShortcut,        // new script without a shortcut
    LeadingNumber,     // new script whose shortcut starts with a number above 0
    ShortcutCharacter, // new script whose shortcut cannot be a section name
    ShortcutInUse,     // new script whose shortcut names a described script
    ParameterComma,    // a parameter name with "," (it would read back as two)
};

struct ScriptDraft {
    QString shortcut; // trimmed, in capitals
    QString description;
    QString content;
    QStringList parameters;
};

// inUse(shortcut): whether the file already holds a script of that shortcut
// with a description (asked only for new scripts).
ScriptFault CheckScript(const ScriptDraft &d, bool isNew,
                        const std::function<bool(const QString &)> &inUse);

// The characters a shortcut may hold: letters, digits, "_" and "-" (a
// shortcut is a section name of the file and a word the user types).
bool IsShortcutText(const QString &shortcut);

} // namespace corvel
