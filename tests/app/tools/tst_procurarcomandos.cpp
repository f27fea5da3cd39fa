// The three search commands attached to the main window.
#include "FindCommands.h"
#include "FindTestSupport.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "SearchHistory.h"
#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

using namespace corvel;

class TestProcurarComandos : public QObject {
    Q_OBJECT

    FindFixture fx;

private slots:
    void init() {
        fx.reset();
        SetProgramFolderOverride(fx.dir.filePath("prog"));
        ApplyDefaultSettings(false);
        EnsureProgramFolders();
        SetLastSearchText(QString());
    }
    void cleanup() { fx.cleanup(); }

    void goToLineFromTheMenu() {
        ScriptedDialogs dialogs;
        frmMain m;
        RegisterFindCommands(m);
        m.show();
        ICorvelEdit *ed = m.CreateDocument();
        QVERIFY(ed);
        ed->setTexto("a\r\nb\r\nc\r\nd");
        dialogs.inputs.enqueue("70000");
        QVERIFY(m.Trigger(corvel::cmd::FerramentasIrPara));
        QCOMPARE(Sel(ed), qMakePair(0, 0));
        QVERIFY(m.StatusPanelText(8) != "Ir para Linha");
        dialogs.inputs.enqueue("3");
        QVERIFY(m.Trigger(corvel::cmd::FerramentasIrPara));
        QCOMPARE(Sel(ed), qMakePair(6, 0));
        QCOMPARE(dialogs.prompts.last(), QString("Ir para qual linha? (1-4)"));
        QCOMPARE(m.StatusPanelText(8), QString("Ir para Linha"));
    }

    void findNextFromTheMenu() {
        frmMain m;
        m.services().beep = fx.beep();
        RegisterFindCommands(m);
        ICorvelEdit *ed = m.CreateDocument();
        ed->setTexto("Ab ab");
        ed->setSelInicio(4);
        QVERIFY(m.Trigger(corvel::cmd::EditarProcurarProx));
        QCOMPARE(fx.beeps, 1); // nothing searched yet
        SetLastSearchText("AB");
        QVERIFY(m.Trigger(corvel::cmd::EditarProcurarProx));
        QCOMPARE(Sel(ed), qMakePair(0, 2));
        QVERIFY(m.Trigger(corvel::cmd::EditarProcurarProx));
        QCOMPARE(Sel(ed), qMakePair(3, 2));
        QCOMPARE(fx.beeps, 1);
    }

    void dialogOpensModallyOnTheCurrentDocument() {
        frmMain m;
        RegisterFindCommands(m);
        m.show();
        ICorvelEdit *ed = m.CreateDocument();
        ed->setTexto("x find x");
        ed->setSelInicio(0);
        ed->setSelTamanho(1);
        bool seen = false;
        // The dialog is driven once it is up, then closed with Escape.
        QTimer::singleShot(0, this, [&] {
            auto *d = qobject_cast<frmProcurar *>(QApplication::activeModalWidget());
            if (!d) return;
            seen = true;
            QCOMPARE(ed->SelTamanho(), 0);
            d->cmbProcurar->setEditText("find");
            d->btnProcurar_Click();
            QTest::keyPress(d->cmbProcurar->lineEdit(), Qt::Key_Escape);
            QTest::keyRelease(d->cmbProcurar->lineEdit(), Qt::Key_Escape);
        });
        // Should the dialog fail to close, nothing waits for ever.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [] {
            if (QWidget *w = QApplication::activeModalWidget()) w->close();
        });
        guard.start(10000);
        QVERIFY(m.Trigger(corvel::cmd::EditarProcurar));
        QVERIFY(seen);
        QCOMPARE(Sel(ed), qMakePair(2, 4));
        QCOMPARE(LastSearchText(), QString("find"));
        QCOMPARE(m.StatusPanelText(8), QString("Procurar e Substituir"));
    }
};

QTEST_MAIN(TestProcurarComandos)
#include "tst_procurarcomandos.moc"
