#pragma once
// Global, case-insensitive regular-expression replacement in which "$1",
// "$2" ... stand for the captured groups ("$$" is a dollar sign, "$&" the
// whole match); the replacement the colouriser and the text tools share.
#include <QString>

class QRegularExpression;

namespace corvel {

// An invalid pattern leaves the text unchanged and, when ok is given, sets it
// to false.
QString RegexReplaceAll(const QString &pattern, const QString &replacement, const QString &text,
                        bool *ok = nullptr);
// The same with a compiled expression (its options are used as they are).
QString RegexReplaceAll(const QRegularExpression &re, const QString &replacement,
                        const QString &text);

} // namespace corvel
