// The save key pressed at once after an edit, in a real Corvel process: the
// save item must already follow the document when the key is matched, not
// only at the next tick of the position timer.
#include "RealCorvel.h"

#include <QtTest>

using namespace real_corvel;

class TestSaveKeyProcess : public QObject {
    Q_OBJECT
    XServer x;
    QString skipWhy;

private slots:
    void initTestCase() {
        skipWhy = MissingTools();
        if (skipWhy.isEmpty() && !x.start()) skipWhy = QStringLiteral("Xvfb could not start");
    }

    void saveRightAfterAnEdit_data() {
        QTest::addColumn<QStringList>("edit"); // xdotool key names, F5 follows at once
        QTest::addColumn<int>("removed");      // characters taken off the end
        QTest::addColumn<QByteArray>("added"); // and written there
        QTest::newRow("typed letter") << QStringList{QStringLiteral("q")} << 0 << QByteArray("q");
        QTest::newRow("Enter") << QStringList{QStringLiteral("Return")} << 0
                               << QByteArray("\r\n");
        QTest::newRow("Backspace") << QStringList{QStringLiteral("BackSpace")} << 1
                                   << QByteArray();
        QTest::newRow("two letters") << QStringList{QStringLiteral("a"), QStringLiteral("b")} << 0
                                     << QByteArray("ab");
    }

    void saveRightAfterAnEdit() {
        if (!skipWhy.isEmpty()) QSKIP(qPrintable(skipWhy));
        QFETCH(QStringList, edit);
        QFETCH(int, removed);
        QFETCH(QByteArray, added);
        Installation home;
        const QString file = home.work(QStringLiteral("pronto.html"));
        QVERIFY(WriteBytes(file, QByteArrayLiteral("<p>")));
        QVERIFY2(home.start(x, {file}, QStringLiteral("pronto.html")), qPrintable(home.errors()));
        // The file now ends with the probe's "Z" and the document is saved.
        QVERIFY2(home.probeInput(x, file), "typed keys never reached the document");
        const QByteArray before = ReadBytes(file);
        const QByteArray saved = before.left(before.size() - removed) + added;

        // One xdotool call: the keys follow each other within milliseconds,
        // well inside one tick of the position timer.
        QStringList keys{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("15")};
        keys << edit << QStringLiteral("F5");
        x.xdotool(keys);
        const bool done = WaitFor([&] { return ReadBytes(file) == saved; }, 5000);
        QVERIFY2(done, ReadBytes(file).constData());
    }
};

QTEST_MAIN(TestSaveKeyProcess)
#include "tst_save_key_process.moc"
