#include "InternalBrowserProgram.h"

#include "Programs.h"

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
    return InternalBrowserProgramPath();
}

bool CanRunInternalBrowser() {
    const QFileInfo fi(InternalBrowserProgram());
    return fi.isFile() && fi.isExecutable();
}

void SetInternalBrowserProgramOverride(const QString &path) {
    Override() = path;
}

} // namespace corvel
