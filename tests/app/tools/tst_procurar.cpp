#include "FindOptions.h"
#include "FindTestSupport.h"
#include "ScriptedDialogs.h"
#include "SearchHistory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

using namespace corvel;

class TestProcurar : public QObject {
    Q_OBJECT

    FindFixture fx;

    // A dialog opened over ed with S and R typed in.
    static void Type(frmProcurar &d, const QString &s, const QString &r) {
        d.cmbProcurar->setEditText(s);
        d.cmbSubstituir->setEditText(r);
    }

private slots:
    void init() {
        fx.reset();
        SetLastSearchText(QString());
    }
    void cleanup() { fx.cleanup(); }

    void controlsAndCaptions() {
        frmProcurar d(fx.editor("x"), nullptr, fx.beep());
        QCOMPARE(d.windowTitle(), QString("Procurar e Substituir"));
        const QList<QPair<const char *, const char *>> captions = {
            {"btnProcurar", "&Procurar"},
            {"btnRegExp", "Procura &RegExp"},
            {"btnSubstituir", "&Substituir"},
            {"btnSubsTodos", "Substituir &Todos"},
            {"chkCasoSensitivo", "&Caso sensitivo"},
            {"chkInteiras", "Palavras &inteiras"},
            {"chkInicio", "Procurar desde o início do &documento"},
            {"chkMover", "Mover esta &janela para o topo da tela"}};
        for (const auto &c : captions) {
            auto *b = d.findChild<QAbstractButton *>(c.first);
            QVERIFY2(b, c.first);
            QCOMPARE(b->text(), QString::fromUtf8(c.second));
        }
        QVERIFY(d.findChild<QComboBox *>("cmbProcurar"));
        QVERIFY(d.findChild<QComboBox *>("cmbSubstituir"));
    }

    void openingStepsAndOptions() {
        WriteSetting("Configuracao", "ProcSens", "1");
        WriteSetting("Configuracao", "ProcInteiras", "0");
        WriteSetting("Configuracao", "ProcInicio", "1");
        WriteSetting("Configuracao", "ProcMover", "True");
        corvel::AddSearchHistory("foo", "bar");
        corvel::AddSearchHistory("zig", "zag");
        SetLastSearchText("foo");
        ICorvelEdit *ed = fx.editor("ab foo cd", 3);
        ed->setSelTamanho(3);
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        QVERIFY(d.chkCasoSensitivo->isChecked());
        QVERIFY(!d.chkInteiras->isChecked());
        QVERIFY(d.chkInicio->isChecked());
        QVERIFY(!d.chkMover->isChecked());
        QCOMPARE(Sel(ed), qMakePair(3, 0));
        QCOMPARE(d.cmbProcurar->currentText(), QString("foo"));
        QCOMPARE(d.cmbSubstituir->currentText(), QString("bar"));
        QCOMPARE(d.cmbProcurar->count(), 2);
        QCOMPARE(d.cmbProcurar->itemText(0), QString("zig"));

        // Clicking a box stores its state at once.
        d.chkInteiras->click();
        QCOMPARE(ReadSetting("Configuracao", "ProcInteiras"), QString("1"));
        d.chkCasoSensitivo->click();
        QCOMPARE(ReadSetting("Configuracao", "ProcSens"), QString("0"));
    }

    void noDocumentClosesAtOnce() {
        frmProcurar d(nullptr, nullptr, fx.beep());
        QVERIFY(!d.Form_Load());
        d.btnProcurar_Click(); // nothing to search: no crash
        QCOMPARE(fx.beeps, 0);
    }

    void findWithAndWithoutWrap() {
        ICorvelEdit *ed = fx.editor("one two one three", 10);
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        Type(d, "one", "");
        d.btnProcurar_Click();
        QCOMPARE(fx.beeps, 1);
        QCOMPARE(Sel(ed), qMakePair(10, 0));
        QCOMPARE(LastSearchText(), QString("one"));

        d.chkInicio->click();
        d.btnProcurar_Click();
        QCOMPARE(fx.beeps, 1);
        QCOMPARE(Sel(ed), qMakePair(0, 3));
        d.btnProcurar_Click();
        QCOMPARE(Sel(ed), qMakePair(8, 3));
        d.btnProcurar_Click();
        QCOMPARE(Sel(ed), qMakePair(0, 3));

        // Nowhere in the text: retried from the start, then a beep.
        Type(d, "four", "");
        d.btnProcurar_Click();
        QCOMPARE(fx.beeps, 2);
    }

