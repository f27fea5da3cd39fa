#pragma once
// A main window with the text tools attached and one document, for the
// command tests. Dialog answers are scripted; settings live in a temporary
// folder.
#include "ControlHost.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "TextTools.h"
#include "frmMain.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TextToolsFixture {
public:
    QTemporaryDir dir;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<frmMain> main;
    ICorvelEdit *ed = nullptr;

    static void setUpOnce() {
        corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                      QStringLiteral("/libCorvelControl.so"));
    }

    // Creates the window and its document; false when the editor cannot be made.
    bool start() {
        corvel::SetSettingsFileOverride(dir.filePath(QStringLiteral("settings.ini")));
        corvel::SetProgramFolderOverride(dir.path());
        ApplyDefaultSettings(true);
        dialogs = std::make_unique<ScriptedDialogs>();
        main = std::make_unique<frmMain>();
        RegisterTextTools(*main);
        main->show();
        ed = main->CreateDocument();
        return ed != nullptr;
    }

    void stop() {
        main.reset();
        dialogs.reset();
        ed = nullptr;
    }

    void setText(const QString &text, int selStart = 0, int selLength = 0) {
        ed->setTexto(text);
        ed->setSelInicio(selStart);
        ed->setSelTamanho(selLength);
    }

    // Runs a menu command; the command must exist and be enabled.
    void run(corvel::CommandId menu) { QVERIFY2(main->Trigger(menu), qPrintable(menu.Name())); }

    QString status() const { return main->StatusPanelText(8); }
};
