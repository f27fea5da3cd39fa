#include "KeyState.h"

#include "WindowKeys.h"
#include "X11Keyboard.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace corvel {

namespace {

constexpr quint32 kControlR = 0xffe4; // X11 key symbols
constexpr quint32 kScrollLock = 0xff14;
constexpr quint32 kControlRCode = 105; // evdev key codes, when no symbol is given
constexpr quint32 kScrollLockCode = 78;

struct Watched {
    bool rightControl = false;
    bool scrollHeld = false;
    bool scrollToggled = false;
};
Watched &State() {
    static Watched s;
    return s;
}

bool IsRightControl(const QKeyEvent *e) {
    if (e->nativeVirtualKey() != 0) return e->nativeVirtualKey() == kControlR;
    return e->key() == Qt::Key_Control && e->nativeScanCode() == kControlRCode;
}

bool IsScrollLock(const QKeyEvent *e) {
    if (e->key() == Qt::Key_ScrollLock) return true;
    if (e->nativeVirtualKey() != 0) return e->nativeVirtualKey() == kScrollLock;
    return e->nativeScanCode() == kScrollLockCode;
}

// 1 held, 0 up, -1 the display cannot tell.
int KeyHeld(quint32 keysym) {
    return X11KeyHeld(keysym);
}

// 1 locked, 0 not, -1 when Scroll Lock is bound to no modifier (the usual X11
// set-up) and the display cannot tell.
int ScrollLockLocked() {
    return X11LockedModifiers(X11ModifiersOf(kScrollLock));
}

// A key event is seen once for each widget it is offered to; observing it
// again changes nothing.
void Watch(const QEvent *e) {
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
        ObserveKeyEvent(static_cast<const QKeyEvent *>(e));
    } else if (e->type() == QEvent::ApplicationDeactivate) {
        // A key released while another program had the keyboard is never
        // reported.
        State().rightControl = false;
        State().scrollHeld = false;
    }
}

} // namespace

void ObserveKeyEvent(const QKeyEvent *e) {
    Watched &s = State();
    const bool press = e->type() != QEvent::KeyRelease;
    if (IsRightControl(e)) {
        s.rightControl = press;
    } else if (IsScrollLock(e)) {
        if (press && !s.scrollHeld && !e->isAutoRepeat()) s.scrollToggled = !s.scrollToggled;
        s.scrollHeld = press;
    } else if (!(e->modifiers() & Qt::ControlModifier)) {
        // Any other key without Control: no Control key is down.
        s.rightControl = false;
    }
}

void ResetKeyState() {
    State() = Watched();
}

void InstallKeyStateWatcher() {
    static bool installed = false;
    if (installed || !qApp) return;
    installed = true;
    AddKeyObserver(Watch);
}

bool RightControlDown() {
    const int held = KeyHeld(kControlR);
    if (held >= 0) return held == 1;
    return State().rightControl;
}

bool ScrollLockActive() {
    if (KeyHeld(kScrollLock) == 1) return true;
    const int locked = ScrollLockLocked();
    if (locked >= 0) return locked == 1;
    return State().scrollToggled || State().scrollHeld;
}

bool ScrollLockToggledOn() {
    const int held = KeyHeld(kScrollLock);
    if (held == 1 || (held < 0 && State().scrollHeld)) return false;
    const int locked = ScrollLockLocked();
    if (locked >= 0) return locked == 1;
    return State().scrollToggled;
}

} // namespace corvel
