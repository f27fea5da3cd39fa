// Reading RTF that this program did not write: the colouriser's template,
// word-processor documents, and malformed input.
#include "RtfTestUtil.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>

using namespace corvel::rtf;
using rtftest::ColouriserRtf;
using rtftest::FormatAt;

namespace {

Document ReadOk(const QByteArray &rtf) {
    Document doc;
    if (!Read(rtf, &doc)) qWarning("not taken as RTF: %s", rtf.left(60).constData());
    return doc;
}

const QList<int> kColours = {0, 16711680, 12582912, 40960, 0};

// What the colour of each character of a coloured text is.
QList<int> Colours(const Document &doc) {
    QList<int> c;
    for (int i = 0; i < doc.text.size(); ++i)
        c.append(FormatAt(doc, i).color);
    return c;
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void colouriserTemplateKeepsTheText_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("braces and backslash") << QStringLiteral("a{b}c\\d");
        QTest::newRow("tags") << QStringLiteral("<p align='left'>x</p>");
        QTest::newRow("lines") << QStringLiteral(
            "<html>\r\n<body bgcolor=\"#fff\">\r\n  texto\r\n</body>\r\n");
        QTest::newRow("line ends with backslash") << QStringLiteral("a\\\r\nb\\\\\r\n\\");
        QTest::newRow("digits after breaks") << QStringLiteral("1\r\n2\r\n<td width=100>3</td>");
        QTest::newRow("non-ASCII raw")
            << QStringLiteral("ação € “x” 日本 😀\r\n<b title=\"é\">ü</b>");
        QTest::newRow("blank lines") << QStringLiteral("\r\n\r\n\r\n");
        QTest::newRow("empty") << QString();
        QTest::newRow("attribute outside a tag") << QStringLiteral("Sum: total = 5 items <i>x</i>");
    }
    void colouriserTemplateKeepsTheText() {
        QFETCH(QString, text);
        const QString rtf = ColouriserRtf(text, QStringLiteral("Courier New"), 22, kColours);
        QString expected = text;
        expected.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        Document doc;
        QVERIFY(ReadText(rtf, &doc));
        QCOMPARE(doc.text, expected);
        // The same RTF as UTF-8 bytes (a string that went through a file).
        QCOMPARE(ReadOk(rtf.toUtf8()).text, expected);
        for (int i = 0; i < doc.text.size(); ++i) {
            const CharFormat f = FormatAt(doc, i);
            QCOMPARE(f.font, QStringLiteral("Courier New"));
            QCOMPARE(f.pointSize, 11.0);
            QVERIFY(!f.bold && !f.italic);
        }
    }

    void colouriserColoursTagsAndAttributes() {
        const QString text = QStringLiteral("<p align='left'>x</p>");
        Document doc;
        QVERIFY(ReadText(ColouriserRtf(text, QStringLiteral("Courier New"), 22, kColours), &doc));
        QCOMPARE(doc.text, text);
        const int tag = 16711680, name = 12582912, value = 40960, normal = 0;
        QList<int> expected;
        for (QChar c : QStringLiteral("<p")) {
            Q_UNUSED(c);
            expected << tag;
        }
        for (int i = 0; i < 7; ++i)
            expected << name; // " align="
        for (int i = 0; i < 6; ++i)
            expected << value; // "'left'"
        expected << tag;       // ">"
        expected << normal;    // "x"
        for (int i = 0; i < 4; ++i)
            expected << tag; // "</p>"
        QCOMPARE(Colours(doc), expected);
    }

    void colourSwitchesEndedByEmptyGroupsAndRawBreaks() {
        // Control words closed by "{}" instead of a space, and a raw carriage
        // return after \par: the text around them is kept as it was.
        const QByteArray rtf =
            "{\\rtf1{\\fonttbl{\\f2 Courier New;}}{\\colortbl\\red0\\green0\\blue0;"
            "\\red0\\green0\\blue255;}\\plain\\f2\\fs22\\cf1 <b>\\plain\\f2\\fs22\\cf0{} x = 5"
            "\\par \r\n\\plain\\f2\\fs22\\cf0{}  y\\par }";
        const Document doc = ReadOk(rtf);
        QCOMPARE(doc.text, QStringLiteral("<b> x = 5\n  y"));
        QCOMPARE(FormatAt(doc, 0).color, 0xFF0000);
        QCOMPARE(FormatAt(doc, 3).color, 0);
    }

