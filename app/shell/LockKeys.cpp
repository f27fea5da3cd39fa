#include "LockKeys.h"

#include "X11Keyboard.h"

namespace corvel {

namespace {

constexpr unsigned kLockMask = 1u << 1; // Caps Lock is always the Lock modifier
constexpr unsigned long kNumLockKeysym = 0xff7f;

unsigned MaskOf(LockKey key) {
    return key == LockKey::Caps ? kLockMask : X11ModifiersOf(kNumLockKeysym);
}

} // namespace

int LockKeyState(LockKey key) {
    return X11LockedModifiers(MaskOf(key));
}

bool ToggleLockKey(LockKey key) {
    const int state = LockKeyState(key);
    if (state < 0) return false;
    return X11LockModifiers(MaskOf(key), state == 0);
}

} // namespace corvel
