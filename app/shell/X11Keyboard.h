#pragma once
// The keyboard as the X11 display sees it, through the few Xlib/XKB entry
// points loaded from libX11 at run time, so the program neither links X11 nor
// fails on other display servers (there every query answers "unknown").

namespace corvel {

// 1 when the key of this X11 key symbol is held down, 0 when it is up, -1 when
// the display cannot tell.
int X11KeyHeld(unsigned long keysym);
// The modifier mask that a key symbol is bound to (0: none, or unknown).
unsigned X11ModifiersOf(unsigned long keysym);
// 1 when any of the modifiers in mask is locked, 0 when none is, -1 unknown.
int X11LockedModifiers(unsigned mask);
// Locks or unlocks the modifiers of mask; false when the display refuses.
bool X11LockModifiers(unsigned mask, bool locked);

} // namespace corvel
