#include "StatusTexts.h"

#include <QRegularExpression>

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
    static const QRegularExpression de(QStringLiteral("\\bDe\\b"));
    text.replace(de, QStringLiteral("de"));
    return text;
}

QString UptimeText(const QLocale &locale, const QDateTime &now, const QDateTime &start) {
    const qint64 seconds = qMax<qint64>(0, start.secsTo(now));
    return QStringLiteral("Hora corrente: ") + locale.toString(now.time(), QLocale::LongFormat) +
           QStringLiteral("\r\nExecução em ") + locale.toString(start, QLocale::ShortFormat) +
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
