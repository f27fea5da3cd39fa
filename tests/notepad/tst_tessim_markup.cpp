// The notepad's window and markup: menus and captions, the HTML commands
// with and without a selection, the Shift+Ctrl snippet keys and the colour
// of "Escrever Cor".
#include "TessimFixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace tessim;

class TestTessimMarkup : public QObject {
    Q_OBJECT

    // The widget that takes the keys inside the editor.
    static QWidget *KeyTarget(Notepad &n) {
        QWidget *w = n.ed()->widget();
        const auto children = w->findChildren<QWidget *>(QStringLiteral("HTML"));
        return children.isEmpty() ? w : children.first();
    }

private slots:
    void editorIsTheComponentNamedTessim() {
        Notepad n;
        QVERIFY(n.ok);
        QCOMPARE(n.ed()->widget()->objectName(), QStringLiteral("Tessim"));
        QCOMPARE(n.w().centralWidget(), n.ed()->widget());
        QCOMPARE(n.ed()->FonteNome(), QStringLiteral("Courier New"));
        QCOMPARE(n.ed()->FonteTamanho(), 11);
        QVERIFY(n.ed()->QuebrarLinha());
        QCOMPARE(n.w().windowTitle(), QStringLiteral("Tessim"));
    }

    void menuCaptions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("menu");
        const char *rows[][3] = {
            {"mnuArquivoNovo", "&Novo", "mnuArquivo"},
            {"mnuArquivoSalvarComo", "Salvar &Como", "mnuArquivo"},
            {"mnuArquivoSair", "Sai&r\tAlt+F4", "mnuArquivo"},
            {"mnuEditarDesfazer", "&Desfazer\tCtrl+Z", "mnuEditar"},
            {"mnuEditarRecortar", "&Recortar\tCtrl+X", "mnuEditar"},
            {"mnuEditarCopiar", "&Copiar\tCtrl+C", "mnuEditar"},
            {"mnuEditarColar", "Co&lar\tCtrl+V", "mnuEditar"},
            {"mnuEditarSelecionarTudo", "&Selecionar Tudo\tCtrl+A", "mnuEditar"},
            {"mnuEditarProcProx", "Procurar Pró&xima", "mnuEditar"},
            {"mnuEditarIr", "&Ir Para Linha", "mnuEditar"},
            {"mnuComandoItalico", "&Itálico", "mnuComando"},
            {"mnuComandoParagrafo", "&Parágrafo", "mnuComando"},
            {"mnuComandoTabelaColuna", "&Coluna de Tabela", "mnuComando"},
            {"mnuFerramentaPFonte", "Padronizar &Fonte", "mnuFerramentas"},
            {"mnuFerramentasAbCorvel", "&Abrir no Corvel", "mnuFerramentas"},
            {"mnuFerramentasQuebra", "&Quebra de Linha", "mnuFerramentas"},
            {"mnuAjudaSobre", "Sobre o &Tessim", "mnuAjuda"},
            {"mnuAjudaSite", "Acessar o &Site", "mnuAjuda"},
        };
        for (const auto &r : rows) QTest::newRow(r[0]) << r[0] << QString::fromUtf8(r[1]) << r[2];
    }
    void menuCaptions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, menu);
        Notepad n;
        QAction *a = n.w().findChild<QAction *>(name);
        QVERIFY(a);
        QCOMPARE(a->text(), caption);
        QMenu *m = n.w().findChild<QMenu *>(menu);
        QVERIFY(m);
        QVERIFY(m->actions().contains(a));
    }

    void menuBarHasFiveMenusAndEighteenHtmlCommands() {
        Notepad n;
        QCOMPARE(n.w().menuBar()->actions().size(), 5);
        QCOMPARE(n.w().Menu(cmd::Comando)->actions().size(), 18);
        QCOMPARE(n.w().Menu(cmd::Arquivo)->actions().size(), 6);
        QCOMPARE(n.w().Menu(cmd::Editar)->actions().size(), 8);
        QCOMPARE(n.w().Menu(cmd::Ferramentas)->actions().size(), 6);
    }

    // Text "ab" + line break + "cd", then the command on a selection
    // (start, length); the text and the caret after.
    void htmlCommands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::newRow("bold, nothing selected")
            << "mnuComandoNegrito" << "" << 0 << 0 << "<B></B>" << 3;
        QTest::newRow("bold around x") << "mnuComandoNegrito" << "x" << 0 << 1 << "<B>x</B>" << 8;
        QTest::newRow("font into its first quotes")
            << "mnuComandoFonte" << "" << 0 << 0
            << "<FONT FACE=\"\" SIZE=\"\" COLOR=\"\"></FONT>" << 12;
        QTest::newRow("link into its quotes")
            << "mnuComandoLink" << "a" << 1 << 0 << "a<A HREF=\"\"></A>" << 10;
        QTest::newRow("image into its quotes")
            << "mnuComandoImagem" << "" << 0 << 0 << "<IMG SRC=\"\">" << 10;
        QTest::newRow("paragraph before the selection, caret after it")
            << "mnuComandoParagrafo" << "xyz" << 1 << 1 << "x<P>yz" << 5;
        QTest::newRow("table at column 5")
            << "mnuComandoTabela" << "    " << 4 << 0
            << "    <TABLE>\r\n    \r\n    </TABLE>" << 17;
        QTest::newRow("table at column 1")
            << "mnuComandoTabela" << "" << 0 << 0 << "<TABLE>\r\n\r\n</TABLE>" << 9;
        QTest::newRow("numbered list at column 1 ends on the middle line")
            << "mnuComandoListaNumerada" << "" << 0 << 0 << "<OL>\r\n\r\n</OL>" << 6;
        QTest::newRow("body around a selection at column 3")
            << "mnuComandoCorpo" << "  texto" << 2 << 5
            << "  <BODY>\r\n  texto\r\n  </BODY>" << 28;
        QTest::newRow("table row stays on its line")
            << "mnuComandoTabelaLinha" << "" << 0 << 0 << "<TR></TR>" << 4;
    }
    void htmlCommands() {
        QFETCH(QString, command);
        QFETCH(QString, before);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, after);
        QFETCH(int, caret);
        Notepad n;
        n.type(before, selStart, selLength);
        const QByteArray id = command.toLatin1();
        QVERIFY(n.w().Trigger(CommandId(id.constData())));
        QCOMPARE(n.ed()->Texto(), after);
        QCOMPARE(n.ed()->SelInicio(), caret);
        QCOMPARE(n.ed()->SelTamanho(), 0);
    }

    // Keys pressed with Shift+Ctrl in the editor.
    void snippetKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::newRow("1 (as the shifted !)") << int(Qt::Key_Exclam) << "<!--  -->" << 5;
        QTest::newRow("1") << int(Qt::Key_1) << "<!--  -->" << 5;
        QTest::newRow("=") << int(Qt::Key_Plus) << "= \"\"" << 3;
        QTest::newRow(",") << int(Qt::Key_Less) << "&lt;" << 4;
        QTest::newRow("]") << int(Qt::Key_BraceRight) << "{\r\n\r\n}" << 3;
        QTest::newRow("5") << int(Qt::Key_Percent) << "<%  %>" << 3;
        QTest::newRow("/") << int(Qt::Key_Question) << "<?" "?>" << 2;
        QTest::newRow("N") << int(Qt::Key_N) << "&nbsp;" << 6;
        QTest::newRow("B") << int(Qt::Key_B) << "& vbCrLf" << 8;
        QTest::newRow("Q is swallowed") << int(Qt::Key_Q) << "" << 0;
        QTest::newRow("2 is swallowed") << int(Qt::Key_At) << "" << 0;
    }
    void snippetKeys() {
        QFETCH(int, key);
        QFETCH(QString, after);
        QFETCH(int, caret);
        Notepad n;
        n.w().show();
        QVERIFY(QTest::qWaitForWindowExposed(&n.w()));
        QWidget *target = KeyTarget(n);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(n.ed()->Texto(), after);
        QCOMPARE(n.ed()->SelInicio(), caret);
    }

    void keysWithoutShiftCtrlStillType() {
        Notepad n;
        n.w().show();
        QVERIFY(QTest::qWaitForWindowExposed(&n.w()));
        QWidget *target = KeyTarget(n);
        target->setFocus();
        QTest::keyClicks(target, QStringLiteral("ab"));
        QTest::keyClick(target, Qt::Key_1, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(n.ed()->Texto(), QStringLiteral("ab"));
        // Shift+Ctrl+Left still selects the word.
        QCOMPARE(n.ed()->SelTamanho(), 2);
    }

    void writeColour_data() {
        QTest::addColumn<int>("answer"); // -1 cancels
        QTest::addColumn<QString>("after");
        QTest::newRow("pure red") << 0x0000FF << "x#FF0000";
        QTest::newRow("green-blue") << 0xFF8000 << "x#0080FF";
        QTest::newRow("cancel") << -1 << "x";
    }
    void writeColour() {
        QFETCH(int, answer);
        QFETCH(QString, after);
        Notepad n;
        n.type(QStringLiteral("x"));
        n.dialogs.colours.enqueue(answer);
        QVERIFY(n.w().Trigger(cmd::FerramentaEscCor));
        QCOMPARE(n.ed()->Texto(), after);
        QCOMPARE(n.ed()->SelInicio(), int(after.size()));
    }

    // Like every insertion, the colour goes before a selection, which
    // stays; the dialog opens on the colour last written.
    void writeColourWrapsTheSelection() {
        Notepad n;
        n.type(QStringLiteral("cor"), 0, 3);
        n.dialogs.colours.enqueue(0x00FF00);
        QVERIFY(n.w().Trigger(cmd::FerramentaEscCor));
        QCOMPARE(n.ed()->Texto(), QStringLiteral("#00FF00cor"));
        QCOMPARE(n.ed()->SelInicio(), 10);
        QCOMPARE(n.w().lastColour, 0x00FF00);
    }
};

QTEST_MAIN(TestTessimMarkup)
#include "tst_tessim_markup.moc"
