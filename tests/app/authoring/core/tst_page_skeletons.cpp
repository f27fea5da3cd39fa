// The table wizard's and the page definition's texts.
#include "PageSkeletons.h"

#include <QtTest>

using namespace corvel;

class TestPageSkeletons : public QObject {
    Q_OBJECT
private slots:
    void counts_data();
    void counts();
    void tables_data();
    void tables();
    void pages_data();
    void pages();
};

// Lines joined with CR LF, the last one ended too.
static QString Lines(const QStringList &lines) {
    return lines.join(QStringLiteral("\r\n")) + "\r\n";
}

void TestPageSkeletons::counts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("count");
    QTest::newRow("two") << "2" << true << 2;
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("blanks") << "  7 " << true << 7;
    QTest::newRow("plus") << "+3" << true << 3;
    QTest::newRow("largest") << "32767" << true << 32767;
    QTest::newRow("overflow") << "32768" << false << 0;
    QTest::newRow("huge") << "99999999999" << false << 0;
    QTest::newRow("negative") << "-1" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("letters") << "dois" << false << 0;
    QTest::newRow("mixed") << "2x" << false << 0;
    QTest::newRow("sign only") << "+" << false << 0;
    QTest::newRow("arabic digits") << QString::fromUtf8("\u0662") << false << 0;
}

void TestPageSkeletons::counts() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, count);
    int got = -1;
    QCOMPARE(ParseTableCount(text, &got), ok);
    if (ok) QCOMPARE(got, count);
}

void TestPageSkeletons::tables_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("flags"); // c comment, i indented, b blank line, s same line, t tab
    QTest::addColumn<QString>("expected");
    const QString row = "   <TR>", cell = "      <TD>", end = "      </TD>", rowEnd = "   </TR>";
    QTest::newRow("two rows one column, defaults")
        << 2 << 1 << "ib"
        << Lines({"<TABLE>", row, cell, "", end, rowEnd, row, cell, "", end, rowEnd, "</TABLE>"});
    QTest::newRow("same line ignores the blank line")
        << 1 << 2 << "ibs"
        << Lines({"<TABLE>", row, "      <TD></TD>", "      <TD></TD>", rowEnd, "</TABLE>"});
    QTest::newRow("zero rows") << 0 << 5 << "ib" << Lines({"<TABLE>", "</TABLE>"});
    QTest::newRow("zero columns") << 1 << 0 << "ib" << Lines({"<TABLE>", row, rowEnd, "</TABLE>"});
    QTest::newRow("flat, no blank line")
        << 1 << 1 << "" << Lines({"<TABLE>", "<TR>", "<TD>", "</TD>", "</TR>", "</TABLE>"});
    QTest::newRow("comments numbered by row and column")
        << 2 << 2 << "cs"
        << Lines({"<TABLE>", "<TR>", "<!-- Linha 1, Coluna 1 -->", "<TD></TD>",
                  "<!-- Linha 1, Coluna 2 -->", "<TD></TD>", "</TR>", "<TR>",
                  "<!-- Linha 2, Coluna 1 -->", "<TD></TD>", "<!-- Linha 2, Coluna 2 -->",
                  "<TD></TD>", "</TR>", "</TABLE>"});
    QTest::newRow("real tab") << 1 << 1 << "it"
                              << Lines({"<TABLE>", "\t<TR>", "\t\t<TD>", "\t\t</TD>", "\t</TR>",
                                        "</TABLE>"});
    QTest::newRow("commented cell indented twice")
        << 1 << 1 << "ics"
        << Lines({"<TABLE>", row, "      <!-- Linha 1, Coluna 1 -->", "      <TD></TD>", rowEnd,
                  "</TABLE>"});
}

void TestPageSkeletons::tables() {
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(QString, flags);
    QFETCH(QString, expected);
    TableSkeletonOptions o;
    o.rows = rows;
    o.columns = columns;
    o.comment = flags.contains('c');
    o.indented = flags.contains('i');
    o.blankLine = flags.contains('b');
    o.sameLine = flags.contains('s');
    o.realTab = flags.contains('t');
    o.tabWidth = 3;
    QCOMPARE(TableSkeleton(o), expected);
}

void TestPageSkeletons::pages_data() {
    QTest::addColumn<bool>("doctype");
    QTest::addColumn<QString>("author");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("expected");
    const QString gen = "<META NAME=\"Generator\" CONTENT=\"Corvel 5 - https://site.example\">";
    const QString fmt = "<META NAME=\"Formatter\" CONTENT=\"Corvel 5 - https://site.example\">";
    QTest::newRow("all empty") << false << ""
                               << ""
                               << ""
                               << ""
                               << Lines({"<HTML>", "<HEAD>", gen, fmt, "</HEAD>", "", "</HTML>"});
    QTest::newRow("blank fields write nothing")
        << false << ""
        << "  "
        << "\t"
        << "   " << Lines({"<HTML>", "<HEAD>", gen, fmt, "</HEAD>", "", "</HTML>"});
    QTest::newRow("everything, trimmed")
        << true << "Ana"
        << " Loja de livros "
        << " livros, sebo"
        << " Início "
        << Lines({"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
                  "\"http://www.w3.org/TR/html4/strict.dtd\">",
                  "<HTML>", "<HEAD>", gen, fmt, "<META NAME=\"Author\" CONTENT=\"Ana\">",
                  "<META NAME=\"Description\" CONTENT=\"Loja de livros\">",
                  "<META NAME=\"Keywords\" CONTENT=\"livros, sebo\">", "<TITLE>Início</TITLE>",
                  "</HEAD>", "", "</HTML>"});
    QTest::newRow("a quote never ends the value early")
        << false << ""
        << "o \"melhor\""
        << ""
        << ""
        << Lines({"<HTML>", "<HEAD>", gen, fmt,
                  "<META NAME=\"Description\" CONTENT=\"o &quot;melhor&quot;\">", "</HEAD>", "",
                  "</HTML>"});
}

void TestPageSkeletons::pages() {
    QFETCH(bool, doctype);
    QFETCH(QString, author);
    QFETCH(QString, description);
    QFETCH(QString, keywords);
    QFETCH(QString, title);
    QFETCH(QString, expected);
    PageSkeletonOptions o;
    o.documentType = doctype;
    o.author = author;
    o.description = description;
    o.keywords = keywords;
    o.title = title;
    o.siteAddress = "https://site.example";
    const QString text = PageSkeleton(o);
    QCOMPARE(text, expected);
    // Going back from the end lands in the empty line before "</HTML>".
    QCOMPARE(text.mid(text.size() - PageSkeletonCaretBack - 1, 2), QStringLiteral("\r\n"));
}

QTEST_APPLESS_MAIN(TestPageSkeletons)
#include "tst_page_skeletons.moc"
