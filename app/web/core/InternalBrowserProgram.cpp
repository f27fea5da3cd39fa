#include "InternalBrowserProgram.h"

#include "Folders.h"

#include <QFileInfo>

namespace corvel {

namespace {
QString &Override() {
    static QString path;
    return path;
}
} // namespace

QString InternalBrowserProgram() {
    if (!Override().isEmpty()) return Override();
    return InstallationFolder() + QStringLiteral("/CorvelBrowser");
}

bool CanRunInternalBrowser() {
    const QFileInfo fi(InternalBrowserProgram());
    return fi.isFile() && fi.isExecutable();
}

void SetInternalBrowserProgramOverride(const QString &path) {
    Override() = path;
}

} // namespace corvel
