#include "ScriptRules.h"

#include "GoToLine.h"

namespace corvel {

int FindShortcutRow(const QString &typed, const QStringList &rows) {
    const QString t = typed.trimmed().toUpper();
    if (t.isEmpty()) return -1;
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].trimmed() == t) return i;
    return -1;
}

bool IsShortcutText(const QString &shortcut) {
    for (const QChar c : shortcut)
        if (!c.isLetterOrNumber() && c != QLatin1Char('_') && c != QLatin1Char('-')) return false;
    return true;
}

ScriptFault CheckScript(const ScriptDraft &d, bool isNew,
                        const std::function<bool(const QString &)> &inUse) {
    if (d.description.isEmpty()) return ScriptFault::NoDescription;
    if (d.content.trimmed().isEmpty()) return ScriptFault::NoContent;
    if (isNew) {
        if (d.shortcut.isEmpty()) return ScriptFault::NoShortcut;
        if (LeadingNumber(d.shortcut) > 0) return ScriptFault::LeadingNumber;
        if (!IsShortcutText(d.shortcut)) return ScriptFault::ShortcutCharacter;
        if (inUse && inUse(d.shortcut)) return ScriptFault::ShortcutInUse;
    }
    for (const QString &p : d.parameters)
        if (p.contains(QLatin1Char(','))) return ScriptFault::ParameterComma;
    return ScriptFault::None;
}

} // namespace corvel
