#pragma once
// The programs installed beside Corvel, in the installation folder.
#include <QString>

namespace corvel {

// Full paths of the programs of the installation.
QString CorvelProgramPath();
QString TessimProgramPath();
QString InternalBrowserProgramPath(); // the internal browser's helper program
// True when the program file is there and may be run.
bool TessimInstalled();
// True when the internal browser can run on this machine: its helper
// program lies beside Corvel.
bool InternalBrowserAvailable();

} // namespace corvel
