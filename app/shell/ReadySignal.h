#pragma once
// Tells a program that drives Corvel from outside (a test harness, a crash
// soak) when it may start typing: when the environment variable
// CORVEL_READY_FILE names a file, that file is written once the main window
// is shown on screen, its load (the restored documents, the command-line
// file) has ended, no modal window is open and the event loop has nothing
// left to do. It holds one line: the process id and the main window's
// native window id, in decimal. Without the variable nothing happens.
class QWidget;

namespace corvel {

void AnnounceReadiness(QWidget *window);

// Whether window is ready in that sense (shown, exposed, no modal window).
bool ReadyForInput(const QWidget *window);

} // namespace corvel
