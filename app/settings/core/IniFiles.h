#pragma once
// The INI-file helpers: the semantics of the classic profile functions.
// An empty file argument means the document-cache index.
#include <QString>

// Value of key in section, trimmed and cut to 2047 characters; "" when the
// file, the section or the key is missing.
QString ReadIniValue(const QString &section, const QString &key, const QString &file);
// Updates the key in place, or adds it (and its section, and the file).
// Atomic; returns false and leaves the file as it was when it cannot write.
bool WriteIniValue(const QString &section, const QString &key, const QString &value,
                   const QString &file);
// Section names in file order joined by ","; "" when there are none.
QString ListIniSections(const QString &file);
