#include "EditSurface.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
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
    c.insertText(text);
    setTextCursor(c);
    ensureCursorVisible();
}
