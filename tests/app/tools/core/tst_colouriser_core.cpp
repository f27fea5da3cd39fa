// The colouriser's text work: the replacement helper, the colour entries, the
// RTF template and the four passes, comment and script ranges.
#include "ColorizerRtf.h"
#include "RegexReplace.h"
#include "RtfDocument.h"
#include "Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvel;

class TestColouriserCore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void regexReplace_data();
    void regexReplace();
    void invalidPattern();
    void runawayPatternReplacesNothing();
    void colourEntries();
    void halfPoints();
    void settingsRead();
    void templatePieces();
    void passes_data();
    void passes();
    void spaceAfterTagKept();
    void nonAsciiEscaped();
    void ranges();
    void readBack_data();
    void readBack();
    void corpusReadBack_data();
    void corpusReadBack();

private:
    QTemporaryDir dir;
};

void TestColouriserCore::initTestCase() {
    QVERIFY(dir.isValid());
    SetSettingsFileOverride(dir.filePath("settings.ini"));
}

void TestColouriserCore::regexReplace_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("groups") << "(a)(b)"
                            << "[$2$1]"
                            << "xabyAB"
                            << "x[ba]y[BA]";
    QTest::newRow("backslash before group") << "([{}\\\\])"
                                            << "\\$1"
                                            << "a{b}c\\d"
                                            << "a\\{b\\}c\\\\d";
    QTest::newRow("dollar escapes") << "b"
                                    << "$$-$&-$9"
                                    << "abc"
                                    << "a$-b-$9c";
    QTest::newRow("two digits when the group exists") << "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)"
                                                      << "$11|$10|$1x"
                                                      << "abcdefghijk"
                                                      << "k|j|ax";
    QTest::newRow("one digit when not") << "(a)"
                                        << "$10"
                                        << "a"
                                        << "a0";
    QTest::newRow("no match") << "z"
                              << "y"
                              << "abc"
                              << "abc";
    QTest::newRow("empty text") << "a"
                                << "b"
                                << ""
                                << "";
}

void TestColouriserCore::regexReplace() {
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(QString, text);
    bool ok = false;
    QTEST(RegexReplaceAll(pattern, replacement, text, &ok), "expected");
    QVERIFY(ok);
}

void TestColouriserCore::invalidPattern() {
    bool ok = true;
    QCOMPARE(RegexReplaceAll("(", "x", "abc", &ok), QString("abc"));
    QVERIFY(!ok);
}

// A replace-all that reaches the work limit part-way makes no replacement at
// all, and says why; the same expression over a short text still works.
void TestColouriserCore::runawayPatternReplacesNothing() {
    QString text;
    while (text.size() < 300000)
        text += "<p>" + QString(24, 'a') + "</p>\r\n";
    text += "b";
    bool ok = true, tooComplex = false;
    QCOMPARE(RegexReplaceAll("(a|aa)+b|</p>", "x", text, &ok, &tooComplex), text);
    QVERIFY(!ok);
    QVERIFY(tooComplex);
    QCOMPARE(RegexReplaceAll("(a|aa)+b|</p>", "[$1]", "<p>aab</p>", &ok, &tooComplex),
             QString("<p>[a][]"));
    QVERIFY(ok);
    QVERIFY(!tooComplex);
    QCOMPARE(RegexReplaceAll("(", "x", "abc", &ok, &tooComplex), QString("abc"));
    QVERIFY(!ok);
    QVERIFY(!tooComplex);
}

void TestColouriserCore::colourEntries() {
    QCOMPARE(RtfColorEntry(16711680), QString("\\red0\\green0\\blue255"));
    QCOMPARE(RtfColorEntry(12582912), QString("\\red0\\green0\\blue192"));
    QCOMPARE(RtfColorEntry(40960), QString("\\red0\\green160\\blue0"));
    QCOMPARE(RtfColorEntry(12632256), QString("\\red192\\green192\\blue192"));
    QCOMPARE(RtfColorEntry(255), QString("\\red255\\green0\\blue0"));
    QCOMPARE(RtfColorEntry(0), QString("\\red0\\green0\\blue0"));
    // Out-of-range numbers still give bytes.
    QCOMPARE(RtfColorEntry(-1), QString("\\red255\\green255\\blue255"));
}

