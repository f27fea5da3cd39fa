#include "InfoFormats.h"

#include "TextFilters.h"

namespace corvel {

namespace {

QDateTime &ClockOverride() {
    static QDateTime now;
    return now;
}

QString Two(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString SeparatorIn(const QString &format, const QString &fallback) {
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted || c.isLetter() || c.isSpace()) continue;
        return QString(c);
    }
    return fallback;
}

} // namespace

QString DatePattern(int index) {
    static const char *const patterns[] = {
        "dd/mm/yy",   "dd/mm/yyyy",          "dd/mm/yyyy hh:mm:ss", "hh:mm:ss",           "hh:mm",
        "yyyy-mm-dd", "yyyy-mm-dd hh:mm:ss", "mm/dd/yyyy",          "mm/dd/yyyy hh:mm:ss"};
    if (index < 1 || index > 9) return QString();
    return QString::fromLatin1(patterns[index - 1]);
}

QString FormatDatePattern(int index, const QDateTime &now, const QString &dateSeparator,
                          const QString &timeSeparator) {
    const QString pattern = DatePattern(index);
    const QDate d = now.date();
    const QTime t = now.time();
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QStringView rest = QStringView(pattern).mid(i);
        if (rest.startsWith(u"yyyy")) {
            out += QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
            i += 4;
        } else if (rest.startsWith(u"yy")) {
            out += Two(d.year() % 100);
            i += 2;
        } else if (rest.startsWith(u"dd")) {
            out += Two(d.day());
            i += 2;
        } else if (rest.startsWith(u"mm")) {
            out += afterHour ? Two(t.minute()) : Two(d.month());
            i += 2;
        } else if (rest.startsWith(u"hh")) {
            out += Two(t.hour());
            afterHour = true;
            i += 2;
        } else if (rest.startsWith(u"ss")) {
            out += Two(t.second());
            i += 2;
        } else {
            const QChar c = pattern.at(i++);
            if (c == QLatin1Char('/'))
                out += dateSeparator;
            else if (c == QLatin1Char(':'))
                out += timeSeparator;
            else
                out += c;
        }
    }
    return out;
}

QString LongDateText(const QDate &date, const QLocale &locale) {
    QString s = ToSentenceCase(locale.toString(date, QLocale::LongFormat));
    s.replace(QStringLiteral(" De "), QStringLiteral(" de "));
    return s;
}

QString DateSeparator(const QLocale &locale) {
    return SeparatorIn(locale.dateFormat(QLocale::ShortFormat), QStringLiteral("/"));
}

QString TimeSeparator(const QLocale &locale) {
    return SeparatorIn(locale.timeFormat(QLocale::ShortFormat), QStringLiteral(":"));
}

QLocale InsertLocale() {
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C) return QLocale(QLocale::Portuguese, QLocale::Brazil);
    return system;
}

QString FormatSize(qint64 size) {
    const bool negative = size < 0;
    QString digits = QString::number(negative ? -size : size);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char('.'));
    return negative ? QLatin1Char('-') + digits : digits;
}

QDateTime CurrentDateTime() {
    return ClockOverride().isValid() ? ClockOverride() : QDateTime::currentDateTime();
}

void SetCurrentDateTimeOverride(const QDateTime &now) {
    ClockOverride() = now;
}

} // namespace corvel
