// InsertTag on a real document: wrapping, case, quotes, separate lines, one
// undoable edit, and nothing at all without a visible document.
#include "ControlHost.h"
#include "Folders.h"
#include "InsertTag.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "TagCommands.h"
#include "frmMain.h"

#include <QTemporaryDir>
#include <QtTest>

using corvel::TagInsert;

class TestInsertTag : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void wrapsSelection_data();
    void wrapsSelection();
    void lowerCaseAndQuotes();
    void callerSeesRewrittenTexts();
    void tableAtColumnFive();
    void separateLinesAroundSelection();
    void oneUndoableEdit();
    void nothingWithoutVisibleDocument();
    void emailLink_data();
    void emailLink();

private:
    QTemporaryDir dir;
    frmMain *m = nullptr;
    ICorvelEdit *ed = nullptr;
    ScriptedDialogs *dialogs = nullptr;
};

void TestInsertTag::initTestCase() {
    QVERIFY(dir.isValid());
    corvel::SetSettingsFileOverride(dir.filePath("Corvel.ini"));
    corvel::SetProgramFolderOverride(dir.path());
    corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") + "/libCorvelControl.so");
}

void TestInsertTag::init() {
    RemoveAllSettings();
    ApplyDefaultSettings(true);
    dialogs = new ScriptedDialogs;
    m = new frmMain;
    RegisterTagCommands(*m);
    m->show();
    ed = m->CreateDocument();
    QVERIFY(ed);
    QVERIFY(ed->Visivel());
}

void TestInsertTag::cleanup() {
    delete m;
    m = nullptr;
    delete dialogs;
    dialogs = nullptr;
}

void TestInsertTag::wrapsSelection_data() {
    QTest::addColumn<QString>("intSelecao");
    QTest::addColumn<QString>("mantemSel");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    // "ab[cd]ef" with cd selected.
    QTest::newRow("defaults") << "1"
                              << "1"
                              << "ab<B>cd</B>ef" << 5 << 2;
    QTest::newRow("not kept") << "1"
                              << "0"
                              << "ab<B>cd</B>ef" << 11 << 0;
    QTest::newRow("replaced") << "0"
                              << "1"
                              << "ab<B></B>ef" << 5 << 0;
    QTest::newRow("replaced, not kept") << "0"
                                        << "0"
                                        << "ab<B></B>ef" << 5 << 0;
}

void TestInsertTag::wrapsSelection() {
    QFETCH(QString, intSelecao);
    QFETCH(QString, mantemSel);
    WriteSetting("Configuracao", "IntSelecao", intSelecao);
    WriteSetting("Configuracao", "MantemSel", mantemSel);
    ed->setTexto("abcdef");
    ed->setSelInicio(2);
    ed->setSelTamanho(2);
    QVERIFY(m->Trigger(corvel::cmd::FormatarNegrito));
    QTEST(ed->Texto(), "text");
    QTEST(ed->SelInicio(), "selStart");
    QTEST(ed->SelTamanho(), "selLength");
    QCOMPARE(m->StatusPanelText(8), QString("Negrito"));
    // Without a selection the caret lands between the tags.
    ed->setTexto("xy");
    ed->setSelInicio(1);
    QVERIFY(m->Trigger(corvel::cmd::FormatarNegrito));
    QCOMPARE(ed->Texto(), QString("x<B></B>y"));
    QCOMPARE(ed->SelInicio(), 4);
}

void TestInsertTag::lowerCaseAndQuotes() {
    WriteSetting("Configuracao", "Maiusculo", "0");
    ed->setTexto("");
    QVERIFY(m->Trigger(corvel::cmd::FormatarCentralizado));
    QCOMPARE(ed->Texto(), QString("<center></center>"));
    QCOMPARE(ed->SelInicio(), 8);
    // Case applies to the whole text, attribute values included.
    ed->setTexto("");
    TagInsert link;
    link.openText = "<A HREF=\"X.HTML\">";
    link.closeText = "</A>";
    link.caretBack = 4;
    InsertTag(*m, link);
    QCOMPARE(ed->Texto(), QString("<a href=\"x.html\"></a>"));
    // Without applyCase the texts keep their case.
    ed->setTexto("");
    TagInsert bold;
    bold.openText = "<B>";
    bold.closeText = "</B>";
    bold.caretBack = 4;
    bold.applyCase = false;
    InsertTag(*m, bold);
    QCOMPARE(ed->Texto(), QString("<B></B>"));
    WriteSetting("Configuracao", "Maiusculo", "1");
    WriteSetting("Configuracao", "Aspas", "1");
    ed->setTexto("");
    InsertTagText(*m, "<IMG SRC=\"a\">");
    QCOMPARE(ed->Texto(), QString("<IMG SRC=\"\"a\"\">"));
}

