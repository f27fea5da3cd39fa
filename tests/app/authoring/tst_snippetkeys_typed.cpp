// Every Shift+Ctrl snippet key typed into a real Corvel process, in each of
// the four quote styles: after each snippet a "|" is typed where the caret
// landed, and the saved file shows where that was.
#include "RealCorvel.h"

#include <QtTest>

using namespace real_corvel;

namespace {

struct Snippet {
    const char *key;     // xdotool key name under Shift+Ctrl
    const char *written; // the text written, "|" where the caret lands
};

// In the normal style; the other styles rewrite the double quotes.
const Snippet kSnippets[] = {
    {"equal", "= \"|\""},
    {"comma", "&lt;|"},
    {"period", "&gt;|"},
    {"bracketleft", "{ | }"},
    {"bracketright", "{\r\n|\r\n}"},
    {"0", "(|)"},
    {"minus", "(\"|\")"},
    {"1", "<!-- | -->"},
    {"4", "<%|%>"},
    {"5", "<% | %>"},
    {"6", "<%\r\n|\r\n%>"},
    {"7", "<?|?>"},
    {"slash", "<?|?>"},
    {"8", "<? | ?>"},
    {"9", "<?\r\n|\r\n?>"},
    {"b", "& vbCrLf|"},
    {"j", "javascript:|"},
    {"n", "&nbsp;|"},
};

} // namespace

class TestSnippetKeysTyped : public QObject {
    Q_OBJECT
    XServer x;
    QString skipWhy;

private slots:
    void initTestCase() {
        skipWhy = MissingTools();
        if (skipWhy.isEmpty() && !x.start()) skipWhy = QStringLiteral("Xvfb could not start");
    }

    void caretBetweenTheQuotes_data() {
        QTest::addColumn<QString>("aspas");
        QTest::addColumn<QString>("quote");
        QTest::newRow("normal") << "0"
                                << "\"";
        QTest::newRow("asp") << "1"
                             << "\"\"";
        QTest::newRow("script") << "2"
                                << "'";
        QTest::newRow("php") << "3"
                             << "\\\"";
    }

    void caretBetweenTheQuotes() {
        if (!skipWhy.isEmpty()) QSKIP(qPrintable(skipWhy));
        QFETCH(QString, aspas);
        QFETCH(QString, quote);
        Installation home;
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Aspas"), aspas);
        const QString file = home.work(QStringLiteral("trechos.txt"));
        QVERIFY(WriteBytes(file, QByteArray()));
        QVERIFY2(home.start(x, {file}, QStringLiteral("trechos.txt")), qPrintable(home.errors()));

        QVERIFY2(home.probeInput(x, file), "typed keys never reached the document");
        // The probe's text goes before the snippets are typed.
        QStringList keys{QStringLiteral("--delay"), QStringLiteral("60"), QStringLiteral("ctrl+a"),
                         QStringLiteral("Delete")};
        QStringList lines;
        for (const Snippet &s : kSnippets) {
            if (!lines.isEmpty()) keys << QStringLiteral("ctrl+End") << QStringLiteral("Return");
            keys << QStringLiteral("ctrl+shift+") + QLatin1String(s.key) << QStringLiteral("bar");
            lines << QString::fromUtf8(s.written).replace(QLatin1Char('"'), quote);
        }
        x.xdotool(QStringList{QStringLiteral("key")} + keys);

        const QByteArray expected = lines.join(QStringLiteral("\r\n")).toUtf8();
        home.saveUntil(x, file, [](const QByteArray &b) { return b.endsWith("&nbsp;|"); });
        const QByteArray onDisk = ReadBytes(file);
        // Line by line, so a failure names the snippet.
        const QList<QByteArray> got = onDisk.split('\n'), want = expected.split('\n');
        for (int i = 0; i < want.size(); ++i)
            QCOMPARE(got.value(i), want[i]);
        QCOMPARE(onDisk, expected);
    }
};

QTEST_MAIN(TestSnippetKeysTyped)
#include "tst_snippetkeys_typed.moc"
