// Colourise (Ctrl+F8) and font standardisation (Ctrl+F7) typed into a real
// Corvel process: whatever face name the settings hold, the document's text
// stays byte for byte what the file held. The check goes through the disk:
// after the command a "Z" is typed at the start and the file saved (F5).
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

        x.xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("100"), keys,
                   QStringLiteral("ctrl+Home"), QStringLiteral("Z"), QStringLiteral("F5")});
        const QByteArray expected = "Z" + content;
        QByteArray onDisk;
        WaitFor([&] {
            onDisk = ReadBytes(file);
            return onDisk.startsWith('Z') || !home.running();
        });
        QCOMPARE(onDisk, expected);
        // The save rewrote the document's cached copy (RTF): the command did
        // run, and the face name stands in its font table as itself.
        const QStringList copies =
            QDir(home.path(QStringLiteral("prog/Docs"))).entryList({QStringLiteral("*.ctm")});
        QCOMPARE(copies.size(), 1);
        const QByteArray copy = ReadBytes(home.path(QStringLiteral("prog/Docs/")) + copies[0]);
        QByteArray escaped = face.toUtf8();
        escaped.replace("\\", "\\\\").replace("{", "\\{").replace("}", "\\}").replace(";", "\\'3b");
        QVERIFY2(copy.contains(escaped), copy.left(400).constData());
    }
};

QTEST_MAIN(TestColouriserTyped)
#include "tst_colouriser_typed.moc"
