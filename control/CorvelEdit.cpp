#include "CorvelEdit.h"

#include "EditSurface.h"
#include "LongLines.h"
#include "TextPositions.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

using namespace corvel::control;

namespace {

QColor ColorOf(int rgb) {
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

int RgbOf(const QColor &c) {
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

// Guards a change of formatting only: the document's change notification
// must not count it as a change of the text.
struct FormattingOnly {
    explicit FormattingOnly(int &depth) : d(depth) { ++d; }
    ~FormattingOnly() { --d; }
    int &d;
};

} // namespace

CorvelEdit::CorvelEdit(QWidget *parent)
    : QWidget(parent),
      m_random(quint32(QDateTime::currentMSecsSinceEpoch()) ^ quint32(quintptr(this) >> 4)) {
    m_surface = new EditSurface(this);
    m_surface->setGeometry(rect());
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(11.25);
    m_surface->setFont(font);
    // A new surface has no right margin: lines wrap at the window's edge.
    m_surface->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_surface->setTabChangesFocus(false);
    m_corTexto = RgbOf(m_surface->palette().color(QPalette::Text));
    m_corFundo = RgbOf(m_surface->palette().color(QPalette::Base));
    m_surface->onKeyPress = [this](QKeyEvent *e) { return handleKey(e); };
    m_surface->onPositionEvent = [this] { m_posDirty = true; };
    connect(m_surface, &QPlainTextEdit::cursorPositionChanged, this, [this] { m_posDirty = true; });
    connect(doc(), &QTextDocument::contentsChange, this, &CorvelEdit::onContentsChange);
    setFocusProxy(m_surface);
}

CorvelEdit::~CorvelEdit() {
    while (m_editDepth > 0)
        TerminarEdicao();
}

QTextDocument *CorvelEdit::doc() const {
    return m_surface->document();
}

void CorvelEdit::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    m_surface->setGeometry(rect());
    m_posDirty = true;
}

// --- change tracking ---------------------------------------------------------

void CorvelEdit::onContentsChange(int, int removed, int added) {
    m_textCacheValid = false;
    m_posDirty = true;
    if (m_formatting > 0 || (removed == 0 && added == 0)) return;
    m_gravado = false;
    m_alterado = true;
}

void CorvelEdit::contentChanged() {
    m_textCacheValid = false;
    m_layoutStale = true;
    m_posDirty = true;
}

void CorvelEdit::textChangedByMember() {
    contentChanged();
    m_gravado = false;
    m_alterado = true;
}

// The text is kept between changes for hosts that read it again and again,
// up to a size: a large file's text would double the memory the document
// takes, for a copy that is quick to build again.
QString CorvelEdit::cachedText() const {
    if (m_textCacheValid) return m_textCache;
    QString text = CrLfText(doc());
    if (text.size() <= kTextCacheLimit) {
        m_textCache = text;
        m_textCacheValid = true;
    } else {
        m_textCache.clear();
    }
    return text;
}

// --- selection ---------------------------------------------------------------

QTextCursor CorvelEdit::caret() const {
    return m_editDepth > 0 ? m_groupCaret : m_surface->textCursor();
}

void CorvelEdit::setCaret(const QTextCursor &c) {
    if (m_editDepth > 0) {
        m_groupCaret = c;
        m_groupCaretMoved = true;
        m_posDirty = true;
    } else {
        m_surface->setTextCursor(c);
    }
}

void CorvelEdit::selection(int *start, int *length) const {
    const QTextCursor c = caret();
    const int s = ToCrLfOffset(doc(), c.selectionStart());
    const int e = ToCrLfOffset(doc(), c.selectionEnd());
    *start = s;
    *length = e - s;
}

void CorvelEdit::selectHost(int start, int length) {
    const int total = Tamanho();
    start = std::clamp(start, 0, total);
    const int end = std::clamp(start + std::max(0, length), start, total);
    QTextCursor c = caret();
    c.setPosition(FromCrLfOffset(doc(), start));
    c.setPosition(FromCrLfOffset(doc(), end), QTextCursor::KeepAnchor);
    setCaret(c);
}

void CorvelEdit::replaceSelection(const QString &text) {
    QTextCursor c = caret();
    InsertPlainText(c, text); // CR LF, LF and CR all become one break
    setCaret(c);
    contentChanged();
}

QString CorvelEdit::SelTexto() const {
    const QTextCursor c = caret();
    return CrLfText(doc(), c.selectionStart(), c.selectionEnd());
}

void CorvelEdit::setSelTexto(const QString &text) {
    replaceSelection(text);
    textChangedByMember();
}

int CorvelEdit::SelInicio() const {
    int s, l;
    selection(&s, &l);
    return s;
}

void CorvelEdit::setSelInicio(int pos) {
    selectHost(pos, 0);
}

int CorvelEdit::SelTamanho() const {
    int s, l;
    selection(&s, &l);
    return l;
}

void CorvelEdit::setSelTamanho(int len) {
    selectHost(SelInicio(), len);
}

// --- text --------------------------------------------------------------------

QString CorvelEdit::Texto() const {
    return cachedText();
}

void CorvelEdit::setTexto(const QString &text) {
    // One edit with undo off; any of CR LF, LF and CR is one break. Long
    // lines are split for display inside the same edit, so the layout never
    // sees them whole.
    QTextDocument *d = doc();
    const bool undo = d->isUndoRedoEnabled();
    d->setUndoRedoEnabled(false);
    d->clear();
    QTextCursor c(d);
    c.beginEditBlock();
    c.insertText(text);
    SplitLongBlocks(d, 0, d->characterCount() - 1);
    c.endEditBlock();
    d->setUndoRedoEnabled(undo);
    // The put cleared the undo steps, those of an open group too.
    m_groupUndoBase = 0;
    setCaret(QTextCursor(doc()));
    textChangedByMember();
}

int CorvelEdit::Tamanho() const {
    return CrLfLength(doc());
}

// --- whole-text formatting ---------------------------------------------------

void CorvelEdit::mergeWholeText(const QTextCharFormat &f) {
    FormattingOnly guard(m_formatting);
    QTextCursor c(doc());
    c.select(QTextCursor::Document);
    c.mergeCharFormat(f);
    contentChanged();
}

int CorvelEdit::CorTexto() const {
    return m_corTexto;
}

void CorvelEdit::setCorTexto(int rgb) {
    m_corTexto = rgb & 0xFFFFFF;
    QPalette p = m_surface->palette();
    p.setColor(QPalette::Text, ColorOf(m_corTexto));
    m_surface->setPalette(p);
    QTextCharFormat f;
    f.setForeground(ColorOf(m_corTexto));
    mergeWholeText(f);
}

int CorvelEdit::CorFundo() const {
    return m_corFundo;
}

void CorvelEdit::setCorFundo(int rgb) {
    m_corFundo = rgb & 0xFFFFFF;
    QPalette p = m_surface->palette();
    p.setColor(QPalette::Base, ColorOf(m_corFundo));
    m_surface->setPalette(p);
}

bool CorvelEdit::Negrito() const {
    return m_surface->font().bold();
}

void CorvelEdit::setNegrito(bool on) {
    QFont f = m_surface->font();
    f.setBold(on);
    m_surface->setFont(f);
}

bool CorvelEdit::Italico() const {
    return m_surface->font().italic();
}

void CorvelEdit::setItalico(bool on) {
    QFont f = m_surface->font();
    f.setItalic(on);
    m_surface->setFont(f);
}

QString CorvelEdit::FonteNome() const {
    return m_surface->font().family();
}

void CorvelEdit::setFonteNome(const QString &face) {
    QFont f = m_surface->font();
    f.setFamilies(QStringList{face});
    m_surface->setFont(f);
}

int CorvelEdit::FonteTamanho() const {
    return qRound(m_surface->font().pointSizeF());
}

void CorvelEdit::setFonteTamanho(int points) {
    if (points <= 0) return;
    QFont f = m_surface->font();
    f.setPointSize(points);
    m_surface->setFont(f);
}

QString CorvelEdit::TabTexto() const {
    return m_tabTexto;
}

void CorvelEdit::setTabTexto(const QString &text) {
    m_tabTexto = text;
}

bool CorvelEdit::QuebrarLinha() const {
    return m_surface->lineWrapMode() == QPlainTextEdit::NoWrap;
}

void CorvelEdit::setQuebrarLinha(bool noWrap) {
    m_surface->setLineWrapMode(noWrap ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
}

// --- selection formatting ----------------------------------------------------

QTextCharFormat CorvelEdit::selectionFormat() const {
    const QTextCursor c = caret();
    if (!c.hasSelection()) return c.charFormat();
    // The format of the first selected character.
    QTextCursor first(doc());
    first.setPosition(c.selectionStart() + 1);
    return first.charFormat();
}

void CorvelEdit::mergeSelectionFormat(const QTextCharFormat &f) {
    FormattingOnly guard(m_formatting);
    // With nothing selected the format is the caret's, for what comes next.
    if (m_editDepth > 0)
        m_groupCaret.mergeCharFormat(f);
    else
        m_surface->mergeCurrentCharFormat(f);
    contentChanged();
}

int CorvelEdit::SelCorTexto() const {
    const QTextCharFormat f = selectionFormat();
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        return RgbOf(f.foreground().color());
    return m_corTexto;
}

void CorvelEdit::setSelCorTexto(int rgb) {
    QTextCharFormat f;
    f.setForeground(ColorOf(rgb & 0xFFFFFF));
    mergeSelectionFormat(f);
}

bool CorvelEdit::SelNegrito() const {
    const QTextCharFormat f = selectionFormat();
    if (f.hasProperty(QTextFormat::FontWeight)) return f.fontWeight() >= QFont::DemiBold;
    return m_surface->font().bold();
}

void CorvelEdit::setSelNegrito(bool on) {
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeSelectionFormat(f);
}

bool CorvelEdit::SelItalico() const {
    const QTextCharFormat f = selectionFormat();
    if (f.hasProperty(QTextFormat::FontItalic)) return f.fontItalic();
    return m_surface->font().italic();
}

void CorvelEdit::setSelItalico(bool on) {
    QTextCharFormat f;
    f.setFontItalic(on);
    mergeSelectionFormat(f);
}

QString CorvelEdit::SelFonteNome() const {
    const QTextCharFormat f = selectionFormat();
    if (f.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList fam = f.fontFamilies().toStringList();
        if (!fam.isEmpty()) return fam.first();
    }
    return m_surface->font().family();
}

void CorvelEdit::setSelFonteNome(const QString &face) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{face});
    mergeSelectionFormat(f);
}

