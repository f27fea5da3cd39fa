// The command dialog attached to the main window: menu items enabled, the
// dialog opened by Comando writing into a real document.
#include "CommandDialog.h"
#include "ControlHost.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "TagCommands.h"
#include "frmComando.h"
#include "frmMain.h"

#include "KeyState.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class tst_comando_register : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    // Runs fn on the command dialog once it is shown modally.
    void whenDialogShows(std::function<void(frmComando *)> fn) {
        auto *timer = new QTimer(this);
        timer->setInterval(20);
        connect(timer, &QTimer::timeout, this, [timer, fn] {
            if (auto *d = qobject_cast<frmComando *>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                fn(d);
            }
        });
        timer->start();
    }

private slots:
    void initTestCase() {
        corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                      "/libCorvelControl.so");
        corvel::SetProgramFolderOverride(m_dir.path());
        corvel::SetSettingsFileOverride(m_dir.filePath("settings.ini"));
        ApplyDefaultSettings(true);
        const QString shipped = qEnvironmentVariable("CORVEL_SOURCE_DIR") + "/data/Comandos";
        QDir().mkpath(m_dir.path() + "/Comandos");
        for (const QString &f : QDir(shipped).entryList(QDir::Files))
            QFile::copy(shipped + "/" + f, m_dir.path() + "/Comandos/" + f);
    }

    void menuItemsOpenTheDialog() {
        ScriptedDialogs dlg;
        frmMain m;
        RegisterCommandDialog(m);
        QVERIFY(m.HasComando());
        RegisterTagCommands(m);
        for (const char *item : {"mnuInserirImagem", "mnuInserirLink", "mnuFormatarFonte",
                                 "mnuInserirMeta", "mnuInsOutXml"}) {
            QAction *a = m.Action(item);
            QVERIFY2(a, item);
            QVERIFY2(a->isEnabled(), item);
        }
        // Without a document nothing opens and nothing is said.
        while (m.CurrentEditor())
            m.RemoveDocument(m.CurrentEditor());
        m.Comando("IMG", 9002);
        QVERIFY(dlg.messages.isEmpty());

        ICorvelEdit *ed = m.CreateDocument();
        QVERIFY(ed);
        ed->setTexto("x");
        ed->setSelInicio(1);
        bool seen = false;
        whenDialogShows([&](frmComando *d) {
            seen = true;
            QCOMPARE(d->ComandoName(), QString("IMG"));
            QCOMPARE(d->property("Tag").toString(), QString("9002"));
            d->DynText()->setText("a.gif");
            d->btnConcluir_Click();
        });
        QVERIFY(m.Trigger(corvel::cmd::InserirImagem));
        QVERIFY(seen);
        QCOMPARE(ed->Texto().toUpper(), QString("X<IMG SRC=\"A.GIF\">"));

        // A missing definition says so and writes nothing.
        m.Comando("NADA", 1);
        QCOMPARE(dlg.lastTitle(), QString("Inexistente"));
        QCOMPARE(ed->Texto().toUpper(), QString("X<IMG SRC=\"A.GIF\">"));
    }

    // Scroll Lock toggled on opens the advanced definition; the key merely
    // held down (pressed, not yet toggled by its release) does not.
    void scrollLockChoosesTheAdvancedFile() {
        ScriptedDialogs dlg;
        frmMain m;
        RegisterCommandDialog(m);
        ICorvelEdit *ed = m.CreateDocument();
        QVERIFY(ed);
        corvel::ResetKeyState();
        QString opened;
        auto finish = [&opened](frmComando *d) {
            opened = QFileInfo(d->DefinitionPath()).fileName();
            d->reject();
        };
        whenDialogShows(finish);
        m.Comando("IMG", 9002);
        QCOMPARE(opened, QString("IMG.tpc"));

        const QKeyEvent down(QEvent::KeyPress, Qt::Key_ScrollLock, Qt::NoModifier);
        const QKeyEvent up(QEvent::KeyRelease, Qt::Key_ScrollLock, Qt::NoModifier);
        corvel::ObserveKeyEvent(&down);
        QVERIFY(corvel::ScrollLockActive());
        QVERIFY(!corvel::ScrollLockToggledOn());
        corvel::ObserveKeyEvent(&up);
        QVERIFY(corvel::ScrollLockToggledOn());
        whenDialogShows(finish);
        m.Comando("IMG", 9002);
        QCOMPARE(opened, QString("IMG.tpa"));
        // A command without an advanced file keeps the simple one.
        whenDialogShows(finish);
        m.Comando("BR", 9004);
        QCOMPARE(opened, QString("BR.tpc"));
        corvel::ResetKeyState();
    }

    // The dialog's tag goes through the tag insertion: the user's letter case
    // and quote style, and separate lines where the element asks for them.
    void writesThroughTagInsertion() {
        ScriptedDialogs dlg;
        WriteSetting("Configuracao", "Maiusculo", "0");
        WriteSetting("Configuracao", "Aspas", "2");
        frmMain m;
        RegisterCommandDialog(m);
        RegisterTagCommands(m);
        ICorvelEdit *ed = m.CreateDocument();
        QVERIFY(ed);
        whenDialogShows([](frmComando *d) {
            d->DynText()->setText("100");
            d->btnConcluir_Click();
        });
        m.Comando("TABLE", 9006);
        QVERIFY(dlg.messages.isEmpty());
        const QString text = ed->Texto();
        QVERIFY2(text.startsWith("<table width='100'>\r\n"), qPrintable(text));
        QVERIFY2(text.endsWith("\r\n</table>"), qPrintable(text));
        WriteSetting("Configuracao", "Maiusculo", "1");
        WriteSetting("Configuracao", "Aspas", "0");
    }
};

QTEST_MAIN(tst_comando_register)
#include "tst_comando_register.moc"
