#pragma once
// The editing surface "HTML" inside CorvelEdit: a plain-text editor whose
// keys, clicks, pastes and drops the component watches.
#include <QPlainTextEdit>

#include <functional>

class EditSurface : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit EditSurface(QWidget *parent = nullptr);

    // Called before the surface handles a key press; returns true when the
    // key was dealt with (the surface then does not see it).
    std::function<bool(QKeyEvent *)> onKeyPress;
    // Called after a key press or release, and after a mouse click.
    std::function<void()> onPositionEvent;

    // Whether a paste or drop of this data is taken (text only; files are
    // left to the host window).
    bool canInsertFromMimeData(const QMimeData *source) const override;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void insertFromMimeData(const QMimeData *source) override;
    // Copies and drags carry the text without the display breaks of long
    // lines.
    QMimeData *createMimeDataFromSelection() const override;
    // Tab and Shift+Tab are the editor's own keys, locked or not: they never
    // move the focus.
    bool focusNextPrevChild(bool) override { return false; }
};
