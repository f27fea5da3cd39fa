#pragma once
// Texts of the information inserts: dates and times by pattern number, the
// long date, and sizes with "." between thousands.
#include <QDateTime>
#include <QLocale>
#include <QString>

namespace corvel {

// The pattern of date insert 1..9 ("dd/mm/yy" ... "mm/dd/yyyy hh:mm:ss"), or
// "" for another index.
QString DatePattern(int index);

// now formatted by pattern index 1..9: dd day, mm month (minutes after hh),
// yy/yyyy year, hh 00..23, ss seconds, all zero-padded; "/" and ":" become
// dateSeparator and timeSeparator, "-" stays. "" for another index.
QString FormatDatePattern(int index, const QDateTime &now, const QString &dateSeparator,
                          const QString &timeSeparator);

// The date in locale's long format with the first letter of every word in
// capitals, then every " De " as " de ".
QString LongDateText(const QDate &date, const QLocale &locale);

// The separators of a locale's short date and time formats ("/" and ":" when
// the format shows none).
QString DateSeparator(const QLocale &locale);
QString TimeSeparator(const QLocale &locale);

// The locale whose date texts the inserts use: the system's, or Brazilian
// Portuguese when the system has none (the "C" locale).
QLocale InsertLocale();

// A size formatted "###,###,##0" with "." between the groups: "0", "1.234".
QString FormatSize(qint64 size);

// The clock of the date inserts; tests pin it (an invalid value restores the
// real clock).
QDateTime CurrentDateTime();
void SetCurrentDateTimeOverride(const QDateTime &now);

} // namespace corvel
