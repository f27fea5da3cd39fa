// A real Corvel process on its own X server (Xvfb), driven by xdotool: it
// opens a minified script of one 1,000,000-character line, goes to the end
// with Ctrl+End and types there, and stays responsive throughout. The
// auto-save's cache entry shows where the caret ended, and its temporary copy
// holds the line with the character at its end, not split anywhere.
#include "CacheIndex.h"
#include "FilesFixture.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <csignal>

using namespace files_test;

namespace {

// Generous bounds for a loaded, shared machine; the benchmark holds the
// real targets.
constexpr int kOpenBoundMs = 30000;
constexpr int kEditBoundMs = 30000;

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

// The first visible window whose name holds text, or "" after timeoutMs.
QString WaitForWindow(const QString &display, const QString &text, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        const QString w =
            XDoTool(display, {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                              QStringLiteral("--name"), text})
                .section(QLatin1Char('\n'), 0, 0);
        if (!w.isEmpty()) return w;
        QTest::qWait(100);
    }
    return QString();
}

QByteArray MinifiedLine(int chars) {
    QByteArray out;
    for (int i = 0; out.size() < chars; ++i)
        out += "var a" + QByteArray::number(i % 97) + "=b(c," + QByteArray::number(i) + ");";
    out.truncate(chars);
    return out;
}

} // namespace

class TestLongLineProcess : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseControlLibrary(); }

    void millionCharacterLineStaysResponsive() {
        const QString program = qEnvironmentVariable("CORVEL_BIN_DIR") + QStringLiteral("/Corvel");
        if (!QFileInfo(program).isExecutable()) QSKIP("the Corvel program is not built");
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("Xvfb and xdotool are needed to drive a real process");
        Home home;
        QDir().mkpath(home.dir.filePath(QStringLiteral("config/Corvel")));
        corvel::SetSettingsFileOverride(
            home.dir.filePath(QStringLiteral("config/Corvel/Corvel.ini")));
        ApplyDefaultSettings(true);
        for (const auto &[key, value] :
             {std::pair{"AutoSave", "1"}, std::pair{"Splash", "0"}, std::pair{"AutoColor", "0"}})
            WriteSetting(QStringLiteral("Configuracao"), QLatin1String(key), QLatin1String(value));
        const QString file = home.work(QStringLiteral("minificado.js"));
        const QByteArray line = MinifiedLine(1000000);
        QVERIFY(WriteBytes(file, line));

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
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("CORVEL_HOME"), home.dir.filePath(QStringLiteral("prog")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("CORVEL_AUTOSAVE_MS"), QStringLiteral("300"));
        const QString run = home.dir.filePath(QStringLiteral("run"));
        QDir().mkpath(run);
        QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), run);
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, {file});
        QVERIFY(p.waitForStarted());
        auto stopCorvel = qScopeGuard([&p] {
            if (p.state() != QProcess::NotRunning) {
                ::kill(pid_t(p.processId()), SIGKILL);
                p.waitForFinished(10000);
            }
        });

        // The large-file question, answered "Sim".
        const QString question =
            WaitForWindow(display, QStringLiteral("Arquivo Grande"), kOpenBoundMs);
        QVERIFY2(!question.isEmpty(), "no large-file question");
        XDoTool(display, {QStringLiteral("windowfocus"), QStringLiteral("--sync"), question});
        QTest::qWait(300);
        XDoTool(display, {QStringLiteral("key"), QStringLiteral("alt+s")});
        QElapsedTimer step;
        step.start();
        const QString window =
            WaitForWindow(display, QStringLiteral("minificado.js"), kOpenBoundMs);
        QVERIFY2(!window.isEmpty(), "the document's window did not appear");
        XDoTool(display, {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        QTest::qWait(300);
        // Keys reach the window once it handles events again.
        XDoTool(display, {QStringLiteral("key"), QStringLiteral("ctrl+End")});
        XDoTool(display, {QStringLiteral("type"), QStringLiteral("Z")});
        const qint64 openMs = step.elapsed();
        QVERIFY2(openMs < kOpenBoundMs, qPrintable(QStringLiteral("open took %1 ms").arg(openMs)));

        // The auto-save records the caret after the typed character at the
        // end of the line, with the copy on disk.
        step.restart();
        const QString expected = QStringLiteral("%1,0,False").arg(line.size() + 1);
        QString copy;
        while (copy.isEmpty() && step.elapsed() < kEditBoundMs && p.state() == QProcess::Running) {
            QTest::qWait(100);
            for (const corvel::CacheEntry &e : corvel::ReadCacheIndex())
                if (e.file == file && e.configuration == expected && !e.copy.isEmpty() &&
                    QFileInfo::exists(home.docs() + e.copy))
                    copy = e.copy;
        }
        QString seen;
        for (const corvel::CacheEntry &e : corvel::ReadCacheIndex())
            seen += QStringLiteral(" [%1 | %2 | %3]").arg(e.file, e.configuration, e.copy);
        QVERIFY2(p.state() == QProcess::Running, "Corvel ended");
        QVERIFY2(!copy.isEmpty(), qPrintable(QStringLiteral("no auto-save with the caret at the "
                                                            "end within %1 ms; cache index:%2")
                                                 .arg(kEditBoundMs)
                                                 .arg(seen)));
        ::kill(pid_t(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished(10000));

        QCOMPARE(ReadBytes(file), line); // nothing saved over the file
        // The copy holds the line whole, the character at its end.
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        ICorvelEdit *ed = corvel::DocumentWithFile(*m, file);
        QVERIFY(ed);
        QCOMPARE(ed->Tamanho(), line.size() + 1);
        QVERIFY(ed->Texto() == QString::fromLatin1(line) + u'Z');
        QCOMPARE(ed->ContarLinhas(), 1);
    }
};

QTEST_MAIN(TestLongLineProcess)
#include "tst_long_line_process.moc"
