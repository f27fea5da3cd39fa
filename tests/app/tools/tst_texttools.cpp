#include "Colours.h"
#include "InfoFormats.h"
#include "TextToolsFixture.h"

using corvel::MsgAnswer;
using corvel::MsgButtons;
using corvel::MsgIcon;

class TestTextTools : public QObject {
    Q_OBJECT
    TextToolsFixture f;

private slots:
    void initTestCase() { TextToolsFixture::setUpOnce(); }
    void init() { QVERIFY(f.start()); }
    void cleanup() {
        corvel::SetCurrentDateTimeOverride(QDateTime());
        f.stop();
    }

    void filterAsksFirstAndNoKeepsText();
    void filterOnWholeDocument();
    void filterOnSelectionOnly();
    void lineBreakQuestion_data();
    void lineBreakQuestion();
    void sentenceCaseAndTabs();
    void specialCharsBothWays();
    void moneyCommand();
    void moneyCommandRefuses();
    void numberCommand();
    void dateInsertOnFixedDay();
    void infoInserts();
    void countersUndoSelectAll();
    void whichColour();
    void textColourAndFont();
    void writeColour();
    void noDocumentDoesNothing();
};

void TestTextTools::filterAsksFirstAndNoKeepsText() {
    f.setText(QStringLiteral("a    b"));
    f.run(corvel::cmd::FiltrarDuploEspaco); // unscripted: No, the default
    QCOMPARE(f.ed->Texto(), QStringLiteral("a    b"));
    QCOMPARE(f.dialogs->messages.size(), 1);
    const RecordedMessage &q = f.dialogs->messages.first();
    QCOMPARE(q.title, QStringLiteral("Sem Desfazer"));
    QCOMPARE(q.text, QStringLiteral("Este comando não poderá ser desfeito com a opção "
                                    "Editar/Desfazer (Ctrl+Z).\nConfirma sua utilização?"));
    QCOMPARE(q.icon, MsgIcon::Warning);
    QCOMPARE(q.buttons, MsgButtons::YesNo);
    QVERIFY(!f.main->IsBusy());
}

void TestTextTools::filterOnWholeDocument() {
    f.setText(QStringLiteral("a    b\r\n  c  "), 3);
    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.run(corvel::cmd::FiltrarDuploEspaco);
    QCOMPARE(f.ed->Texto(), QStringLiteral("a b\r\n c "));
    QCOMPARE(f.status(), QStringLiteral("Remover Duplo Espaço"));
    QVERIFY(!f.main->IsBusy());
    QVERIFY(f.ed->Visivel());
    QCOMPARE(f.ed->SelInicio(), 3);

    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.setText(QStringLiteral("  a\r\n\tb  \r\n"));
    f.run(corvel::cmd::FiltrarEspacosComeco);
    QCOMPARE(f.ed->Texto(), QStringLiteral("a\r\n\tb  \r\n"));
    QCOMPARE(f.status(), QStringLiteral("Remover Espaços no Começo das Linhas"));

    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.run(corvel::cmd::FiltrarEspacosFinal);
    QCOMPARE(f.ed->Texto(), QStringLiteral("a\r\n\tb\r\n"));

    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.setText(QStringLiteral("São Paulo, ÇÃO æ ß"));
    f.run(corvel::cmd::FiltrarAcentos);
    QCOMPARE(f.ed->Texto(), QStringLiteral("Sao Paulo, CAO æ ß"));
    QCOMPARE(f.status(), QStringLiteral("Remover Acentuação"));
}

void TestTextTools::filterOnSelectionOnly() {
    const QString text = QStringLiteral("olá mundo\r\nolá mundo");
    f.setText(text, 11, 9); // the second line
    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.run(corvel::cmd::AjustarMaiusculo);
    QCOMPARE(f.ed->Texto(), QStringLiteral("olá mundo\r\nOLÁ MUNDO"));
    QCOMPARE(f.status(), QStringLiteral("Todos em Maiúsculo"));
    // As any write to the selection: the caret after it, nothing selected.
    QCOMPARE(f.ed->SelInicio(), 20);
    QCOMPARE(f.ed->SelTamanho(), 0);
    f.ed->setSelInicio(11);
    f.ed->setSelTamanho(9);
    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.run(corvel::cmd::AjustarMinusculo);
    QCOMPARE(f.ed->Texto(), text);
    QCOMPARE(f.status(), QStringLiteral("Todos em Minúsculo"));
}