    void undefinedColourIndexShowsTheDefaultColour() {
        // Font standardisation: the table holds colour 0 only, the passes
        // still switch to \cf1..\cf3.
        const QString text = QStringLiteral("<a href=\"x\">link</a> plain");
        Document doc;
        QVERIFY(ReadText(ColouriserRtf(text, QStringLiteral("Verdana"), 20, {0x336699}), &doc));
        QCOMPARE(doc.text, text);
        QCOMPARE(FormatAt(doc, 0).color, -1);                      // "<" in \cf1
        QCOMPARE(FormatAt(doc, int(text.indexOf("x"))).color, -1); // value in \cf3
        QCOMPARE(FormatAt(doc, int(text.indexOf("link"))).color, 0x336699);
        QCOMPARE(FormatAt(doc, 0).font, QStringLiteral("Verdana"));
        QCOMPARE(FormatAt(doc, 0).pointSize, 10.0);
        // Indices far outside, negative or missing tables behave the same.
        const Document d = ReadOk(
            "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf1 a\\cf99999999999 b\\cf-3 c\\cf2 d}");
        QCOMPARE(d.text, QStringLiteral("abcd"));
        QCOMPARE(FormatAt(d, 0).color, 0x0000FF);
        QCOMPARE(FormatAt(d, 1).color, -1);
        QCOMPARE(FormatAt(d, 2).color, -1);
        QCOMPARE(FormatAt(d, 3).color, -1);
        QCOMPARE(FormatAt(ReadOk("{\\rtf1\\cf1 a}"), 0).color, -1);
    }

    void wordProcessorDocument() {
        // Written the way word processors write coloured text.
        const QByteArray rtf =
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1046"
            "{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}{\\f1\\froman\\fprq2\\fcharset0 Times New "
            "Roman{\\*\\panose 02020603050405020304};}"
            "{\\f2\\fswiss\\fcharset0 Arial;}}\r\n"
            "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green176\\blue80;}\r\n"
            "{\\*\\generator Riched20 10.0.19041}{\\info{\\title Relat\\'f3rio}{\\author Jo\\'e3o}}"
            "{\\stylesheet{ Normal;}{\\s1 heading 1;}}\\viewkind4\\uc1 \r\n"
            "\\pard\\sa200\\sl276\\slmult1\\cf1\\f0\\fs22\\lang22 Informa\\'e7\\'e3o \\cf2\\b "
            "vermelha\\b0\\cf0  e "
            "\\i it\\'e1lico\\i0 , caf\\u233?, \\{chaves\\} e \\\\barra\\par\r\n"
            "{\\f1\\fs28 Segunda {\\b linha}}\\tab fim\\line quebra\\~junto\\emdash ok\\par\r\n"
            "{\\field{\\*\\fldinst{HYPERLINK \"http://x.example/\"}}{\\fldrslt{\\ul\\cf1 o "
            "link}}}\\par\r\n"
            "{\\pict\\wmetafile8\\picw100\\pich100 0100090000033e00000000001500000000000500}"
            "{\\*\\shppict{\\pict\\pngblip 89504e47}}{\\nonshppict{\\pict\\wmetafile8 0100}}"
            "{\\object\\objemb{\\*\\objclass Paint.Picture}{\\*\\objdata 0105}{\\result texto do "
            "objeto}}"
            "\\unknownword42 fim{\\*\\unknowndest escondido}.\\par\r\n}\r\n";
        const Document doc = ReadOk(rtf);
        QCOMPARE(doc.text,
                 QStringLiteral("Informação vermelha e itálico, café, {chaves} e \\barra\n"
                                "Segunda linha\tfim\nquebra\u00a0junto\u2014ok\n"
                                "o link\n"
                                "fim."));
        const auto at = [&](const char *s) {
            return FormatAt(doc, int(doc.text.indexOf(QString::fromUtf8(s))));
        };
        QCOMPARE(at("Informação").color, 0x0000FF);
        QCOMPARE(at("Informação").font, QStringLiteral("Calibri"));
        QCOMPARE(at("Informação").pointSize, 11.0);
        QCOMPARE(at("vermelha").color, 0x50B000);
        QVERIFY(at("vermelha").bold);
        QVERIFY(!at("itálico").bold);
        QVERIFY(at("itálico").italic);
        QCOMPARE(at("itálico").color, -1); // \cf0 is the empty "auto" entry
        QCOMPARE(at("Segunda").font, QStringLiteral("Times New Roman"));
        QCOMPARE(at("Segunda").pointSize, 14.0);
        QVERIFY(at("linha").bold);
        QVERIFY(!at("fim").bold); // the group ended
        QCOMPARE(at("fim").font, QStringLiteral("Calibri"));
        QCOMPARE(at("o link").color, 0x0000FF);
    }

