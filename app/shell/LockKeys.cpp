#include "LockKeys.h"

#include <QGuiApplication>
#include <QLibrary>

namespace corvel {

namespace {

// The few Xlib/XKB entry points used, resolved from libX11 at run time so the
// program neither links X11 nor fails on other display servers.
struct XkbApi {
    struct XkbStateRec {
        unsigned char group, locked_group;
        unsigned short base_group, latched_group;
        unsigned char mods, base_mods, latched_mods, locked_mods;
        unsigned char compat_state, grab_mods, compat_grab_mods, lookup_mods, compat_lookup_mods;
        unsigned short ptr_buttons;
    };
    using GetState = int (*)(void *, unsigned, XkbStateRec *);
    using LockMods = int (*)(void *, unsigned, unsigned, unsigned);
    using KeysymToMods = unsigned (*)(void *, unsigned long);
    using Flush = int (*)(void *);
    GetState getState = nullptr;
    LockMods lockMods = nullptr;
    KeysymToMods keysymToMods = nullptr;
    Flush flush = nullptr;
    bool ok = false;

    XkbApi() {
        QLibrary x11(QStringLiteral("X11"), 6);
        if (!x11.load()) return;
        getState = reinterpret_cast<GetState>(x11.resolve("XkbGetState"));
        lockMods = reinterpret_cast<LockMods>(x11.resolve("XkbLockModifiers"));
        keysymToMods = reinterpret_cast<KeysymToMods>(x11.resolve("XkbKeysymToModifiers"));
        flush = reinterpret_cast<Flush>(x11.resolve("XFlush"));
        ok = getState && lockMods && keysymToMods && flush;
    }
};

const XkbApi &Api() {
    static XkbApi api;
    return api;
}

void *Display() {
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
#if QT_CONFIG(xcb)
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return x11->display();
#endif
    return nullptr;
}

constexpr unsigned kUseCoreKbd = 0x0100;
constexpr unsigned kLockMask = 1u << 1;
constexpr unsigned long kNumLockKeysym = 0xff7f;

unsigned MaskOf(void *dpy, LockKey key) {
    if (key == LockKey::Caps) return kLockMask;
    return Api().keysymToMods(dpy, kNumLockKeysym);
}

} // namespace

int LockKeyState(LockKey key) {
    void *dpy = Display();
    if (!dpy || !Api().ok) return -1;
    XkbApi::XkbStateRec st{};
    if (Api().getState(dpy, kUseCoreKbd, &st) != 0) return -1;
    const unsigned mask = MaskOf(dpy, key);
    if (!mask) return -1;
    return (st.locked_mods & mask) ? 1 : 0;
}

bool ToggleLockKey(LockKey key) {
    void *dpy = Display();
    if (!dpy || !Api().ok) return false;
    const int state = LockKeyState(key);
    if (state < 0) return false;
    const unsigned mask = MaskOf(dpy, key);
    if (!Api().lockMods(dpy, kUseCoreKbd, mask, state ? 0 : mask)) return false;
    Api().flush(dpy);
    return true;
}

} // namespace corvel
