#pragma once
// The tables of an open command dialog and the start tag they make.
#include <QString>
#include <QVector>

namespace corvel {

// "!FLAG!": the attribute is written without a value (a checked check box).
extern const char *const kFlagValue;

struct CommandParameter {
    QString name; // upper case
    QString value;
};
struct StyleProperty {
    QString name;
    QString values; // value-list text ("a/b/c" or a list keyword)
    QString chosen;
};
struct ScriptEvent {
    QString name;
    QString action;
};

// CSS.dat: one property a line, "name,values". A line with more than one
// comma gets an empty value list; a line without one, no values. Blank lines
// are skipped.
QVector<StyleProperty> ParseStyleList(const QString &text);
// JS.dat: one event name a line, blank lines skipped.
QVector<ScriptEvent> ParseEventList(const QString &text);

// The start tag: "<" + element, the attributes with values (or bare for
// "!FLAG!"), CLASS, STYLE and the events, trimmed, then ">".
QString BuildResult(const QString &element, const QVector<CommandParameter> &parameters,
                    const QString &className, const QVector<StyleProperty> &styles,
                    const QVector<ScriptEvent> &events);

// Text of a link written with nothing selected: the HREF value of the
// result (first HREF="..."), with every "mailto:" removed.
QString LinkTextOf(const QString &result);

// Which definition an element uses: ".tpa" when it exists and the element's
// own setting is "2", "ComAvancado" is "1", Scroll Lock is on or the right
// Ctrl key is down; else ".tpc".
bool UseAdvancedDefinition(bool advancedExists, const QString &ownSetting,
                           const QString &comAvancado, bool scrollLockOn, bool rightCtrlDown);

} // namespace corvel
