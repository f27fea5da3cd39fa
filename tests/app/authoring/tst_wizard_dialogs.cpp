// The table wizard and the new-page definition: their settings, checks,
// hand-off from the command dialog, and what they write into a document
// through the tag-insertion routine (case and quote style included).
#include "AppInfo.h"
#include "CommandIds.h"
#include "ControlHost.h"
#include "FileCommands.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "WizardCommands.h"
#include "frmHTMLDef.h"
#include "frmMain.h"
#include "frmTableWizard.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace corvel;

class TestWizardDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void wizardSettingsAndSameLine();
    void wizardRefusesBadCounts_data();
    void wizardRefusesBadCounts();
    void wizardTakesTheCommandResult();
    void wizardWritesIntoTheDocument_data();
    void wizardWritesIntoTheDocument();
    void definitionSettingsAndBody();
    void definitionWritesIntoTheDocument_data();
    void definitionWritesIntoTheDocument();
    void newDocumentRunsTheDefinition();

private:
    // Runs `act` on the modal dialog of type D as soon as it shows, then lets
    // it close; gives up after five seconds so no test waits for ever.
    template <class D> void onModal(std::function<void(D *)> act) {
        auto *timer = new QTimer(this);
        auto *waited = new QElapsedTimer;
        waited->start();
        connect(timer, &QTimer::timeout, this, [timer, waited, act] {
            auto *d = qobject_cast<D *>(QApplication::activeModalWidget());
            if (!d && waited->elapsed() < 5000) return;
            timer->stop();
            timer->deleteLater();
            delete waited;
            if (!d) return;
            act(d);
            if (d->isVisible()) d->reject();
        });
        timer->start(10);
    }
    QTemporaryDir dir;
    frmMain *m = nullptr;
    ICorvelEdit *ed = nullptr;
    ScriptedDialogs *dialogs = nullptr;
    QStringList comandos;
};

void TestWizardDialogs::initTestCase() {
    QVERIFY(dir.isValid());
    SetSettingsFileOverride(dir.filePath("Corvel.ini"));
    SetProgramFolderOverride(dir.path());
    SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") + "/libCorvelControl.so");
}

void TestWizardDialogs::init() {
    RemoveAllSettings();
    ApplyDefaultSettings(true);
    comandos.clear();
    dialogs = new ScriptedDialogs;
    m = new frmMain;
    m->SetComandoHandler(
        [this](const QString &name, int help) { comandos << name + ":" + QString::number(help); });
    RegisterWizardCommands(*m);
    m->show();
    ed = m->CreateDocument();
    QVERIFY(ed);
}

void TestWizardDialogs::cleanup() {
    delete m;
    m = nullptr;
    delete dialogs;
    dialogs = nullptr;
}

void TestWizardDialogs::wizardSettingsAndSameLine() {
    WriteSetting("Configuracao", "TWizComentario", "1");
    WriteSetting("Configuracao", "TWizNaoLinha", "1");
    frmTableWizard w{TableWizardHost{}};
    QVERIFY(w.chkComentario->isChecked());
    QVERIFY(w.chkEndentado->isChecked());
    QVERIFY(w.chkNaoPular->isChecked());
    QVERIFY(!w.chkLinhaBranco->isEnabled());
    QCOMPARE(w.txtTable->text(), QString("<TABLE>"));
    QCOMPARE(w.txtTR->text(), QString("<TR>"));
    QCOMPARE(w.txtTD->text(), QString("<TD>"));
    // A click writes at once; unchecking "same line" enables the blank line.
    w.chkNaoPular->click();
    QCOMPARE(ReadSetting("Configuracao", "TWizNaoLinha"), QString("0"));
    QVERIFY(w.chkLinhaBranco->isEnabled());
    w.chkEndentado->click();
    QCOMPARE(ReadSetting("Configuracao", "TWizRecuo"), QString("0"));
    w.chkLinhaBranco->click();
    QCOMPARE(ReadSetting("Configuracao", "TWizEspacoLinha"), QString("0"));
}