int CorvelEdit::SelFonteTamanho() const {
    const QTextCharFormat f = selectionFormat();
    if (f.hasProperty(QTextFormat::FontPointSize)) return qRound(f.fontPointSize());
    return FonteTamanho();
}

void CorvelEdit::setSelFonteTamanho(int points) {
    if (points <= 0) return;
    QTextCharFormat f;
    f.setFontPointSize(points);
    mergeSelectionFormat(f);
}

// --- surface state -----------------------------------------------------------

void CorvelEdit::Foco() {
    if (!m_surface->isHidden()) m_surface->setFocus(Qt::OtherFocusReason);
}

qint64 CorvelEdit::Hwnd() const {
    return qint64(m_surface->winId());
}

bool CorvelEdit::Travar() const {
    return !(m_surface->textInteractionFlags() & Qt::TextEditable);
}

void CorvelEdit::setTravar(bool on) {
    // Locked: the user can still move the caret and select, not type.
    m_surface->setTextInteractionFlags(
        on ? (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard)
           : Qt::TextEditorInteraction);
}

bool CorvelEdit::Visivel() const {
    return !m_surface->isHidden();
}

void CorvelEdit::setVisivel(bool on) {
    if (on) settleLayout();
    m_surface->setVisible(on);
}

bool CorvelEdit::Gravado() const {
    return m_gravado;
}

