#include "Programs.h"

#include "Folders.h"

#include <QFileInfo>

namespace corvel {

namespace {
QString Beside(const char *name) {
    return InstallationFolder() + QLatin1Char('/') + QLatin1String(name);
}
} // namespace

bool IsRunnableFile(const QString &path) {
    const QFileInfo fi(path);
    return !path.isEmpty() && fi.isFile() && fi.isExecutable();
}

QString CorvelProgramPath() {
    return Beside("Corvel");
}

QString TessimProgramPath() {
    return Beside("Tessim");
}

QString InternalBrowserProgramPath() {
    return PrivateProgramFolder() + QStringLiteral("/CorvelBrowser");
}

bool TessimInstalled() {
    return IsRunnableFile(TessimProgramPath());
}

bool InternalBrowserAvailable() {
    return IsRunnableFile(InternalBrowserProgramPath());
}

} // namespace corvel
