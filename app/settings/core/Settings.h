#pragma once
// The per-user settings store of the application "Corvel": one INI file,
// $XDG_CONFIG_HOME/Corvel/Corvel.ini, one INI section per settings section.
// Names match without regard to case; every single-line value round-trips
// exactly; each change is written atomically.
#include <QString>

QString ReadSetting(const QString &section, const QString &key);
// Returns false when the store cannot be written (the old store stays).
bool WriteSetting(const QString &section, const QString &key, const QString &value);
void WriteSettingIfMissing(const QString &section, const QString &key, const QString &value,
                           bool force);
// Writes every row of the defaults table in order (gaps only unless forced).
void ApplyDefaultSettings(bool force);
// Removes the whole store and the program's desktop entries ("Abrir com").
void RemoveAllSettings();

namespace corvel {

// Path of the store file.
QString SettingsFilePath();
// Tests pin the store to a file of their own; empty restores the rule.
void SetSettingsFileOverride(const QString &path);

struct DefaultSetting {
    const char *section;
    const char *key;
    const char *value; // nullptr: the program folder
};
// The defaults table, in order.
const DefaultSetting *DefaultSettings(int *count);

// Lenient number conversion of a setting text: not a number gives 0.
long long SettingNumber(const QString &text);

// How values are kept in the file: backslashes escaped, line breaks as \n
// and \r, and quotes around values with blanks at either end or a leading
// quote. Exposed for tests.
QString EncodeSettingValue(const QString &value);
QString DecodeSettingValue(const QString &stored);

} // namespace corvel