void CorvelEdit::setGravado(bool on) {
    m_gravado = on;
}

bool CorvelEdit::Alterado() const {
    return m_alterado;
}

void CorvelEdit::setAlterado(bool on) {
    m_alterado = on;
}

// Linha and Coluna are what UpdatePos computes. Every key, click and caret
// move marks them stale, and they are computed when read: the host polls them
// often, while the caret may move thousands of times in between (a member
// loop, or a key held down), and with wrapped lines the computation walks the
// blocks before the caret.
QString CorvelEdit::Linha() const {
    if (m_posDirty) computePos();
    return m_linha;
}

QString CorvelEdit::Coluna() const {
    if (m_posDirty) computePos();
    return m_coluna;
}

void CorvelEdit::UpdatePos() {
    computePos();
}

void CorvelEdit::computePos() const {
    m_posDirty = false;
    const int start = caret().selectionStart();
    int lineStart = 0;
    const int line = lineOfPosition(start, &lineStart);
    m_linha = QString::number(line + 1);
    // Only display breaks can lie between the line's start and the caret.
    const int between =
        doc()->findBlock(start).blockNumber() - doc()->findBlock(lineStart).blockNumber();
    m_coluna = QString::number(start - lineStart - between + 1);
}

// --- keys --------------------------------------------------------------------

