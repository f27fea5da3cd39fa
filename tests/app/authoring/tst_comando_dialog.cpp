#include "CommandDialog.h"
#include "CommandsFakeEditor.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmComando.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvel;

namespace {

struct Insertion {
    QString open, close;
    int caretBack = -1;
    bool separate = false, inner = false, applyCase = false, discard = true;
};

const QByteArray kImg =
    "[Comando]\r\nComando=IMG\r\nTitulo=Imagem\r\nDescricao=Insere imagem\r\n"
    "Bloco=nao\r\n"
    "[SRC]\r\nTitulo=Arquivo\r\nDescricao=Endereço\r\nTamanho=40\r\nTipo=Texto\r\n"
    "Maximo=9999\r\nBotao=44,11,Procurar...,imagemselect\r\n"
    "[ALIGN]\r\nTitulo=Alinhamento\r\nDescricao=Lado\r\nTamanho=15\r\n"
    "Tipo=Select\r\nValores=left,right\r\n"
    "[ISMAP]\r\nTitulo=Mapa\r\nDescricao=Mapa no servidor\r\nTamanho=20\r\n"
    "Tipo=CHECKBOX\r\nTexto=Mapa de imagem\r\nChecado=nao\r\n"
    "[COLOR]\r\nTitulo=Cor\r\nDescricao=Cor da borda\r\nTamanho=20\r\n"
    "Tipo=Seleção\r\nValores=#cores\r\nBotao=24,9,Cor...,colorselect\r\n"
    "[WIDTH]\r\nTitulo=Largura\r\nDescricao=L\r\nTamanho=10\r\nTipo=Text\r\n"
    "Maximo=6\r\nBotao=20,5,Ajuda,Digite a largura em pixels\r\n"
    "[HEIGHT]\r\nTitulo=Altura\r\nDescricao=A\r\nTamanho=10\r\nTipo=Text\r\n"
    "Maximo=6\r\nBotao=20,5,Nada\r\n"
    "[BORDER]\r\nTitulo=Borda\r\nDescricao=B\r\nTamanho=10\r\nTipo=Text\r\n"
    "Maximo=6\r\n"
    "[NOSHADE]\r\nTitulo=Sombra\r\nDescricao=S\r\nTamanho=20\r\n"
    "Tipo=Check\r\nTexto=Sem sombra\r\nChecado=Sim\r\n";

const QByteArray kLink = "[Comando]\r\nComando=A\r\nTitulo=Link\r\nDescricao=Link\r\nBloco=SIM\r\n"
                         "[HREF]\r\nTitulo=Endereço\r\nDescricao=Destino\r\nTamanho=40\r\n"
                         "Tipo=Texto\r\nMaximo=500\r\nBotao=44,11,Procurar...,linkselect\r\n"
                         "[TARGET]\r\nTitulo=Janela\r\nDescricao=Janela\r\nTamanho=20\r\n"
                         "Tipo=Selecao\r\nValores=_blank,_top\r\n";

const QByteArray kBr = "[Comando]\r\nComando=BR\r\nTitulo=Quebra\r\nDescricao=Quebra\r\n"
                       "Bloco=NAO\r\n[CLEAR]\r\nTitulo=Limpar\r\nDescricao=Lados\r\n"
                       "Tamanho=12\r\nTipo=Select\r\nValores=left,all\r\n";

const QByteArray kTable = "[Comando]\r\nComando=TABLE\r\nTitulo=Tabela\r\nDescricao=Tabela\r\n"
                          "Bloco=SIM\r\nPulaLinha=Sim\r\nEspacoLinha=SIM\r\n"
                          "[BORDER]\r\nTitulo=Borda\r\nDescricao=Borda\r\nTamanho=10\r\n"
                          "Tipo=Texto\r\nMaximo=3\r\n";

} // namespace

