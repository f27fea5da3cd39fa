// The notepad as a started program: on a display of its own (Xvfb), driven
// with xdotool like a user: the command-line file opened, text and a
// Shift+Ctrl snippet typed, saved and closed through the menus, the file on
// disk checked. Without a display it still starts and ends cleanly.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestTessimProcess : public QObject {
    Q_OBJECT

    static QString Program() { return qEnvironmentVariable("CORVEL_BIN_DIR") + "/Tessim"; }

    static QString XDoTool(const QString &display, const QStringList &args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("xdotool"), args);
        if (!p.waitForFinished(15000)) {
            p.kill();
            p.waitForFinished();
            return QString();
        }
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    static QString FindWindow(const QString &display, const QString &name) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 20000) {
            const QString w = XDoTool(display, {"search", "--onlyvisible", "--name", name})
                                  .section(QLatin1Char('\n'), 0, 0);
            if (!w.isEmpty()) return w;
            QTest::qWait(200);
        }
        return QString();
    }

    static QByteArray ReadAll(const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

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
        QTemporaryDir dir;
        // Windows-1252 with Linux line breaks, in a folder with a space.
        QDir().mkpath(dir.filePath(QStringLiteral("meu site")));
        const QString file = dir.filePath(QStringLiteral("meu site/página.html"));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("<p>a\xE7\xE3o</p>\n");
        }

        QProcess xvfb;
        xvfb.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1024x768x24",
                                             "-nolisten", "tcp"});
        QString display;
        QElapsedTimer t;
        t.start();
        while (display.isEmpty() && t.elapsed() < 15000 && xvfb.state() != QProcess::NotRunning) {
            xvfb.waitForReadyRead(200);
            const QByteArray out = xvfb.readAllStandardOutput().trimmed();
            if (!out.isEmpty()) display = QLatin1Char(':') + QString::fromLatin1(out);
        }
        if (display.isEmpty()) QSKIP("Xvfb could not start a display");
        auto stopX = qScopeGuard([&xvfb] {
            xvfb.terminate();
            if (!xvfb.waitForFinished(5000)) xvfb.kill();
            xvfb.waitForFinished();
        });

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
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

        const QString window = FindWindow(display, QStringLiteral("Tessim - \\["));
        QVERIFY2(!window.isEmpty(), "no Tessim window with the file's name");
        QCOMPARE(XDoTool(display, {"getwindowname", window}),
                 QStringLiteral("Tessim - [") + file + QLatin1Char(']'));
        XDoTool(display, {"windowfocus", "--sync", window});
        QTest::qWait(300);
        XDoTool(display, {"key", "ctrl+End"});
        XDoTool(display, {"type", "--delay", "40", "<b>ok"});
        XDoTool(display, {"key", "ctrl+shift+1"});
        XDoTool(display, {"type", "--delay", "40", "nota"});
        // Arquivo > Salvar, then Arquivo > Sair.
        XDoTool(display, {"key", "alt+a"});
        QTest::qWait(300);
        XDoTool(display, {"key", "s"});
        const QByteArray expected = "<p>a\xE7\xE3o</p>\n<b>ok<!-- nota -->";
        t.restart();
        while (ReadAll(file) != expected && t.elapsed() < 15000) QTest::qWait(100);
        QCOMPARE(ReadAll(file), expected);

        XDoTool(display, {"key", "alt+a"});
        QTest::qWait(300);
        XDoTool(display, {"key", "r"});
        QVERIFY2(p.waitForFinished(15000), "Tessim did not close after saving");
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestTessimProcess)
#include "tst_tessim_process.moc"
