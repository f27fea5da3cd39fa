#pragma once
// The programs installed beside Corvel, in the installation folder.
#include <QString>

namespace corvel {

// Full paths of the programs of the installation.
QString CorvelProgramPath();
QString TessimProgramPath();
QString InternalBrowserProgramPath(); // the internal browser's helper program
// True when path names a regular file that may be run.
bool IsRunnableFile(const QString &path);
// True when Tessim's program file is there and may be run.
bool TessimInstalled();
// True when the internal browser can run on this machine: its helper
// program lies beside Corvel.
bool InternalBrowserAvailable();

} // namespace corvel