void TestWizardDialogs::wizardRefusesBadCounts_data() {
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("title");
    QTest::newRow("rows not a number") << "duas"
                                       << "1"
                                       << "Linhas";
    QTest::newRow("rows empty") << ""
                                << "1"
                                << "Linhas";
    QTest::newRow("columns not a number") << "2"
                                          << "x"
                                          << "Colunas";
    QTest::newRow("rows beyond 16 bits") << "40000"
                                         << "1"
                                         << "Linhas";
    QTest::newRow("too many cells") << "32767"
                                    << "32767"
                                    << "Table Wizard";
}

void TestWizardDialogs::wizardRefusesBadCounts() {
    QFETCH(QString, rows);
    QFETCH(QString, columns);
    QFETCH(QString, title);
    QStringList inserted;
    TableWizardHost host;
    host.insert = [&](const QString &t) { inserted << t; };
    frmTableWizard w(host);
    w.show();
    w.txtLinhas->setText(rows);
    w.txtColunas->setText(columns);
    w.btnConcluir->click();
    QVERIFY(inserted.isEmpty());
    QVERIFY(w.isVisible());
    QCOMPARE(dialogs->lastTitle(), title);
    if (title == "Linhas")
        QCOMPARE(dialogs->lastText(), QString("Informe o número de linhas da tabela."));
    if (title == "Colunas")
        QCOMPARE(dialogs->lastText(), QString("Informe o número de colunas da tabela."));
}

void TestWizardDialogs::wizardTakesTheCommandResult() {
    QStringList asked;
    TableWizardHost host;
    host.comando = [&](const QString &element, int help,
                       std::function<bool(const QString &, const QString &)> handOff) {
        asked << element + ":" + QString::number(help);
        QVERIFY(handOff(element, "  <" + element + " BORDER=\"1\">  "));
        QVERIFY(!handOff("IMG", "<IMG>"));
    };
    frmTableWizard w(host);
    w.btnMontarTable->click();
    w.btnMontarTR->click();
    w.btnMontarTD->click();
    QCOMPARE(asked, QStringList({"TABLE:9006", "TR:9007", "TD:9008"}));
    QCOMPARE(w.txtTable->text(), QString("<TABLE BORDER=\"1\">"));
    QCOMPARE(w.txtTR->text(), QString("<TR BORDER=\"1\">"));
    QCOMPARE(w.txtTD->text(), QString("<TD BORDER=\"1\">"));
}

void TestWizardDialogs::wizardWritesIntoTheDocument_data() {
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("realTab");
    QTest::addColumn<QString>("td");
    QTest::addColumn<QString>("expected");
    QTest::newRow("upper, spaces")
        << "1"
        << "0"
        << "<TD>"
        << "<TABLE>\r\n   <TR>\r\n      <TD>\r\n\r\n      </TD>\r\n   </TR>\r\n</TABLE>\r\n";
    QTest::newRow("lower case, edited tag too")
        << "0"
        << "0"
        << "<TD ALIGN=\"X\">"
        << "<table>\r\n   <tr>\r\n      <td align=\"x\">\r\n\r\n      </td>\r\n   </tr>\r\n"
           "</table>\r\n";
    QTest::newRow("real tab") << "1"
                              << "1"
                              << "<TD>"
                              << "<TABLE>\r\n\t<TR>\r\n\t\t<TD>\r\n\r\n\t\t</TD>\r\n\t</TR>\r\n"
                                 "</TABLE>\r\n";
}

void TestWizardDialogs::wizardWritesIntoTheDocument() {
    QFETCH(QString, upper);
    QFETCH(QString, realTab);
    QFETCH(QString, td);
    QFETCH(QString, expected);
    WriteSetting("Configuracao", "Maiusculo", upper);
    WriteSetting("Configuracao", "RealTAB", realTab);
    onModal<frmTableWizard>([td](frmTableWizard *w) {
        w->txtLinhas->setText("1");
        w->txtColunas->setText("1");
        w->txtTD->setText(td);
        w->btnConcluir->click();
    });
    m->Trigger(cmd::TabelaWizard);
    QCOMPARE(ed->Texto(), expected);
    QCOMPARE(ed->SelInicio(), int(expected.size()));
}