void TestInsertTag::callerSeesRewrittenTexts() {
    WriteSetting("Configuracao", "Maiusculo", "0");
    WriteSetting("Configuracao", "Aspas", "2");
    TagInsert div;
    div.openText = "<DIV ID=\"A\">";
    div.closeText = "</DIV>";
    div.caretBack = 6;
    const TagInsert written = InsertTag(*m, div);
    QCOMPARE(written.openText, QString("<div id='a'>"));
    QCOMPARE(written.closeText, QString("</div>"));
}

void TestInsertTag::tableAtColumnFive() {
    ed->setTexto("    ");
    ed->setSelInicio(4);
    QVERIFY(m->Trigger(corvel::cmd::TabelaDefinicao));
    QCOMPARE(ed->Texto(), QString("    <TABLE>\r\n    \r\n    </TABLE>"));
    // Back 5 + 9 from the end: the end of the inner line.
    QCOMPARE(ed->SelInicio(), int(ed->Texto().size()) - 14);
    ed->UpdatePos();
    QCOMPARE(ed->Linha(), QString("2"));
    QCOMPARE(ed->Coluna(), QString("5"));
    QCOMPARE(m->StatusPanelText(8), QString("Definição de Tabela"));
}

void TestInsertTag::separateLinesAroundSelection() {
    ed->setTexto("  a\r\nb");
    ed->setSelInicio(2);
    ed->setSelTamanho(4);
    TagInsert block;
    block.openText = "<%";
    block.closeText = "%>";
    block.caretBack = 2;
    block.separateLines = true;
    block.innerLine = true;
    InsertTag(*m, block);
    // Closing text in the column of the opening one; wrapped lines untouched.
    QCOMPARE(ed->Texto(), QString("  <%\r\n  a\r\nb\r\n  %>"));
    QCOMPARE(ed->SelInicio(), 8);
    QCOMPARE(ed->SelTamanho(), 4);
    QCOMPARE(ed->SelTexto(), QString("a\r\nb"));
}

void TestInsertTag::oneUndoableEdit() {
    ed->setTexto("abc");
    ed->setGravado(true);
    ed->setSelInicio(1);
    ed->setSelTamanho(1);
    QVERIFY(m->Trigger(corvel::cmd::TabelaDefinicao));
    QVERIFY(ed->Texto() != QString("abc"));
    QVERIFY(ed->PodeDesfazer());
    ed->Desfazer();
    QCOMPARE(ed->Texto(), QString("abc"));
}

void TestInsertTag::nothingWithoutVisibleDocument() {
    TagInsert bold;
    bold.openText = "<B>";
    bold.closeText = "</B>";
    bold.caretBack = 4;
    ed->setTexto("abc");
    ed->setVisivel(false);
    InsertTag(*m, bold);
    QCOMPARE(ed->Texto(), QString("abc"));
    ed->setVisivel(true);
    m->RemoveDocument(ed);
    ed = nullptr;
    QVERIFY(!m->CurrentEditor());
    InsertTag(*m, bold); // must not crash
}

void TestInsertTag::emailLink_data() {
    QTest::addColumn<QString>("aspas");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "0"
                           << " Ana@Exemplo.com.BR "
                           << "<A HREF=\"mailto:ana@exemplo.com.br\">ana@exemplo.com.br</A>";
    QTest::newRow("php") << "3"
                         << "a@b.c"
                         << "<A HREF=\\\"mailto:a@b.c\\\">a@b.c</A>";
    QTest::newRow("asp") << "1"
                         << "a@b.c"
                         << "<A HREF=\"\"mailto:a@b.c\"\">a@b.c</A>";
    QTest::newRow("no dot") << "0"
                            << "a@b"
                            << "";
    QTest::newRow("cancelled") << "0" << QString() << "";
}

void TestInsertTag::emailLink() {
    QFETCH(QString, aspas);
    QFETCH(QString, answer);
    WriteSetting("Configuracao", "Aspas", aspas);
    WriteSetting("Configuracao", "Email", "eu@aqui.com");
    ed->setTexto("");
    dialogs->inputs.enqueue(answer);
    InsertEmailLink(*m);
    QCOMPARE(dialogs->prompts, QStringList("Digite o e-mail a ser inserido"));
    QTEST(ed->Texto(), "expected");
}

QTEST_MAIN(TestInsertTag)
#include "tst_inserttag.moc"
