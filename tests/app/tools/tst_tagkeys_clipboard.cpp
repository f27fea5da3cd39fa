// Shift+Ctrl+X, C and V in a document reach the plain clipboard commands
// through the main window's key preview, with both subsystems attached as the
// program attaches them, and never reach the editor's own clipboard keys.
#include "ControlHost.h"
#include "Folders.h"
#include "KeyState.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "TagCommands.h"
#include "TextTools.h"
#include "frmMain.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QtTest>

class TestTagKeysClipboard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void plainCutCopyPaste();

private:
    void Press(int key, quint32 code, const QString &text) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QKeyEvent e(QEvent::KeyPress, key, Qt::ShiftModifier | Qt::ControlModifier, code, 0, 0,
                    text);
        QApplication::sendEvent(focus, &e);
    }
    QTemporaryDir dir;
    frmMain *m = nullptr;
    ICorvelEdit *ed = nullptr;
    ScriptedDialogs *dialogs = nullptr;
};

void TestTagKeysClipboard::initTestCase() {
    QVERIFY(dir.isValid());
    corvel::SetSettingsFileOverride(dir.filePath("Corvel.ini"));
    corvel::SetProgramFolderOverride(dir.path());
    corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") + "/libCorvelControl.so");
}

void TestTagKeysClipboard::init() {
    RemoveAllSettings();
    ApplyDefaultSettings(true);
    corvel::ResetKeyState();
    dialogs = new ScriptedDialogs;
    m = new frmMain;
    RegisterTextTools(*m);
    RegisterTagCommands(*m);
    m->show();
    QApplication::setActiveWindow(m);
    ed = m->CreateDocument();
    QVERIFY(ed);
    ed->Foco();
}

void TestTagKeysClipboard::cleanup() {
    delete m;
    m = nullptr;
    delete dialogs;
    dialogs = nullptr;
}

void TestTagKeysClipboard::plainCutCopyPaste() {
    ed->setTexto("um dois tres");
    ed->setSelInicio(3);
    ed->setSelTamanho(4);
    Press(Qt::Key_C, 54, "C");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("dois"));
    QCOMPARE(m->StatusPanelText(8), QString("Copiar (Plano)"));
    QCOMPARE(ed->Texto(), QString("um dois tres"));

    ed->setSelInicio(0);
    ed->setSelTamanho(3);
    Press(Qt::Key_X, 53, "X");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("um "));
    QCOMPARE(ed->Texto(), QString("dois tres"));
    QCOMPARE(m->StatusPanelText(8), QString("Recortar (Plano)"));

    ed->setSelInicio(9);
    ed->setSelTamanho(0);
    Press(Qt::Key_V, 55, "V");
    QCOMPARE(ed->Texto(), QString("dois tresum "));
    QCOMPARE(m->StatusPanelText(8), QString("Colar (Plano)"));
}

QTEST_MAIN(TestTagKeysClipboard)
#include "tst_tagkeys_clipboard.moc"
