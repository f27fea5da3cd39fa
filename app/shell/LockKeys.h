#pragma once
// Caps Lock and Num Lock of the keyboard: their state and a toggle. Works on
// an X11 display (through the X keyboard extension, loaded at run time);
// elsewhere the state reads as unknown and toggling does nothing.
namespace corvel {

enum class LockKey { Caps, Num };

// 1 on, 0 off, -1 unknown.
int LockKeyState(LockKey key);
// Flips the key; false when the display server does not allow it.
bool ToggleLockKey(LockKey key);

} // namespace corvel
