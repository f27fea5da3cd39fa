#include "X11Keyboard.h"

#include <QGuiApplication>
#include <QLibrary>

namespace corvel {

namespace {

constexpr unsigned kUseCoreKbd = 0x0100;

struct XApi {
    struct XkbStateRec {
        unsigned char group, locked_group;
        unsigned short base_group, latched_group;
        unsigned char mods, base_mods, latched_mods, locked_mods;
        unsigned char compat_state, grab_mods, compat_grab_mods, lookup_mods, compat_lookup_mods;
        unsigned short ptr_buttons;
    };
    using QueryKeymap = int (*)(void *, char[32]);
    using KeysymToKeycode = unsigned char (*)(void *, unsigned long);
    using KeysymToMods = unsigned (*)(void *, unsigned long);
    using GetState = int (*)(void *, unsigned, XkbStateRec *);
    using LockMods = int (*)(void *, unsigned, unsigned, unsigned);
    using Flush = int (*)(void *);
    QueryKeymap queryKeymap = nullptr;
    KeysymToKeycode keysymToKeycode = nullptr;
    KeysymToMods keysymToMods = nullptr;
    GetState getState = nullptr;
    LockMods lockMods = nullptr;
    Flush flush = nullptr;

    XApi() {
        QLibrary x11(QStringLiteral("X11"), 6);
        if (!x11.load()) return;
        queryKeymap = reinterpret_cast<QueryKeymap>(x11.resolve("XQueryKeymap"));
        keysymToKeycode = reinterpret_cast<KeysymToKeycode>(x11.resolve("XKeysymToKeycode"));
        keysymToMods = reinterpret_cast<KeysymToMods>(x11.resolve("XkbKeysymToModifiers"));
        getState = reinterpret_cast<GetState>(x11.resolve("XkbGetState"));
        lockMods = reinterpret_cast<LockMods>(x11.resolve("XkbLockModifiers"));
        flush = reinterpret_cast<Flush>(x11.resolve("XFlush"));
    }
};

const XApi &Api() {
    static XApi api;
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

} // namespace

int X11KeyHeld(unsigned long keysym) {
    void *dpy = Display();
    if (!dpy || !Api().queryKeymap || !Api().keysymToKeycode) return -1;
    const unsigned code = Api().keysymToKeycode(dpy, keysym);
    if (code == 0) return -1;
    char keys[32] = {};
    Api().queryKeymap(dpy, keys);
    return (keys[code / 8] >> (code % 8)) & 1;
}

unsigned X11ModifiersOf(unsigned long keysym) {
    void *dpy = Display();
    if (!dpy || !Api().keysymToMods) return 0;
    return Api().keysymToMods(dpy, keysym);
}

int X11LockedModifiers(unsigned mask) {
    void *dpy = Display();
    if (!dpy || !mask || !Api().getState) return -1;
    XApi::XkbStateRec st{};
    if (Api().getState(dpy, kUseCoreKbd, &st) != 0) return -1;
    return (st.locked_mods & mask) ? 1 : 0;
}

bool X11LockModifiers(unsigned mask, bool locked) {
    void *dpy = Display();
    if (!dpy || !mask || !Api().lockMods || !Api().flush) return false;
    if (!Api().lockMods(dpy, kUseCoreKbd, mask, locked ? mask : 0)) return false;
    Api().flush(dpy);
    return true;
}

} // namespace corvel
