// Where text, caret and selection end up after a tag insertion, and the case
// and quote rewriting of the inserted texts.
#include "TagTables.h"
#include "TagText.h"

#include <QtTest>

using namespace corvel;

class TestInsertTagCore : public QObject {
    Q_OBJECT
private slots:
    void inlineInsertion_data();
    void inlineInsertion();
    void separateLines_data();
    void separateLines();
    void quoteStyles_data();
    void quoteStyles();
    void caretInStyledQuotes_data();
    void caretInStyledQuotes();
    void emailLink();
    void quoteCycle();
};

static TagInsertRequest Req(const char *open, const char *close, int back, bool sep, bool inner,
                            const QString &wrapped, int s0, int col, bool keep = true) {
    TagInsertRequest r;
    r.openText = QString::fromUtf8(open);
    r.closeText = QString::fromUtf8(close);
    r.caretBack = back;
    r.separateLines = sep;
    r.innerLine = inner;
    r.wrapped = wrapped;
    r.selStart = s0;
    r.column = col;
    r.keepSelection = keep;
    return r;
}

void TestInsertTagCore::inlineInsertion_data() {
    QTest::addColumn<QString>("wrapped");
    QTest::addColumn<int>("s0");
    QTest::addColumn<int>("back");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    // Nothing wrapped: the caret goes back between the tags.
    QTest::newRow("empty") << "" << 10 << 4 << true << "<B></B>" << 13 << 0;
    // Wrapped and kept: the wrapped text is selected again.
    QTest::newRow("kept") << "abc" << 10 << 4 << true << "<B>abc</B>" << 13 << 3;
    // Wrapped, not kept: the caret stays after the insertion.
    QTest::newRow("not kept") << "abc" << 10 << 4 << false << "<B>abc</B>" << 20 << 0;
    // caretBack not less than the caret: the caret stays where it ended.
    QTest::newRow("start of document") << "" << 0 << 7 << true << "<B></B>" << 7 << 0;
    QTest::newRow("just above") << "" << 0 << 6 << true << "<B></B>" << 1 << 0;
}

void TestInsertTagCore::inlineInsertion() {
    QFETCH(QString, wrapped);
    QFETCH(int, s0);
    QFETCH(int, back);
    QFETCH(bool, keep);
    const TagInsertResult r =
        PlanTagInsert(Req("<B>", "</B>", back, false, false, wrapped, s0, 1, keep));
    QTEST(r.text, "text");
    QTEST(r.selStart, "start");
    QTEST(r.selLength, "length");
}

void TestInsertTagCore::separateLines_data() {
    QTest::addColumn<bool>("inner");
    QTest::addColumn<QString>("wrapped");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    const int s0 = 20;
    // Table definition at column 5: the caret goes back 5 + 9 from the end,
    // which is the end of the padded inner line.
    const QString table = "<TABLE>\r\n    \r\n    </TABLE>";
    QTest::newRow("table col 5") << true << "" << true << table << s0 + int(table.size()) - 14 << 0;
    const QString noInner = "<TABLE>\r\n    </TABLE>";
    QTest::newRow("no inner line")
        << false << "" << true << noInner << s0 + int(noInner.size()) - 14 << 0;
    const QString wrapped = "<TABLE>\r\n    x\r\ny\r\n    </TABLE>";
    QTest::newRow("wrapped kept") << true << "x\r\ny" << true << wrapped << s0 + 7 + 2 + 4 << 4;
    QTest::newRow("wrapped not kept")
        << false << "x\r\ny" << false << wrapped << s0 + int(wrapped.size()) << 0;
}

void TestInsertTagCore::separateLines() {
    QFETCH(bool, inner);
    QFETCH(QString, wrapped);
    QFETCH(bool, keep);
    const TagInsertResult r =
        PlanTagInsert(Req("<TABLE>", "</TABLE>", 9, true, inner, wrapped, 20, 5, keep));
    QTEST(r.text, "text");
    QTEST(r.selStart, "start");
    QTEST(r.selLength, "length");
    // Near the start of the document the caret never goes before it.
    const TagInsertResult z = PlanTagInsert(Req("{", "}", 50, true, true, "", 0, 1));
    QCOMPARE(z.selStart, 0);
    // Counted back into the middle of a line break, the caret goes to the end
    // of the inner line instead ("{" CR LF CR LF "}" back 1 + 1).
    const TagInsertResult b = PlanTagInsert(Req("{", "}", 1, true, true, "", 10, 1));
    QCOMPARE(b.text, QString("{\r\n\r\n}"));
    QCOMPARE(b.selStart, 13);
    const TagInsertResult asp = PlanTagInsert(Req("<%", "%>", 2, true, true, "", 0, 3));
    QCOMPARE(asp.text, QString("<%\r\n  \r\n  %>"));
    QCOMPARE(asp.selStart, 6);
}

