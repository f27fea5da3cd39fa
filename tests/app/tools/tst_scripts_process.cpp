// A real Corvel process on an X server of its own (Xvfb), driven by xdotool:
// the shipped script lists reach the program folder at start, Shift+F9
// opens the JavaScript list, the typed shortcut chooses the template, its
// parameter is filled in, Enter inserts it, the typing goes on at the
// template's caret mark and F5 saves the file, checked on disk.
#include "Settings.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <csignal>

namespace {

QString Program() {
    return qEnvironmentVariable("CORVEL_BIN_DIR") + QStringLiteral("/Corvel");
}

QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString XDoTool(const QString &display, const QStringList &args) {
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

// The first visible window whose name matches pattern, waiting up to 20 s.
QString FindWindow(const QString &display, const QString &pattern) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 20000) {
        const QString w =
            XDoTool(display, {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                              QStringLiteral("--name"), pattern})
                .section(QLatin1Char('\n'), 0, 0);
        if (!w.isEmpty()) return w;
        QTest::qWait(200);
    }
    return QString();
}

void Keys(const QString &display, const QString &keys) {
    XDoTool(display,
            {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60"), keys});
    QTest::qWait(300);
}

void Type(const QString &display, const QString &text) {
    XDoTool(display,
            {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), text});
    QTest::qWait(300);
}

} // namespace

class TestScriptsProcess : public QObject {
    Q_OBJECT
private slots:
    void insertingAScriptInARunningCorvel() {
        if (!QFileInfo(Program()).isExecutable()) QSKIP("the Corvel program is not built");
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("Xvfb and xdotool are needed to drive a real process");

        QTemporaryDir home;
        const QString prog = home.filePath(QStringLiteral("prog"));
        const QString file = home.filePath(QStringLiteral("pagina.js"));
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("config/Corvel"))));
        corvel::SetSettingsFileOverride(home.filePath(QStringLiteral("config/Corvel/Corvel.ini")));
        ApplyDefaultSettings(true);
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Splash"), QStringLiteral("0"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoColor"),
                     QStringLiteral("0"));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }

        QProcess xvfb;
        xvfb.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                    QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                    QStringLiteral("tcp")});
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
        env.insert(QStringLiteral("CORVEL_HOME"), prog);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        const QString run = home.filePath(QStringLiteral("run"));
        QDir().mkpath(run);
        QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), run);
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        QProcess corvel;
        corvel.setProcessEnvironment(env);
        corvel.start(Program(), {file});
        QVERIFY(corvel.waitForStarted());
        auto stopCorvel = qScopeGuard([&corvel] {
            if (corvel.state() != QProcess::NotRunning) {
                ::kill(pid_t(corvel.processId()), SIGKILL);
                corvel.waitForFinished(10000);
            }
        });

        const QString window = FindWindow(display, QStringLiteral("^Corvel"));
        QVERIFY2(!window.isEmpty(), corvel.readAllStandardError().constData());
        // The start copied the shipped lists into the program folder.
        for (const char *name : {"js.dat", "asp.dat", "php.dat"})
            QVERIFY(QFileInfo::exists(prog + QStringLiteral("/Scripts/") + QLatin1String(name)));

        XDoTool(display, {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        QTest::qWait(300);
        Keys(display, QStringLiteral("shift+F9"));
        QVERIFY2(!FindWindow(display, QStringLiteral("^Scripts$")).isEmpty(),
                 "the scripts dialog did not open");
        Type(display, QStringLiteral("if"));
        Keys(display, QStringLiteral("Tab"));
        Type(display, QStringLiteral("n > 0"));
        Keys(display, QStringLiteral("Return"));
        Type(display, QStringLiteral("total++;"));
        // F5 saves once the position timer has enabled the save command.
        const QByteArray expected = "if (n > 0) {\r\n   total++;\r\n}";
        t.restart();
        while (ReadAll(file) != expected && t.elapsed() < 20000)
            Keys(display, QStringLiteral("F5"));
        QCOMPARE(ReadAll(file), expected);
        corvel::SetSettingsFileOverride(QString());
    }
};

QTEST_MAIN(TestScriptsProcess)
#include "tst_scripts_process.moc"