    void codePages() {
        // \ansicpg, a font's \fcharset and \cpg choose how bytes read.
        QCOMPARE(ReadOk("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}").text,
                 QStringLiteral("Привет"));
        QCOMPARE(ReadOk("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Arial Greek;}}\\f1 "
                        "\\'e1\\'e2\\f0 \\'e1}")
                     .text,
                 QStringLiteral("αβá"));
        QCOMPARE(
            ReadOk(
                "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 MS Mincho;}}\\f0 \\'82\\'a0\\'82\\'a2}")
                .text,
            QStringLiteral("あい"));
        QCOMPARE(ReadOk("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 M;}}\\f0 "
                        "\\'82\\'a0ab\\'82\\'a2{c}\\'82\\'a0\\par}")
                     .text,
                 QStringLiteral("あabいcあ"));
        QCOMPARE(ReadOk("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0\\cpg1253 G;}}\\f0 \\'e1}").text,
                 QStringLiteral("α"));
        QCOMPARE(ReadOk("{\\rtf1\\ansi\\ansicpg1252 \\'80\\'93x\\'94\\'c7}").text,
                 QStringLiteral("€“x”Ç"));
        // Raw 8-bit bytes that are not UTF-8 are bytes of the code page.
        QCOMPARE(ReadOk("{\\rtf1\\ansi a\xe7\xe3o\x80}").text, QStringLiteral("ação€"));
        QCOMPARE(ReadOk("{\\rtf1\\ansi\\ansicpg1251 \xcf\xf0}").text, QStringLiteral("Пр"));
        // Unknown or absurd pages fall back to Windows-1252.
        QCOMPARE(ReadOk("{\\rtf1\\ansi\\ansicpg99999 \\'e9}").text, QStringLiteral("é"));
        QCOMPARE(ReadOk("{\\rtf1\\ansi\\ansicpg-5 \\'e9}").text, QStringLiteral("é"));
        // A multi-byte character cut short shows as a replacement, without
        // swallowing what follows.
        const QString cut = ReadOk("{\\rtf1{\\fonttbl{\\f0\\fcharset128 M;}}\\f0 \\'82}x").text;
        QVERIFY(cut.endsWith(QLatin1Char('x')));
        // A lone lead byte after the last paragraph mark still shows, and the
        // formatted run before it ends with the text.
        const Document lone = ReadOk("{\\rtf1\\ansicpg932 {\\b a\\par}\\'87}");
        QCOMPARE(lone.text, QStringLiteral("a\n\uFFFD"));
        QCOMPARE(lone.ranges.size(), 1);
        QCOMPARE(lone.ranges[0].length, 2);
        // Hex escapes with bad digits are dropped, the text after them kept.
        QCOMPARE(ReadOk("{\\rtf1 a\\'zzb\\'4}").text, QStringLiteral("azzb4"));
    }

    void unicodeEscapes() {
        QCOMPARE(ReadOk("{\\rtf1 caf\\u233?, \\u-10179?\\u-8704? \\u8364\\'80.}").text,
                 QStringLiteral("café, 😀 €."));
        // \ucN says how many fallback characters follow; \'hh counts as one.
        QCOMPARE(ReadOk("{\\rtf1\\uc2 \\u12354\\'82\\'a0x\\uc0 \\u12356 y}").text,
                 QStringLiteral("あxいy"));
        // The skip ends at a group edge and does not eat control words.
        QCOMPARE(ReadOk("{\\rtf1\\uc3 {\\u233 a}b\\u233\\par c}").text, QStringLiteral("ébé\nc"));
        // \ucN belongs to its group.
        QCOMPARE(ReadOk("{\\rtf1 {\\uc0 \\u233 x}\\u233 yz}").text, QStringLiteral("éxéz"));
        // Out-of-range values are dropped with their fallback.
        QCOMPARE(ReadOk("{\\rtf1 a\\u99999?b\\u-99999?c}").text, QStringLiteral("abc"));
    }

