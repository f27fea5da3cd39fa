#include "OptionTexts.h"

#include "Settings.h"

#include <cmath>

namespace corvel {

namespace {
QString CountCaption(int n, const char *unit) {
    QString s = QLatin1Char('(') + QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(unit);
    if (n != 1) s += QLatin1Char('s');
    return s + QLatin1Char(')');
}
} // namespace

QString TabWidthCaption(int spaces) {
    return CountCaption(spaces, "espaço");
}

QString AutoSaveCaption(int minutes) {
    return CountCaption(minutes, "minuto");
}

QString BackupExtensionSetting(const QString &typed) {
    QString s = typed.trimmed();
    s.remove(QLatin1Char('.'));
    return s;
}

int OptionsStartPage(const QString &stored) {
    const long long page = SettingNumber(stored);
    return page > -1 && page < 3 ? int(page) : 0;
}

QString FontSizeSetting(double points) {
    if (!std::isfinite(points) || points < 1.0) return QStringLiteral("1");
    if (points > 1638.0) points = 1638.0; // the largest size a font can take
    return QString::number(static_cast<long long>(std::floor(points)));
}

int ChooserStartColour(const QString &text) {
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    const long long n =
        ok && std::isfinite(d) && std::fabs(d) < 4e9 ? std::llround(d) : SettingNumber(text);
    return n >= 0 && n <= 0xFFFFFF ? int(n) : 0;
}

QString StyleFlagText(bool on) {
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

bool StyleFlag(const QString &text) {
    // A number stands for its truth value, as a new document reads it.
    if (text.trimmed().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
    return SettingNumber(text) != 0;
}

} // namespace corvel