    void findHonoursCaseAndWholeWords() {
        ICorvelEdit *ed = fx.editor("Abc abcd abc");
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        Type(d, "abc", "");
        d.btnProcurar_Click();
        QCOMPARE(Sel(ed), qMakePair(0, 3));
        ed->setSelInicio(0);
        ed->setSelTamanho(0);
        d.chkCasoSensitivo->click();
        d.chkInteiras->click();
        d.btnProcurar_Click();
        QCOMPARE(Sel(ed), qMakePair(9, 3));
    }

    void emptySearchDoesNothing() {
        ICorvelEdit *ed = fx.editor("abc", 1);
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        ScriptedDialogs dialogs;
        Type(d, "", "x");
        d.btnProcurar_Click();
        d.btnRegExp_Click();
        d.btnSubstituir_Click();
        d.btnSubsTodos_Click();
        QCOMPARE(ed->Texto(), QString("abc"));
        QCOMPARE(Sel(ed), qMakePair(1, 0));
        QCOMPARE(fx.beeps, 0);
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(ReadSetting("Historico", "Search1").isEmpty());
    }

    void regExpHonoursCaseAndLeavesLastSearch() {
        SetLastSearchText("plain");
        ICorvelEdit *ed = fx.editor("X1 x2 x3");
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        Type(d, "x\\d", "");
        d.btnRegExp_Click();
        QCOMPARE(Sel(ed), qMakePair(0, 2)); // case ignored: X1
        d.chkCasoSensitivo->click();
        d.btnRegExp_Click();
        QCOMPARE(Sel(ed), qMakePair(3, 2));
        d.btnRegExp_Click();
        QCOMPARE(Sel(ed), qMakePair(6, 2));
        d.btnRegExp_Click(); // wrap off: beep, selection kept
        QCOMPARE(fx.beeps, 1);
        QCOMPARE(Sel(ed), qMakePair(6, 2));
        d.chkInicio->click();
        d.btnRegExp_Click(); // wrap on: back to x2 (X1 does not match case)
        QCOMPARE(Sel(ed), qMakePair(3, 2));
        QCOMPARE(LastSearchText(), QString("plain"));
        QCOMPARE(SearchPartOf(ReadSetting("Historico", "Search1")), QString("x\\d"));
    }

    // An invalid expression is explained (what and where) with a beep, and
    // neither moves the selection nor retries from the start.
    void invalidRegExpIsExplained() {
        ScriptedDialogs dialogs;
        ICorvelEdit *ed = fx.editor("a(b", 1);
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        d.chkInicio->click();
        const QList<QPair<const char *, int>> bad = {{"(", 2}, {"[a-", 4}, {"a{2,1}", 6}, {"*", 1}};
        for (const auto &b : bad) {
            Type(d, b.first, "");
            d.btnRegExp_Click();
            QCOMPARE(Sel(ed), qMakePair(1, 0));
            QVERIFY(!dialogs.messages.isEmpty());
            const RecordedMessage m = dialogs.messages.takeLast();
            QCOMPARE(m.title, QString("Expressão Inválida"));
            QCOMPARE(m.icon, corvel::MsgIcon::Warning);
            QVERIFY2(m.text.startsWith(
                         "A expressão procurada não é uma expressão regular válida.\r\n\r\n"
                         "Expressão regular inválida (posição " +
                         QString::number(b.second) + "): "),
                     qPrintable(m.text));
            QVERIFY(dialogs.messages.isEmpty());
        }
        QCOMPARE(fx.beeps, 4);
        // A valid pattern works again afterwards, quietly.
        Type(d, "\\(", "");
        d.btnRegExp_Click();
        QCOMPARE(Sel(ed), qMakePair(1, 1));
        QCOMPARE(fx.beeps, 4);
        QVERIFY(dialogs.messages.isEmpty());
    }

    // The ECMAScript forms the engine lacks work from the dialog.
    void ecmaScriptFormsFromTheDialog() {
        ScriptedDialogs dialogs;
        ICorvelEdit *ed = fx.editor("x\r\nAb", 0);
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        Type(d, "x[^][^]\\u0041", "");
        d.btnRegExp_Click();
        QCOMPARE(Sel(ed), qMakePair(0, 4));
        QCOMPARE(fx.beeps, 0);
        QVERIFY(dialogs.messages.isEmpty());
    }

