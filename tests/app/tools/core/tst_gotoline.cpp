#include "GoToLine.h"

#include <QtTest>

using namespace corvel;

class TestGoToLine : public QObject {
    Q_OBJECT
private slots:
    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "12" << 12.0;
        QTest::newRow("trailing text") << "12abc" << 12.0;
        QTest::newRow("blanks inside") << " 1 2 " << 12.0;
        QTest::newRow("negative") << "-7" << -7.0;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("fraction") << "2.5x" << 2.5;
        QTest::newRow("not a number") << "abc" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("second sign stops") << "3-4" << 3.0;
        QTest::newRow("huge") << "99999999999999999999" << 1e20;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(LeadingNumber(text), value);
    }

    void target_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("go");
        QTest::addColumn<int>("line");
        QTest::newRow("abc") << "abc" << false << 0;
        QTest::newRow("zero") << "0" << false << 0;
        QTest::newRow("70000") << "70000" << false << 0;
        QTest::newRow("65001") << "65001" << false << 0;
        QTest::newRow("null") << QString() << false << 0;
        QTest::newRow("half") << "0.5" << false << 0;
        QTest::newRow("one") << "1" << true << 1;
        QTest::newRow("65000") << "65000" << true << 65000;
        QTest::newRow("-65000") << "-65000" << true << -65000;
        QTest::newRow("40000") << "40000" << true << 40000;
        QTest::newRow("-1") << "-1" << true << -1;
        QTest::newRow("rounded") << "2.5" << true << 2;
        QTest::newRow("rounded up") << "3.5" << true << 4;
    }
    void target() {
        QFETCH(QString, answer);
        QFETCH(bool, go);
        QFETCH(int, line);
        int got = 0;
        QCOMPARE(GoToLineTarget(answer, &got), go);
        QCOMPARE(got, line);
    }

    void prompt() { QCOMPARE(GoToLinePrompt(42), QString("Ir para qual linha? (1-42)")); }
};

QTEST_GUILESS_MAIN(TestGoToLine)
#include "tst_gotoline.moc"