bool CorvelEdit::handleKey(QKeyEvent *e) {
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & (Qt::AltModifier | Qt::MetaModifier);
    // X11 reports Shift+Tab as Backtab (with Shift held).
    const bool shift = (mods & Qt::ShiftModifier) || key == Qt::Key_Backtab;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        if (ctrl && !shift && !alt) {
            // Ctrl+Tab belongs to the host (next document).
            e->ignore();
            return true;
        }
        e->accept();
        if (!Travar()) applyTab(shift, ctrl, alt);
        return true;
    }
    if (ctrl && !shift && !alt &&
        ((key >= Qt::Key_1 && key <= Qt::Key_9) || key == Qt::Key_E || key == Qt::Key_M ||
         key == Qt::Key_R)) {
        // The surface has no command of its own on these keys.
        e->accept();
        return true;
    }
    if (!ctrl && !alt && handleDisplayBreakKey(key, shift)) {
        e->accept();
        return true;
    }
    return false;
}

// Keys at the display breaks of a long line, where the surface would see a
// line break: a caret move or a deletion there acts on the next character of
// the text, and Enter starts a line of its own.
bool CorvelEdit::handleDisplayBreakKey(int key, bool shift) {
    QTextCursor c = m_surface->textCursor();
    const QTextCursor::MoveMode mode = shift ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
    // Over the display breaks (and empty pieces) after or before the caret.
    const auto skipForward = [&c](QTextCursor::MoveMode m) {
        bool moved = false;
        while (c.atBlockEnd() && ContinuesLine(c.block().next())) {
            c.setPosition(c.block().next().position(), m);
            moved = true;
        }
        return moved;
    };
    const auto skipBackward = [&c](QTextCursor::MoveMode m) {
        bool moved = false;
        while (c.atBlockStart() && ContinuesLine(c.block())) {
            c.setPosition(c.block().position() - 1, m);
            moved = true;
        }
        return moved;
    };
    const bool editable = !Travar();
    switch (key) {
    case Qt::Key_Right:
        if (!skipForward(mode)) return false;
        c.movePosition(QTextCursor::NextCharacter, mode);
        break;
    case Qt::Key_Left:
        if (!skipBackward(mode)) return false;
        c.movePosition(QTextCursor::PreviousCharacter, mode);
        break;
    case Qt::Key_Backspace:
        if (shift || !editable || c.hasSelection() || !skipBackward(QTextCursor::MoveAnchor))
            return false;
        c.deletePreviousChar();
        break;
    case Qt::Key_Delete:
        if (shift || !editable || c.hasSelection() || !skipForward(QTextCursor::MoveAnchor))
            return false;
        c.deleteChar();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // Always here: the new break must not take the mark of a display
        // break from the character format at the caret.
        if (shift || !editable) return false;
        const int from = c.selectionStart();
        c.beginEditBlock();
        c.insertBlock();
        SettleInsertedText(doc(), from, c.position());
        c.endEditBlock();
        break;
    }
    default:
        return false;
    }
    m_surface->setTextCursor(c);
    m_surface->ensureCursorVisible();
    return true;
}

