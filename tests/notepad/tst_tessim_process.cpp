// The notepad as a started program: on a display of its own (Xvfb), driven
// with xdotool like a user: the command-line file opened, text and a
// Shift+Ctrl snippet typed, saved and closed through the menus, the file on
// disk checked. Without a display it still starts and ends cleanly.
#include "RealCorvel.h"

#include <QtTest>

using real_corvel::ReadBytes;
using real_corvel::WaitFor;

class TestTessimProcess : public QObject {
    Q_OBJECT

    static QString Program() { return qEnvironmentVariable("CORVEL_BIN_DIR") + "/Tessim"; }

private slots:
    void startsAndShowsTheEmptyDocument() {
        QVERIFY(QFileInfo(Program()).isExecutable());
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TESSIM_STARTUP_PROBE"), QStringLiteral("1"));
        p.setProcessEnvironment(env);
        p.start(Program(), {});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(p.readAllStandardOutput().startsWith("tessim-shown "));
    }

    void typedTextIsSavedInTheFilesOwnForm() {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("Xvfb and xdotool are needed to type into a real process");
        real_corvel::XServer x;
        if (!x.start()) QSKIP("Xvfb could not start a display");
        QTemporaryDir dir;
        // Windows-1252 with Linux line breaks, in a folder with a space.
        QDir().mkpath(dir.filePath(QStringLiteral("meu site")));
        const QString file = dir.filePath(QStringLiteral("meu site/página.html"));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("<p>a\xE7\xE3o</p>\n");
        }

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), x.display());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        QProcess p;
        p.setProcessEnvironment(env);
        // A relative path, from the file's folder.
        p.setWorkingDirectory(dir.path());
        p.start(Program(), {QStringLiteral("meu site/página.html")});
        QVERIFY(p.waitForStarted());
        auto stop = qScopeGuard([&p] {
            if (p.state() != QProcess::NotRunning) {
                p.kill();
                p.waitForFinished(10000);
            }
        });

        const QString window = x.waitForWindow(QStringLiteral("Tessim - \\["));
        QVERIFY2(!window.isEmpty(), "no Tessim window with the file's name");
        QCOMPARE(x.title(window), QStringLiteral("Tessim - [") + file + QLatin1Char(']'));
        QVERIFY(x.focus(window));
        x.keys({QStringLiteral("ctrl+End")});
        x.type(QStringLiteral("<b>ok"));
        x.keys({QStringLiteral("ctrl+shift+1")});
        x.type(QStringLiteral("nota"));
        // Arquivo > Salvar, then Arquivo > Sair.
        x.keys({QStringLiteral("alt+a")});
        QTest::qWait(300);
        x.keys({QStringLiteral("s")});
        const QByteArray expected = "<p>a\xE7\xE3o</p>\n<b>ok<!-- nota -->";
        WaitFor([&] { return ReadBytes(file) == expected; }, 30000);
        QCOMPARE(ReadBytes(file), expected);

        x.keys({QStringLiteral("alt+a")});
        QTest::qWait(300);
        x.keys({QStringLiteral("r")});
        QVERIFY2(p.waitForFinished(30000), "Tessim did not close after saving");
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTessimProcess)
#include "tst_tessim_process.moc"
