#include "KeyState.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLibrary>
#include <QObject>

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

// The few Xlib entry points used, resolved at run time so the program does
// not link X11 and runs on other display servers.
struct XApi {
    using QueryKeymap = int (*)(void *, char[32]);
    using KeysymToKeycode = unsigned char (*)(void *, unsigned long);
    using KeysymToMods = unsigned (*)(void *, unsigned long);
    struct XkbStateRec {
        unsigned char group, locked_group;
        unsigned short base_group, latched_group;
        unsigned char mods, base_mods, latched_mods, locked_mods;
        unsigned char compat_state, grab_mods, compat_grab_mods, lookup_mods, compat_lookup_mods;
        unsigned short ptr_buttons;
    };
    using GetState = int (*)(void *, unsigned, XkbStateRec *);
    QueryKeymap queryKeymap = nullptr;
    KeysymToKeycode keysymToKeycode = nullptr;
    KeysymToMods keysymToMods = nullptr;
    GetState getState = nullptr;
    XApi() {
        QLibrary x11(QStringLiteral("X11"), 6);
        if (!x11.load()) return;
        queryKeymap = reinterpret_cast<QueryKeymap>(x11.resolve("XQueryKeymap"));
        keysymToKeycode = reinterpret_cast<KeysymToKeycode>(x11.resolve("XKeysymToKeycode"));
        keysymToMods = reinterpret_cast<KeysymToMods>(x11.resolve("XkbKeysymToModifiers"));
        getState = reinterpret_cast<GetState>(x11.resolve("XkbGetState"));
    }
};
const XApi &Api() {
    static XApi api;
    return api;
}

void *X11Display() {
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
#if QT_CONFIG(xcb)
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return x11->display();
#endif
    return nullptr;
}

// 1 held, 0 up, -1 the display cannot tell.
int KeyHeld(quint32 keysym) {
    void *dpy = X11Display();
    if (!dpy || !Api().queryKeymap || !Api().keysymToKeycode) return -1;
    const unsigned code = Api().keysymToKeycode(dpy, keysym);
    if (code == 0) return -1;
    char keys[32] = {};
    Api().queryKeymap(dpy, keys);
    return (keys[code / 8] >> (code % 8)) & 1;
}

// 1 locked, 0 not, -1 when Scroll Lock is bound to no modifier (the usual X11
// set-up) and the display cannot tell.
int ScrollLockLocked() {
    void *dpy = X11Display();
    if (!dpy || !Api().keysymToMods || !Api().getState) return -1;
    const unsigned mask = Api().keysymToMods(dpy, kScrollLock);
    if (!mask) return -1;
    XApi::XkbStateRec st{};
    if (Api().getState(dpy, 0x0100 /* XkbUseCoreKbd */, &st) != 0) return -1;
    return (st.locked_mods & mask) ? 1 : 0;
}

class Watcher : public QObject {
public:
    bool eventFilter(QObject *o, QEvent *e) override {
        // A key event reaches the filter once for each object it is offered
        // to; observing it again changes nothing.
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
            ObserveKeyEvent(static_cast<QKeyEvent *>(e));
        } else if (e->type() == QEvent::ApplicationDeactivate) {
            // A key released while another program had the keyboard is
            // never reported.
            State().rightControl = false;
            State().scrollHeld = false;
        }
        return QObject::eventFilter(o, e);
    }
};

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
    static Watcher *watcher = nullptr;
    if (watcher || !qApp) return;
    watcher = new Watcher;
    watcher->setParent(qApp);
    qApp->installEventFilter(watcher);
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

} // namespace corvel