    // A runaway expression stops at the work limit with its own message, once,
    // whether or not the search wraps; the selection stays and a sound
    // expression works afterwards.
    void runawayRegExpStopsWithAMessage() {
        ScriptedDialogs dialogs;
        QString text;
        while (text.size() < 200000)
            text += "<p>" + QString(24, 'a') + "</p>\r\n";
        text += "b";
        ICorvelEdit *ed = fx.editor(text, 5);
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        for (bool wrap : {false, true}) {
            if (wrap) d.chkInicio->click();
            Type(d, "(a|aa)+b", "");
            QElapsedTimer t;
            t.start();
            d.btnRegExp_Click();
            QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
            QCOMPARE(Sel(ed), qMakePair(5, 0));
            QCOMPARE(dialogs.messages.size(), 1);
            const RecordedMessage m = dialogs.messages.takeLast();
            QCOMPARE(m.title, QString("Expressão Complexa"));
            QCOMPARE(m.text, QString("A expressão regular é muito complexa para este texto. "
                                     "Simplifique a expressão e tente de novo."));
            QCOMPARE(m.icon, corvel::MsgIcon::Warning);
        }
        QCOMPARE(ed->Texto(), text);
        Type(d, "a+</p>", "");
        d.btnRegExp_Click();
        QCOMPARE(Sel(ed), qMakePair(36, 28));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void identicalTextsAreRefused() {
        ScriptedDialogs dialogs;
        ICorvelEdit *ed = fx.editor("aaa");
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        Type(d, "a", "a");
        d.btnSubstituir_Click();
        d.btnSubsTodos_Click();
        QCOMPARE(dialogs.messages.size(), 2);
        for (const RecordedMessage &m : dialogs.messages) {
            QCOMPARE(m.text, QString("Os textos para substituição são idênticos."));
            QCOMPARE(m.title, QString("Iguais"));
            QCOMPARE(m.icon, MsgIcon::Critical);
            QCOMPARE(m.buttons, MsgButtons::Ok);
        }
        QCOMPARE(ed->Texto(), QString("aaa"));
        QVERIFY(ReadSetting("Historico", "Search1").isEmpty());
        // Case counts: "a" by "A" is a real replacement.
        Type(d, "a", "A");
        d.btnSubstituir_Click();
        QCOMPARE(dialogs.messages.size(), 2);
    }

    void replaceStepsThroughTheText() {
        ICorvelEdit *ed = fx.editor("a b a", 0);
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        Type(d, "a", "xy");
        d.btnSubstituir_Click(); // nothing selected: finds the first
        QCOMPARE(ed->Texto(), QString("a b a"));
        QCOMPARE(Sel(ed), qMakePair(0, 1));
        d.btnSubstituir_Click();
        QCOMPARE(ed->Texto(), QString("xy b a"));
        QCOMPARE(Sel(ed), qMakePair(5, 1));
        d.btnSubstituir_Click();
        QCOMPARE(ed->Texto(), QString("xy b xy"));
        QCOMPARE(fx.beeps, 1); // wrap off
        QCOMPARE(ReadSetting("Historico", "Search1"), QString("a<#>xy"));

        // With wrap the search starts over: nothing is left to replace.
        d.chkInicio->click();
        d.btnSubstituir_Click();
        QCOMPARE(fx.beeps, 2);
        QCOMPARE(ed->Texto(), QString("xy b xy"));
    }

    void replaceWrapsToTheStart() {
        ICorvelEdit *ed = fx.editor("cat dog cat", 9);
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        d.chkInicio->click();
        Type(d, "cat", "cow");
        d.btnSubstituir_Click();
        QCOMPARE(Sel(ed), qMakePair(0, 3));
        QCOMPARE(fx.beeps, 0);
        d.btnSubstituir_Click();
        QCOMPARE(ed->Texto(), QString("cow dog cat"));
        QCOMPARE(Sel(ed), qMakePair(8, 3));
    }

    void replaceNeverOverwritesAnotherText() {
        ICorvelEdit *ed = fx.editor("foo bar foo");
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        Type(d, "foo", "");
        d.btnProcurar_Click();
        QCOMPARE(Sel(ed), qMakePair(0, 3));
        // The search text changes while "foo" is still selected.
        Type(d, "bar", "baz");
        d.btnSubstituir_Click();
        QCOMPARE(ed->Texto(), QString("foo bar foo"));
        QCOMPARE(Sel(ed), qMakePair(4, 3));
        d.btnSubstituir_Click();
        QCOMPARE(ed->Texto(), QString("foo baz foo"));
        // A selection that differs only in case is an occurrence when case
        // does not count.
        Type(d, "FOO", "x");
        ed->setSelInicio(8);
        ed->setSelTamanho(3);
        d.btnSubstituir_Click();
        QCOMPARE(ed->Texto(), QString("foo baz x"));
    }

    void replaceTakesTheRegexMatchAsItStands() {
        ICorvelEdit *ed = fx.editor("id=12 id=345");
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        Type(d, "id=[0-9]+", "id=0");
        d.btnRegExp_Click();
        QCOMPARE(Sel(ed), qMakePair(0, 5));
        // The match is replaced; the next literal search finds nothing more.
        d.btnSubstituir_Click();
        QCOMPARE(ed->Texto(), QString("id=0 id=345"));
        // A match the user has since changed the selection of is not.
        d.btnRegExp_Click();
        QCOMPARE(Sel(ed), qMakePair(5, 6));
        ed->setSelInicio(0);
        ed->setSelTamanho(4);
        d.btnSubstituir_Click();
        QCOMPARE(ed->Texto(), QString("id=0 id=345"));
    }

    void failedRegexSearchLeavesNoMatchToReplace() {
        ICorvelEdit *ed = fx.editor("foo bar");
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        Type(d, "foo", "");
        d.btnProcurar_Click();
        QCOMPARE(Sel(ed), qMakePair(0, 3));
        // An expression that matches nothing keeps "foo" selected; that
        // selection is no match of it, so Replace searches past it.
        Type(d, "z+", "X");
        d.btnRegExp_Click();
        QCOMPARE(Sel(ed), qMakePair(0, 3));
        QCOMPARE(fx.beeps, 1);
        d.btnSubstituir_Click();
        QCOMPARE(ed->Texto(), QString("foo bar"));
        QCOMPARE(fx.beeps, 2);
    }

    void replaceAllAsksFirst() {
        ScriptedDialogs dialogs;
        ICorvelEdit *ed = fx.editor("a a a");
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        Type(d, "a", "b");
        d.btnSubsTodos_Click(); // unscripted: the default answer, No
        QCOMPARE(ed->Texto(), QString("a a a"));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.lastTitle(), QString("Sem Desfazer"));
        QCOMPARE(dialogs.lastText(),
                 QString("Múltiplas alterações no documento não podem ser desfeitas com a opção "
                         "Editar/Desfazer (Ctrl+Z). Confirma a substituição global?"));
        QCOMPARE(dialogs.messages.last().icon, MsgIcon::Warning);
        QCOMPARE(dialogs.messages.last().buttons, MsgButtons::YesNo);
        // The history is written before the question.
        QCOMPARE(ReadSetting("Historico", "Search1"), QString("a<#>b"));
        dialogs.answers.enqueue(MsgAnswer::Yes);
        d.btnSubsTodos_Click();
        QCOMPARE(ed->Texto(), QString("b b b"));
        QCOMPARE(fx.beeps, 0);
    }