void CorvelEdit::applyTab(bool shift, bool ctrl, bool alt) {
    int start, length;
    selection(&start, &length);
    if (length == 0) {
        replaceSelection(m_tabTexto);
        return;
    }
    QString s = SelTexto();
    // A final line break stays after the block.
    if (s.endsWith(QLatin1String("\r\n"))) {
        s.chop(2);
        length -= 2;
    }
    const QString crlf = QStringLiteral("\r\n");
    if (!shift && !ctrl && !alt) {
        s = m_tabTexto;
    } else if (shift && !ctrl && !alt) {
        s = m_tabTexto + s.replace(crlf, crlf + m_tabTexto);
    } else if (shift && ctrl && !alt) {
        if (s.startsWith(m_tabTexto)) s.remove(0, m_tabTexto.size());
        if (!m_tabTexto.isEmpty()) s.replace(crlf + m_tabTexto, crlf);
    }
    selectHost(start, length);
    QTextCursor c = caret();
    InsertPlainText(c, s);
    setCaret(c);
    contentChanged();
    selectHost(start, int(s.size()));
}

// --- further members ---------------------------------------------------------

int CorvelEdit::ContarLinhas() const {
    return layoutLineCount();
}

int CorvelEdit::RolagemVertical() const {
    settleLayout();
    return m_surface->verticalScrollBar()->value();
}

void CorvelEdit::setRolagemVertical(int v) {
    settleLayout();
    m_surface->verticalScrollBar()->setValue(v);
}

int CorvelEdit::RolagemHorizontal() const {
    settleLayout();
    return m_surface->horizontalScrollBar()->value();
}

void CorvelEdit::setRolagemHorizontal(int v) {
    settleLayout();
    m_surface->horizontalScrollBar()->setValue(v);
}

void CorvelEdit::Desfazer() {
    if (m_editDepth > 0) {
        // Undone on the group's caret: the surface must not show its caret
        // before the group ends.
        QTextCursor c = caret();
        doc()->undo(&c);
        setCaret(c);
        m_groupUndoBase = std::min(m_groupUndoBase, doc()->availableUndoSteps());
    } else {
        m_surface->undo();
    }
    InvalidateDisplayBreaks(doc());
    contentChanged();
}

bool CorvelEdit::PodeDesfazer() const {
    return doc()->isUndoAvailable();
}

bool CorvelEdit::Sobrescrever() const {
    return m_surface->overwriteMode();
}

void CorvelEdit::setSobrescrever(bool on) {
    m_surface->setOverwriteMode(on);
}

bool CorvelEdit::Redesenhar() const {
    return m_redesenhar;
}

void CorvelEdit::setRedesenhar(bool on) {
    m_redesenhar = on;
    m_surface->setUpdatesEnabled(on);
    if (on) m_surface->viewport()->update();
}

// An edit group is one undo step. Groups nest; only the outer pair counts,
// and an end without a start does nothing.
void CorvelEdit::IniciarEdicao() {
    if (m_editDepth++ > 0) return;
    m_groupCaret = m_surface->textCursor();
    m_groupCaretMoved = false;
    m_layoutStale = false;
    m_groupUndoBase = doc()->availableUndoSteps();
    m_editCursor = QTextCursor(doc());
    m_editCursor.beginEditBlock();
}

void CorvelEdit::TerminarEdicao() {
    if (m_editDepth == 0 || --m_editDepth > 0) return;
    m_editCursor.endEditBlock(); // the layout catches up here, once
    m_editCursor = QTextCursor();
    m_layoutStale = false;
    const QTextCursor c = m_groupCaret;
    m_groupCaret = QTextCursor();
    if (m_groupCaretMoved) m_surface->setTextCursor(c);
    m_posDirty = true;
}

void CorvelEdit::settleLayout() const {
    if (m_editDepth == 0 || !m_layoutStale) return;
    m_layoutStale = false;
    // Closing the document's edit block lays out what changed; the block is
    // then reopened as the same undo step. Before the group's first undoable
    // change there is no step of its own to reopen, and joining would merge
    // the group into the edit before it.
    const bool ownStep = doc()->availableUndoSteps() > m_groupUndoBase;
    m_editCursor.endEditBlock();
    if (ownStep)
        m_editCursor.joinPreviousEditBlock();
    else
        m_editCursor.beginEditBlock();
}

QString CorvelEdit::UltimoErro() const {
    return m_ultimoErro;
}
