// The command dialog attached to the main window: menu items enabled, the
// dialog opened by Comando writing into a real document.
#include "CommandDialog.h"
#include "ControlHost.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmComando.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
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
        QVERIFY(m.Trigger("mnuInserirImagem"));
        QVERIFY(seen);
        QCOMPARE(ed->Texto().toUpper(), QString("X<IMG SRC=\"A.GIF\">"));

        // A missing definition says so and writes nothing.
        m.Comando("NADA", 1);
        QCOMPARE(dlg.lastTitle(), QString("Inexistente"));
        QCOMPARE(ed->Texto().toUpper(), QString("X<IMG SRC=\"A.GIF\">"));
    }
};

QTEST_MAIN(tst_comando_register)
#include "tst_comando_register.moc"
