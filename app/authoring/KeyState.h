#pragma once
// The state of the right-hand Control key and of Scroll Lock, which some
// commands consult when they run (a per-tag command opens its dialog, Ctrl+F8
// with the right Control acts as F8).
//
// On an X11 display the keyboard is asked directly (the keys held down and,
// when Scroll Lock is bound to a modifier, its lock state). Besides, every key
// event that reaches the program is watched: the X11 key symbol tells the right
// Control (Control_R) from the left one and marks Scroll Lock presses, so the
// state is known also where the display cannot be asked (other platforms,
// tests that synthesize key events).
class QKeyEvent;

namespace corvel {

// Installs the application-wide watcher (once; later calls do nothing).
void InstallKeyStateWatcher();

bool RightControlDown();
// Scroll Lock toggled on, or its key held down.
bool ScrollLockActive();
// Scroll Lock toggled on while its key is not held down.
bool ScrollLockToggledOn();

// What the watcher makes of one key event (exposed for tests).
void ObserveKeyEvent(const QKeyEvent *event);
// Forgets what the watcher saw (tests).
void ResetKeyState();

} // namespace corvel