void TestColouriserCore::halfPoints() {
    int n = 0;
    QVERIFY(RtfHalfPoints("11", &n));
    QCOMPARE(n, 22);
    QVERIFY(RtfHalfPoints("10.9", &n));
    QCOMPARE(n, 20);
    QVERIFY(RtfHalfPoints(" 9 ", &n));
    QCOMPARE(n, 18);
    QVERIFY(!RtfHalfPoints("onze", &n));
    QVERIFY(!RtfHalfPoints("", &n));
}

void TestColouriserCore::settingsRead() {
    WriteSetting("Editor", "Tamanho", "12");
    WriteSetting("Editor", "Fonte", "Courier New");
    WriteSetting("Editor", "ClrzTag", "16711680");
    WriteSetting("Editor", "ClrzParam", "verde");
    WriteSetting("Editor", "ClrzValor", "");
    WriteSetting("Editor", "ClrzComent", "12632256");
    ColorizerSettings s;
    QVERIFY(ReadColorizerSettings(&s));
    QCOMPARE(s.halfPoints, 24);
    QCOMPARE(s.face, QString("Courier New"));
    QCOMPARE(s.tag, 16711680);
    QCOMPARE(s.param, 0);
    QCOMPARE(s.value, 0);
    QCOMPARE(s.comment, 12632256);
    WriteSetting("Editor", "Tamanho", "grande");
    QVERIFY(!ReadColorizerSettings(&s));
}

void TestColouriserCore::templatePieces() {
    const RtfTemplate t =
        BuildRtfTemplate("Courier New", 22, {RtfColorEntry(0), RtfColorEntry(255)});
    QCOMPARE(t.head, QString("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss "
                             "Courier New;}{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fswiss Courier "
                             "New;}}\r\n{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;}"
                             "\r\n\\deflang1033\\pard\\plain\\f0\\fs22 "));
    QCOMPARE(t.closing, QString("\\plain\\f2\\fs22\\cf0 "));
    QCOMPARE(t.tail, QString("\\plain\\f2\\fs22\\cf0\r\n\\par }"));
}

void TestColouriserCore::passes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("body");
    const QString p = "\\plain\\f2\\fs22";
    QTest::newRow("escapes and lines") << "a{b}\r\nc\\d"
                                       << "a\\{b\\}\\par \r\nc\\\\d";
    QTest::newRow("quoted value") << "<p align='left'>x</p>"
                                  << p + "\\cf1 <p" + p + "\\cf2  align=" + p + "\\cf3 'left'" + p +
                                         "\\cf1 >" + p + "\\cf0{}x" + p + "\\cf1 </p>" + p +
                                         "\\cf0{}";
    QTest::newRow("digits value") << "<td width=100>"
                                  << p + "\\cf1 <td" + p + "\\cf2  width=" + p + "\\cf3 100" + p +
                                         "\\cf1 >" + p + "\\cf0{}";
    QTest::newRow("bare word value")
        << "<td align=left>" << p + "\\cf1 <td align=left>" + p + "\\cf0{}";
    QTest::newRow("outside tags") << "Sum: total = 5 items"
                                  << "Sum:" + p + "\\cf2  total = " + p + "\\cf3 5" + p +
                                         "\\cf1  items";
    QTest::newRow("unterminated comment") << "<!-- a"
                                          << "<!-- a";
}

void TestColouriserCore::passes() {
    QFETCH(QString, text);
    QTEST(ColorizeBody(text, 22), "body");
}

void TestColouriserCore::spaceAfterTagKept() {
    // Text that looks like an attribute right after a tag: the attribute pass
    // must not take the delimiting space of the colour switch as text.
    const QString p = "\\plain\\f2\\fs22";
    QCOMPARE(ColorizeBody("<b>x = 5</b>", 22),
             p + "\\cf1 <b>" + p + "\\cf0{}x = 5" + p + "\\cf1 </b>" + p + "\\cf0{}");
    QCOMPARE(ColorizeBody("<b> x = 5", 22),
             p + "\\cf1 <b>" + p + "\\cf0{}" + p + "\\cf2  x = " + p + "\\cf3 5" + p + "\\cf1 ");
}

void TestColouriserCore::nonAsciiEscaped() {
    QCOMPARE(ColorizeBody(QString::fromUtf8("é€"), 22), QString("\\u233?\\u8364?"));
    // Units above 32767 are written as negative numbers, surrogates one by one.
    QCOMPARE(ColorizeBody(QString::fromUtf8("\xef\xbc\xa1"), 22), QString("\\u-223?"));
    QCOMPARE(ColorizeBody(QString::fromUtf8("\xf0\x9f\x98\x80"), 22),
             QString("\\u-10179?\\u-8704?"));
}

