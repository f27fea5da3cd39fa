// Colourise (Ctrl+F8) and font standardisation (Ctrl+F7) typed into a real
// Corvel process: whatever face name the settings hold, the document's text
// stays byte for byte what the file held. The check goes through the disk:
// after the command a "Y" is typed at the start and the file saved (F5).
#include "RealCorvel.h"

#include <QtTest>

using namespace real_corvel;

class TestColouriserTyped : public QObject {
    Q_OBJECT
    XServer x;
    QString skipWhy;

private slots:
    void initTestCase() {
        skipWhy = MissingTools();
        if (skipWhy.isEmpty() && !x.start()) skipWhy = QStringLiteral("Xvfb could not start");
    }

    void textKeptWithHostileFaceNames_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("keys");
        for (const QString &face : {QStringLiteral("Foo{Bar"), QStringLiteral("Evil}Font;x"),
                                    QStringLiteral("\\par }{\\rtf1 x")})
            for (const QString &keys : {QStringLiteral("ctrl+F8"), QStringLiteral("ctrl+F7")})
                QTest::newRow(qPrintable(keys + " " + face)) << face << keys;
    }

    void textKeptWithHostileFaceNames() {
        if (!skipWhy.isEmpty()) QSKIP(qPrintable(skipWhy));
        QFETCH(QString, face);
        QFETCH(QString, keys);
        Installation home;
        WriteSetting(QStringLiteral("Editor"), QStringLiteral("Fonte"), face);
        const QString file = home.work(QStringLiteral("pagina.html"));
        const QByteArray content =
            "<p class=\"a\">texto {x}\\y; \xc3\xa7\xe2\x82\xac</p>\r\n<!-- c --><% s %>\r\n";
        QVERIFY(WriteBytes(file, content));
        QVERIFY2(home.start(x, {file}, QStringLiteral("pagina.html")), qPrintable(home.errors()));

        QVERIFY2(home.probeInput(x, file), "typed keys never reached the document");
        const QByteArray probed = ReadBytes(file);
        QVERIFY(probed.startsWith(content));

        x.xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("100"), keys,
                   QStringLiteral("ctrl+Home"), QStringLiteral("Y")});
        const QByteArray expected = "Y" + probed;
        home.saveUntil(x, file, [](const QByteArray &b) { return b.startsWith('Y'); });
        const QByteArray onDisk = ReadBytes(file);
        QCOMPARE(onDisk, expected);
        // The save rewrites the document's cached copy (RTF) after the file:
        // the command did run, and the face name stands in its font table as
        // itself.
        QByteArray escaped = face.toUtf8();
        escaped.replace("\\", "\\\\").replace("{", "\\{").replace("}", "\\}").replace(";", "\\'3b");
        const QString docs = home.path(QStringLiteral("prog/Docs/"));
        QByteArray copy;
        const bool named = WaitFor(
            [&] {
                const QStringList copies = QDir(docs).entryList({QStringLiteral("*.ctm")});
                copy = copies.size() == 1
                           ? ReadBytes(docs + copies[0])
                           : QByteArray("copies: ") + QByteArray::number(copies.size());
                return copy.contains(escaped);
            },
            10000);
        QVERIFY2(named, copy.left(400).constData());
    }
};

QTEST_MAIN(TestColouriserTyped)
#include "tst_colouriser_typed.moc"
