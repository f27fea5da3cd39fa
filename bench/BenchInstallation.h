#pragma once
// What every benchmark that opens a main window needs: the offscreen
// platform unless another is asked for, the editor component from the build
// folder, and a private installation (program folder, settings with their
// defaults) in a temporary folder that goes away with it.
#include "ControlHost.h"
#include "Folders.h"
#include "Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace bench {

// Before the QApplication is made.
inline void UseOffscreenUnlessAsked() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// After the QApplication is made.
inline void UseBuiltControl() {
    corvel::SetControlLibraryPath(QCoreApplication::applicationDirPath() +
                                  QStringLiteral("/libCorvelControl.so"));
}

struct Installation {
    QTemporaryDir dir;
    Installation() {
        QDir().mkpath(dir.filePath(QStringLiteral("prog/Docs")));
        corvel::SetProgramFolderOverride(dir.filePath(QStringLiteral("prog")));
        corvel::SetSettingsFileOverride(dir.filePath(QStringLiteral("Corvel.ini")));
        ApplyDefaultSettings(true);
    }
};

} // namespace bench