void TestWizardDialogs::definitionSettingsAndBody() {
    QStringList inserted;
    QStringList asked;
    HtmlDefinitionHost host;
    host.hasDocument = [] { return false; };
    QVERIFY(!frmHTMLDef(host).Form_Load());
    host.hasDocument = [] { return true; };
    host.insert = [&](const QString &t, int back) { inserted << t + QString::number(back); };
    host.comando = [&](const QString &e, int help) { asked << e + ":" + QString::number(help); };
    WriteSetting("Configuracao", "HipertextoIdent", "1");
    frmHTMLDef d(host);
    QVERIFY(d.Form_Load());
    QVERIFY(d.chkIdent->isChecked());
    QVERIFY(!d.chkBody->isChecked()); // "Corpo" has no default
    d.chkIdent->click();
    d.chkBody->click();
    QCOMPARE(ReadSetting("Configuracao", "HipertextoIdent"), QString("0"));
    QCOMPARE(ReadSetting("Configuracao", "Corpo"), QString("1"));
    d.btnPronto->click();
    QCOMPARE(inserted.size(), 1);
    QVERIFY(inserted[0].endsWith("</HTML>\r\n10"));
    QCOMPARE(asked, QStringList("Body:9009"));
}

void TestWizardDialogs::definitionWritesIntoTheDocument_data() {
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("quotes");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("expected");
    const QString site = SiteAddress();
    QTest::newRow("empty fields")
        << "1"
        << "0"
        << ""
        << ""
        << "<HTML>\r\n<HEAD>\r\n<META NAME=\"Generator\" CONTENT=\"Corvel 5 - " + site +
               "\">\r\n<META NAME=\"Formatter\" CONTENT=\"Corvel 5 - " + site +
               "\">\r\n</HEAD>\r\n\r\n</HTML>\r\n";
    QTest::newRow("lower case, author, spaces-only title")
        << "0"
        << "0"
        << "Ana"
        << "   "
        << "<html>\r\n<head>\r\n<meta name=\"generator\" content=\"corvel 5 - " + site.toLower() +
               "\">\r\n<meta name=\"formatter\" content=\"corvel 5 - " + site.toLower() +
               "\">\r\n<meta name=\"author\" content=\"ana\">\r\n</head>\r\n\r\n</html>\r\n";
    QTest::newRow("doubled quotes, title")
        << "1"
        << "1"
        << ""
        << " Home "
        << "<HTML>\r\n<HEAD>\r\n<META NAME=\"\"Generator\"\" CONTENT=\"\"Corvel 5 - " + site +
               "\"\">\r\n<META NAME=\"\"Formatter\"\" CONTENT=\"\"Corvel 5 - " + site +
               "\"\">\r\n<TITLE>Home</TITLE>\r\n</HEAD>\r\n\r\n</HTML>\r\n";
}

void TestWizardDialogs::definitionWritesIntoTheDocument() {
    QFETCH(QString, upper);
    QFETCH(QString, quotes);
    QFETCH(QString, user);
    QFETCH(QString, title);
    QFETCH(QString, expected);
    WriteSetting("Configuracao", "Maiusculo", upper);
    WriteSetting("Configuracao", "Aspas", quotes);
    WriteSetting("Configuracao", "Usuario", user);
    onModal<frmHTMLDef>([title](frmHTMLDef *d) {
        d->txtTitulo->setText(title);
        d->btnPronto->click();
    });
    m->Trigger(cmd::FormatarHipertexto);
    QCOMPARE(ed->Texto(), expected);
    // The caret waits on the empty line before the closing HTML tag.
    QCOMPARE(ed->SelInicio(), int(expected.size()) - 11);
    QCOMPARE(ed->Linha(), QString::number(expected.count("\r\n") - 1));
    QVERIFY(comandos.isEmpty());
}

void TestWizardDialogs::newDocumentRunsTheDefinition() {
    WriteSetting("Configuracao", "Hipertexto", "1");
    RegisterFileCommands(*m);
    bool shown = false;
    onModal<frmHTMLDef>([&shown](frmHTMLDef *d) {
        shown = true;
        d->btnPronto->click();
    });
    m->Trigger(cmd::ArquivoNovo);
    QVERIFY(shown);
}

QTEST_MAIN(TestWizardDialogs)
#include "tst_wizard_dialogs.moc"
