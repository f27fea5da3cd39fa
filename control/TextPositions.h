#pragma once
// Positions as hosts count them: every line break is CR LF, two characters.
// The document itself keeps one paragraph break per line break, plus the
// display breaks of long lines (LongLines.h), which hosts do not count. So an
// offset of the host and a document position differ by the number of line
// breaks minus the number of display breaks before it. Both directions are
// O(log n) in the number of blocks (O(log^2 n) from host offsets).
#include <QString>

class QTextDocument;

namespace corvel::control {

// Host offset (CR LF = 2) of a document position.
int ToCrLfOffset(const QTextDocument *doc, int docPos);

// Document position of a host offset; an offset that falls between the CR
// and the LF of a break maps to the end of that line. Clamped to the text.
int FromCrLfOffset(const QTextDocument *doc, int offset);

// Number of characters of the text with CR LF breaks.
int CrLfLength(const QTextDocument *doc);

// The whole text with CR LF breaks, taken from the raw buffer (a no-break
// space stays a no-break space); display breaks leave no trace.
QString CrLfText(const QTextDocument *doc);

// Text of the document between two positions, CR LF breaks.
QString CrLfText(const QTextDocument *doc, int fromDoc, int toDoc);

// A text from the document's raw form (U+2029 between blocks) with CR LF.
QString ParagraphsToCrLf(const QString &raw);

} // namespace corvel::control