    void destinations() {
        // Ignorable destinations, skipped binaries and field results.
        QCOMPARE(ReadOk("{\\rtf1 a{\\*\\anything {nested} \\'e9 text}b}").text,
                 QStringLiteral("ab"));
        QCOMPARE(ReadOk("{\\rtf1 a{\\pict\\bin5 }}{\\x}b}").text, QStringLiteral("ab"));
        QCOMPARE(ReadOk("{\\rtf1 a{\\*\\x\\bin3 \\}{}b}").text, QStringLiteral("ab"));
        QCOMPARE(ReadOk("{\\rtf1 a\\bin2 }}b}").text, QStringLiteral("ab"));
        // An unknown destination without \* shows its text.
        QCOMPARE(ReadOk("{\\rtf1 a{\\newthing shown}b}").text, QStringLiteral("ashownb"));
        // \* in the middle of a group is not a destination marker.
        QCOMPARE(ReadOk("{\\rtf1 a\\*\\foo b}").text, QStringLiteral("ab"));
        // Destination words only count at the start of a group.
        QCOMPARE(ReadOk("{\\rtf1 a \\pict b}").text, QStringLiteral("a b"));
        // Bullets of lists, tables and special characters.
        QCOMPARE(
            ReadOk(
                "{\\rtf1{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}item\\par "
                "\\trowd\\cellx100 a\\cell b\\cell\\row\\lquote q\\rquote\\bullet\\endash\\_\\-x}")
                .text,
            QStringLiteral("·\titem\na\tb\t\n‘q’•–\u2011x"));
    }

    void formattingState() {
        const Document d = ReadOk("{\\rtf1{\\fonttbl{\\f0 A;}{\\f5 B;}}\\f5\\fs30\\b\\i x{\\b0 "
                                  "y\\plain z}w\\b0\\i0 v\\plain u}");
        QCOMPARE(d.text, QStringLiteral("xyzwvu"));
        const CharFormat x = FormatAt(d, 0);
        QCOMPARE(x.font, QStringLiteral("B"));
        QCOMPARE(x.pointSize, 15.0);
        QVERIFY(x.bold && x.italic);
        QVERIFY(!FormatAt(d, 1).bold && FormatAt(d, 1).italic);
        QVERIFY(FormatAt(d, 2).isDefault());
        QCOMPARE(FormatAt(d, 3), x); // the group restored it
        QCOMPARE(FormatAt(d, 4).font, QStringLiteral("B"));
        QVERIFY(!FormatAt(d, 4).bold && !FormatAt(d, 4).italic);
        QVERIFY(FormatAt(d, 5).isDefault());
        // A font table without groups, and a font the table does not have.
        const Document e = ReadOk("{\\rtf1{\\fonttbl\\f0\\fnil Courier;\\f1 Times;}\\f1 a\\f7 b}");
        QCOMPARE(FormatAt(e, 0).font, QStringLiteral("Times"));
        QCOMPARE(FormatAt(e, 1).font, QString());
    }

    void finalParagraphMark() {
        QCOMPARE(ReadOk("{\\rtf1 a\\par}").text, QStringLiteral("a"));
        QCOMPARE(ReadOk("{\\rtf1 a\\par\\par}").text, QStringLiteral("a\n"));
        QCOMPARE(ReadOk("{\\rtf1 a\\par\\pard\\plain\\f0 }").text, QStringLiteral("a"));
        QCOMPARE(ReadOk("{\\rtf1 a\\line}").text, QStringLiteral("a\n"));
        QCOMPARE(ReadOk("{\\rtf1 a\\par b}").text, QStringLiteral("a\nb"));
        QCOMPARE(ReadOk("{\\rtf1 a\\\r\nb}").text, QStringLiteral("a\nb")); // "\<LF>" is \par
    }

    void notRtf() {
        Document doc;
        doc.text = QStringLiteral("old");
        QVERIFY(!Read("plain text", &doc));
        QVERIFY(doc.text.isEmpty());
        QVERIFY(!Read(QByteArray(), &doc));
        QVERIFY(!Read("{\\rt", &doc));
        QVERIFY(!ReadText(QStringLiteral("{rtf1}"), &doc));
        QVERIFY(Read("\xef\xbb\xbf \r\n{\\rtf1 x}", &doc));
        QCOMPARE(doc.text, QStringLiteral("x"));
    }

