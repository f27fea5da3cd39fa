#pragma once
// Shared set-up of the find tests: a settings store of their own, scripted
// dialogs, counted beeps and real editor instances.
#include "ControlHost.h"
#include "Settings.h"
#include "frmProcurar.h"

#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

struct FindFixture {
    QTemporaryDir dir;
    int beeps = 0;
    QList<QWidget *> editors;

    FindFixture() {
        corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                      "/libCorvelControl.so");
    }

    // Before each test: a fresh store and no beeps counted.
    void reset() {
        QFile::remove(dir.filePath("Corvel.ini"));
        corvel::SetSettingsFileOverride(dir.filePath("Corvel.ini"));
        beeps = 0;
    }
    // The beep handed to the dialog and the window: counted.
    std::function<void()> beep() {
        return [this] { ++beeps; };
    }
    // After each test: the editors go.
    void cleanup() {
        qDeleteAll(editors);
        editors.clear();
    }

    // A real editor holding text, caret at caret, nothing selected.
    ICorvelEdit *editor(const QString &text, int caret = 0) {
        QString error;
        ICorvelEdit *ed = corvel::CreateCorvelEdit(nullptr, &error);
        if (!ed) qFatal("editor not created: %s", qPrintable(error));
        editors << ed->widget();
        ed->setTexto(text);
        ed->setSelInicio(caret);
        ed->setSelTamanho(0);
        return ed;
    }
};

inline QPair<int, int> Sel(ICorvelEdit *ed) {
    return {ed->SelInicio(), ed->SelTamanho()};
}
