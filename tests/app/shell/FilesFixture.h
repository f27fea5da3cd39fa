#pragma once
// A program folder, settings store and main window of their own for the
// tests of the file commands, the document cache and the history menus.
#include "ControlHost.h"
#include "FileCommands.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmMain.h"

#include <QDir>
#include <QFile>
#include <QTabBar>
#include <QTemporaryDir>
#include <memory>

namespace files_test {

inline void UseControlLibrary() {
    corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                  QStringLiteral("/libCorvelControl.so"));
}

inline QByteArray ReadBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    return f.write(bytes) == bytes.size();
}

// One isolated installation: program folder (with Docs) and settings.
struct Home {
    QTemporaryDir dir;
    Home() {
        QDir().mkpath(dir.filePath(QStringLiteral("prog/Docs")));
        QDir().mkpath(dir.filePath(QStringLiteral("work")));
        corvel::SetProgramFolderOverride(dir.filePath(QStringLiteral("prog")));
        corvel::SetSettingsFileOverride(dir.filePath(QStringLiteral("Corvel.ini")));
        ApplyDefaultSettings(true);
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoColor"),
                     QStringLiteral("0"));
    }
    ~Home() {
        corvel::SetProgramFolderOverride(QString());
        corvel::SetSettingsFileOverride(QString());
    }
    QString work(const QString &name) const { return dir.filePath(QStringLiteral("work/") + name); }
    QString docs() const { return corvel::CacheFolder(); }
    QStringList docsFiles() const { return QDir(docs()).entryList(QDir::Files, QDir::Name); }
};

// A main window with the file commands attached, loaded as at start.
inline std::unique_ptr<frmMain> LoadWindow(const QString &commandLine = QString()) {
    auto m = std::make_unique<frmMain>();
    RegisterFileCommands(*m);
    m->Form_Load(commandLine);
    return m;
}

inline ICorvelEdit *OpenPath(frmMain &m, const QString &path) {
    m.OpenFile(path);
    return m.CurrentEditor();
}

// The open command asks its dialog again: nothing of an earlier open (a
// history item, a path) lingers for the next one. The dialog is cancelled.
inline bool OpenAsksTheDialog(frmMain &m, ScriptedDialogs &d) {
    const qsizetype before = d.openTitles.size();
    m.Trigger(corvel::cmd::ArquivoAbrir);
    return d.openTitles.size() == before + 1 && d.openTitles.last() == QStringLiteral("Abrir");
}

inline int CountTitled(const ScriptedDialogs &d, const QString &title) {
    int n = 0;
    for (const RecordedMessage &r : d.messages)
        if (r.title == title) ++n;
    return n;
}

} // namespace files_test
