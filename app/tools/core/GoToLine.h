#pragma once
// The answer of the go-to-line input box, read as a number.
#include <QString>

namespace corvel {

// The leading numeric part of a text, read leniently: blanks are skipped,
// an optional sign, digits and a decimal fraction; text that does not start
// with a number gives 0.
double LeadingNumber(const QString &text);

// The line to go to for an answer: true when the number's absolute value is
// from 1 to 65000 (*line gets it, rounded to the nearest integer, halves to
// even); anything else (cancel, empty, zero, larger numbers) gives false.
bool GoToLineTarget(const QString &answer, int *line);

// The input box prompt for a document of lineCount lines.
QString GoToLinePrompt(int lineCount);

} // namespace corvel
