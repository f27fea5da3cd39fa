// The tag menu commands, the per-tag choice between bare tag and command
// dialog, the snippet keys of the key preview and the quotes button.
#include "ControlHost.h"
#include "Folders.h"
#include "KeyState.h"
#include "MenuTable.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "TagCommands.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

class TestTagCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void perTagChoice();
    void comandoItemsNeedTheDialog();
    void snippetKeys_data();
    void snippetKeys();
    void swallowedAndPassedKeys();
    void throughTheKeyPreview();
    void ctrlKeysAndF9();
    void quoteButtonCycles();
    void snippetItemsLabelTheirKeys();

private:
    QKeyEvent Key(int key, Qt::KeyboardModifiers mods, quint32 code, quint32 keysym,
                  const QString &text = QString(), QEvent::Type type = QEvent::KeyPress) {
        return QKeyEvent(type, key, mods, code, keysym, 0, text);
    }
    QTemporaryDir dir;
    frmMain *m = nullptr;
    ICorvelEdit *ed = nullptr;
    ScriptedDialogs *dialogs = nullptr;
    QStringList comandos;
};

static const Qt::KeyboardModifiers ShiftCtrl = Qt::ShiftModifier | Qt::ControlModifier;

void TestTagCommands::initTestCase() {
    QVERIFY(dir.isValid());
    corvel::SetSettingsFileOverride(dir.filePath("Corvel.ini"));
    corvel::SetProgramFolderOverride(dir.path());
    corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") + "/libCorvelControl.so");
}

void TestTagCommands::init() {
    RemoveAllSettings();
    ApplyDefaultSettings(true);
    corvel::ResetKeyState();
    comandos.clear();
    dialogs = new ScriptedDialogs;
    m = new frmMain;
    m->SetComandoHandler(
        [this](const QString &name, int help) { comandos << name + ":" + QString::number(help); });
    RegisterTagCommands(*m);
    m->show();
    QApplication::setActiveWindow(m);
    ed = m->CreateDocument();
    QVERIFY(ed);
    ed->setTexto("");
    ed->Foco();
}

void TestTagCommands::cleanup() {
    delete m;
    m = nullptr;
    delete dialogs;
    dialogs = nullptr;
    corvel::ResetKeyState();
}

void TestTagCommands::perTagChoice() {
    // "1": the bare tag.
    QVERIFY(m->Trigger(corvel::cmd::InserirQuebra));
    QCOMPARE(ed->Texto(), QString("<BR>"));
    QCOMPARE(m->StatusPanelText(8), QString("Quebra de Linha"));
    // "0" or "2": the command dialog, with the command's name and help id.
    WriteSetting("Configuracao", "BR", "2");
    QVERIFY(m->Trigger(corvel::cmd::InserirQuebra));
    QCOMPARE(comandos, QStringList("BR:9004"));
    QCOMPARE(ed->Texto(), QString("<BR>"));
    // The options dialog writes "TABLE"; the command reads "Table".
    WriteSetting("Configuracao", "TABLE", "0");
    QVERIFY(m->Trigger(corvel::cmd::TabelaDefinicao));
    QCOMPARE(comandos.last(), QString("TABLE:9006"));

    // The right Control key forces the dialog, except for list item and
    // option.
    comandos.clear();
    ed->setTexto("");
    QKeyEvent down = Key(Qt::Key_Control, Qt::ControlModifier, 105, 0xffe4);
    corvel::ObserveKeyEvent(&down);
    QVERIFY(corvel::RightControlDown());
    QVERIFY(m->Trigger(corvel::cmd::TabelaColuna));
    QVERIFY(m->Trigger(corvel::cmd::ListaItem));
    QVERIFY(m->Trigger(corvel::cmd::FormularioItens));
    QCOMPARE(comandos, QStringList("TD:9008"));
    QCOMPARE(ed->Texto(), QString("<LI><OPTION>"));
    QKeyEvent up = Key(Qt::Key_Control, Qt::NoModifier, 105, 0xffe4, QString(), QEvent::KeyRelease);
    corvel::ObserveKeyEvent(&up);
    // The left Control key does not count.
    QKeyEvent left = Key(Qt::Key_Control, Qt::ControlModifier, 37, 0xffe3);
    corvel::ObserveKeyEvent(&left);
    QVERIFY(!corvel::RightControlDown());

    // Scroll Lock on forces the dialog for every per-tag command; a second
    // press turns it off.
    comandos.clear();
    QKeyEvent scroll = Key(Qt::Key_ScrollLock, Qt::NoModifier, 78, 0xff14);
    QKeyEvent scrollUp =
        Key(Qt::Key_ScrollLock, Qt::NoModifier, 78, 0xff14, QString(), QEvent::KeyRelease);
    corvel::ObserveKeyEvent(&scroll);
    corvel::ObserveKeyEvent(&scroll); // the same press seen twice
    corvel::ObserveKeyEvent(&scrollUp);
    QVERIFY(corvel::ScrollLockActive());
    QVERIFY(m->Trigger(corvel::cmd::ListaItem));
    QVERIFY(m->Trigger(corvel::cmd::InserirParagrafo));
    QCOMPARE(comandos, QStringList({"LI:9012", "P:9003"}));
    corvel::ObserveKeyEvent(&scroll);
    corvel::ObserveKeyEvent(&scrollUp);
    QVERIFY(!corvel::ScrollLockActive());
}

