#pragma once
// The text filters and case changes of the text tools. Each is a pure
// function of the text, linear in its length. Lines are separated by CR LF;
// "space" means the space character only (tabs are kept).
#include <QString>

namespace corvel {

// Every run of spaces becomes one space.
QString RemoveDoubleSpaces(const QString &text);
// Every CR LF pair, then every remaining CR, then every remaining LF becomes
// replacement (" " or "").
QString RemoveLineBreaks(const QString &text, const QString &replacement);
// The accent table: accented Latin letters become their plain letter.
QString RemoveAccents(const QString &text);
// Spaces at the start (or the end) of every CR LF line.
QString RemoveLeadingSpaces(const QString &text);
QString RemoveTrailingSpaces(const QString &text);
// Letter case, character by character (the length never changes).
QString ToUpperCase(const QString &text);
QString ToLowerCase(const QString &text);
// The first letter of every word in capitals and the other letters small;
// words are separated by white space.
QString ToSentenceCase(const QString &text);
// Every run of width spaces, taken from left to right, becomes one tab; a
// width of 0 or less changes nothing.
QString SpacesToTabs(const QString &text, int width);
// Every tab becomes width spaces; a width of 0 or less changes nothing.
QString TabsToSpaces(const QString &text, int width);

// The plain letter of an accented one in the accent table, or c itself.
QChar AccentFreeChar(QChar c);

} // namespace corvel