void TestColouriserCore::ranges() {
    const QString text = "a<!-- <b>x</b> -->b<% x %>c<!-- d\r\n -->e<?php ?>f<!-- open";
    const TextRanges comments = CommentRanges(text);
    QCOMPARE(comments.size(), 2);
    QCOMPARE(text.mid(comments[0].first, comments[0].second), QString("<!-- <b>x</b> -->"));
    QCOMPARE(text.mid(comments[1].first, comments[1].second), QString("<!-- d\r\n -->"));
    const TextRanges scripts = ScriptBlockRanges(text);
    QCOMPARE(scripts.size(), 2);
    QCOMPARE(text.mid(scripts[0].first, scripts[0].second), QString("<% x %>"));
    QCOMPARE(text.mid(scripts[1].first, scripts[1].second), QString("<?php ?>"));
    // The shortest block wins: "<!---->" needs one character between markers.
    QCOMPARE(CommentRanges("<!---->").size(), 0);
    QCOMPARE(CommentRanges("<!-- -->-->").first().second, 8);
}

// The whole RTF as the editor receives it, read back: text (line breaks left
// out) and colour of each character ('0' to '3' by colour table index, 'd'
// default).
static QString ReadBack(const QString &text, QString *plain) {
    const RtfTemplate t = BuildRtfTemplate(
        "Courier New", 22,
        {RtfColorEntry(1), RtfColorEntry(2), RtfColorEntry(3), RtfColorEntry(4), RtfColorEntry(0)});
    rtf::Document doc;
    if (!rtf::Read((t.head + ColorizeBody(text, 22) + t.closing + t.tail).toLatin1(), &doc))
        return "<not rtf>";
    QString colours(doc.text.size(), 'd');
    for (const auto &r : doc.ranges)
        for (int i = r.start; i < r.start + r.length; ++i) {
            const int c = doc.formats[r.format].color;
            colours[i] = c >= 1 && c <= 4 ? QChar('0' + c - 1) : QChar('d');
        }
    plain->clear();
    QString out;
    for (int i = 0; i < doc.text.size(); ++i) {
        if (doc.text[i] == '\n') continue;
        *plain += doc.text[i];
        out += colours[i];
    }
    return out;
}

void TestColouriserCore::readBack_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colours");
    QTest::newRow("quoted value") << "<p align='left'>x</p>"
                                  << QString("11") + "2222222" + "333333" + "1" + "0" + "1111";
    QTest::newRow("digits") << "<td width=100>" << QString("111") + "2222222" + "333" + "1";
    QTest::newRow("bare word") << "<td align=left>" << QString(15, '1');
    // Text before the first tag has the default colour (no colour switch yet).
    QTest::newRow("braces") << "a{b}c\\d" << QString(7, 'd');
    QTest::newRow("after a tag") << "<b>x = 5</b>" << QString("111") + "00000" + "1111";
    QTest::newRow("space after a tag") << "<b> x = 5" << QString("111") + "22222" + "3";
    QTest::newRow("lines") << "a\r\n<b>\r\nc"
                           << "d1110";
    QTest::newRow("non-ascii") << QString::fromUtf8("é<b title=\"ã😀\">")
                               << QString("d") + "11" + "2222222" + "33333" + "1";
}

void TestColouriserCore::readBack() {
    QFETCH(QString, text);
    QString plain;
    const QString colours = ReadBack(text, &plain);
    QCOMPARE(plain, QString(text).remove("\r\n"));
    QTEST(colours, "colours");
}

void TestColouriserCore::corpusReadBack_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("100k") << "real_100k.crlf.html";
    QTest::newRow("500k") << "real_500k.crlf.html";
}

void TestColouriserCore::corpusReadBack() {
    QFETCH(QString, file);
    QFile f(qEnvironmentVariable("CORVEL_CORPUS_DIR") + "/" + file);
    if (!f.open(QIODevice::ReadOnly)) QSKIP("corpus not found");
    const QString text = QString::fromUtf8(f.readAll());
    QString plain;
    const QString colours = ReadBack(text, &plain);
    QVERIFY(plain == QString(text).remove("\r\n"));
    QVERIFY(colours.contains('1') && colours.contains('2') && colours.contains('3'));
}

QTEST_APPLESS_MAIN(TestColouriserCore)
#include "tst_colouriser_core.moc"
