// Regular expressions with a bounded amount of work: runaway patterns stop
// quickly and say so; sound ones find exactly what the engine alone finds.
#include "BoundedRegex.h"
#include "TextSearch.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace corvel;

namespace {

QString Repeat(const QString &piece, int size, const QString &tail = QString()) {
    QString s;
    while (s.size() < size)
        s += piece;
    return s + tail;
}

// Every match of a global search, as "start:length" items.
QStringList Walk(const BoundedRegex &re, const QString &text, RegexOutcome *outcome) {
    QStringList out;
    *outcome = re.forEach(text, [&out](const QRegularExpressionMatch &m) {
        out << QStringLiteral("%1:%2").arg(m.capturedStart()).arg(m.capturedLength());
        return true;
    });
    return out;
}

QStringList Reference(const QString &pattern, QRegularExpression::PatternOptions o,
                      const QString &text) {
    QStringList out;
    QRegularExpressionMatchIterator it = QRegularExpression(pattern, o).globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out << QStringLiteral("%1:%2").arg(m.capturedStart()).arg(m.capturedLength());
    }
    return out;
}

QString Corpus() {
    QFile f(qEnvironmentVariable("CORVEL_CORPUS_DIR") + "/real_500k.crlf.html");
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TestBoundedRegex : public QObject {
    Q_OBJECT
private slots:
    void sameMatchesAsTheEngine_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("ignoreCase");
        QTest::addColumn<QString>("text");
        const QString page = "<p class=\"a\">Olá</p>\r\n<P>b</P>\r\n\r\n<td x=1>";
        QTest::newRow("literal") << "p>" << false << page;
        QTest::newRow("case ignored") << "<p>" << true << page;
        QTest::newRow("groups and alternation") << "<(p|td)( [^>]*)?>|</p>" << true << page;
        QTest::newRow("inline case option") << "(?i)<P" << false << page;
        QTest::newRow("utf start option") << "(*UTF)(*UCP)\\w+" << false << page;
        QTest::newRow("newline option and $") << "(*ANYCRLF)^$|\\r\\n" << false << page;
        QTest::newRow("raising a limit changes nothing")
            << "(*LIMIT_MATCH=999999999)(*LIMIT_HEAP=999999999)a|b" << false << page;
        QTest::newRow("in-pattern verbs stay") << "(*MARK:m)Ol(*SKIP)á|(*FAIL)" << false << page;
        QTest::newRow("empty matches") << "x*" << false << "axxb\r\nx";
        QTest::newRow("empty then longer at the same place") << "a*?" << false << "aab";
        QTest::newRow("empty matches over crlf") << "(*CRLF)x*" << false << "a\r\nb";
        QTest::newRow("lookbehind across windows")
            << "(?<=a{300})b" << false << QString(300, 'a') + "bb";
        QTest::newRow("matches after several windows")
            << "z\\d" << false << Repeat("abc", 3000, "z1z2");
        QTest::newRow("surrogate pairs") << "." << false << QString::fromUtf8("a😀b😀");
        QTest::newRow("quotation left open") << "a\\Qb" << false << "xab";
        QTest::newRow("extended mode comment at the end") << "(?x) a # note" << false << "aba";
        QTest::newRow("backreference") << "(\\w)\\1" << false << "abbcdd";
        QTest::newRow("empty text") << "a*" << false << "";
    }
    void sameMatchesAsTheEngine() {
        QFETCH(QString, pattern);
        QFETCH(bool, ignoreCase);
        QFETCH(QString, text);
        const auto o = ignoreCase ? QRegularExpression::CaseInsensitiveOption
                                  : QRegularExpression::NoPatternOption;
        const BoundedRegex re(pattern, o);
        QVERIFY(re.isValid());
        RegexOutcome outcome;
        const QStringList got = Walk(re, text, &outcome);
        const QStringList expected = Reference(pattern, o, text);
        QCOMPARE(got, expected);
        QCOMPARE(outcome, expected.isEmpty() ? RegexOutcome::NoMatch : RegexOutcome::Match);
    }

    // Runaway patterns end quickly with TooComplex, never with "no match".
    void runawayPatternsStop_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::newRow("nested alternation, one long run") << "(a|aa)+b"
                                                          << "<p>" + QString(296000, 'a') + "</p>b";
        QTest::newRow("nested alternation, many short runs")
            << "(a|aa)+b" << Repeat("<p>" + QString(24, 'a') + "</p>\r\n", 512000, "b");
        QTest::newRow("nested repeats") << "(x+x+)+y" << Repeat("x", 512000, "z\r\ny");
        QTest::newRow("a pattern that tries to raise the limit")
            << "(*LIMIT_MATCH=4000000000)(*NO_JIT)(a|aa)+b"
            << Repeat("<p>" + QString(24, 'a') + "</p>\r\n", 512000, "b");
        QTest::newRow("class rescanned from every position")
            << "<[^>]+>\\d" << QString(512000, '<') + ">";
    }
    void runawayPatternsStop() {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        const BoundedRegex re(pattern);
        QVERIFY(re.isValid());
        QElapsedTimer t;
        t.start();
        QRegularExpressionMatch m;
        QCOMPARE(re.match(text, 0, &m), RegexOutcome::TooComplex);
        RegexOutcome outcome;
        Walk(re, text, &outcome);
        QCOMPARE(outcome, RegexOutcome::TooComplex);
        // About a second each at most; generous for slow builds.
        QVERIFY2(t.elapsed() < 8000, qPrintable(QString::number(t.elapsed())));
    }

    // Ordinary searches over the largest document stay correct and quick.
    void ordinarySearchesOverALargePage_data() {
        QTest::addColumn<QString>("pattern");
        QTest::newRow("tag") << "<td[^>]*>";
        QTest::newRow("lazy block") << "<div[\\s\\S]*?</div>";
        QTest::newRow("greedy to the end of the page") << "<html[\\s\\S]*</html>";
        QTest::newRow("attribute with group") << "href=\"([^\"]*)\"";
        QTest::newRow("absent") << "zqxj";
        QTest::newRow("every word") << "\\w+";
    }
    void ordinarySearchesOverALargePage() {
        QFETCH(QString, pattern);
        const QString text = Corpus();
        if (text.isEmpty()) QSKIP("corpus not found");
        const BoundedRegex re(pattern, QRegularExpression::CaseInsensitiveOption);
        RegexOutcome outcome;
        QCOMPARE(Walk(re, text, &outcome),
                 Reference(pattern, QRegularExpression::CaseInsensitiveOption, text));
        QVERIFY(outcome != RegexOutcome::TooComplex);
    }

    void firstMatchFromAnOffset() {
        const BoundedRegex re("b+");
        const QString text = Repeat("a", 1000, "bb") + Repeat("a", 5000, "b");
        QRegularExpressionMatch m;
        QCOMPARE(re.match(text, 0, &m), RegexOutcome::Match);
        QCOMPARE(m.capturedStart(), 1000);
        QCOMPARE(re.match(text, 1001, &m), RegexOutcome::Match);
        QCOMPARE(m.capturedStart(), 1001);
        QCOMPARE(re.match(text, 1002, &m), RegexOutcome::Match);
        QCOMPARE(m.capturedStart(), 6002);
        QCOMPARE(re.match(text, 6003, &m), RegexOutcome::NoMatch);
    }

    void invalidPatternsKeepTheirError() {
        const BoundedRegex re("a(b");
        QVERIFY(!re.isValid());
        QCOMPARE(re.patternErrorOffset(), 3);
        QVERIFY(!re.errorString().isEmpty());
        RegexOutcome outcome;
        QVERIFY(Walk(re, "a(b", &outcome).isEmpty());
        QCOMPARE(outcome, RegexOutcome::NoMatch);
    }

    void textWithALoneSurrogate() {
        QString text = "ab";
        text.insert(1, QChar(0xD800));
        const BoundedRegex re("b");
        RegexOutcome outcome;
        QCOMPARE(Walk(re, text, &outcome), QStringList{"2:1"});
        QCOMPARE(outcome, RegexOutcome::Match);
    }

    void startOptionsAreSplitOff_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("rest");
        QTest::addColumn<bool>("crlf");
        QTest::newRow("none") << "a(*SKIP)b"
                              << ""
                              << "a(*SKIP)b" << false;
        QTest::newRow("kept and dropped") << "(*UTF)(*LIMIT_MATCH=9)(*ANYCRLF)(*LIMIT_HEAP=1)x"
                                          << "(*UTF)(*ANYCRLF)"
                                          << "x" << true;
        QTest::newRow("later newline wins") << "(*CRLF)(*LF)x"
                                            << "(*CRLF)(*LF)"
                                            << "x" << false;
        QTest::newRow("verb is not an option") << "(*FAIL)|x"
                                               << ""
                                               << "(*FAIL)|x" << false;
        QTest::newRow("unclosed") << "(*UTF"
                                  << ""
                                  << "(*UTF" << false;
    }
    void startOptionsAreSplitOff() {
        QFETCH(QString, pattern);
        QString rest;
        bool crlf = false;
        QTEST(BoundedRegex::StartOptions(pattern, &rest, &crlf), "options");
        QTEST(rest, "rest");
        QTEST(crlf, "crlf");
    }

    // The editor's search: a runaway pattern reports the limit, not "not found".
    void editorSearchReportsTheLimit() {
        const QString text = Repeat("<p>" + QString(24, 'a') + "</p>\r\n", 300000, "b");
        control::Match m;
        QString error;
        QVERIFY(!control::FindRegExp(text, "(a|aa)+b", true, 0, 0, &m, &error));
        QCOMPARE(error, RegexTooComplexText());
        QVERIFY(control::FindRegExp(text, "a+</p>", true, 0, 0, &m, &error));
        QVERIFY(error.isEmpty());
        QCOMPARE(m.start, 3);
    }
};

QTEST_GUILESS_MAIN(TestBoundedRegex)
#include "tst_bounded_regex.moc"
