#include "Colours.h"

#include <QtTest>

class tst_colours : public QObject {
    Q_OBJECT
private slots:
    void htmlForm_data() {
        QTest::addColumn<qint64>("colour");
        QTest::addColumn<QString>("html");
        QTest::newRow("black") << qint64(0) << "000000";
        QTest::newRow("red") << qint64(255) << "FF0000";
        QTest::newRow("green") << qint64(255 * 256) << "00FF00";
        QTest::newRow("blue") << qint64(255 * 65536) << "0000FF";
        QTest::newRow("mixed") << qint64(0x123456) << "563412";
        QTest::newRow("small needs padding") << qint64(0x0A) << "0A0000";
        QTest::newRow("white") << qint64(0xFFFFFF) << "FFFFFF";
        // A number beyond 24 bits still gives six digits of its colour part.
        QTest::newRow("high bits ignored") << qint64(0x7F0000FF) << "FF0000";
        QTest::newRow("negative") << qint64(-1) << "FFFFFF";
    }
    void htmlForm() {
        QFETCH(qint64, colour);
        QFETCH(QString, html);
        QCOMPARE(ColourToHtml(colour), html);
    }
};

QTEST_APPLESS_MAIN(tst_colours)
#include "tst_colours.moc"
