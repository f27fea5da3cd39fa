#pragma once
// Keys of the program's windows, watched in one place.
//
// One application-wide filter sees every key event once per widget it is
// offered to (first the focus widget, then its parents) and hands it to the
// handler registered for the window that widget lies in. Keys pressed in one
// window and released in another never act on the second: a release reaches a
// window's handler only when the press of the same key went to that window.
// So Escape that closes a drop-down list, a file chooser or any other child
// window is not also taken, on release, by the dialog behind it.
#include <functional>
#include <vector>

class QEvent;
class QKeyEvent;
class QWidget;

namespace corvel {

// watched: the widget the event is being offered to. Return true to take the
// key (it goes no further).
using WindowKeyHandler = std::function<bool(QWidget *watched, QKeyEvent *event)>;

// Sends the key presses and releases of `window` (a top-level widget) to
// `handler` until the window is destroyed or DetachWindowKeys is called. A
// second call replaces the handler.
void AttachWindowKeys(QWidget *window, WindowKeyHandler handler);
void DetachWindowKeys(QWidget *window);

// A dialog's keys that act when they come up (key without modifiers checked).
struct ReleaseKey {
    int key;
    std::function<void()> action;
};

// The usual dialog scheme: `onPress` (optional) sees presses first and returns
// true for the ones it takes; a key of `onRelease` acts when released (repeats
// ignored), and its press is taken so that nothing acts on it twice (Escape
// does not close the dialog on the way down). Keys reach it only while the
// dialog is visible.
void AttachDialogKeys(QWidget *dialog, std::vector<ReleaseKey> onRelease,
                      std::function<bool(QKeyEvent *)> onPress = {});

// Sees every key event (and the application losing the keyboard, as an
// ApplicationDeactivate event) before any window handler; cannot take keys.
void AddKeyObserver(std::function<void(const QEvent *)> observer);

// The window the last press of `key` went to, nullptr when none is known (the
// press went to another program, or that window is gone).
QWidget *WindowOfLastPress(int key);

} // namespace corvel
