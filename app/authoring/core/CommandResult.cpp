#include "CommandResult.h"

#include <QStringList>

namespace corvel {

const char *const kFlagValue = "!FLAG!";

namespace {

QStringList Lines(const QString &text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

} // namespace

QVector<StyleProperty> ParseStyleList(const QString &text) {
    QVector<StyleProperty> out;
    for (const QString &line : Lines(text)) {
        if (line.trimmed().isEmpty()) continue;
        StyleProperty p;
        const QStringList f = line.split(QLatin1Char(','));
        p.name = f[0].trimmed();
        if (f.size() == 2) p.values = f[1].trimmed();
        out << p;
    }
    return out;
}

QVector<ScriptEvent> ParseEventList(const QString &text) {
    QVector<ScriptEvent> out;
    for (const QString &line : Lines(text)) {
        const QString name = line.trimmed();
        if (!name.isEmpty()) out << ScriptEvent{name, QString()};
    }
    return out;
}

QString BuildResult(const QString &element, const QVector<CommandParameter> &parameters,
                    const QString &className, const QVector<StyleProperty> &styles,
                    const QVector<ScriptEvent> &events) {
    const QChar q = QLatin1Char('"');
    const QChar sp = QLatin1Char(' ');
    QString r = QLatin1Char('<') + element + sp;
    for (const CommandParameter &p : parameters) {
        if (p.value == QLatin1String(kFlagValue))
            r += p.name.toUpper() + sp;
        else if (!p.value.isEmpty())
            r += p.name.toUpper() + QLatin1Char('=') + q + p.value + q + sp;
    }
    auto space = [&] {
        if (!r.endsWith(sp)) r += sp;
    };
    if (!className.trimmed().isEmpty()) {
        space();
        r += QLatin1String("CLASS=") + q + className.trimmed() + q;
    }
    QString style;
    for (const StyleProperty &s : styles)
        if (!s.chosen.trimmed().isEmpty())
            style += s.name + QLatin1Char(':') + s.chosen.trimmed() + QLatin1Char(';');
    if (!style.isEmpty()) {
        space();
        style.chop(1);
        r += QLatin1String("STYLE=") + q + style + q;
    }
    QString ev;
    for (const ScriptEvent &e : events)
        if (!e.action.trimmed().isEmpty())
            ev += e.name + QLatin1Char('=') + q + e.action.trimmed() + q + sp;
    if (!ev.isEmpty()) {
        space();
        r += ev;
    }
    return r.trimmed() + QLatin1Char('>');
}

QString LinkTextOf(const QString &result) {
    const QString key = QStringLiteral("HREF=\"");
    const int start = result.indexOf(key);
    if (start < 0) return QString();
    const int from = start + key.size();
    const int end = result.indexOf(QLatin1Char('"'), from);
    if (end < 0) return QString();
    QString text = result.mid(from, end - from);
    text.remove(QStringLiteral("mailto:"));
    return text;
}

bool UseAdvancedDefinition(bool advancedExists, const QString &ownSetting,
                           const QString &comAvancado, bool scrollLockOn, bool rightCtrlDown) {
    if (!advancedExists) return false;
    return ownSetting == QLatin1String("2") || comAvancado == QLatin1String("1") || scrollLockOn ||
           rightCtrlDown;
}

} // namespace corvel