void TestTagCommands::comandoItemsNeedTheDialog() {
    QVERIFY(m->Trigger(corvel::cmd::InserirImagem));
    QCOMPARE(comandos, QStringList("IMG:9002"));
    QCOMPARE(m->StatusPanelText(8), QString("Imagem"));
    // Without the command dialog those items have no command.
    frmMain bare;
    RegisterTagCommands(bare);
    QVERIFY(!bare.Trigger(corvel::cmd::InserirImagem));
    QVERIFY(bare.Action("mnuInserirImagem") == nullptr ||
            !bare.Action("mnuInserirImagem")->isEnabled());
}

void TestTagCommands::snippetKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("maiusculo");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    QTest::newRow("1 as !") << int(Qt::Key_Exclam) << 10u << "1"
                            << "<!--  -->" << 5;
    QTest::newRow("4 as $") << int(Qt::Key_Dollar) << 13u << "1"
                            << "<%%>" << 2;
    QTest::newRow("6 abnt2 dead") << int(Qt::Key_Dead_Diaeresis) << 15u << "1"
                                  << "<%\r\n\r\n%>" << 4;
    QTest::newRow("= as +") << int(Qt::Key_Plus) << 21u << "1"
                            << "= \"\"" << 3;
    QTest::newRow("- as _") << int(Qt::Key_Underscore) << 20u << "1"
                            << "(\"\")" << 2;
    QTest::newRow("[ abnt2") << int(Qt::Key_BraceLeft) << 35u << "1"
                             << "{  }" << 2;
    QTest::newRow("] us") << int(Qt::Key_BraceRight) << 35u << "1"
                          << "{\r\n\r\n}" << 3;
    QTest::newRow("/ abnt2") << int(Qt::Key_Question) << 97u << "1"
                             << "<?"
                                "?>"
                             << 2;
    QTest::newRow("B upper") << int(Qt::Key_B) << 56u << "1"
                             << "& vbCrLf" << 8;
    QTest::newRow("B lower") << int(Qt::Key_B) << 56u << "0"
                             << "& vbcrlf" << 8;
}

void TestTagCommands::snippetKeys() {
    QFETCH(int, key);
    QFETCH(uint, code);
    QFETCH(QString, maiusculo);
    WriteSetting("Configuracao", "Maiusculo", maiusculo);
    QKeyEvent e = Key(key, ShiftCtrl, code, 0);
    QVERIFY(HandleTagKey(*m, &e));
    QTEST(ed->Texto(), "expected");
    QTEST(ed->SelInicio(), "caret");
    QCOMPARE(m->StatusPanelText(8), QString("CorvelKeys"));
}