class tst_comando_dialog : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    CommandsFakeEditor m_ed;
    QList<Insertion> m_inserted;
    bool m_noEditor = false;
    std::function<void(frmComando &, bool)> m_link;
    std::function<bool(const QString &, const QString &)> m_wizard;

    QString folder() const { return m_dir.path() + "/Comandos/"; }
    void put(const QString &name, const QByteArray &data) {
        QFile f(folder() + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    CommandDialogHost host() {
        CommandDialogHost h;
        h.currentEditor = [this]() -> ICorvelEdit * { return m_noEditor ? nullptr : &m_ed; };
        h.insertTag = [this](const corvel::TagInsert &t) {
            m_inserted.append({t.openText, t.closeText, t.caretBack, t.separateLines, t.innerLine,
                               t.applyCase, t.discardSelection});
            m_ed.setSelTexto(t.openText + t.closeText);
            m_ed.setSelInicio(m_ed.SelInicio() - t.caretBack);
        };
        h.linkDialog = m_link;
        h.tableWizard = m_wizard;
        return h;
    }
    template <class T> T *child(QWidget *w, const QString &name) { return w->findChild<T *>(name); }
    // The dialog loaded and shown (not modal), first parameter selected.
    frmComando *open(const QString &file) {
        auto *d = new frmComando(file, 9002, host());
        d->setAttribute(Qt::WA_DeleteOnClose, false);
        if (!d->Form_Load()) {
            delete d;
            return nullptr;
        }
        d->show();
        return d;
    }
    QListWidget *list(frmComando *d) { return child<QListWidget>(d, "lstParametros"); }
    QString result(frmComando *d) { return child<QLineEdit>(d, "txtResultado")->text(); }

private slots:
    void initTestCase() {
        SetProgramFolderOverride(m_dir.path());
        SetSettingsFileOverride(m_dir.filePath("settings.ini"));
        QDir().mkpath(folder());
        put("IMG.tpc", kImg);
        put("A.tpc", kLink);
        put("BR.tpc", kBr);
        put("TABLE.tpc", kTable);
        put("CSS.dat", "color,#cores\r\nfont-weight,bold/normal\r\nmargin\r\n");
        put("JS.dat", "onClick\r\nonLoad\r\n");
    }
    void init() {
        m_inserted.clear();
        m_ed.setTexto(QString());
        m_ed.file.clear();
        m_noEditor = false;
        m_link = nullptr;
        m_wizard = nullptr;
        WriteSetting("Configuracao", "EscolheCor", "0");
    }

    void helpButtonsOpenTheirPages_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("context");
        QTest::newRow("Ajuda: the element's page") << "btnAjuda" << 0 << 9002;
        QTest::newRow("F12: the element's page") << "" << int(Qt::Key_F12) << 9002;
        QTest::newRow("?: the dialog's page") << "btnAjudaLocal" << 0 << 2;
    }
    void helpButtonsOpenTheirPages() {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(int, context);
        QList<int> help;
        CommandDialogHost h = host();
        h.help = [&help](int c) { help << c; };
        frmComando d("IMG.tpc", 9002, h);
        QVERIFY(d.Form_Load());
        d.show();
        if (!button.isEmpty())
            child<QPushButton>(&d, button)->click();
        else
            QTest::keyClick(&d, Qt::Key(key));
        QCOMPARE(help, QList<int>{context});
    }

    void missingFilesAndFaults() {
        ScriptedDialogs dlg;
        QVERIFY(!open("NADA.tpc"));
        QCOMPARE(dlg.lastTitle(), QString("Inexistente"));
        QCOMPARE(dlg.lastText(),
                 "Arquivo de definição 'NADA.tpc' não foi encontrado em " + folder());
        QCOMPARE(dlg.messages.last().icon, MsgIcon::Critical);

        put("BAD.tpc", "[Comando]\r\nComando=X\r\nTitulo=x\r\nDescricao=d\r\nBloco=x\r\n"
                       "[SRC]\r\nTitulo=a\r\nDescricao=b\r\nTamanho=61\r\nTipo=Texto\r\n");
        QVERIFY(!open("BAD.tpc"));
        QCOMPARE(dlg.lastTitle(), QString("Erro de Script"));
        QVERIFY(dlg.lastText().startsWith("O arquivo BAD.TPC não passou"));
        QVERIFY(dlg.lastText().contains("Sessão: SRC\r\nChave: Tamanho"));

        QFile::rename(folder() + "JS.dat", folder() + "JS.off");
        QVERIFY(!open("IMG.tpc"));
        QCOMPARE(dlg.lastText(), "Arquivo JS.DAT não foi encontrado em " + folder());
        QFile::rename(folder() + "CSS.dat", folder() + "CSS.off");
        QVERIFY(!open("IMG.tpc"));
        QCOMPARE(dlg.lastText(), "Arquivo CSS.DAT não foi encontrado em " + folder());
        QFile::rename(folder() + "JS.off", folder() + "JS.dat");
        QFile::rename(folder() + "CSS.off", folder() + "CSS.dat");

        // Without a document the dialog closes silently.
        const int shown = dlg.messages.size();
        m_noEditor = true;
        QVERIFY(!open("IMG.tpc"));
        QCOMPARE(dlg.messages.size(), shown);
        QVERIFY(m_inserted.isEmpty());
    }

    void loadsFromTheDefinition() {
        ScriptedDialogs dlg;
        std::unique_ptr<frmComando> d(open("A.tpc"));
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), QString("Link"));
        QCOMPARE(child<QLabel>(d.get(), "lblComando")->text(), QString("A"));
        QCOMPARE(list(d.get())->count(), 2);
        QCOMPARE(list(d.get())->item(1)->text(), QString("TARGET"));
        QCOMPARE(child<QLabel>(d.get(), "lblParam")->text(), QString("HREF"));
        QCOMPARE(child<QLabel>(d.get(), "lblParamDesc")->text(), QString("Destino"));
        QVERIFY(d->DynText());
        QCOMPARE(d->DynText()->objectName().right(7), QString("DynText"));
        QVERIFY(d->DynButton());
        QCOMPARE(d->DynButton()->property("Tag").toString(), QString("linkselect"));
        QCOMPARE(d->property("Tag").toString(), QString("9002"));
        QVERIFY(dlg.messages.isEmpty());
    }

    void controlsFollowTheParameter() {
        ScriptedDialogs dlg;
        std::unique_ptr<frmComando> d(open("IMG.tpc"));
        QVERIFY(d);
        QCOMPARE(result(d.get()), QString("<IMG>"));
        // "Maximo" 9999 counts as 500.
        QCOMPARE(d->DynText()->maxLength(), 500);
        QCOMPARE(d->DynText()->width(), 40 * 80 / 15);
        list(d.get())->setCurrentRow(1);
        QVERIFY(d->DynSelect() && !d->DynText());
        QCOMPARE(d->DynSelect()->count(), 2);
        list(d.get())->setCurrentRow(2);
        // checkbox written in capitals is a check box.
        QVERIFY(d->DynCheck());
        QCOMPARE(d->DynCheck()->text(), QString("Mapa de imagem"));
        QVERIFY(!d->DynCheck()->isChecked());
        list(d.get())->setCurrentRow(3);
        QCOMPARE(d->DynSelect()->count(), 132);
        QVERIFY(d->DynButton());
        QCOMPARE(d->DynButton()->text(), QString("Cor..."));
        list(d.get())->setCurrentRow(5);
        // Three fields: no button.
        QVERIFY(!d->DynButton());
        // Only the current page's controls exist in Frame1; names never repeat.
        QFrame *frame = child<QFrame>(d.get(), "Frame1");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(frame->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly).size(), 2);
    }

    void valuesCheckBoxesAndResult() {
        ScriptedDialogs dlg;
        std::unique_ptr<frmComando> d(open("IMG.tpc"));
        QVERIFY(d);
        d->DynText()->setText("  foto 1.gif ");
        list(d.get())->setCurrentRow(2);
        d->DynCheck()->setChecked(true);
        list(d.get())->setCurrentRow(0);
        QCOMPARE(d->DynText()->text(), QString("foto 1.gif"));
        QCOMPARE(d->DynText()->selectedText(), QString("foto 1.gif"));
        QCOMPARE(result(d.get()), QString("<IMG SRC=\"foto 1.gif\" ISMAP>"));
        // A box checked by default, cleared by the user, stays cleared.
        list(d.get())->setCurrentRow(7);
        QVERIFY(d->DynCheck()->isChecked());
        d->DynCheck()->setChecked(false);
        list(d.get())->setCurrentRow(0);
        list(d.get())->setCurrentRow(7);
        QVERIFY(!d->DynCheck()->isChecked());
        d->btnConcluir_Click();
        QCOMPARE(m_inserted.size(), 1);
        QCOMPARE(m_inserted[0].open, QString("<IMG SRC=\"foto 1.gif\" ISMAP>"));
        QCOMPARE(m_inserted[0].close, QString());
        QCOMPARE(m_inserted[0].caretBack, 0);
        QVERIFY(m_inserted[0].applyCase && !m_inserted[0].discard);
        QVERIFY(!m_inserted[0].separate && !m_inserted[0].inner);
        QCOMPARE(d->result(), int(QDialog::Accepted));
    }

    void elementWithoutValues() {
        ScriptedDialogs dlg;
        std::unique_ptr<frmComando> d(open("BR.tpc"));
        QVERIFY(d);
        d->btnConcluir_Click();
        QCOMPARE(m_inserted.size(), 1);
        QCOMPARE(m_inserted[0].open, QString("<BR>"));
        QCOMPARE(m_ed.Texto(), QString("<BR>"));
    }

    void blockElementsAndLines() {
        ScriptedDialogs dlg;
        std::unique_ptr<frmComando> d(new frmComando("TABLE.tpc", 9006, host()));
        QVERIFY(d->Form_Load());
        // Before the first parameter page is built the preview shows both tags.
        QCOMPARE(result(d.get()), QString("<TABLE></TABLE>"));
        d->show();
        QCOMPARE(result(d.get()), QString("<TABLE>"));
        d->DynText()->setText("1");
        d->btnConcluir_Click();
        QCOMPARE(m_inserted[0].open, QString("<TABLE BORDER=\"1\">"));
        QCOMPARE(m_inserted[0].close, QString("</TABLE>"));
        QCOMPARE(m_inserted[0].caretBack, 8);
        QVERIFY(m_inserted[0].separate && m_inserted[0].inner);
    }

    void tableWizardTakesTheResult() {
        ScriptedDialogs dlg;
        QString got;
        m_wizard = [&](const QString &el, const QString &r) {
            got = el + "|" + r;
            return true;
        };
        std::unique_ptr<frmComando> d(open("TABLE.tpc"));
        d->DynText()->setText("2");
        d->btnConcluir_Click();
        QCOMPARE(got, QString("TABLE|<TABLE BORDER=\"2\">"));
        QVERIFY(m_inserted.isEmpty());
    }

    void mailtoLinkTextIsSelected() {
        ScriptedDialogs dlg;
        m_ed.setTexto("Olá ");
        m_ed.setSelInicio(4);
        m_link = [](frmComando &c, bool image) {
            QVERIFY(!image);
            c.RetornoForm = "mailto:ana@x.com";
        };
        std::unique_ptr<frmComando> d(open("A.tpc"));
        QVERIFY(d);
        d->DynButton()->click();
        QCOMPARE(d->DynText()->text(), QString("mailto:ana@x.com"));
        QVERIFY(d->RetornoForm.isEmpty());
        d->btnConcluir_Click();
        QCOMPARE(m_inserted[0].open, QString("<A HREF=\"mailto:ana@x.com\">"));
        QCOMPARE(m_inserted[0].close, QString("ana@x.com</A>"));
        QCOMPARE(m_inserted[0].caretBack, 4);
        QCOMPARE(m_ed.Texto(), QString("Olá <A HREF=\"mailto:ana@x.com\">ana@x.com</A>"));
        QCOMPARE(m_ed.SelTexto(), QString("ana@x.com"));
    }

    void linkOverSelectionGetsNoText() {
        ScriptedDialogs dlg;
        m_ed.setTexto("clique aqui");
        m_ed.setSelInicio(0);
        m_ed.setSelTamanho(11);
        std::unique_ptr<frmComando> d(open("A.tpc"));
        d->DynText()->setText("p.html");
        d->btnConcluir_Click();
        QCOMPARE(m_inserted[0].close, QString("</A>"));
    }

    void colourAndInformationButtons() {
        ScriptedDialogs dlg;
        std::unique_ptr<frmComando> d(open("IMG.tpc"));
        list(d.get())->setCurrentRow(3);
        dlg.colours.enqueue(255);
        d->DynButton()->click();
        QCOMPARE(d->DynSelect()->currentText(), QString("#FF0000"));
        QCOMPARE(ReadSetting("Configuracao", "EscolheCor"), QString("255"));
        QCOMPARE(dlg.chooserTitles, QStringList{"Selecionar Cor"});
        dlg.colours.enqueue(-1);
        d->DynButton()->click();
        QCOMPARE(d->DynSelect()->currentText(), QString("#FF0000"));
        list(d.get())->setCurrentRow(4);
        d->DynButton()->click();
        QCOMPARE(dlg.lastTitle(), QString("Informação"));
        QCOMPARE(dlg.lastText(), QString("Digite a largura em pixels"));
        QCOMPARE(dlg.messages.last().icon, MsgIcon::Information);
        list(d.get())->setCurrentRow(0);
        QCOMPARE(result(d.get()), QString("<IMG COLOR=\"#FF0000\">"));
    }

    void fontButton() {
        ScriptedDialogs dlg;
        put("FONTE.tpc", "[Comando]\r\nComando=FONT\r\nTitulo=Fonte\r\nDescricao=F\r\n"
                         "Bloco=SIM\r\n[FACE]\r\nTitulo=Nome\r\nDescricao=N\r\n"
                         "Tamanho=30\r\nTipo=Select\r\nValores=#fontes\r\n"
                         "Botao=32,10,Fonte...,FontSelect\r\n");
        std::unique_ptr<frmComando> d(open("FONTE.tpc"));
        QVERIFY(d);
        d->DynButton()->click(); // cancelled: nothing changes
        QCOMPARE(d->DynSelect()->currentText(), QString());
        dlg.fonts.enqueue(QFont("DejaVu Serif"));
        d->DynButton()->click();
        QCOMPARE(d->DynSelect()->currentText(), QFont("DejaVu Serif").family());
        QCOMPARE(dlg.chooserTitles, (QStringList{"Selecionar Fonte", "Selecionar Fonte"}));
    }

    void tabCyclesParameters() {
        ScriptedDialogs dlg;
        std::unique_ptr<frmComando> d(open("A.tpc"));
        QTest::keyClick(d->DynText(), Qt::Key_Tab);
        QCOMPARE(d->CurrentParameter(), 1);
        QTest::keyClick(d->DynSelect(), Qt::Key_Tab);
        QCOMPARE(d->CurrentParameter(), 0);
        QTest::keyClick(d->DynText(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(d->CurrentParameter(), 1);
        QTest::keyClick(d->DynSelect(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(d->CurrentParameter(), 0);
    }

    void stylePageAndKeys() {
        ScriptedDialogs dlg;
        std::unique_ptr<frmComando> d(open("BR.tpc"));
        auto *estilo = child<QComboBox>(d.get(), "cmbEstilo");
        auto *valor = child<QComboBox>(d.get(), "cmbValor");
        QTest::keyClick(d->DynSelect(), Qt::Key_F2);
        QCOMPARE(d->CurrentPage(), 1);
        estilo->setCurrentText("color");
        QCOMPARE(valor->count(), 132);
        valor->setEditText("red");
        estilo->setCurrentText("font-weight");
        QCOMPARE(valor->count(), 2);
        QCOMPARE(valor->currentText(), QString());
        valor->setEditText(" bold ");
        estilo->setCurrentText("color");
        QCOMPARE(valor->currentText(), QString("red")); // chosen before
        estilo->setCurrentText("margin");
        QCOMPARE(valor->count(), 0);
        child<QComboBox>(d.get(), "cmbClasse")->setEditText("menu");
        QTest::keyClick(estilo, Qt::Key_F5);
        QCOMPARE(d->CurrentPage(), 0);
        QCOMPARE(result(d.get()),
                 QString("<BR CLASS=\"menu\" STYLE=\"color:red;font-weight:bold\">"));
        QTest::keyClick(d->DynSelect(), Qt::Key_F3);
        QCOMPARE(d->CurrentPage(), 2);
        auto *evento = child<QComboBox>(d.get(), "cmbJSEvento");
        auto *acao = child<QLineEdit>(d.get(), "txtJSAcao");
        evento->setCurrentText("onLoad");
        acao->setText("init()");
        evento->setCurrentText("onClick");
        QCOMPARE(acao->text(), QString());
        evento->setCurrentText("onLoad");
        QCOMPARE(acao->text(), QString("init()"));
        d->btnJSPronto_Click();
        QCOMPARE(
            result(d.get()),
            QString("<BR CLASS=\"menu\" STYLE=\"color:red;font-weight:bold\" onLoad=\"init()\">"));
        // Esc on the style page closes the whole dialog without inserting.
        QTest::keyClick(d->DynSelect(), Qt::Key_F2);
        QCOMPARE(d->CurrentPage(), 1);
        QTest::keyClick(estilo, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QVERIFY(m_inserted.isEmpty());
    }

    // Escape that closes an open drop-down list closes only the list: its
    // release reaches the dialog, which did not get the press, and every
    // typed value stays. Lists of the parameter page and of the style page.
    void escapeClosingAListKeepsTheDialog_data() {
        QTest::addColumn<int>("page");
        QTest::newRow("parameter list") << 0;
        QTest::newRow("style list") << 1;
    }
    void escapeClosingAListKeepsTheDialog() {
        QFETCH(int, page);
        ScriptedDialogs dlg;
        std::unique_ptr<frmComando> d(open("A.tpc"));
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        d->DynText()->setText("pagina.html");
        list(d.get())->setCurrentRow(1);
        QComboBox *combo = d->DynSelect();
        if (page == 1) {
            QTest::keyClick(combo, Qt::Key_F2);
            combo = child<QComboBox>(d.get(), "cmbEstilo");
        }
        QCOMPARE(d->CurrentPage(), page);
        combo->setFocus();
        combo->showPopup();
        QWidget *popup = combo->view()->window();
        QVERIFY(popup != d.get());
        QTRY_VERIFY(popup->isVisible());
        QTest::keyPress(combo->view(), Qt::Key_Escape);
        QTRY_VERIFY(!popup->isVisible());
        QTest::keyRelease(QApplication::focusWidget() ? QApplication::focusWidget() : combo,
                          Qt::Key_Escape);
        QVERIFY(d->isVisible());
        QCOMPARE(d->CurrentPage(), page);
        QCOMPARE(d->ParameterValue("HREF"), QString("pagina.html"));
        // Escape pressed and released in the dialog still closes it.
        QTest::keyClick(combo, Qt::Key_Escape);
        QVERIFY(!d->isVisible());
        QVERIFY(m_inserted.isEmpty());
    }

    void advancedDefinitionChoice() {
        put("IMG.tpa", kImg);
        WriteSetting("Configuracao", "ComAvancado", "0");
        WriteSetting("Configuracao", "IMG", "1");
        QCOMPARE(ChooseDefinitionFile("IMG", false, false), QString("IMG.tpc"));
        QCOMPARE(ChooseDefinitionFile("IMG", true, false), QString("IMG.tpa")); // Scroll Lock
        QCOMPARE(ChooseDefinitionFile("IMG", false, true), QString("IMG.tpa")); // right Ctrl
        WriteSetting("Configuracao", "IMG", "2");
        QCOMPARE(ChooseDefinitionFile("IMG", false, false), QString("IMG.tpa"));
        WriteSetting("Configuracao", "IMG", "0");
        WriteSetting("Configuracao", "ComAvancado", "1");
        QCOMPARE(ChooseDefinitionFile("IMG", false, false), QString("IMG.tpa"));
        // Without the advanced file the simple one is used whatever the keys.
        QCOMPARE(ChooseDefinitionFile("BR", true, true), QString("BR.tpc"));
        WriteSetting("Configuracao", "ComAvancado", "0");
        QFile::remove(folder() + "IMG.tpa");
    }
};

QTEST_MAIN(tst_comando_dialog)
#include "tst_comando_dialog.moc"
