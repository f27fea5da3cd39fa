#include "FindCommands.h"
#include "FindTestSupport.h"
#include "ScriptedDialogs.h"

using namespace corvel;

class TestGoToCommand : public QObject {
    Q_OBJECT

    FindFixture fx;
    const QString three = QStringLiteral("first\r\nsecond\r\nthird");

private slots:
    void init() { fx.reset(); }
    void cleanup() { fx.cleanup(); }

    void promptShowsLineCount() {
        ScriptedDialogs dialogs;
        ICorvelEdit *ed = fx.editor(three, 2);
        dialogs.inputs.enqueue("2");
        QVERIFY(GoToLine(ed, nullptr));
        QCOMPARE(dialogs.prompts, QStringList({"Ir para qual linha? (1-3)"}));
        QCOMPARE(Sel(ed), qMakePair(7, 0));
    }

    void answersThatDoNothing_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("abc") << "abc";
        QTest::newRow("0") << "0";
        QTest::newRow("70000") << "70000";
        QTest::newRow("empty") << "";
        QTest::newRow("cancel") << QString();
    }
    void answersThatDoNothing() {
        QFETCH(QString, answer);
        ScriptedDialogs dialogs;
        ICorvelEdit *ed = fx.editor(three, 9);
        dialogs.inputs.enqueue(answer);
        QVERIFY(!GoToLine(ed, nullptr));
        QCOMPARE(Sel(ed), qMakePair(9, 0));
        QCOMPARE(dialogs.prompts.size(), 1);
    }

    void linesBeyondTheTextAndOddValues() {
        ScriptedDialogs dialogs;
        ICorvelEdit *ed = fx.editor(three, 0);
        dialogs.inputs.enqueue("3abc");
        QVERIFY(GoToLine(ed, nullptr));
        QCOMPARE(Sel(ed), qMakePair(15, 0));
        dialogs.inputs.enqueue(" 1");
        QVERIFY(GoToLine(ed, nullptr));
        QCOMPARE(Sel(ed), qMakePair(0, 0));
        // Past the last line, and past a 16-bit number: the last line.
        for (const char *big : {"4", "100", "32768", "65000"}) {
            ed->setSelInicio(0);
            dialogs.inputs.enqueue(big);
            QVERIFY(GoToLine(ed, nullptr));
            QCOMPARE(Sel(ed), qMakePair(15, 0));
        }
        // Negative lines are let through and must not move or fail.
        for (const char *neg : {"-1", "-3", "-65000"}) {
            ed->setSelInicio(9);
            dialogs.inputs.enqueue(neg);
            GoToLine(ed, nullptr);
            QVERIFY(ed->SelInicio() >= 0 && ed->SelInicio() <= ed->Tamanho());
        }
    }

    void noDocumentAsksNothing() {
        ScriptedDialogs dialogs;
        dialogs.inputs.enqueue("1");
        QVERIFY(!GoToLine(nullptr, nullptr));
        QVERIFY(dialogs.prompts.isEmpty());
    }
};

QTEST_MAIN(TestGoToCommand)
#include "tst_gotocommand.moc"
