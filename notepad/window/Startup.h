#pragma once
// The notepad's start: the editor component, the window, the file of the
// command line.
#include <QStringList>

class QApplication;

namespace tessim {

// The file named by the command line's words (all of them, as one name, made
// absolute), or "" when there are none.
QString CommandLineFile(const QStringList &arguments);

// Runs the notepad; the program's exit code.
int RunTessim(QApplication &app);

} // namespace tessim
