#include "Programs.h"

#include "Folders.h"

#include <QFileInfo>

namespace corvel {

namespace {
QString Beside(const char *name) {
    return InstallationFolder() + QLatin1Char('/') + QLatin1String(name);
}
bool Runnable(const QString &path) {
    const QFileInfo fi(path);
    return fi.isFile() && fi.isExecutable();
}
} // namespace

QString CorvelProgramPath() {
    return Beside("Corvel");
}

QString TessimProgramPath() {
    return Beside("Tessim");
}

QString InternalBrowserProgramPath() {
    return Beside("CorvelBrowser");
}

bool TessimInstalled() {
    return Runnable(TessimProgramPath());
}

bool InternalBrowserAvailable() {
    return Runnable(InternalBrowserProgramPath());
}

} // namespace corvel
