#pragma once
// Very long lines (minified scripts and style sheets) are held as several
// blocks of the document. The surface lays out and shapes a whole block at
// once, again after every change inside it, so a line of a million
// characters in one block costs tenths of a second per key and seconds per
// paint. The break before a block that continues the line of the block
// before it carries a mark in its character format: it is a display break, it
// is no character of the text, hosts never see it and it is never saved.
#include <QString>
#include <QVector>

class QTextBlock;
class QTextCursor;
class QTextDocument;

namespace corvel::control {

// Blocks longer than kLongBlock are split into pieces of at most
// kDisplayPiece characters.
constexpr int kLongBlock = 8192;
constexpr int kDisplayPiece = 4096;

// Whether the break before this block is a display break.
bool ContinuesLine(const QTextBlock &b);

// Sorted numbers of the blocks that continue the line before them. Kept per
// document; brought up to date when blocks were added or removed, or after
// Invalidate.
const QVector<int> &DisplayBreakBlocks(const QTextDocument *doc);

// Number of display breaks that start blocks 1 to blockNumber.
int DisplayBreaksUpTo(const QTextDocument *doc, int blockNumber);

// The display breaks changed without a change of the block count.
void InvalidateDisplayBreaks(const QTextDocument *doc);

// Offsets (from the block's start) where a text of a long block is split:
// after a space or punctuation near each kDisplayPiece, never inside a
// surrogate pair or before a combining mark. Empty for short texts.
QVector<int> DisplayBreakOffsets(const QString &blockText);

// Splits every block between the positions from and to that is longer than
// kLongBlock. Runs as part of the caller's edit (its undo step).
void SplitLongBlocks(QTextDocument *doc, int from, int to);

// After text was inserted between the positions from and to: the blocks that
// the insertion started are lines of their own (their breaks took the
// character format at the caret, display mark included), and long blocks in the
// range are split. Every break the editor inserts passes through here.
void SettleInsertedText(QTextDocument *doc, int from, int to);

// Inserts text at the cursor (replacing its selection), settled as above in
// the same undo step.
void InsertPlainText(QTextCursor &cursor, const QString &text);

} // namespace corvel::control
