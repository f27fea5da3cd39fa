#include "TextPositions.h"

#include "LongLines.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace corvel::control {

namespace {

// Host offset of the start of block number n at document position pos: each
// line break before it counts two characters, each display break (soft, the
// sorted numbers of the blocks they start) none.
int HostStart(const QVector<int> &soft, int pos, int n) {
    const auto upTo = std::upper_bound(soft.begin(), soft.end(), n) - soft.begin();
    return pos + n - 2 * int(upTo);
}

// The raw form (U+2029 between blocks) of a stretch that begins in block
// firstBlock, with CR LF for line breaks and nothing for display breaks.
QString RawToCrLf(const QTextDocument *doc, const QString &raw, int firstBlock) {
    const QVector<int> &soft = DisplayBreakBlocks(doc);
    auto next = std::upper_bound(soft.begin(), soft.end(), firstBlock);
    if (next == soft.end()) return ParagraphsToCrLf(raw);
    const qsizetype n = raw.size();
    const QChar *p = raw.constData();
    QString out;
    out.reserve(n + n / 32);
    int block = firstBlock;
    qsizetype run = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] != QChar::ParagraphSeparator) continue;
        out.append(p + run, i - run);
        run = i + 1;
        ++block;
        while (next != soft.end() && *next < block)
            ++next;
        if (next != soft.end() && *next == block) continue;
        out.append(QLatin1String("\r\n"));
    }
    out.append(p + run, n - run);
    return out;
}

} // namespace

int ToCrLfOffset(const QTextDocument *doc, int docPos) {
    if (docPos <= 0) return 0;
    QTextBlock b = doc->findBlock(docPos);
    if (!b.isValid()) b = doc->lastBlock();
    return docPos - b.position() +
           HostStart(DisplayBreakBlocks(doc), b.position(), b.blockNumber());
}

int FromCrLfOffset(const QTextDocument *doc, int offset) {
    if (offset <= 0) return 0;
    // The block holding the offset is the last one whose start, counted as
    // the host counts, is not after it. Without display breaks a block's
    // host start is at least its position, which bounds the search.
    const QVector<int> &soft = DisplayBreakBlocks(doc);
    int hi = doc->blockCount() - 1;
    if (soft.isEmpty()) {
        const QTextBlock guess = doc->findBlock(offset);
        if (guess.isValid()) hi = guess.blockNumber();
    }
    int lo = 0;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (HostStart(soft, doc->findBlockByNumber(mid).position(), mid) <= offset)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = doc->findBlockByNumber(lo);
    const int inBlock = offset - HostStart(soft, b.position(), lo);
    return b.position() + std::min(inBlock, b.length() - 1);
}

int CrLfLength(const QTextDocument *doc) {
    return doc->characterCount() - 1 + doc->blockCount() - 1 -
           2 * int(DisplayBreakBlocks(doc).size());
}

QString ParagraphsToCrLf(const QString &raw) {
    const qsizetype n = raw.size();
    const QChar *p = raw.constData();
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < n; ++i)
        if (p[i] == QChar::ParagraphSeparator) ++breaks;
    if (breaks == 0) return raw;
    QString out(n + breaks, Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == QChar::ParagraphSeparator) {
            *d++ = u'\r';
            *d++ = u'\n';
        } else {
            *d++ = p[i];
        }
    }
    return out;
}

QString CrLfText(const QTextDocument *doc) {
    return RawToCrLf(doc, doc->toRawText(), 0);
}

QString CrLfText(const QTextDocument *doc, int fromDoc, int toDoc) {
    if (toDoc <= fromDoc) return QString();
    QTextCursor c(const_cast<QTextDocument *>(doc));
    c.setPosition(fromDoc);
    c.setPosition(toDoc, QTextCursor::KeepAnchor);
    return RawToCrLf(doc, c.selectedText(), doc->findBlock(fromDoc).blockNumber());
}

} // namespace corvel::control
