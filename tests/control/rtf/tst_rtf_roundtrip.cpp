// Write then Read gives back the same text and the same formatting.
#include "RtfTestUtil.h"

#include <QtTest>

using namespace corvel::rtf;
using rtftest::FormatAt;
using rtftest::SameFormatting;

namespace {

CharFormat Fmt(const QString &font, double size, int color, bool bold, bool italic) {
    CharFormat f;
    f.font = font;
    f.pointSize = size;
    f.color = color;
    f.bold = bold;
    f.italic = italic;
    return f;
}

Document RoundTrip(const Document &doc) {
    Document back;
    const QByteArray rtf = Write(doc);
    if (!Read(rtf, &back)) qWarning("Read refused the writer's output");
    return back;
}

bool IsAscii(const QByteArray &b) {
    return std::all_of(b.begin(), b.end(), [](char c) { return uchar(c) < 0x80; });
}

} // namespace

class TestRtfRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void everyAttributeSurvives() {
        Document doc;
        doc.text = QStringLiteral("Courier bold\nTimes italic\tsmall plain coloured big");
        doc.formats = {Fmt("Courier New", 11.25, 0xFF0000, true, false),
                       Fmt("Times New Roman", 12, -1, false, true),
                       Fmt(QString(), 7.5, 0, false, false),
                       Fmt("Courier New", 0, 0x00A000, true, true),
                       Fmt("Arial", 36.33, 0x123456, false, false)};
        doc.ranges = {{0, 12, 0}, {13, 12, 1}, {26, 5, 2}, {38, 8, 3}, {47, 3, 4}};
        const Document back = RoundTrip(doc);
        QString why;
        QVERIFY2(SameFormatting(doc, back, &why), qPrintable(why));
        // The gaps (line break, " plain ") keep the default format.
        QVERIFY(FormatAt(back, 12).isDefault());
        QVERIFY(FormatAt(back, 33).isDefault());
        // Equal formats are stored once, and adjacent equal runs are merged.
        QCOMPARE(back.formats.size(), 5);
        QCOMPARE(back.ranges.size(), 5);
    }

    void everyCharacterSurvives_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("braces and backslashes")
            << QStringLiteral("a{b}c\\d \\par {\\rtf1} \\'e9 \\u233?");
        QTest::newRow("latin") << QStringLiteral("ação é ü ß Ç ñ « » ¡ ÿ");
        QTest::newRow("1252 specials")
            << QStringLiteral("€ ‚ ƒ „ … † ‡ ˆ ‰ Š ‹ Œ Ž ‘ ’ “ ” • – — ˜ ™ š › œ ž Ÿ");
        QTest::newRow("beyond 1252")
            << QStringLiteral("Ωλ Жж 日本語 한국어 עברית ★ ← ∑ \uFFFD \uFFFF \u8000");
        QTest::newRow("emoji (surrogate pairs)") << QStringLiteral("x😀y👍🏽z 𝄞");
        QTest::newRow("lone surrogates") << QString(QChar(0xD800)) + "a" + QChar(0xDFFF);
        QTest::newRow("control characters") << QStringLiteral("a\rb\x01\x1f\x7f c\td\u00a0e\u00ad");
        QTest::newRow("only line breaks") << QStringLiteral("\n\n\n");
        QTest::newRow("trailing line break") << QStringLiteral("line\n");
        QTest::newRow("leading spaces after breaks") << QStringLiteral("a\n  b\n\tc \n");
        QTest::newRow("digits after breaks") << QStringLiteral("1\n2\n-3\n");
        QTest::newRow("semicolons") << QStringLiteral(";a;;b;");
        QTest::newRow("empty") << QString();
    }
    void everyCharacterSurvives() {
        QFETCH(QString, text);
        Document doc;
        doc.text = text;
        const QByteArray rtf = Write(doc);
        QVERIFY(IsAscii(rtf));
        QCOMPARE(RoundTrip(doc).text, text);

        // The same text inside a formatted run, and read from the string form.
        doc.formats = {Fmt("Courier New", 10, 0x0000FF, true, true)};
        doc.ranges = {{0, int(text.size()), 0}};
        if (text.isEmpty()) doc.ranges.clear();
        const Document back = RoundTrip(doc);
        QString why;
        QVERIFY2(SameFormatting(doc, back, &why), qPrintable(why));
        Document fromString;
        QVERIFY(ReadText(QString::fromLatin1(Write(doc)), &fromString));
        QVERIFY2(SameFormatting(doc, fromString, &why), qPrintable(why));
    }

    void fontNamesWithSpecialCharacters() {
        Document doc;
        doc.text = QStringLiteral("abc");
        doc.formats = {Fmt("Odd;Font{x}\\", 10, -1, false, false),
                       Fmt("Fonte Ação 日本", 10, -1, false, false)};
        doc.ranges = {{0, 1, 0}, {1, 2, 1}};
        QString why;
        QVERIFY2(SameFormatting(doc, RoundTrip(doc), &why), qPrintable(why));
    }

    void untrustedRangesAreTrimmed() {
        Document doc;
        doc.text = QStringLiteral("0123456789");
        doc.formats = {Fmt("A", 10, 1, false, false), Fmt("B", 10, 2, false, false)};
        doc.ranges = {{2, 4, 0},  {4, 4, 1},   // overlaps the first: starts at 6
                      {-5, 3, 0}, {8, 100, 1}, // before the text, past its end
                      {1, 1, 7},  {3, -2, 0}}; // no such format, negative length
        const Document back = RoundTrip(doc);
        QCOMPARE(back.text, doc.text);
        QCOMPARE(FormatAt(back, 1), CharFormat());
        QCOMPARE(FormatAt(back, 2).font, QStringLiteral("A"));
        QCOMPARE(FormatAt(back, 5).font, QStringLiteral("A"));
        QCOMPARE(FormatAt(back, 6).font, QStringLiteral("B"));
        QCOMPARE(FormatAt(back, 9).font, QStringLiteral("B"));
    }

    void oddValuesAreKeptSane() {
        Document doc;
        doc.text = QStringLiteral("abcd");
        doc.formats = {Fmt("A", -3, 0x7FFFFFFF, false, false), Fmt("A", 1e9, -7, false, false),
                       Fmt("A", qQNaN(), 0, false, false)};
        doc.ranges = {{0, 1, 0}, {1, 1, 1}, {2, 2, 2}};
        const Document back = RoundTrip(doc);
        QCOMPARE(back.text, doc.text);
        QCOMPARE(FormatAt(back, 0).pointSize, 0.0);
        QCOMPARE(FormatAt(back, 0).color, 0xFFFFFF);
        QCOMPARE(FormatAt(back, 1).pointSize, 1638.0);
        QCOMPARE(FormatAt(back, 1).color, -1);
        QCOMPARE(FormatAt(back, 2).pointSize, 0.0);
    }

    void largeColouredDocument() {
        // 512,000 characters in 32,000 alternating runs survive intact.
        Document doc;
        QString text;
        for (int i = 0; i < 32000; ++i)
            text += (i % 50 == 49) ? QStringLiteral("<td a=1>çé\n\r\n")
                                   : QStringLiteral("<p>x{}\\y\"ab\"");
        doc.text = text.left(512000);
        doc.formats = {Fmt("Courier New", 11, 0xFF0000, false, false),
                       Fmt("Courier New", 11, 0, false, false)};
        for (int pos = 0, i = 0; pos < doc.text.size(); pos += 16, ++i)
            doc.ranges.append({pos, int(std::min<qsizetype>(16, doc.text.size() - pos)), i % 2});
        QString why;
        QVERIFY2(SameFormatting(doc, RoundTrip(doc), &why), qPrintable(why));
    }
};

QTEST_APPLESS_MAIN(TestRtfRoundTrip)
#include "tst_rtf_roundtrip.moc"