void TestTextTools::lineBreakQuestion_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("result");
    QTest::newRow("yes") << "x\r\ny" << int(MsgAnswer::Yes) << "x y";
    QTest::newRow("no") << "x\r\ny" << int(MsgAnswer::No) << "xy";
    QTest::newRow("cancel") << "x\r\ny" << int(MsgAnswer::Cancel) << "x\r\ny";
}

void TestTextTools::lineBreakQuestion() {
    QFETCH(QString, text);
    QFETCH(int, answer);
    QFETCH(QString, result);
    f.setText(text);
    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.dialogs->answers.enqueue(MsgAnswer(answer));
    f.run(corvel::cmd::FiltrarQuebrasLinha);
    QCOMPARE(f.ed->Texto(), result);
    QCOMPARE(f.dialogs->messages.size(), 2);
    QCOMPARE(f.dialogs->messages.at(1).title, QStringLiteral("Remover Quebras de Linha"));
    QCOMPARE(f.dialogs->messages.at(1).buttons, MsgButtons::YesNoCancel);
    QCOMPARE(f.dialogs->messages.at(1).icon, MsgIcon::Question);
    QVERIFY(f.dialogs->messages.at(1).text.endsWith(
        QStringLiteral("\"Não\" para apenas remover as quebras de linha.")));
    QVERIFY(!f.main->IsBusy());
}

void TestTextTools::sentenceCaseAndTabs() {
    f.setText(QStringLiteral("olá MUNDO"));
    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.run(corvel::cmd::AjustarSentenca);
    QCOMPARE(f.ed->Texto(), QStringLiteral("Olá Mundo"));
    QCOMPARE(f.status(), QStringLiteral("Todos em Sentença"));

    WriteSetting(QStringLiteral("Editor"), QStringLiteral("Tabs"), QStringLiteral("3"));
    f.setText(QStringLiteral("a     b"));
    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.run(corvel::cmd::AjustarEspTab);
    QCOMPARE(f.ed->Texto(), QStringLiteral("a\t  b"));
    QCOMPARE(f.status(), QStringLiteral("Espaços para Tabs"));
    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.run(corvel::cmd::AjustarTabEsp);
    QCOMPARE(f.ed->Texto(), QStringLiteral("a     b"));
    QCOMPARE(f.status(), QStringLiteral("Tabs para Espaços"));

    // A tab width of 0 changes nothing either way.
    WriteSetting(QStringLiteral("Editor"), QStringLiteral("Tabs"), QStringLiteral("0"));
    f.setText(QStringLiteral("a  \tb"));
    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.run(corvel::cmd::AjustarEspTab);
    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.run(corvel::cmd::AjustarTabEsp);
    QCOMPARE(f.ed->Texto(), QStringLiteral("a  \tb"));
}

void TestTextTools::specialCharsBothWays() {
    f.setText(QStringLiteral("ação"));
    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.run(corvel::cmd::CarEsp(1));
    QCOMPARE(f.ed->Texto(), QStringLiteral("a&ccedil;&atilde;o"));
    QCOMPARE(f.status(), QStringLiteral("Converter Caracteres Especiais"));
    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.run(corvel::cmd::CarEsp(2));
    QCOMPARE(f.ed->Texto(), QStringLiteral("ação"));
    QCOMPARE(f.status(), QStringLiteral("Reverter Caracteres Especiais"));

    // With a selection only the selection changes.
    f.setText(QStringLiteral("é &eacute; é"), 0, 1);
    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.run(corvel::cmd::CarEsp(1));
    QCOMPARE(f.ed->Texto(), QStringLiteral("&eacute; &eacute; é"));
    f.setText(QStringLiteral("&eth; &ETH; &Acirc;"));
    f.dialogs->answers.enqueue(MsgAnswer::Yes);
    f.run(corvel::cmd::CarEsp(2));
    QCOMPARE(f.ed->Texto(), QStringLiteral("&eth; Ð Â"));
}

