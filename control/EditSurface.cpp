#include "EditSurface.h"

#include "LongLines.h"
#include "TextPositions.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>

EditSurface::EditSurface(QWidget *parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("HTML"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void EditSurface::keyPressEvent(QKeyEvent *e) {
    if (!(onKeyPress && onKeyPress(e))) QPlainTextEdit::keyPressEvent(e);
    if (onPositionEvent) onPositionEvent();
}

void EditSurface::keyReleaseEvent(QKeyEvent *e) {
    QPlainTextEdit::keyReleaseEvent(e);
    if (onPositionEvent) onPositionEvent();
}

void EditSurface::mousePressEvent(QMouseEvent *e) {
    QPlainTextEdit::mousePressEvent(e);
    if (onPositionEvent) onPositionEvent();
}

void EditSurface::mouseReleaseEvent(QMouseEvent *e) {
    QPlainTextEdit::mouseReleaseEvent(e);
    if (onPositionEvent) onPositionEvent();
}

// Only text comes in by paste or drop: the document never holds pictures or
// other objects.
// Files dropped from a file manager are left to the host window (it opens
// them) instead of coming in as their path names.
bool EditSurface::canInsertFromMimeData(const QMimeData *source) const {
    if (!source || !source->hasText()) return false;
    if (source->hasUrls()) {
        const QList<QUrl> urls = source->urls();
        if (std::all_of(urls.begin(), urls.end(), [](const QUrl &u) { return u.isLocalFile(); }))
            return false;
    }
    return true;
}

void EditSurface::insertFromMimeData(const QMimeData *source) {
    if (!source || !source->hasText() || isReadOnly()) return;
    QString text = source->text();
    // Characters that the document would take for structure (paragraph
    // separators, frame marks, object replacement) arrive as plain breaks or
    // not at all.
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.remove(QChar(0xFDD0));
    text.remove(QChar(0xFDD1));
    text.remove(QChar::ObjectReplacementCharacter);
    QTextCursor c = textCursor();
    corvel::control::InsertPlainText(c, text);
    setTextCursor(c);
    ensureCursorVisible();
}

QMimeData *EditSurface::createMimeDataFromSelection() const {
    const QTextCursor c = textCursor();
    const QTextDocument *d = document();
    const int first = d->findBlock(c.selectionStart()).blockNumber();
    const int last = d->findBlock(c.selectionEnd()).blockNumber();
    if (corvel::control::DisplayBreaksUpTo(d, last) == corvel::control::DisplayBreaksUpTo(d, first))
        return QPlainTextEdit::createMimeDataFromSelection();
    // Line breaks as the surface's own copy gives them: one LF each.
    QString text = corvel::control::CrLfText(d, c.selectionStart(), c.selectionEnd());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QChar::Nbsp, u' ');
    auto *data = new QMimeData;
    data->setText(text);
    return data;
}