void TestTagCommands::swallowedAndPassedKeys() {
    ed->setTexto("abc");
    ed->setSelInicio(1);
    QKeyEvent q = Key(Qt::Key_Q, ShiftCtrl, 24, 0x51, "Q");
    QVERIFY(HandleTagKey(*m, &q));
    QKeyEvent two = Key(Qt::Key_At, ShiftCtrl, 11, 0x40, "@");
    QVERIFY(HandleTagKey(*m, &two));
    QCOMPARE(ed->Texto(), QString("abc"));
    // Indentation and selection keys stay the editor's.
    for (int key : {int(Qt::Key_Tab), int(Qt::Key_Backtab), int(Qt::Key_Left), int(Qt::Key_Right),
                    int(Qt::Key_Home), int(Qt::Key_End)}) {
        QKeyEvent k = Key(key, ShiftCtrl, 0, 0);
        QVERIFY(!HandleTagKey(*m, &k));
    }
    // Keys without a Shift+Ctrl meaning in the editor are swallowed.
    for (int key : {int(Qt::Key_Up), int(Qt::Key_PageDown), int(Qt::Key_Return), int(Qt::Key_F5)}) {
        QKeyEvent k = Key(key, ShiftCtrl, 0, 0);
        QVERIFY(HandleTagKey(*m, &k));
    }
    // Shift+Ctrl+X, C and V run the plain clipboard commands.
    int plain = 0;
    m->SetHandler(corvel::cmd::CopiarPlano, [&] { ++plain; });
    QKeyEvent c = Key(Qt::Key_C, ShiftCtrl, 54, 0x43, "C");
    QVERIFY(HandleTagKey(*m, &c));
    QCOMPARE(plain, 1);
    // Outside a document the snippet keys do nothing.
    m->setFocus();
    QKeyEvent one = Key(Qt::Key_Exclam, ShiftCtrl, 10, 0x21, "!");
    QVERIFY(!HandleTagKey(*m, &one));
    QCOMPARE(ed->Texto(), QString("abc"));
}

void TestTagCommands::throughTheKeyPreview() {
    ed->Foco();
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    QKeyEvent one = Key(Qt::Key_Exclam, ShiftCtrl, 10, 0x21, "!");
    QApplication::sendEvent(focus, &one);
    QCOMPARE(ed->Texto(), QString("<!--  -->"));
    QKeyEvent q = Key(Qt::Key_Q, ShiftCtrl, 24, 0x51, "Q");
    QApplication::sendEvent(focus, &q);
    QCOMPARE(ed->Texto(), QString("<!--  -->"));
}

void TestTagCommands::ctrlKeysAndF9() {
    QKeyEvent meta = Key(Qt::Key_MediaPrevious, Qt::ControlModifier, 173, 0x1008ff16);
    WriteSetting("Configuracao", "Maiusculo", "1");
    WriteSetting("Configuracao", "META", "0");
    QVERIFY(HandleTagKey(*m, &meta));
    QCOMPARE(comandos, QStringList("META:9035"));
    QKeyEvent row = Key(Qt::Key_Launch0, Qt::ControlModifier, 0, 0);
    QVERIFY(HandleTagKey(*m, &row));
    QCOMPARE(ed->Texto(), QString("<TR></TR>"));
    ed->setTexto("");
    dialogs->inputs.enqueue("x@y.z");
    QKeyEvent mail = Key(Qt::Key_Refresh, Qt::ControlModifier, 0, 0);
    QVERIFY(HandleTagKey(*m, &mail));
    QCOMPARE(ed->Texto(), QString("<A HREF=\"mailto:x@y.z\">x@y.z</A>"));
    // The browser Stop key (code 169) writes the link too.
    ed->setTexto("");
    dialogs->inputs.enqueue("a@b.c");
    QKeyEvent stop = Key(Qt::Key_Stop, Qt::ControlModifier, 0, 0);
    QVERIFY(HandleTagKey(*m, &stop));
    QCOMPARE(ed->Texto(), QString("<A HREF=\"mailto:a@b.c\">a@b.c</A>"));
    // Without Control it is not a tag key.
    QKeyEvent bare = Key(Qt::Key_Stop, Qt::NoModifier, 0, 0);
    QVERIFY(!HandleTagKey(*m, &bare));

    QStringList langs;
    m->SetHandler(corvel::cmd::Linguagem(2), [&] { langs << "ASP"; });
    m->SetHandler(corvel::cmd::Linguagem(3), [&] { langs << "PHP"; });
    QKeyEvent f9 = Key(Qt::Key_F9, Qt::NoModifier, 75, 0xffc6);
    WriteSetting("Configuracao", "F9", "0");
    QVERIFY(HandleTagKey(*m, &f9));
    WriteSetting("Configuracao", "F9", "1");
    QVERIFY(HandleTagKey(*m, &f9));
    QCOMPARE(langs, QStringList({"ASP", "PHP"}));
}

