#pragma once
// A real Corvel process on an X server of its own (Xvfb), typed into with
// xdotool: for the tests that must see a flow through the running program.
// The installation (program folder, settings, work files) lives in a
// temporary folder; the settings are written before the start through the
// settings store pointed at that installation's Corvel.ini.
#include "Settings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <functional>

namespace real_corvel {

inline QString Program() {
    return qEnvironmentVariable("CORVEL_BIN_DIR") + QStringLiteral("/Corvel");
}

// Empty when the program, Xvfb and xdotool are all there; else why not.
inline QString MissingTools() {
    if (!QFileInfo(Program()).isExecutable())
        return QStringLiteral("the Corvel program is not built");
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        return QStringLiteral("Xvfb and xdotool are needed to type into a real process");
    return QString();
}

inline QByteArray ReadBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Polls until done() holds or timeoutMs pass; whether it held.
inline bool WaitFor(const std::function<bool()> &done, int timeoutMs = 20000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs) return false;
        QTest::qWait(100);
    }
    return true;
}

// An X server for the test case; display() is empty when it did not start.
class XServer {
public:
    // A display that answers; a few tries, as another server may take the
    // number this one was given.
    bool start() {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (startOnce() && !xdotool({QStringLiteral("getdisplaygeometry")}).isEmpty())
                return true;
            stop();
            m_display.clear();
        }
        return false;
    }
    ~XServer() { stop(); }
    QString display() const { return m_display; }

private:
    bool startOnce() {
        m_xvfb.start(QStringLiteral("Xvfb"),
                     {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                      QStringLiteral("0"), QStringLiteral("1024x768x24"),
                      QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                      QStringLiteral("-noreset")});
        QElapsedTimer t;
        t.start();
        while (m_display.isEmpty() && t.elapsed() < 15000 &&
               m_xvfb.state() != QProcess::NotRunning) {
            m_xvfb.waitForReadyRead(200);
            const QByteArray out = m_xvfb.readAllStandardOutput().trimmed();
            if (!out.isEmpty()) m_display = QLatin1Char(':') + QString::fromLatin1(out);
        }
        return !m_display.isEmpty();
    }
    void stop() {
        if (m_xvfb.state() == QProcess::NotRunning) return;
        m_xvfb.terminate();
        if (!m_xvfb.waitForFinished(5000)) m_xvfb.kill();
        m_xvfb.waitForFinished();
    }

public:
    // Runs xdotool with args; its standard output.
    QString xdotool(const QStringList &args) const {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("xdotool"), args);
        if (!p.waitForFinished(15000)) {
            p.kill();
            p.waitForFinished();
            return QString();
        }
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

private:
    QProcess m_xvfb;
    QString m_display;
};

// One installation and, once started, one Corvel process in it.
class Installation {
public:
    Installation() {
        QDir().mkpath(path(QStringLiteral("prog/Docs")));
        QDir().mkpath(path(QStringLiteral("work")));
        QDir().mkpath(path(QStringLiteral("config/Corvel")));
        QDir().mkpath(path(QStringLiteral("run")));
        QFile::setPermissions(path(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        corvel::SetSettingsFileOverride(path(QStringLiteral("config/Corvel/Corvel.ini")));
        ApplyDefaultSettings(true);
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Splash"), QStringLiteral("0"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoColor"),
                     QStringLiteral("0"));
    }
    ~Installation() {
        stop();
        corvel::SetSettingsFileOverride(QString());
    }
    QString path(const QString &relative) const { return m_dir.filePath(relative); }
    QString work(const QString &name) const { return path(QStringLiteral("work/") + name); }

    // Starts Corvel on display with args and waits for its visible main
    // window (one whose title holds titlePart, when given), which then has
    // the keyboard focus.
    bool start(const XServer &x, const QStringList &args, const QString &titlePart = QString()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), x.display());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("CORVEL_HOME"), path(QStringLiteral("prog")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("run")));
        m_process.setProcessEnvironment(env);
        m_process.start(Program(), args);
        if (!m_process.waitForStarted()) return false;
        QString window;
        const bool shown = WaitFor([&] {
            if (m_process.state() != QProcess::Running) return true;
            window = x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                QStringLiteral("--name"),
                                QRegularExpression::escape(
                                    titlePart.isEmpty() ? QStringLiteral("Corvel") : titlePart)})
                         .section(QLatin1Char('\n'), 0, 0);
            return !window.isEmpty();
        });
        if (!shown || window.isEmpty()) return false;
        m_window = window;
        x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        QTest::qWait(300);
        return m_process.state() == QProcess::Running;
    }
    // Saves (F5) until the file on disk satisfies done: on a busy machine the
    // keys typed before may not have reached the document yet.
    bool saveUntil(const XServer &x, const QString &file,
                   const std::function<bool(const QByteArray &)> &done) {
        for (int attempt = 0; attempt < 20 && running(); ++attempt) {
            QTest::qWait(300);
            x.xdotool({QStringLiteral("key"), QStringLiteral("F5")});
            if (WaitFor([&] { return done(ReadBytes(file)); }, 2000)) return true;
        }
        return done(ReadBytes(file));
    }

    // Proves that typed keys reach the document before a test relies on
    // them: a "Z" typed at the end of the document and saved, again until
    // the file ends with it. A busy machine may take its time to hand the
    // keyboard focus over; a late key may leave a "Z" more.
    bool probeInput(const XServer &x, const QString &file) {
        for (int attempt = 0; attempt < 4 && running(); ++attempt) {
            if (attempt > 0)
                x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), m_window});
            x.xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("100"),
                       QStringLiteral("ctrl+End"), QStringLiteral("Z")});
            if (saveUntil(x, file, [](const QByteArray &b) { return b.endsWith('Z'); }))
                return true;
        }
        return false;
    }

    bool running() const { return m_process.state() == QProcess::Running; }
    QString errors() { return QString::fromLocal8Bit(m_process.readAllStandardError()); }
    void stop() {
        if (m_process.state() == QProcess::NotRunning) return;
        ::kill(pid_t(m_process.processId()), SIGKILL);
        m_process.waitForFinished(10000);
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_window;
};

} // namespace real_corvel
