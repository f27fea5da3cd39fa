#include "TextFilters.h"
#include "TimeLimits.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace corvel;

class TestFilters : public QObject {
    Q_OBJECT
private slots:
    void doubleSpaces();
    void lineBreaks_data();
    void lineBreaks();
    void leadingSpaces();
    void trailingSpaces();
    void accents();
    void letterCase();
    void sentenceCase();
    void spacesToTabs_data();
    void spacesToTabs();
    void tabsToSpaces();
    void linearOnLongRuns();
};

void TestFilters::doubleSpaces() {
    QCOMPARE(RemoveDoubleSpaces(QStringLiteral("a    b")), QStringLiteral("a b"));
    QCOMPARE(RemoveDoubleSpaces(QStringLiteral("a     b  c ")), QStringLiteral("a b c "));
    // Tabs and line breaks are not spaces.
    QCOMPARE(RemoveDoubleSpaces(QStringLiteral(" \t  \r\n  x")), QStringLiteral(" \t \r\n x"));
    QCOMPARE(RemoveDoubleSpaces(QString()), QString());
}

void TestFilters::lineBreaks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("withSpace");
    QTest::addColumn<QString>("removed");
    QTest::newRow("crlf") << "x\r\ny"
                          << "x y"
                          << "xy";
    QTest::newRow("lone cr") << "x\ry"
                             << "x y"
                             << "xy";
    QTest::newRow("lone lf") << "x\ny"
                             << "x y"
                             << "xy";
    QTest::newRow("lf cr is two breaks") << "x\n\ry"
                                         << "x  y"
                                         << "xy";
    QTest::newRow("cr crlf lf") << "a\r\r\n\nb"
                                << "a   b"
                                << "ab";
    QTest::newRow("ends with break") << "a\r\n"
                                     << "a "
                                     << "a";
}

void TestFilters::lineBreaks() {
    QFETCH(QString, text);
    QFETCH(QString, withSpace);
    QFETCH(QString, removed);
    QCOMPARE(RemoveLineBreaks(text, QStringLiteral(" ")), withSpace);
    QCOMPARE(RemoveLineBreaks(text, QString()), removed);
}

void TestFilters::leadingSpaces() {
    // The tab, the trailing spaces and the empty last line all stay.
    QCOMPARE(RemoveLeadingSpaces(QStringLiteral("  a\r\n\tb  \r\n")),
             QStringLiteral("a\r\n\tb  \r\n"));
    QCOMPARE(RemoveLeadingSpaces(QStringLiteral("   \r\n   \r\n x")), QStringLiteral("\r\n\r\nx"));
    // Only CR LF pairs separate lines.
    QCOMPARE(RemoveLeadingSpaces(QStringLiteral("a\n  b\r  c")), QStringLiteral("a\n  b\r  c"));
}

void TestFilters::trailingSpaces() {
    QCOMPARE(RemoveTrailingSpaces(QStringLiteral("  a  \r\n\tb  \r\n")),
             QStringLiteral("  a\r\n\tb\r\n"));
    QCOMPARE(RemoveTrailingSpaces(QStringLiteral("a b   ")), QStringLiteral("a b"));
    QCOMPARE(RemoveTrailingSpaces(QStringLiteral("a \t \r\n")), QStringLiteral("a \t\r\n"));
    QCOMPARE(RemoveTrailingSpaces(QStringLiteral("a  \nb  \rc")), QStringLiteral("a  \nb  \rc"));
}

void TestFilters::accents() {
    QCOMPARE(RemoveAccents(QStringLiteral("São Paulo, ÇÃO")), QStringLiteral("Sao Paulo, CAO"));
    QCOMPARE(RemoveAccents(QStringLiteral("æ ß ø ð")), QStringLiteral("æ ß ø ð"));
    QCOMPARE(
        RemoveAccents(QStringLiteral("ãõÃÕåÅáéíóúÁÉÍÓÚýÝâêîôûÂÊÎÔÛàèìòùÀÈÌÒÙäëïöüÄËÏÖÜÿŸñÑçÇ")),
        QStringLiteral("aoAOaAaeiouAEIOUyYaeiouAEIOUaeiouAEIOUaeiouAEIOUyYnNcC"));
    QCOMPARE(AccentFreeChar(QChar(u'Ÿ')), QChar(u'Y'));
    QCOMPARE(AccentFreeChar(QChar(u'ł')), QChar(u'ł'));
}

