#pragma once
// A main window with the colouriser attached and one document, fresh settings
// and the real editor component, for the whole-document command tests.
#include "Colouriser.h"
#include "ControlHost.h"
#include "Folders.h"
#include "KeyState.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmMain.h"

#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

class ColouriserFixture {
protected:
    // From initTestCase: settings, program folder and component library.
    void pinFolders() {
        QVERIFY(dir.isValid());
        corvel::SetSettingsFileOverride(dir.filePath("Corvel.ini"));
        corvel::SetProgramFolderOverride(dir.path());
        corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                      "/libCorvelControl.so");
    }
    // From init: default settings, a shown window and one document.
    void openWindow() {
        RemoveAllSettings();
        ApplyDefaultSettings(true);
        corvel::ResetKeyState();
        dialogs = new ScriptedDialogs;
        m = new frmMain;
        RegisterColouriser(*m);
        m->show();
        ed = m->CreateDocument();
        QVERIFY(ed);
    }
    // From cleanup.
    void closeWindow() {
        delete m;
        delete dialogs;
        corvel::ResetKeyState();
    }
    // Whether busy mode was on at any moment while run ran: window events run
    // several times during a command, and a zero timer looks at each of them.
    bool Busy(const std::function<void()> &run) {
        bool seen = false;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] { seen = seen || m->IsBusy(); });
        probe.start(0);
        run();
        return seen;
    }

    QTemporaryDir dir;
    frmMain *m = nullptr;
    ICorvelEdit *ed = nullptr;
    ScriptedDialogs *dialogs = nullptr;
};
