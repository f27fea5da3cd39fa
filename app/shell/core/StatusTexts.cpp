#include "StatusTexts.h"

namespace corvel {

namespace {

QDateTime &Start() {
    static QDateTime t = QDateTime::currentDateTime();
    return t;
}

} // namespace

QString LongDateText(const QLocale &locale, const QDate &date) {
    QString text = locale.toString(date, QLocale::LongFormat);
    // Proper case: the first letter of each blank-separated word upper, the
    // rest lower.
    bool wordStart = true;
    for (QChar &c : text) {
        if (c.isSpace()) {
            wordStart = true;
            continue;
        }
        c = wordStart ? c.toUpper() : c.toLower();
        wordStart = false;
    }
    // Every "De", inside words too: "De Dezembro De" reads "de dezembro de",
    // months in lower case as Portuguese writes them.
    text.replace(QStringLiteral("De"), QStringLiteral("de"));
    return text;
}

QString UptimeText(const QLocale &locale, const QDateTime &now, const QDateTime &start) {
    const qint64 seconds = qMax<qint64>(0, start.secsTo(now));
    return QStringLiteral("Hora corrente: ") + locale.toString(now.time(), QLocale::LongFormat) +
           QStringLiteral("\r\nExecução em ") +
           locale.toString(start,
                           locale.dateFormat(QLocale::ShortFormat) + QStringLiteral(" HH:mm:ss")) +
           QStringLiteral("\r\nUptime de ") + QString::number(seconds) +
           QStringLiteral(" segundos.");
}

QDateTime StartTime() {
    return Start();
}

void MarkStartTime() {
    Start() = QDateTime::currentDateTime();
}

} // namespace corvel
