#include "TextPositions.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace corvel::control {

int ToCrLfOffset(const QTextDocument *doc, int docPos) {
    if (docPos <= 0) return 0;
    QTextBlock b = doc->findBlock(docPos);
    if (!b.isValid()) b = doc->lastBlock();
    return docPos + b.blockNumber();
}

int FromCrLfOffset(const QTextDocument *doc, int offset) {
    if (offset <= 0) return 0;
    // The block holding the offset is the last one whose start, counted with
    // CR LF breaks (position + block number), is not after it. That block's
    // number is at most the number of the block holding `offset` as a plain
    // document position, which bounds the search.
    QTextBlock guess = doc->findBlock(offset);
    int hi = guess.isValid() ? guess.blockNumber() : doc->blockCount() - 1;
    int lo = 0;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= offset)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = doc->findBlockByNumber(lo);
    const int inBlock = offset - (b.position() + lo);
    return b.position() + std::min(inBlock, b.length() - 1);
}

int CrLfLength(const QTextDocument *doc) {
    return doc->characterCount() - 1 + doc->blockCount() - 1;
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
    return ParagraphsToCrLf(doc->toRawText());
}

QString CrLfText(const QTextDocument *doc, int fromDoc, int toDoc) {
    if (toDoc <= fromDoc) return QString();
    QTextCursor c(const_cast<QTextDocument *>(doc));
    c.setPosition(fromDoc);
    c.setPosition(toDoc, QTextCursor::KeepAnchor);
    return ParagraphsToCrLf(c.selectedText());
}

} // namespace corvel::control
