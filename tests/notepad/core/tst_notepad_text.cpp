// The notepad's texts and rules: caption, filter, printed lines, colours,
// preview address, the fixed rich-text tables and the HTML command table.
#include "FixedFormat.h"
#include "HtmlCommands.h"
#include "NotepadText.h"

#include <QSet>
#include <QtTest>

using namespace tessim;

class TestNotepadText : public QObject {
    Q_OBJECT
private slots:
    void caption_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        QTest::newRow("new") << "" << "Tessim";
        QTest::newRow("file") << "/home/ana/site/index.html" << "Tessim - [/home/ana/site/index.html]";
        QTest::newRow("spaces") << "/tmp/a b/c d.txt" << "Tessim - [/tmp/a b/c d.txt]";
    }
    void caption() {
        QFETCH(QString, path);
        QFETCH(QString, caption);
        QCOMPARE(WindowCaption(path), caption);
    }

    void filterKeepsTheFourEntriesWithAllFilesLast() {
        QCOMPARE(FileDialogFilter(),
                 QStringLiteral("Hipertexto (*.htm *.html);;Linguagem (*.asp *.php *.cfm);;"
                                "Texto (*.txt);;Todos os Arquivos (*)"));
        QCOMPARE(FileDialogFilter().split(QStringLiteral(";;")).size(), kAllFilesFilter);
    }

    void printLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("lengths"); // of each printed line, its space included
        QTest::newRow("200 characters") << QString(200, u'x') << QList<int>{86, 86, 31};
        QTest::newRow("85 stays whole") << QString(85, u'x') << QList<int>{86};
        QTest::newRow("86 is cut") << QString(86, u'x') << QList<int>{86, 2};
        QTest::newRow("170 is two pieces") << QString(170, u'x') << QList<int>{86, 86};
        QTest::newRow("empty text") << QString() << QList<int>{1};
        QTest::newRow("CR LF lines") << QStringLiteral("ab\r\ncde\r\n") << QList<int>{3, 4, 1};
        QTest::newRow("lone LF and CR") << QStringLiteral("a\nbb\rccc") << QList<int>{2, 3, 4};
    }
    void printLines() {
        QFETCH(QString, text);
        QFETCH(QList<int>, lengths);
        const QStringList lines = PrintLines(text);
        QList<int> got;
        for (const QString &l : lines) {
            QVERIFY2(l.startsWith(QLatin1Char(' ')), qPrintable(l));
            got << int(l.size());
        }
        QCOMPARE(got, lengths);
        // Nothing lost, nothing added but the leading spaces.
        QString joined;
        for (const QString &l : lines) joined += l.mid(1);
        QString plain = text;
        plain.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        QCOMPARE(joined, plain);
    }

    void printPieceNeverSplitsACharacter() {
        // An emoji (two UTF-16 units) straddling the 85th unit moves whole
        // to the next piece.
        const QString text = QString(84, u'a') + QStringLiteral("\U0001F600") + QString(10, u'b');
        const QStringList lines = PrintLines(text);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QLatin1Char(' ') + QString(84, u'a'));
        QCOMPARE(lines[1], QStringLiteral(" \U0001F600") + QString(10, u'b'));
    }

    void htmlColour_data() {
        QTest::addColumn<int>("colour");
        QTest::addColumn<QString>("html");
        QTest::newRow("pure red") << Rgb(255, 0, 0) << "#FF0000";
        QTest::newRow("pure blue") << Rgb(0, 0, 255) << "#0000FF";
        QTest::newRow("leading zeros") << Rgb(1, 2, 3) << "#010203";
        QTest::newRow("mixed") << Rgb(0x12, 0xAB, 0xEF) << "#12ABEF";
        QTest::newRow("white") << Rgb(255, 255, 255) << "#FFFFFF";
    }
    void htmlColour() {
        QFETCH(int, colour);
        QFETCH(QString, html);
        QCOMPARE(HtmlColourText(colour), html);
    }

    void previewUrl_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "/tmp/site/index.html";
        QTest::newRow("space and hash") << "/tmp/meu site/#1 página.html";
        QTest::newRow("percent") << "/tmp/100%/a.htm";
    }
    void previewUrl() {
        QFETCH(QString, path);
        const QUrl url = PreviewUrl(path);
        QCOMPARE(url.scheme(), QStringLiteral("file"));
        QCOMPARE(url.toLocalFile(), path);
        // The address as text names the same file (a "#" is not a fragment).
        QCOMPARE(QUrl(url.toString(QUrl::FullyEncoded)).toLocalFile(), path);
    }

    void previewUrlOfARelativePathIsAbsolute() {
        QVERIFY(QFileInfo(PreviewUrl(QStringLiteral("a.html")).toLocalFile()).isAbsolute());
    }

    void saveQuestion_data() {
        QTest::addColumn<bool>("handOver");
        QTest::addColumn<QString>("text");
        QTest::newRow("commands") << false
                                  << "O documento em edição não foi gravado.\r\n\r\n"
                                     "Deseja gravar as alterações?";
        QTest::newRow("hand-over")
            << true
            << "O documento em edição não foi gravado. Caso não grave a abra no Corvel, as "
               "últimas alterações não estarão disponíveis.\r\n\r\nDeseja gravar as alterações?";
    }
    void saveQuestion() {
        QFETCH(bool, handOver);
        QFETCH(QString, text);
        QCOMPARE(SaveQuestionText(handOver), text);
    }

    void aboutNamesVersionAndSite() {
        const QString t = AboutText(QStringLiteral("5.1.0"), QStringLiteral("https://x.example"));
        QVERIFY(t.startsWith(QStringLiteral("Tessim\r\nVersão 5.1.0\r\n")));
        QVERIFY(t.contains(QStringLiteral("Corvel")));
        QVERIFY(t.endsWith(QStringLiteral("https://x.example")));
    }

    void richTextTables_data() {
        QTest::addColumn<bool>("coloured");
        QTest::addColumn<QString>("table");
        QTest::newRow("colourise")
            << true
            << "{\\colortbl\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green0\\blue192;"
               "\\red0\\green128\\blue0;\\red0\\green0\\blue0;}";
        QTest::newRow("standard font") << false << "{\\colortbl\\red0\\green0\\blue0;}";
    }
    void richTextTables() {
        QFETCH(bool, coloured);
        QFETCH(QString, table);
        const QString text = QStringLiteral("<p class=\"a\">{x}</p>");
        const QString rtf = coloured ? ColouredRtf(text) : StandardFontRtf(text);
        QVERIFY2(rtf.contains(QStringLiteral("\r\n") + table + QStringLiteral("\r\n")),
                 qPrintable(rtf));
        QVERIFY(rtf.contains(QStringLiteral("{\\f0\\fswiss Courier New;}")));
        QVERIFY(rtf.contains(QStringLiteral("\\fs22 ")));
        QVERIFY(rtf.contains(QStringLiteral("\\{x\\}")));
    }

    // Each HTML command once, with the caret inside its construct.
    void htmlCommandTable() {
        const QVector<HtmlCommand> &all = HtmlCommands();
        QCOMPARE(all.size(), 18);
        QSet<QString> ids;
        for (const HtmlCommand &c : all) {
            ids.insert(QString::fromLatin1(c.id.Base()));
            const QString open = QString::fromUtf8(c.snippet.openText);
            const QString close = QString::fromUtf8(c.snippet.closeText);
            QVERIFY(open.startsWith(QLatin1Char('<')));
            // The caret distance never leaves the construct.
            QVERIFY2(c.snippet.caretBack <= open.size() + close.size(), c.id.Base());
            QCOMPARE(FindHtmlCommand(c.id), &c);
        }
        QCOMPARE(ids.size(), 18);
        QVERIFY(!FindHtmlCommand(cmd::ArquivoNovo));
    }
};

QTEST_APPLESS_MAIN(TestNotepadText)
#include "tst_notepad_text.moc"