    void malformedInput() {
        // Unbalanced and truncated documents keep what they have.
        QCOMPARE(ReadOk("{\\rtf1 a{\\b b").text, QStringLiteral("ab"));
        QCOMPARE(ReadOk("{\\rtf1 a}}}}b}").text, QStringLiteral("ab"));
        QCOMPARE(ReadOk("{\\rtf1 a\\").text, QStringLiteral("a"));
        QCOMPARE(ReadOk("{\\rtf1 a\\'").text, QStringLiteral("a"));
        QCOMPARE(ReadOk("{\\rtf1 a\\'4").text, QStringLiteral("a4"));
        QCOMPARE(ReadOk("{\\rtf1 a\\u").text, QStringLiteral("a"));
        QCOMPARE(ReadOk("{\\rtf1 a\\bin999999999999999999999 xyz").text, QStringLiteral("a"));
        QCOMPARE(ReadOk("{\\rtf1 a\\bin-5 b}").text, QStringLiteral("ab"));
        QCOMPARE(ReadOk("{\\rtf1 {\\fonttbl{\\f0 Arial").text, QString());
        QCOMPARE(ReadOk("{\\rtf1 {\\colortbl\\red999\\green-4\\blue300;}\\cf0 a}").text,
                 QStringLiteral("a"));
        QCOMPARE(
            FormatAt(ReadOk("{\\rtf1 {\\colortbl\\red999\\green-4\\blue300;}\\cf0 a}"), 0).color,
            0xFF00FF);
        // Huge numbers and endless words.
        const Document big =
            ReadOk("{\\rtf1\\fs99999999999999999999999 a\\fs-9 b\\uc99999999 \\u65 xy" +
                   QByteArray(5000, 'q') + "1 c}");
        QCOMPARE(big.text.left(2), QStringLiteral("ab"));
        QCOMPARE(FormatAt(big, 0).pointSize, 1638.0);
        QCOMPARE(FormatAt(big, 1).pointSize, 0.0);
        // Binary junk: control characters and NUL bytes are not text.
        QByteArray junk("{\\rtf1 a");
        junk.append('\0').append("\x01\x02\xff\xfe").append('\0').append("b}");
        QCOMPARE(ReadOk(junk).text, QStringLiteral("aÿþb"));
    }

    void deepNestingIsBoundedAndLinear() {
        QElapsedTimer timer;
        timer.start();
        for (int depth : {100, 1000, 200000}) {
            QByteArray rtf = "{\\rtf1 ";
            rtf += QByteArray(depth, '{') + "\\b x" + QByteArray(depth, '}') + "y";
            const Document d = ReadOk(rtf);
            QCOMPARE(d.text, QStringLiteral("xy"));
            QVERIFY(!FormatAt(d, 1).bold);
            QByteArray open = "{\\rtf1 " + QByteArray(depth, '{') + "z";
            QCOMPARE(ReadOk(open).text, QStringLiteral("z"));
            QByteArray skip =
                "{\\rtf1 {\\*\\x" + QByteArray(depth, '{') + "z" + QByteArray(depth, '}') + "}w}";
            QCOMPARE(ReadOk(skip).text, QStringLiteral("w"));
        }
        QVERIFY2(timer.elapsed() < 2000, "nesting must cost linear time");
    }

