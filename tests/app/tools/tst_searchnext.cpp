#include "FindCommands.h"
#include "FindTestSupport.h"
#include "ScriptedDialogs.h"
#include "SearchHistory.h"

#include <QComboBox>

using namespace corvel;

class TestSearchNext : public QObject {
    Q_OBJECT

    FindFixture fx;

private slots:
    void init() {
        fx.reset();
        SetLastSearchText(QString());
    }
    void cleanup() { fx.cleanup(); }

    void withoutLastSearchItBeeps() {
        ICorvelEdit *ed = fx.editor("abc", 1);
        FindNext(ed, fx.beep());
        QCOMPARE(fx.beeps, 1);
        QCOMPARE(Sel(ed), qMakePair(1, 0));
        FindNext(nullptr, fx.beep());
        QCOMPARE(fx.beeps, 2);
        SetLastSearchText("abc");
        FindNext(nullptr, fx.beep()); // no document: nothing, not even a beep
        QCOMPARE(fx.beeps, 2);
    }

    void ignoresCaseAndWholeWordsAndAlwaysWraps() {
        WriteSetting("Configuracao", "ProcSens", "1");
        WriteSetting("Configuracao", "ProcInteiras", "1");
        WriteSetting("Configuracao", "ProcInicio", "0");
        ICorvelEdit *ed = fx.editor("Word swordfish WORD", 0);
        SetLastSearchText("word");
        FindNext(ed, fx.beep());
        QCOMPARE(Sel(ed), qMakePair(0, 4));
        FindNext(ed, fx.beep());
        QCOMPARE(Sel(ed), qMakePair(6, 4));
        FindNext(ed, fx.beep());
        QCOMPARE(Sel(ed), qMakePair(15, 4));
        FindNext(ed, fx.beep()); // only before the caret now: wraps
        QCOMPARE(Sel(ed), qMakePair(0, 4));
        QCOMPARE(fx.beeps, 0);
        SetLastSearchText("absent");
        FindNext(ed, fx.beep());
        QCOMPARE(fx.beeps, 1);
    }

    void repeatsThePlainSearchNotTheExpression() {
        ICorvelEdit *ed = fx.editor("x1 ab x2 ab");
        frmProcurar d(ed, nullptr, fx.beep());
        QVERIFY(d.Form_Load());
        d.cmbProcurar->setEditText("ab");
        d.btnProcurar_Click();
        QCOMPARE(Sel(ed), qMakePair(3, 2));
        d.cmbProcurar->setEditText("x\\d");
        d.btnRegExp_Click();
        QCOMPARE(Sel(ed), qMakePair(6, 2));
        FindNext(ed, fx.beep());
        QCOMPARE(Sel(ed), qMakePair(9, 2));
        QCOMPARE(LastSearchText(), QString("ab"));

        // The next opening offers the last plain search with its replacement.
        d.cmbProcurar->setEditText("ab");
        d.cmbSubstituir->setEditText("AB");
        d.btnProcurar_Click();
        frmProcurar again(ed);
        QVERIFY(again.Form_Load());
        QCOMPARE(again.cmbProcurar->currentText(), QString("ab"));
        QCOMPARE(again.cmbSubstituir->currentText(), QString("AB"));
    }
};

QTEST_MAIN(TestSearchNext)
#include "tst_searchnext.moc"
