#pragma once
// Texts of the status bar's date and time panels.
#include <QDateTime>
#include <QLocale>
#include <QString>

namespace corvel {

// The long date, every word capitalised and then every "De" written "de",
// wherever it stands: "Terça-feira, 8 de dezembro de 2026".
QString LongDateText(const QLocale &locale, const QDate &date);
// "Hora corrente: " + long time, "Execução em " + start, "Uptime de " +
// whole seconds + " segundos.", on three lines.
QString UptimeText(const QLocale &locale, const QDateTime &now, const QDateTime &start);

// The moment the program started (the splash window's load).
QDateTime StartTime();
void MarkStartTime();

} // namespace corvel