void TestFilters::letterCase() {
    QCOMPARE(ToUpperCase(QStringLiteral("olá mundo ção")), QStringLiteral("OLÁ MUNDO ÇÃO"));
    QCOMPARE(ToLowerCase(QStringLiteral("OLÁ MUNDO ÇÃO")), QStringLiteral("olá mundo ção"));
    // One character for one: the document's positions do not move.
    QCOMPARE(ToUpperCase(QStringLiteral("straße")).size(), 6);
    // Letters outside the basic plane keep their surrogate pairs.
    const QString deseret = QString::fromUcs4(U"\U00010428x");
    QCOMPARE(ToUpperCase(deseret), QString::fromUcs4(U"\U00010400X"));
    QCOMPARE(ToLowerCase(QString::fromUcs4(U"\U00010400")), QString::fromUcs4(U"\U00010428"));
}

void TestFilters::sentenceCase() {
    QCOMPARE(ToSentenceCase(QStringLiteral("olá MUNDO")), QStringLiteral("Olá Mundo"));
    QCOMPARE(ToSentenceCase(QStringLiteral("a\tb\r\nc  dE-fG (hI")),
             QStringLiteral("A\tB\r\nC  De-fg (hi"));
    QCOMPARE(ToSentenceCase(QStringLiteral("ÉRICA ÁGUA")), QStringLiteral("Érica Água"));
}

void TestFilters::spacesToTabs_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("result");
    QTest::newRow("five by three") << "     " << 3 << "\t  ";
    QTest::newRow("six by three") << "a      b" << 3 << "a\t\tb";
    QTest::newRow("runs apart") << "  x   y" << 3 << "  x\ty";
    QTest::newRow("width one") << "a  b" << 1 << "a\t\tb";
    QTest::newRow("width zero") << "a     b" << 0 << "a     b";
    QTest::newRow("negative width") << "a     b" << -2 << "a     b";
}

void TestFilters::spacesToTabs() {
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, result);
    QCOMPARE(SpacesToTabs(text, width), result);
}

void TestFilters::tabsToSpaces() {
    QCOMPARE(TabsToSpaces(QStringLiteral("\ta\t\t"), 3), QStringLiteral("   a      "));
    // A width of 0 keeps the tabs rather than deleting them.
    QCOMPARE(TabsToSpaces(QStringLiteral("a\tb"), 0), QStringLiteral("a\tb"));
    // Back and forth with the same width.
    QCOMPARE(SpacesToTabs(TabsToSpaces(QStringLiteral("\t\tx\t"), 4), 4),
             QStringLiteral("\t\tx\t"));
}

// A text that is one long run of spaces (or of line breaks) must not make any
// filter rebuild the string over and over.
void TestFilters::linearOnLongRuns() {
    const QString spaces(2'000'000, QLatin1Char(' '));
    QString breaks;
    for (int i = 0; i < 500'000; ++i)
        breaks += QStringLiteral("\r\n");
    QElapsedTimer t;
    t.start();
    QCOMPARE(RemoveDoubleSpaces(spaces), QStringLiteral(" "));
    QCOMPARE(RemoveLeadingSpaces(spaces), QString());
    QCOMPARE(RemoveTrailingSpaces(spaces), QString());
    QCOMPARE(SpacesToTabs(spaces, 3).size(), 666'668);
    QCOMPARE(RemoveLineBreaks(breaks, QString()), QString());
    QCOMPARE(RemoveTrailingSpaces(breaks), breaks);
    QVERIFY2(t.elapsed() < test_time::Limit(2000), qPrintable(QString::number(t.elapsed())));
}

QTEST_APPLESS_MAIN(TestFilters)
#include "tst_filters.moc"
