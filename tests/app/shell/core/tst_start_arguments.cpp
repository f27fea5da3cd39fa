// The file a start is given: made absolute against the starting process's
// own folder, and kept byte for byte or reported as unreadable.
#include "CommandLine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvel;

class tst_start_arguments : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        // real/site/p.html, and link -> real/site: "link/.." is real/, not
        // the folder that holds the link.
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("real/site"))));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("work"))));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("real/site")),
                            dir.filePath(QStringLiteral("work/link"))));
    }

    void absolutePaths_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        const QString d = dir.path();
        QTest::newRow("relative") << "b.html"
                                  << "/tmp/a"
                                  << "/tmp/a/b.html";
        QTest::newRow("dot") << "./b.html"
                             << "/tmp/a"
                             << "/tmp/a/b.html";
        QTest::newRow("sub folder") << "x/y.html"
                                    << "/tmp/a/"
                                    << "/tmp/a/x/y.html";
        QTest::newRow("absolute kept") << "/srv/p.html"
                                       << "/tmp/a"
                                       << "/srv/p.html";
        QTest::newRow("doubled separators") << "//srv//p.html"
                                            << "/tmp"
                                            << "/srv/p.html";
        QTest::newRow("blank inside") << "meu arquivo.html"
                                      << "/tmp"
                                      << "/tmp/meu arquivo.html";
        QTest::newRow("colon first") << ":notas.html"
                                     << "/tmp/a"
                                     << "/tmp/a/:notas.html";
        QTest::newRow("empty") << ""
                               << "/tmp"
                               << "";
        QTest::newRow("up, missing folders") << "../b.html"
                                             << "/nada/x"
                                             << "/nada/b.html";
        QTest::newRow("up through a link") << "link/../p.html" << d + "/work" << d + "/real/p.html";
        QTest::newRow("up, plain folders")
            << "../site/q.html" << d + "/real/site" << d + "/real/site/q.html";
    }
    void absolutePaths() {
        QFETCH(QString, file);
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(AbsoluteFilePath(file, folder), expected);
    }

    void rawArguments_data() {
        QTest::addColumn<QList<QByteArray>>("args");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("unreadable");
        QTest::newRow("none") << QList<QByteArray>{} << "" << false;
        QTest::newRow("utf-8 name")
            << QList<QByteArray>{"p\xc3\xa1gina.html"} << QStringLiteral("página.html") << false;
        QTest::newRow("words joined")
            << QList<QByteArray>{"meu", "arquivo.html"} << "meu arquivo.html" << false;
        QTest::newRow("latin-1 byte") << QList<QByteArray>{"p\xe1gina.html"} << QString() << true;
        QTest::newRow("cut sequence") << QList<QByteArray>{"a\xc3"} << QString() << true;
        QTest::newRow("second argument")
            << QList<QByteArray>{"ok", "\xff.html"} << QString() << true;
        QTest::newRow("word") << QList<QByteArray>{"/SOBRE"} << "/SOBRE" << false;
    }
    void rawArguments() {
        QFETCH(QList<QByteArray>, args);
        QFETCH(QString, line);
        QFETCH(bool, unreadable);
        bool lost = !unreadable;
        const QString joined = JoinRawArguments(args, &lost);
        QCOMPARE(lost, unreadable);
        if (!unreadable) QCOMPARE(joined, line);
    }
};

QTEST_GUILESS_MAIN(tst_start_arguments)
#include "tst_start_arguments.moc"
