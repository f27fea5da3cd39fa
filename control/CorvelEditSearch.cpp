// CorvelEdit: lines as laid out, going to a line, find and replace.
#include "CorvelEdit.h"

#include "EditSurface.h"
#include "LongLines.h"
#include "TextCodec.h"
#include "TextPositions.h"
#include "TextSearch.h"

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

using namespace corvel::control;

// --- lines -------------------------------------------------------------------
// Without wrapping every line is one block, or a run of blocks joined by the
// display breaks of a long line. With wrapping at the window edge
// each wrapped piece is a line, so the blocks before the caret are laid out
// (the layout keeps them until they change or the width does).

bool CorvelEdit::wraps() const {
    return m_surface->lineWrapMode() != QPlainTextEdit::NoWrap;
}

namespace {

QPlainTextDocumentLayout *PlainLayout(QTextDocument *doc) {
    return qobject_cast<QPlainTextDocumentLayout *>(doc->documentLayout());
}

int LinesOf(QPlainTextDocumentLayout *layout, const QTextBlock &b) {
    if (!b.isVisible()) return 0;
    if (layout) layout->ensureBlockLayout(b);
    return std::max(1, b.layout()->lineCount());
}

} // namespace

int CorvelEdit::lineOfPosition(int docPos, int *lineStart) const {
    QTextBlock b = doc()->findBlock(docPos);
    if (!b.isValid()) b = doc()->lastBlock();
    if (!wraps()) {
        // Back over the display breaks to the block that begins the line.
        const QVector<int> &soft = DisplayBreakBlocks(doc());
        int first = b.blockNumber();
        auto it = std::upper_bound(soft.begin(), soft.end(), first);
        while (it != soft.begin() && *(it - 1) == first) {
            --it;
            --first;
        }
        *lineStart =
            first == b.blockNumber() ? b.position() : doc()->findBlockByNumber(first).position();
        return first - int(it - soft.begin());
    }
    settleLayout();
    QPlainTextDocumentLayout *layout = PlainLayout(doc());
    int line = 0;
    for (QTextBlock x = doc()->begin(); x.isValid() && x != b; x = x.next())
        line += LinesOf(layout, x);
    LinesOf(layout, b);
    const QTextLayout *tl = b.layout();
    const int rel = docPos - b.position();
    QTextLine l = tl->lineForTextPosition(rel);
    if (!l.isValid() && tl->lineCount() > 0) l = tl->lineAt(tl->lineCount() - 1);
    if (!l.isValid()) {
        *lineStart = b.position();
        return line;
    }
    *lineStart = b.position() + l.textStart();
    return line + l.lineNumber();
}

int CorvelEdit::lineStartPosition(int line) const {
    if (!wraps()) {
        // The first block whose line number (its number less the display
        // breaks up to it) reaches the line.
        line = std::clamp(line, 0, layoutLineCount() - 1);
        int lo = line, hi = doc()->blockCount() - 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (mid - DisplayBreaksUpTo(doc(), mid) >= line)
                hi = mid;
            else
                lo = mid + 1;
        }
        return doc()->findBlockByNumber(lo).position();
    }
    settleLayout();
    QPlainTextDocumentLayout *layout = PlainLayout(doc());
    int first = 0;
    QTextBlock last;
    for (QTextBlock x = doc()->begin(); x.isValid(); x = x.next()) {
        const int n = LinesOf(layout, x);
        if (n == 0) continue;
        last = x;
        if (line < first + n) {
            const QTextLine l = x.layout()->lineAt(line - first);
            return x.position() + (l.isValid() ? l.textStart() : 0);
        }
        first += n;
    }
    return last.isValid() ? last.position() : 0;
}

int CorvelEdit::layoutLineCount() const {
    if (!wraps()) return doc()->blockCount() - int(DisplayBreakBlocks(doc()).size());
    settleLayout();
    QPlainTextDocumentLayout *layout = PlainLayout(doc());
    int n = 0;
    for (QTextBlock x = doc()->begin(); x.isValid(); x = x.next())
        n += LinesOf(layout, x);
    return std::max(1, n);
}

void CorvelEdit::IrParaLinha(int line) {
    if (line < 0) return;
    int target;
    if (line == 0) {
        // Line 0: the start of the line that holds the caret.
        lineOfPosition(caret().selectionStart(), &target);
    } else {
        const int count = layoutLineCount();
        target = lineStartPosition(std::min(line - 1, count - 1));
    }
    QTextCursor c = caret();
    c.setPosition(target);
    setCaret(c);
    if (m_editDepth == 0) m_surface->ensureCursorVisible();
}

// --- find and replace --------------------------------------------------------

bool CorvelEdit::Procurar(const QString &text, bool matchCase, bool wholeWord) {
    int start, length;
    selection(&start, &length);
    // A selected occurrence is stepped over; one at an unselected caret is
    // found.
    const int from = length > 0 ? start + 1 : start;
    const int p = FindText(cachedText(), text, from, matchCase, wholeWord);
    if (p < 0) return false;
    selectHost(p, int(text.size()));
    return true;
}

bool CorvelEdit::ProcurarRegExp(const QString &pattern, bool ignoreCase) {
    int start, length;
    selection(&start, &length);
    Match m;
    if (!FindRegExp(cachedText(), pattern, ignoreCase, start, length, &m, &m_ultimoErro))
        return false;
    selectHost(m.start, m.length);
    return true;
}

bool CorvelEdit::Substituir(const QString &text, const QString &replacement, bool matchCase,
                            bool wholeWord) {
    if (caret().hasSelection()) {
        replaceSelection(replacement);
        textChangedByMember();
    }
    return Procurar(text, matchCase, wholeWord);
}

void CorvelEdit::SubstituirTodos(const QString &text, const QString &replacement, bool matchCase,
                                 bool wholeWord) {
    int start, length;
    selection(&start, &length);
    const int from = length > 0 ? start + 1 : start;
    // One scan of the text finds every occurrence the replace loop would
    // meet; they are then replaced from the last to the first, so earlier
    // offsets stay valid, in one undoable edit.
    const QVector<int> found =
        FindAllForReplace(cachedText(), text, replacement, from, matchCase, wholeWord);
    if (found.isEmpty()) return;
    const int len = int(text.size());
    const int insertedLength = int(corvel::ToCrLf(replacement).size());
    QTextCursor c(doc());
    c.beginEditBlock();
    for (int i = int(found.size()) - 1; i >= 0; --i) {
        c.setPosition(FromCrLfOffset(doc(), found[i]));
        c.setPosition(FromCrLfOffset(doc(), found[i] + len), QTextCursor::KeepAnchor);
        const int at = c.selectionStart();
        c.insertText(replacement);
        SettleInsertedText(doc(), at, c.position());
    }
    c.endEditBlock();
    textChangedByMember();
    // The caret ends after the last inserted text, nothing selected.
    const int caret =
        found.last() + (int(found.size()) - 1) * (insertedLength - len) + insertedLength;
    selectHost(caret, 0);
}