    void replaceAllWithAndWithoutWrap() {
        ScriptedDialogs dialogs;
        ICorvelEdit *ed = fx.editor("a-a|a-a", 3);
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        Type(d, "a", "ab");
        dialogs.answers.enqueue(MsgAnswer::Yes);
        d.btnSubsTodos_Click();
        QCOMPARE(ed->Texto(), QString("a-a|ab-ab"));

        // With wrap each occurrence is replaced once, after and before the
        // caret, even though the replacement holds the search text.
        ed->setTexto("a-a|a-a");
        ed->setSelInicio(3);
        d.chkInicio->click();
        dialogs.answers.enqueue(MsgAnswer::Yes);
        d.btnSubsTodos_Click();
        QCOMPARE(ed->Texto(), QString("ab-ab|ab-ab"));

        // A selected occurrence: without wrap the search steps past it.
        ed->setTexto("x x x");
        ed->setSelInicio(2);
        ed->setSelTamanho(1);
        d.chkInicio->click();
        Type(d, "x", "y");
        dialogs.answers.enqueue(MsgAnswer::Yes);
        d.btnSubsTodos_Click();
        QCOMPARE(ed->Texto(), QString("x x y"));
    }

    void replaceAllIsOneUndoableEdit() {
        ScriptedDialogs dialogs;
        ICorvelEdit *ed = fx.editor("one\r\ntwo one\r\none");
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        d.chkInicio->click();
        Type(d, "one", "1");
        dialogs.answers.enqueue(MsgAnswer::Yes);
        d.btnSubsTodos_Click();
        QCOMPARE(ed->Texto(), QString("1\r\ntwo 1\r\n1"));
        QVERIFY(ed->PodeDesfazer());
        ed->Desfazer();
        QCOMPARE(ed->Texto(), QString("one\r\ntwo one\r\none"));
    }

