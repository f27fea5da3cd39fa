#pragma once
// A program folder, settings store and main window of their own for the
// preview tests, and stand-in browser programs written as shell scripts.
#include "ControlHost.h"
#include "FileCommands.h"
#include "Folders.h"
#include "InternalBrowserProgram.h"
#include "PreviewCommands.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <memory>

namespace preview_test {

inline QByteArray ReadBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline bool WriteScript(const QString &path, const QByteArray &body) {
    return WriteBytes(path, "#!/bin/bash\n" + body) &&
           QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

inline void Set(const char *key, const QString &value) {
    WriteSetting(QStringLiteral("Configuracao"), QString::fromLatin1(key), value);
}
inline QString Get(const char *key) {
    return ReadSetting(QStringLiteral("Configuracao"), QString::fromLatin1(key));
}

// One installation, a main window with the file and preview commands, and
// a record of what went to the default browser and the options command.
struct Fixture {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> m;
    QList<QUrl> opened; // what the default browser was given
    bool openSucceeds = true;
    int optionsOpened = 0;

    // programFolder: the name of the program folder inside the temporary one.
    explicit Fixture(const QString &programFolder = QStringLiteral("prog")) {
        corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                      QStringLiteral("/libCorvelControl.so"));
        QDir().mkpath(dir.filePath(programFolder + QStringLiteral("/Docs")));
        QDir().mkpath(dir.filePath(QStringLiteral("work")));
        corvel::SetProgramFolderOverride(dir.filePath(programFolder));
        corvel::SetSettingsFileOverride(dir.filePath(QStringLiteral("Corvel.ini")));
        corvel::SetInternalBrowserProgramOverride(dir.filePath(QStringLiteral("CorvelBrowser")));
        ApplyDefaultSettings(true);
        Set("AutoColor", QStringLiteral("0"));
        m = std::make_unique<frmMain>();
        RegisterFileCommands(*m);
        RegisterPreviewCommands(*m);
        m->services().openUrl = [this](const QUrl &url) {
            opened << url;
            return openSucceeds;
        };
        m->SetHandler(corvel::cmd::OpcoesPreferencias, [this] { ++optionsOpened; });
        m->Form_Load(QString());
    }
    ~Fixture() {
        if (m) m->UnloadWithoutAsking();
        m.reset();
        corvel::SetInternalBrowserProgramOverride(QString());
        corvel::SetProgramFolderOverride(QString());
        corvel::SetSettingsFileOverride(QString());
    }
    QString path(const QString &relative) const { return dir.filePath(relative); }
    QString work(const QString &name) const { return path(QStringLiteral("work/") + name); }
    ICorvelEdit *editor() const { return m->CurrentEditor(); }
    // The current document holding text, with its file when one is given.
    ICorvelEdit *document(const QString &text, const QString &file = QString()) {
        ICorvelEdit *ed = editor();
        if (!file.isEmpty()) {
            m->OpenFile(file);
            ed = editor();
        }
        ed->setTexto(text);
        return ed;
    }
    QStringList titles() const {
        QStringList t;
        for (const RecordedMessage &r : dialogs.messages)
            t << r.title;
        return t;
    }
    void preview() { m->Trigger(corvel::cmd::ArquivoPreview); }
};

} // namespace preview_test
