#pragma once
// Searching the editor's text (CR LF breaks, host offsets). Pure functions
// over a string, so the search rules are testable without a widget.
#include <QString>
#include <QVector>

namespace corvel::control {

struct Match {
    int start = -1;
    int length = 0;
};

// A character that belongs to a word for whole-word searches.
bool IsWordChar(QChar c);

// First occurrence of needle at or after from; -1 when none. With wholeWord
// the characters around the occurrence must not be word characters.
int FindText(const QString &text, const QString &needle, int from, bool matchCase, bool wholeWord);

// Every occurrence that a find-and-replace loop starting at `from` would
// replace: searching resumes after each occurrence (replaced text is never
// searched again), and the whole-word test sees the character before an
// occurrence as it will be once the earlier occurrences are replaced.
QVector<int> FindAllForReplace(const QString &text, const QString &needle,
                               const QString &replacement, int from, bool matchCase,
                               bool wholeWord);

// Regular-expression search over the whole text: matches are walked in order
// from the start (global, not multi-line: ^ and $ anchor at the ends of the
// whole text; . matches neither CR nor LF); the first match that begins after
// selStart, or at 0 when selStart is 0 and nothing is selected, wins.
// Returns false when nothing qualifies; an invalid pattern returns false and
// sets *error to a description that names the position in pattern, counted
// from 1; a search that reaches the work limit (see BoundedRegex) returns
// false with *error set to RegexTooComplexText() (otherwise *error is
// cleared).
bool FindRegExp(const QString &text, const QString &pattern, bool ignoreCase, int selStart,
                int selLength, Match *found, QString *error);

// The pattern as the regular-expression engine gets it: $ outside a class
// anchors at the very end of the text only, . stops at CR as at LF, and the
// ECMAScript forms the engine lacks are translated: \uXXXX, "[]" (matches
// nothing), "[^]" (any character), \u and \x without their hex digits (the
// letter itself). origin, when given, receives for each character of the
// result the position in pattern it came from.
QString AdaptPattern(const QString &pattern, QVector<int> *origin = nullptr);

} // namespace corvel::control
