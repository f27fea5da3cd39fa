#pragma once
// Global, case-insensitive regular-expression replacement in which "$1",
// "$2" ... stand for the captured groups ("$$" is a dollar sign, "$&" the
// whole match); the replacement the colouriser and the text tools share.
#include "BoundedRegex.h"

#include <QString>

class QRegularExpression;

namespace corvel {

// A pattern from the user, with the work bound of BoundedRegex: an invalid
// pattern, or one that reaches the work limit part-way, leaves the text
// unchanged (no replacement at all is made) and, when ok is given, sets it
// to false; *tooComplex, when given, tells the second case from the first.
QString RegexReplaceAll(const QString &pattern, const QString &replacement, const QString &text,
                        bool *ok = nullptr, bool *tooComplex = nullptr);
// The same with a bounded expression: *result gets the replaced text, or the
// text unchanged when the outcome is TooComplex.
RegexOutcome RegexReplaceAll(const BoundedRegex &re, const QString &replacement,
                             const QString &text, QString *result);
// With a compiled expression of the program's own (its options are used as
// they are), unbounded: for fixed patterns whose cost is linear.
QString RegexReplaceAll(const QRegularExpression &re, const QString &replacement,
                        const QString &text);

} // namespace corvel