    // Font numbers as they come: in order, out of order, repeated, huge,
    // negative, in a second table; each run shows the face its number has.
    void fontNumbers_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("faces"); // face of each character of the text
        QTest::newRow("in order") << QByteArray("{\\f0 A;}{\\f1 B;}") << QByteArray("\\f1 x\\f0 y")
                                  << QStringList{"B", "A"};
        QTest::newRow("out of order and sparse")
            << QByteArray("{\\f7 G;}{\\f2 C;}{\\f2000000000 Z;}")
            << QByteArray("\\f2000000000 x\\f7 y\\f2 z\\f3 w") << QStringList{"Z", "G", "C", ""};
        QTest::newRow("repeated number: the last entry")
            << QByteArray("{\\f1 A;}{\\f1 B;}") << QByteArray("\\f1 x") << QStringList{"B"};
        QTest::newRow("negative number: no face")
            << QByteArray("{\\f-3 N;}") << QByteArray("\\f-3 x") << QStringList{""};
        QTest::newRow("second table replaces the first")
            << QByteArray("{\\f0 A;}}{\\fonttbl{\\f1 B;}") << QByteArray("\\f0 x\\f1 y")
            << QStringList{"", "B"};
        QTest::newRow("same face under two numbers")
            << QByteArray("{\\f0 Arial;}{\\f1  Arial ;}") << QByteArray("\\f0 x\\f1 y")
            << QStringList{"Arial", "Arial"};
    }
    void fontNumbers() {
        QFETCH(QByteArray, table);
        QFETCH(QByteArray, text);
        QFETCH(QStringList, faces);
        const Document d = ReadOk("{\\rtf1{\\fonttbl" + table + "}" + text + "}");
        QCOMPARE(d.text.size(), faces.size());
        for (int i = 0; i < faces.size(); ++i)
            QCOMPARE(FormatAt(d, i).font, faces[i]);
    }

    // Huge tables read in linear time: 300,000 fonts (alternating code pages,
    // every one used) and 300,000 colours.
    void hugeTablesCostLinearTime() {
        QByteArray fonts = "{\\rtf1\\ansi{\\fonttbl";
        QByteArray text, colours = "{\\rtf1{\\colortbl;";
        for (int i = 0; i < 300000; ++i) {
            const QByteArray k = QByteArray::number(i);
            fonts += "{\\f" + k + "\\fcharset" + (i % 2 ? "128" : "0") + " F" + k + ";}";
            text += "\\f" + k + " \\'82\\'a0";
            colours += "\\red" + QByteArray::number(i % 256) + "\\green0\\blue0;";
        }
        QElapsedTimer timer;
        timer.start();
        const Document d = ReadOk(fonts + "}" + text + "}");
        const Document c = ReadOk(colours + "}\\cf299999 x}");
        QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(d.text.size(), 450000);
        QCOMPARE(d.text.mid(0, 3), QStringLiteral("\u201a\u00a0\u3042"));
        QCOMPARE(FormatAt(d, 449999).font, QStringLiteral("F299999"));
        QCOMPARE(FormatAt(c, 0).color, 299998 % 256); // entry 0 is the empty "auto" one
    }

    void longFaceNamesCostLinearTime() {
        // 20,000 runs in 3,000 formats, all in a face with a 200,000-character
        // name: neither reading nor writing may hash the name per run.
        QByteArray rtf = "{\\rtf1{\\fonttbl{\\f0 " + QByteArray(200000, 'A') + ";}}";
        for (int i = 1; i <= 20000; ++i)
            rtf += "\\f0\\fs" + QByteArray::number(i % 3000 + 1) + " x";
        rtf += "}";
        QElapsedTimer timer;
        timer.start();
        const Document doc = ReadOk(rtf);
        const QByteArray written = Write(doc);
        QCOMPARE(ReadOk(written).text, doc.text);
        QVERIFY2(timer.elapsed() < 3000, "per-run cost must not grow with the face name");
        QCOMPARE(doc.text.size(), 20000);
        QCOMPARE(doc.formats.size(), 3000);
        QCOMPARE(FormatAt(doc, 19999).pointSize, 1000.5);
        QCOMPARE(written.count("\\fnil"), 1); // the table holds the face once
    }

    void everyPrefixAndRandomDamage() {
        // Every prefix of a real document, and random byte damage, reads
        // without failing; a prefix never shows text the document lacks.
        const QString full = ColouriserRtf(QStringLiteral("<p a=\"1\">ação {x}\\</p>\r\nfim"),
                                           QStringLiteral("Courier New"), 22, kColours);
        const QByteArray bytes = full.toUtf8();
        for (int n = 0; n <= bytes.size(); ++n) {
            Document d;
            Read(bytes.left(n), &d);
            QVERIFY(d.text.size() <= 30);
        }
        QRandomGenerator rng(1234);
        for (int round = 0; round < 2000; ++round) {
            QByteArray b = bytes;
            for (int k = 0; k < 4; ++k)
                b[rng.bounded(int(b.size()))] = char(rng.bounded(256));
            Document d;
            Read(b, &d);
            Document again;
            QVERIFY(Read(Write(d), &again));
            QCOMPARE(again.text, d.text);
        }
    }
};

QTEST_APPLESS_MAIN(TestRtfReader)
#include "tst_rtf_reader.moc"
