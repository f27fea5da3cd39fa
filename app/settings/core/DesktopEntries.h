#pragma once
// The desktop's "Abrir com" entries of the program: per-user desktop entry
// files in $XDG_DATA_HOME/applications (~/.local/share/applications when the
// variable is unset or not absolute) that offer Corvel, and Tessim for the
// page source, on HTML files.
#include <QString>

namespace corvel {

enum class DesktopEntry {
    EditWithCorvel, // "Editar com o Corvel"
    TessimSource,   // Tessim for the page source
};

QString DesktopEntriesFolder();
QString DesktopEntryPath(DesktopEntry entry);

// One argument of an Exec line, quoted and escaped so that the desktop reads
// back exactly `argument`; "" when it cannot be written there (it holds a
// control character).
QString DesktopExecArgument(const QString &argument);
// The program an Exec value starts (its first argument, unquoted); "" when
// the value cannot be read.
QString DesktopExecProgram(const QString &execValue);

// The whole file for an entry that starts `program` (an absolute path); ""
// when the path cannot be written in an entry.
QString DesktopEntryText(DesktopEntry entry, const QString &program);

// Writes the entry (atomically); false with a reason when it cannot.
bool InstallDesktopEntry(DesktopEntry entry, const QString &program, QString *error = nullptr);
// Removes the entry; true when it is gone (or never was there).
bool RemoveDesktopEntry(DesktopEntry entry);
bool DesktopEntryInstalled(DesktopEntry entry);
// The program the installed entry starts; "" when there is none.
QString DesktopEntryProgram(DesktopEntry entry);

} // namespace corvel