void TestTagCommands::quoteButtonCycles() {
    QAction *button = m->ToolButton("Aspas");
    QVERIFY(button);
    QCOMPARE(button->data().toString(), QString("Aspas Duplas"));
    QVERIFY(m->Trigger(corvel::cmd::CycleQuoteStyle));
    QCOMPARE(button->data().toString(), QString("Aspas Simples"));
    QCOMPARE(button->toolTip(), QString("Aspas Simples"));
    QCOMPARE(ReadSetting("Configuracao", "Aspas"), QString("2"));
    QCOMPARE(m->StatusPanelText(8), QString("Tipo de Aspas"));
    // The style in force is the one written: a quote becomes an apostrophe.
    QKeyEvent eq = Key(Qt::Key_Plus, ShiftCtrl, 21, 0x2b, "+");
    QVERIFY(HandleTagKey(*m, &eq));
    QCOMPARE(ed->Texto(), QString("= ''"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(m->Trigger(corvel::cmd::CycleQuoteStyle));
    QCOMPARE(button->data().toString(), QString("Aspas Duplas"));
    QCOMPARE(ReadSetting("Configuracao", "Aspas"), QString("0"));
}

// Each snippet menu item names, after the tab of its caption, the Shift+Ctrl
// key that writes the same text.
void TestTagCommands::snippetItemsLabelTheirKeys() {
    struct KeyOf {
        QChar label;
        int key;
        quint32 code;
    };
    // US keyboard: the label shows the shifted symbol where there is one.
    const KeyOf keys[] = {
        {u'1', Qt::Key_Exclam, 10},     {u'4', Qt::Key_Dollar, 13},
        {u'5', Qt::Key_Percent, 14},    {u'6', Qt::Key_AsciiCircum, 15},
        {u'7', Qt::Key_Ampersand, 16},  {u'8', Qt::Key_Asterisk, 17},
        {u'9', Qt::Key_ParenLeft, 18},  {u'{', Qt::Key_BraceLeft, 34},
        {u'}', Qt::Key_BraceRight, 35}, {u'<', Qt::Key_Less, 59},
        {u'>', Qt::Key_Greater, 60},    {u'B', Qt::Key_B, 56},
        {u'J', Qt::Key_J, 44},          {u'N', Qt::Key_N, 57},
    };
    int checked = 0;
    for (QAction *a : m->findChildren<QAction *>()) {
        const QString name = a->objectName();
        if (!name.contains('(') ||
            (!name.startsWith("mnuInsTAdd") && !name.startsWith("mnuInsTextoAdicional")))
            continue;
        const QString label = a->text().section('\t', 1);
        QVERIFY2(label.startsWith("Shift+Ctrl+") && label.size() == 12, qPrintable(name));
        const KeyOf *k = std::find_if(std::begin(keys), std::end(keys),
                                      [&](const KeyOf &x) { return x.label == label.back(); });
        QVERIFY2(k != std::end(keys), qPrintable(label));
        ed->setTexto("");
        QVERIFY(m->Trigger(corvel::CommandByName(name)));
        const QString byMenu = ed->Texto();
        ed->setTexto("");
        QKeyEvent e = Key(k->key, ShiftCtrl, k->code, 0);
        QVERIFY(HandleTagKey(*m, &e));
        QVERIFY2(ed->Texto() == byMenu, qPrintable(name + " " + label + ": " + ed->Texto()));
        ++checked;
    }
    QCOMPARE(checked, 14);
}

QTEST_MAIN(TestTagCommands)
#include "tst_tagcommands.moc"