    void typingEmptiesReplacementChoosingRestoresIt() {
        corvel::AddSearchHistory("table", "x");
        corvel::AddSearchHistory("div", "span");
        ICorvelEdit *ed = fx.editor("text");
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        d.cmbSubstituir->setEditText("typed");
        QTest::keyClicks(d.cmbProcurar->lineEdit(), "ta");
        QCOMPARE(d.cmbSubstituir->currentText(), QString());

        // Choosing "table" from the list (arrow keys pick items as clicks do).
        d.cmbProcurar->setCurrentIndex(0); // "div"
        QTest::keyClick(d.cmbProcurar, Qt::Key_Down);
        QCOMPARE(d.cmbProcurar->currentText(), QString("table"));
        QCOMPARE(d.cmbSubstituir->currentText(), QString("x"));
        QTest::keyClick(d.cmbProcurar, Qt::Key_Up);
        QCOMPARE(d.cmbSubstituir->currentText(), QString("span"));
        QTest::keyClick(d.cmbProcurar->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(d.cmbSubstituir->currentText(), QString());
    }

    void historyThroughTheDialog() {
        ICorvelEdit *ed = fx.editor("Table table");
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        Type(d, "table", "x");
        d.btnProcurar_Click();
        Type(d, "other", "");
        d.btnProcurar_Click();
        Type(d, "Table", "y");
        d.btnProcurar_Click();
        QCOMPARE(ReadSearchHistory().mid(0, 3), QStringList({"Table<#>y", "other<#>", ""}));
        // The lists are reloaded and the texts kept.
        QCOMPARE(d.cmbProcurar->count(), 2);
        QCOMPARE(d.cmbProcurar->itemText(0), QString("Table"));
        QCOMPARE(d.cmbSubstituir->count(), 1);
        QCOMPARE(d.cmbProcurar->currentText(), QString("Table"));
        QCOMPARE(d.cmbSubstituir->currentText(), QString("y"));
    }

    void enterFindsEscapeReleaseCloses() {
        ICorvelEdit *ed = fx.editor("abc abc");
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.cmbProcurar->setEditText("abc");
        QTest::keyClick(d.cmbProcurar->lineEdit(), Qt::Key_Return);
        QCOMPARE(Sel(ed), qMakePair(0, 3));
        QVERIFY(d.isVisible());
        QTest::keyPress(d.cmbProcurar->lineEdit(), Qt::Key_Escape);
        QVERIFY(d.isVisible());
        QTest::keyRelease(d.cmbProcurar->lineEdit(), Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void moveKeepsDialogTopRight() {
        ICorvelEdit *ed = fx.editor("abc abc");
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.move(10, 50);
        Type(d, "abc", "");
        d.btnProcurar_Click();
        QCOMPARE(d.pos(), QPoint(10, 50));
        d.chkMover->click();
        QCOMPARE(ReadSetting("Configuracao", "ProcMover"), QString("1"));
        d.btnProcurar_Click();
        const QRect g = d.screen()->geometry();
        QCOMPARE(d.pos(), QPoint(g.x() + g.width() - d.frameGeometry().width(), g.y()));
        // Replace all leaves the dialog where it is.
        d.move(10, 50);
        ScriptedDialogs dialogs;
        dialogs.answers.enqueue(MsgAnswer::Yes);
        Type(d, "abc", "x");
        d.btnSubsTodos_Click();
        QCOMPARE(d.pos(), QPoint(10, 50));
    }
};

QTEST_MAIN(TestProcurar)
#include "tst_procurar.moc"
