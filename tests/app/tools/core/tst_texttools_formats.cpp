#include "InfoFormats.h"

#include <QtTest>

using namespace corvel;

class TestTextToolsFormats : public QObject {
    Q_OBJECT
private slots:
    void datePatterns_data();
    void datePatterns();
    void otherSeparators();
    void longDate();
    void sizes();
    void injectableClock();
};

void TestTextToolsFormats::datePatterns_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << "07/12/26";
    QTest::newRow("2") << 2 << "07/12/2026";
    QTest::newRow("3") << 3 << "07/12/2026 09:05:03";
    QTest::newRow("4") << 4 << "09:05:03";
    QTest::newRow("5") << 5 << "09:05";
    QTest::newRow("6") << 6 << "2026-12-07";
    QTest::newRow("7") << 7 << "2026-12-07 09:05:03";
    QTest::newRow("8") << 8 << "12/07/2026";
    QTest::newRow("9") << 9 << "12/07/2026 09:05:03";
    QTest::newRow("none") << 10 << "";
}

void TestTextToolsFormats::datePatterns() {
    QFETCH(int, index);
    QFETCH(QString, text);
    const QDateTime now(QDate(2026, 12, 7), QTime(9, 5, 3));
    QCOMPARE(FormatDatePattern(index, now, QStringLiteral("/"), QStringLiteral(":")), text);
}

void TestTextToolsFormats::otherSeparators() {
    const QDateTime now(QDate(2026, 12, 7), QTime(23, 59, 1));
    QCOMPARE(FormatDatePattern(3, now, QStringLiteral("."), QStringLiteral(".")),
             QStringLiteral("07.12.2026 23.59.01"));
    // "-" is literal whatever the separators.
    QCOMPARE(FormatDatePattern(7, now, QStringLiteral("."), QStringLiteral(".")),
             QStringLiteral("2026-12-07 23.59.01"));
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    QCOMPARE(DateSeparator(br), QStringLiteral("/"));
    QCOMPARE(TimeSeparator(br), QStringLiteral(":"));
    QCOMPARE(DateSeparator(QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("."));
}

void TestTextToolsFormats::longDate() {
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    const QString s = LongDateText(QDate(2026, 12, 7), br);
    QVERIFY2(s.contains(QStringLiteral("7 de Dezembro de 2026")), qPrintable(s));
    QVERIFY2(s.at(0).isUpper(), qPrintable(s));
    QVERIFY(!s.contains(QStringLiteral(" De ")));
}

void TestTextToolsFormats::sizes() {
    QCOMPARE(FormatSize(0), QStringLiteral("0"));
    QCOMPARE(FormatSize(999), QStringLiteral("999"));
    QCOMPARE(FormatSize(1000), QStringLiteral("1.000"));
    QCOMPARE(FormatSize(512000), QStringLiteral("512.000"));
    QCOMPARE(FormatSize(1234567), QStringLiteral("1.234.567"));
    QCOMPARE(FormatSize(123456789012LL), QStringLiteral("123.456.789.012"));
}

void TestTextToolsFormats::injectableClock() {
    const QDateTime fixed(QDate(2026, 12, 7), QTime(0, 0));
    SetCurrentDateTimeOverride(fixed);
    QCOMPARE(CurrentDateTime(), fixed);
    SetCurrentDateTimeOverride(QDateTime());
    QVERIFY(qAbs(CurrentDateTime().secsTo(QDateTime::currentDateTime())) < 5);
}

QTEST_APPLESS_MAIN(TestTextToolsFormats)
#include "tst_texttools_formats.moc"
