#pragma once
// Where the internal browser program lives: "CorvelBrowser" beside Corvel's
// own executable. It is built only where the web engine is available, so its
// presence says whether the internal browser can run on this machine.
#include <QString>

namespace corvel {

// Full path of the internal browser program (the installation's own, see
// Programs.h, unless a test pointed elsewhere).
QString InternalBrowserProgram();
// True when that program is there and may be run.
bool CanRunInternalBrowser();
// Tests point the program elsewhere; empty restores the rule.
void SetInternalBrowserProgramOverride(const QString &path);

} // namespace corvel