void TestTextTools::moneyCommand() {
    f.setText(QStringLiteral("total 12,50"), 6, 5);
    f.dialogs->inputs.enqueue(QStringLiteral("12,50"));
    f.run(corvel::cmd::ExtensoMoeda);
    QCOMPARE(f.dialogs->prompts,
             QStringList{QStringLiteral("Entre com o valor monetário (formato 99,99)")});
    QCOMPARE(f.ed->Texto(), QStringLiteral("total 12,50 (doze reais e cinqüenta centavos)"));
    QCOMPARE(f.status(), QStringLiteral("Extenso (Moeda)"));

    // Cancel and an empty answer change nothing.
    f.setText(QStringLiteral("x"));
    f.dialogs->inputs.enqueue(QString());
    f.run(corvel::cmd::ExtensoMoeda);
    f.dialogs->inputs.enqueue(QStringLiteral(""));
    f.run(corvel::cmd::ExtensoMoeda);
    QCOMPARE(f.ed->Texto(), QStringLiteral("x"));
    QVERIFY(f.dialogs->messages.isEmpty());

    f.setText(QStringLiteral("[]"), 1);
    f.dialogs->inputs.enqueue(QStringLiteral("1,01"));
    f.run(corvel::cmd::ExtensoMoeda);
    QCOMPARE(f.ed->Texto(), QStringLiteral("[um real e um centavo]"));
}

void TestTextTools::moneyCommandRefuses() {
    // The limit holds for the amount's size, whatever its sign.
    const QStringList bad{QStringLiteral("abc"), QStringLiteral("10000000"),
                          QStringLiteral("9999999,5"), QStringLiteral("-10000000")};
    for (const QString &answer : bad) {
        f.setText(QStringLiteral("12"), 0, 2);
        f.dialogs->messages.clear();
        f.dialogs->inputs.enqueue(answer);
        f.run(corvel::cmd::ExtensoMoeda);
        QCOMPARE(f.ed->Texto(), QStringLiteral("12"));
        QCOMPARE(f.dialogs->messages.size(), 1);
        QCOMPARE(f.dialogs->lastText(),
                 QStringLiteral("Valor inválido ou fora do limite (9.999.999,99)"));
        QCOMPARE(f.dialogs->lastTitle(), QStringLiteral("Extenso"));
        QCOMPARE(f.dialogs->messages.last().icon, MsgIcon::Warning);
    }
    for (const QString &answer : {QStringLiteral("10000000"), QStringLiteral("-10000000")}) {
        f.dialogs->messages.clear();
        f.dialogs->inputs.enqueue(answer);
        f.run(corvel::cmd::ExtensoNumero);
        QCOMPARE(f.dialogs->lastText(),
                 QStringLiteral("Valor inválido ou fora do limite (9.999.999)"));
        QCOMPARE(f.ed->Texto(), QStringLiteral("12"));
    }
    // Just inside the limit by size, the sign is dropped.
    f.setText(QString(), 0, 0);
    f.dialogs->inputs.enqueue(QStringLiteral("-9999999"));
    f.run(corvel::cmd::ExtensoNumero);
    QCOMPARE(f.ed->Texto(),
             QStringLiteral("nove milhões novecentos e noventa e nove mil novecentos "
                            "e noventa e nove"));
}

void TestTextTools::numberCommand() {
    f.setText(QStringLiteral("3,9"), 0, 3);
    f.dialogs->inputs.enqueue(QStringLiteral("3,9"));
    f.run(corvel::cmd::ExtensoNumero);
    QCOMPARE(f.dialogs->prompts.last(), QStringLiteral("Entre com o número (inteiro)"));
    QCOMPARE(f.ed->Texto(), QStringLiteral("3,9 (três)"));
    QCOMPARE(f.status(), QStringLiteral("Extenso (Número)"));
    f.setText(QStringLiteral("1000000"), 0, 7);
    f.dialogs->inputs.enqueue(QStringLiteral("1000000"));
    f.run(corvel::cmd::ExtensoNumero);
    QCOMPARE(f.ed->Texto(), QStringLiteral("1000000 (um milhão)"));

    f.setText(QString());
    f.dialogs->inputs.enqueue(QStringLiteral("1"));
    f.run(corvel::cmd::ExtensoNumero);
    QCOMPARE(f.ed->Texto(), QStringLiteral("um"));
}

