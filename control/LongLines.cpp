#include "LongLines.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace corvel::control {

namespace {

constexpr int kContinuation = QTextFormat::UserProperty + 0x4C4C;
const QString kIndexName = QStringLiteral("corvelDisplayBreaks");

// The display breaks of one document, a child of the document.
class BreakIndex : public QObject {
public:
    explicit BreakIndex(QTextDocument *doc) : QObject(doc) {
        setObjectName(kIndexName);
        connect(doc, &QTextDocument::contentsChange, this, [this, doc](int pos, int, int added) {
            // Blocks may have changed kind when a change spans a break.
            if (added > 0 && doc->findBlock(pos) != doc->findBlock(pos + added)) stale = true;
        });
    }
    QVector<int> blocks;
    int blockCount = -1;
    bool stale = true;
};

BreakIndex *IndexOf(const QTextDocument *doc) {
    auto *d = const_cast<QTextDocument *>(doc);
    if (QObject *o = d->findChild<QObject *>(kIndexName, Qt::FindDirectChildrenOnly))
        return static_cast<BreakIndex *>(o);
    return new BreakIndex(d);
}

bool AnyContinuationFormat(const QTextDocument *doc) {
    // Formats stay in the document's collection after their text is gone;
    // without one that carries the mark there is no display break at all.
    const QList<QTextFormat> formats = doc->allFormats();
    return std::any_of(formats.begin(), formats.end(), [](const QTextFormat &f) {
        return f.isCharFormat() && f.hasProperty(kContinuation);
    });
}

bool BreakAfter(QChar c) {
    switch (c.unicode()) {
    case u' ':
    case u'\t':
    case u',':
    case u';':
    case u'>':
    case u'}':
    case u')':
        return true;
    default:
        return false;
    }
}

} // namespace

// The mark is on the break itself (a block's char format is that of the
// break before it): a deletion keeps or removes each break with its own mark,
// whatever the surviving block's format becomes.
bool ContinuesLine(const QTextBlock &b) {
    return b.isValid() && b.position() > 0 && b.charFormat().hasProperty(kContinuation);
}

const QVector<int> &DisplayBreakBlocks(const QTextDocument *doc) {
    BreakIndex *index = IndexOf(doc);
    if (index->stale || index->blockCount != doc->blockCount()) {
        index->blocks.clear();
        if (doc->blockCount() > 1 && AnyContinuationFormat(doc)) {
            for (QTextBlock b = doc->begin().next(); b.isValid(); b = b.next())
                if (ContinuesLine(b)) index->blocks.append(b.blockNumber());
        }
        index->blockCount = doc->blockCount();
        index->stale = false;
    }
    return index->blocks;
}

int DisplayBreaksUpTo(const QTextDocument *doc, int blockNumber) {
    const QVector<int> &v = DisplayBreakBlocks(doc);
    return int(std::upper_bound(v.begin(), v.end(), blockNumber) - v.begin());
}

void InvalidateDisplayBreaks(const QTextDocument *doc) {
    IndexOf(doc)->stale = true;
}

QVector<int> DisplayBreakOffsets(const QString &text) {
    QVector<int> out;
    const int n = int(text.size());
    if (n <= kLongBlock) return out;
    int start = 0;
    while (n - start > kDisplayPiece) {
        int cut = start + kDisplayPiece;
        // A natural break in the last quarter of the piece, if there is one.
        for (int i = cut; i > start + kDisplayPiece * 3 / 4; --i) {
            if (BreakAfter(text[i - 1])) {
                cut = i;
                break;
            }
        }
        while (cut > start + 1 && (text[cut - 1].isHighSurrogate() || text[cut].isLowSurrogate() ||
                                   text[cut].isMark()))
            --cut;
        out.append(cut);
        start = cut;
    }
    return out;
}

void SplitLongBlocks(QTextDocument *doc, int from, int to) {
    QTextBlock b = doc->findBlock(std::max(0, from));
    const QTextBlock last = doc->findBlock(std::max(from, to));
    bool split = false;
    while (b.isValid()) {
        const QTextBlock next = b.next();
        const bool isLast = b == last;
        if (b.length() - 1 > kLongBlock) {
            const QVector<int> cuts = DisplayBreakOffsets(b.text());
            const QTextBlockFormat blockFormat = b.blockFormat();
            QTextCursor c(doc);
            // From the last piece to the first, so earlier offsets stay valid.
            for (int i = int(cuts.size()) - 1; i >= 0; --i) {
                c.setPosition(b.position() + cuts[i]);
                QTextCharFormat mark = c.charFormat();
                mark.setProperty(kContinuation, true);
                c.insertBlock(blockFormat, mark);
            }
            split = split || !cuts.isEmpty();
        }
        if (isLast) break;
        b = next;
    }
    if (split) InvalidateDisplayBreaks(doc);
}

void SettleInsertedText(QTextDocument *doc, int from, int to) {
    if (to > from) {
        bool changed = false;
        QTextCursor c(doc);
        for (QTextBlock b = doc->findBlock(from).next(); b.isValid() && b.position() <= to;
             b = b.next()) {
            if (!ContinuesLine(b)) continue;
            QTextCharFormat f = b.charFormat();
            f.clearProperty(kContinuation);
            c.setPosition(b.position());
            c.setBlockCharFormat(f);
            changed = true;
        }
        if (changed) InvalidateDisplayBreaks(doc);
    }
    SplitLongBlocks(doc, from, to);
}

void InsertPlainText(QTextCursor &cursor, const QString &text) {
    const int from = cursor.selectionStart();
    // Only a break or a long block can need settling; a plain short insert
    // stays one command that the document may merge with the next one.
    const bool breaks = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator;
    });
    if (!breaks && cursor.document()->findBlock(from).length() + text.size() <= kLongBlock) {
        cursor.insertText(text);
        return;
    }
    cursor.beginEditBlock();
    cursor.insertText(text);
    SettleInsertedText(cursor.document(), from, cursor.position());
    cursor.endEditBlock();
}

} // namespace corvel::control