void TestInsertTagCore::quoteStyles_data() {
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("expected");
    const QString in = "<A HREF=\"x\">";
    QTest::newRow("normal") << "0" << in;
    QTest::newRow("absent") << "" << in;
    QTest::newRow("other") << "7" << in;
    QTest::newRow("asp") << "1"
                         << "<A HREF=\"\"x\"\">";
    QTest::newRow("script") << "2"
                            << "<A HREF='x'>";
    QTest::newRow("php") << "3"
                         << "<A HREF=\\\"x\\\">";
}

void TestInsertTagCore::quoteStyles() {
    QFETCH(QString, style);
    QTEST(ApplyQuoteStyle("<A HREF=\"x\">", style), "expected");
}

void TestInsertTagCore::caretInStyledQuotes_data() {
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("close");
    QTest::addColumn<int>("back");
    QTest::addColumn<bool>("sep");
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("lower");
    QTest::addColumn<QString>("expected"); // "|" marks the caret
    const QString eqOpen = "= \"", eqClose = "\"";
    const QString parOpen = "(\"", parClose = "\")";
    QTest::newRow("= normal") << eqOpen << eqClose << 1 << false << "0" << false << "= \"|\"";
    QTest::newRow("= asp") << eqOpen << eqClose << 1 << false << "1" << false << "= \"\"|\"\"";
    QTest::newRow("= script") << eqOpen << eqClose << 1 << false << "2" << false << "= '|'";
    QTest::newRow("= php") << eqOpen << eqClose << 1 << false << "3" << false << "= \\\"|\\\"";
    QTest::newRow("- asp") << parOpen << parClose << 2 << false << "1" << false << "(\"\"|\"\")";
    QTest::newRow("- php") << parOpen << parClose << 2 << false << "3" << false << "(\\\"|\\\")";
    QTest::newRow("- script") << parOpen << parClose << 2 << false << "2" << false << "('|')";
    // A distance past the closing text reaches into the opening one.
    QTest::newRow("into open, php") << "<A HREF=\""
                                    << "\">" << 3 << false << "3" << false << "<A HREF=|\\\"\\\">";
    // On separate lines only the closing text is styled into the distance.
    QTest::newRow("lines, php") << "<P CLASS=\"x\">"
                                << "</P ID=\"y\">" << 12 << true << "3" << true
                                << "<p class=\\\"x\\\">\r\n|\r\n</p id=\\\"y\\\">";
    // Without quotes nothing moves, whatever the style.
    QTest::newRow("tags, asp") << "<B>"
                               << "</B>" << 4 << false << "1" << true << "<b>|</b>";
}

void TestInsertTagCore::caretInStyledQuotes() {
    QFETCH(QString, open);
    QFETCH(QString, close);
    QFETCH(int, back);
    QFETCH(bool, sep);
    QFETCH(QString, style);
    QFETCH(bool, lower);
    TagOptions o;
    o.quoteStyle = style;
    o.lowerCase = lower;
    TagInsertRequest r;
    r.caretBack = StyledCaretBack(open, close, back, sep, o, true);
    r.openText = StyleTagText(open, o, true);
    r.closeText = StyleTagText(close, o, true);
    r.separateLines = sep;
    r.innerLine = sep;
    r.selStart = 0;
    r.column = 1;
    const TagInsertResult res = PlanTagInsert(r);
    QCOMPARE(res.selLength, 0);
    QTEST(QString(res.text).insert(res.selStart, '|'), "expected");
}

void TestInsertTagCore::emailLink() {
    QCOMPARE(EmailLinkText("  Ana@Example.COM "),
             QString("<A HREF=\"mailto:ana@example.com\">ana@example.com</A>"));
    QVERIFY(EmailLinkText("").isEmpty());
    QVERIFY(EmailLinkText("ana@example").isEmpty());
    QVERIFY(EmailLinkText("ana.example.com").isEmpty());
    // With the PHP style the two quotes of the link become backslash-quotes.
    QCOMPARE(ApplyQuoteStyle(EmailLinkText("a@b.c"), "3"),
             QString("<A HREF=\\\"mailto:a@b.c\\\">a@b.c</A>"));
}

void TestInsertTagCore::quoteCycle() {
    QString image = QuoteStyleImage("0"), aspas;
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
        QVERIFY(NextQuoteStyle(image, &image, &aspas));
        seen << image + "=" + aspas;
        QCOMPARE(QuoteStyleImage(aspas), image);
    }
    QCOMPARE(seen,
             QStringList({"Aspas Simples=2", "Aspas ASP=1", "Aspas PHP=3", "Aspas Duplas=0"}));
    QString next = "unchanged";
    QVERIFY(!NextQuoteStyle("Negrito", &next, &aspas));
    QCOMPARE(next, QString("unchanged"));
}

QTEST_APPLESS_MAIN(TestInsertTagCore)
#include "tst_inserttag_core.moc"
