#pragma once
// The table of special characters and their HTML entities, and the two
// conversions between them.
#include <QString>

namespace corvel {

struct SpecialChar {
    char16_t character;
    const char *entity; // "&Aacute;", "&#191;"
};

// The 68 entries, in the order the conversions apply them.
const SpecialChar *SpecialChars(int *count);

// Every character of the table becomes its entity.
QString ConvertSpecialChars(const QString &text);
// Every entity of the table (matched exactly, case-sensitive) becomes its
// character; any other entity ("&eth;", "&amp;") stays.
QString RevertSpecialChars(const QString &text);

} // namespace corvel