void TestTextTools::dateInsertOnFixedDay() {
    corvel::SetCurrentDateTimeOverride(QDateTime(QDate(2026, 12, 7), QTime(14, 3, 9)));
    f.setText(QString());
    f.run(corvel::cmd::InfoDataHoraItem(6));
    QCOMPARE(f.ed->Texto(), QStringLiteral("2026-12-07"));
    QCOMPARE(f.status(), QStringLiteral("Data/Hora Corrente"));
    f.setText(QString());
    f.run(corvel::cmd::InfoDataHoraItem(4));
    QCOMPARE(f.ed->Texto(), QStringLiteral("14:03:09"));
}

void TestTextTools::infoInserts() {
    WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Usuario"), QStringLiteral("Ana"));
    f.setText(QString());
    f.run(corvel::cmd::UsuarioNome);
    QCOMPARE(f.ed->Texto(), QStringLiteral("Ana"));

    // No file: the name and the disk size insert nothing.
    f.setText(QString());
    f.run(corvel::cmd::TamanhoDisco);
    f.run(corvel::cmd::DocumentoNome);
    QCOMPARE(f.ed->Texto(), QString());

    const QString path = f.dir.filePath(QStringLiteral("página.html"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1234, 'x'));
    file.close();
    f.ed->setArquivo(path);
    f.setText(QString());
    f.run(corvel::cmd::TamanhoDisco);
    QCOMPARE(f.ed->Texto(), QStringLiteral("1.234"));
    f.setText(QString());
    f.run(corvel::cmd::DocumentoNome);
    QCOMPARE(f.ed->Texto(), QStringLiteral("página.html"));
    f.setText(QString(1500, QLatin1Char('y')), 1500);
    f.run(corvel::cmd::TamanhoEdicao);
    QVERIFY(f.ed->Texto().endsWith(QStringLiteral("y1.500")));
}

void TestTextTools::countersUndoSelectAll() {
    f.setText(QStringLiteral("ab\r\ncd"));
    f.run(corvel::cmd::FerramentasCont);
    QCOMPARE(f.dialogs->lastTitle(), QStringLiteral("Contadores"));
    QCOMPARE(f.dialogs->lastText(),
             QStringLiteral("Este documento possui:\n\n- 6 byte(s)\n- 2 linha(s)\n"));
    QCOMPARE(f.status(), QStringLiteral("Contadores"));

    f.run(corvel::cmd::EditarSelecionarTudo);
    QCOMPARE(f.ed->SelInicio(), 0);
    QCOMPARE(f.ed->SelTamanho(), 6);
    QCOMPARE(f.status(), QStringLiteral("Selecionar Tudo"));

    // A number written after a selection is one undoable edit.
    f.setText(QStringLiteral("5"), 0, 1);
    f.dialogs->inputs.enqueue(QStringLiteral("5"));
    f.run(corvel::cmd::ExtensoMoeda);
    QCOMPARE(f.ed->Texto(), QStringLiteral("5 (cinco reais)"));
    f.run(corvel::cmd::EditarDesfazer);
    QCOMPARE(f.ed->Texto(), QStringLiteral("5"));
    QCOMPARE(f.status(), QStringLiteral("Desfazer"));
}

void TestTextTools::whichColour() {
    QCOMPARE(ColourToHtml(255), QStringLiteral("FF0000"));
    QCOMPARE(ColourToHtml(0), QStringLiteral("000000"));
    f.setText(QStringLiteral("abc"), 0, 3);
    f.ed->setSelCorTexto(255);
    f.run(corvel::cmd::CorFonteQual);
    QCOMPARE(f.dialogs->lastTitle(), QStringLiteral("Qual a Cor"));
    QCOMPARE(f.dialogs->messages.last().icon, MsgIcon::Information);
    QCOMPARE(f.dialogs->lastText(),
             QStringLiteral("A cor do texto corrente é (RGB):\n\nRed: \t255\nGreen: \t0\nBlue: "
                            "\t0\n\nCor de código HTML: #FF0000"));
    f.ed->setSelCorTexto(0x123456); // blue 0x12, green 0x34, red 0x56
    f.run(corvel::cmd::CorFonteQual);
    QVERIFY(f.dialogs->lastText().contains(QStringLiteral("Red: \t86\nGreen: \t52\nBlue: \t18")));
    QVERIFY(f.dialogs->lastText().endsWith(QStringLiteral("#563412")));
}

