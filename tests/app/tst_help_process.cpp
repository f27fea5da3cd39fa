// The help and the about box through the running program: F1 and Shift+F1
// hand the shipped help pages to the desktop's opener (a stand-in here that
// writes down what it was given), Alt+Backspace shows "Sobre" and a click
// closes it.
#include "RealCorvel.h"

#include <QtTest>

using namespace real_corvel;

class tst_help_process : public QObject {
    Q_OBJECT
    XServer x;
    QString skipWhy;

    QString visibleWindow(const QString &name) {
        return x.xdotool({"search", "--onlyvisible", "--name", name}).section('\n', 0, 0);
    }

private slots:
    void initTestCase() {
        skipWhy = MissingTools();
        if (skipWhy.isEmpty() && !x.start()) skipWhy = QStringLiteral("Xvfb could not start");
    }

    void helpKeysAndAboutBox() {
        if (!skipWhy.isEmpty()) QSKIP(qPrintable(skipWhy));
        Installation home;
        // The stand-in opener, found first on the program's PATH.
        const QString bin = home.path("bin"), log = home.path("opened.txt");
        QVERIFY(QDir().mkpath(bin));
        QVERIFY(
            WriteBytes(bin + "/xdg-open", "#!/bin/sh\necho \"$1\" >> '" + log.toUtf8() + "'\n"));
        QFile::setPermissions(bin + "/xdg-open",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.toUtf8() + ":" + path);
        const bool started = home.start(x, {});
        qputenv("PATH", path);
        QVERIFY2(started, qPrintable(home.errors()));

        const QString pages = qEnvironmentVariable("CORVEL_BIN_DIR") + "/Ajuda/";
        const auto openedLines = [&] {
            return QString::fromUtf8(ReadBytes(log)).split('\n', Qt::SkipEmptyParts);
        };
        x.xdotool({"key", "F1"});
        QVERIFY2(WaitFor([&] { return openedLines().size() == 1; }), qPrintable(home.errors()));
        QCOMPARE(QUrl(openedLines()[0]).toLocalFile(), pages + "index.html");
        QVERIFY(QFile::exists(pages + "index.html"));
        x.xdotool({"key", "shift+F1"});
        QVERIFY(WaitFor([&] { return openedLines().size() == 2; }));
        QCOMPARE(QUrl(openedLines()[1]).toLocalFile(), pages + "comandos.html");

        // The about box, closed by a click on it.
        x.xdotool({"key", "alt+BackSpace"});
        QString box;
        QVERIFY(WaitFor([&] { return !(box = visibleWindow("^Sobre$")).isEmpty(); }, 10000));
        x.xdotool({"mousemove", "--window", box, "60", "60"});
        x.xdotool({"click", "1"});
        QVERIFY(WaitFor([&] { return visibleWindow("^Sobre$").isEmpty(); }, 10000));
        QVERIFY(home.running());
    }
};

QTEST_MAIN(tst_help_process)
#include "tst_help_process.moc"
