// The crash soak's judgements of saved files and temporary copies: a state
// the document went through is recognised with the characters it holds, any
// other text (cut short, mixed, changed outside the typed part) is refused.
#include "SoakChecks.h"

#include <QtTest>

using soak::DocumentShape;

class TestSoakChecks : public QObject {
    Q_OBJECT
private slots:
    void typedCharactersHeld_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("held");
        const QString head = QStringLiteral("<html>\r\n<p>");
        const QString tail = QStringLiteral("</html>");
        QTest::newRow("nothing typed yet") << head + "a1 " + tail << 0;
        QTest::newRow("part of a word") << head + "a1 t2w" + tail << 3;
        QTest::newRow("all typed") << head + "a1 t2w0 t2w1 " + tail << 10;
        QTest::newRow("tail cut off") << head + "a1 t2w0 t2w1 </ht" << -1;
        QTest::newRow("empty file") << QString() << -1;
        QTest::newRow("older base") << head + tail << -1;
        QTest::newRow("a word skipped") << head + "a1 t2w1 " + tail << -1;
        QTest::newRow("more than typed") << head + "a1 t2w0 t2w1 x" + tail << -1;
        QTest::newRow("head changed") << "<html>\n<p>a1 " + tail << -1;
    }
    void typedCharactersHeld() {
        QFETCH(QString, text);
        QFETCH(int, held);
        const DocumentShape shape{QStringLiteral("<html>\r\n<p>"), QStringLiteral("a1 "),
                                  QStringLiteral("</html>")};
        QCOMPARE(soak::TypedCharactersHeld(text, shape, QStringLiteral("t2w0 t2w1 ")), held);
    }

    void lossAndMedian_data() {
        QTest::addColumn<int>("held");
        QTest::addColumn<qint64>("loss");
        QTest::newRow("all held") << 4 << qint64(0);
        QTest::newRow("last missing") << 3 << qint64(700);
        QTest::newRow("none held") << 0 << qint64(1000);
        QTest::newRow("not recognised") << -1 << qint64(0);
    }
    void lossAndMedian() {
        QFETCH(int, held);
        QFETCH(qint64, loss);
        QCOMPARE(soak::LossMs({100, 200, 250, 400}, held, 1100), loss);
        QCOMPARE(soak::Median({5, 1, 3}), 3.0);
        QCOMPARE(soak::Median({4, 1, 3, 2}), 2.5);
        QCOMPARE(soak::Median({}), 0.0);
        QVERIFY(!soak::Word(3, 1).endsWith(soak::Word(3, 11)));
    }
};

QTEST_GUILESS_MAIN(TestSoakChecks)
#include "tst_soak_checks.moc"