void TestTextTools::textColourAndFont() {
    f.setText(QStringLiteral("abcdef"), 2);
    f.dialogs->colours.enqueue(0x00FF00);
    f.run(corvel::cmd::CorFonteCor);
    // Nothing selected: the whole text, the caret back where it was.
    QCOMPARE(f.ed->SelInicio(), 2);
    QCOMPARE(f.ed->SelTamanho(), 0);
    f.ed->setSelInicio(0);
    f.ed->setSelTamanho(6);
    QCOMPARE(f.ed->SelCorTexto(), 0x00FF00);
    QCOMPARE(f.ed->Texto(), QStringLiteral("abcdef"));

    // A selection: only it; cancel changes nothing.
    f.ed->setSelInicio(0);
    f.ed->setSelTamanho(1);
    f.dialogs->colours.enqueue(255);
    f.run(corvel::cmd::CorFonteCor);
    f.dialogs->colours.enqueue(-1);
    f.run(corvel::cmd::CorFonteCor);
    QCOMPARE(f.ed->SelCorTexto(), 255);
    f.ed->setSelInicio(1);
    f.ed->setSelTamanho(5);
    QCOMPARE(f.ed->SelCorTexto(), 0x00FF00);

    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(17);
    font.setBold(true);
    f.dialogs->fonts.enqueue(font);
    f.run(corvel::cmd::CorFonteFonte);
    QCOMPARE(f.ed->SelTamanho(), 5);
    QCOMPARE(f.ed->SelFonteTamanho(), 17);
    QVERIFY(f.ed->SelNegrito());
    QVERIFY(!f.ed->SelItalico());
    QCOMPARE(f.ed->Texto(), QStringLiteral("abcdef"));
    QCOMPARE(f.dialogs->chooserTitles.last(), QStringLiteral("Fonte do Texto"));
    QCOMPARE(f.dialogs->chooserTitles.first(), QStringLiteral("Cor da Fonte"));
}

void TestTextTools::writeColour() {
    f.setText(QStringLiteral("x"), 1);
    f.dialogs->colours.enqueue(-1);
    f.run(corvel::cmd::FerramentasEscrCor);
    QCOMPARE(f.ed->Texto(), QStringLiteral("x"));
    QCOMPARE(f.status(), QStringLiteral("Escreve Cor"));
    f.dialogs->colours.enqueue(255);
    f.run(corvel::cmd::FerramentasEscrCor);
    QCOMPARE(f.ed->Texto().toUpper(), QStringLiteral("X#FF0000"));
    QCOMPARE(f.dialogs->chooserTitles.last(), QStringLiteral("Escolher Cor"));
    QCOMPARE(ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("EscolheCor")),
             QStringLiteral("255"));
}

void TestTextTools::noDocumentDoesNothing() {
    f.main->RemoveDocument(f.ed);
    f.ed = nullptr;
    QVERIFY(!f.main->CurrentEditor());
    const corvel::CommandId menus[] = {
        corvel::cmd::FiltrarDuploEspaco, corvel::cmd::FiltrarQuebrasLinha,
        corvel::cmd::ExtensoMoeda,       corvel::cmd::FerramentasCont,
        corvel::cmd::CorFonteQual,       corvel::cmd::CarEsp(1),
        corvel::cmd::ColarPlano};
    for (const corvel::CommandId menu : menus)
        f.main->Trigger(menu);
    QVERIFY(f.dialogs->messages.isEmpty());
    QVERIFY(f.dialogs->prompts.isEmpty());
}

QTEST_MAIN(TestTextTools)
#include "tst_texttools.moc"
