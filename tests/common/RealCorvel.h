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
#include <QMap>
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

    // Runs xdotool with args; its standard output.
    QString xdotool(const QStringList &args) const {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("xdotool"), args);
        if (!p.waitForFinished(30000)) {
            p.kill();
            p.waitForFinished();
            return QString();
        }
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    // The visible windows whose title matches the regular expression
    // pattern, newest last.
    QStringList windows(const QString &pattern) const {
        return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                        QStringLiteral("--name"), pattern})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    // The first visible window whose title matches pattern, waited for up to
    // timeoutMs; empty when none came.
    QString waitForWindow(const QString &pattern, int timeoutMs = 60000) const {
        QString found;
        WaitFor(
            [&] {
                const QStringList w = windows(pattern);
                if (!w.isEmpty()) found = w.first();
                return !found.isEmpty();
            },
            timeoutMs);
        return found;
    }
    QString title(const QString &window) const {
        return xdotool({QStringLiteral("getwindowname"), window});
    }
    // Gives window the keyboard focus (the server's, there is no window
    // manager) and waits until the server reports it.
    bool focus(const QString &window) const {
        if (window.isEmpty()) return false;
        return WaitFor(
            [&] {
                xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
                return xdotool({QStringLiteral("getwindowfocus")}) == window;
            },
            20000);
    }
    // Keys (xdotool key names) sent to whatever has the focus.
    void keys(const QStringList &names, int delayMs = 60) const {
        xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"),
                            QString::number(delayMs)} +
                names);
    }
    void type(const QString &text, int delayMs = 40) const {
        xdotool(
            {QStringLiteral("type"), QStringLiteral("--delay"), QString::number(delayMs), text});
    }
    // Focuses the first window titled pattern (waited for) and sends keys.
    bool keysInto(const QString &pattern, const QStringList &names, int timeoutMs = 60000) const {
        const QString w = waitForWindow(pattern, timeoutMs);
        if (!focus(w)) return false;
        keys(names);
        return true;
    }

private:
    bool startOnce() {
        m_xvfb.start(QStringLiteral("Xvfb"),
                     {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                      QStringLiteral("0"), QStringLiteral("1024x768x24"),
                      QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                      QStringLiteral("-noreset")});
        QElapsedTimer t;
        t.start();
        while (m_display.isEmpty() && t.elapsed() < 30000 &&
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

    QProcess m_xvfb;
    QString m_display;
};

// One installation and, once started, one Corvel process in it.
class Installation {
public:
    Installation() : m_root(m_dir.path()), m_ownsSettings(true) {
        makeFolders();
        useSettings();
        ApplyDefaultSettings(true);
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Splash"), QStringLiteral("0"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoColor"),
                     QStringLiteral("0"));
    }
    // An installation in a folder the test prepared (prog, work, config and
    // run below it, run private); its settings are the test's to write.
    explicit Installation(const QString &root) : m_root(root), m_ownsSettings(false) {}
    ~Installation() {
        stop();
        if (m_ownsSettings) corvel::SetSettingsFileOverride(QString());
    }
    QString path(const QString &relative = QString()) const {
        return relative.isEmpty() ? m_root : m_root + QLatin1Char('/') + relative;
    }
    QString work(const QString &name) const { return path(QStringLiteral("work/") + name); }
    QString prog() const { return path(QStringLiteral("prog")); }
    QString docs() const { return prog() + QStringLiteral("/Docs/"); }
    QString index() const { return docs() + QStringLiteral("DocsInfo.ini"); }

    // The settings store of the test process points at this installation's.
    void useSettings() const {
        corvel::SetSettingsFileOverride(path(QStringLiteral("config/Corvel/Corvel.ini")));
    }
    void setting(const QString &key, const QString &value,
                 const QString &section = QStringLiteral("Configuracao")) const {
        useSettings();
        WriteSetting(section, key, value);
    }
    // Extra environment for the next starts (CORVEL_AUTOSAVE_MS, HOME...).
    void setEnvironment(const QString &name, const QString &value) { m_env[name] = value; }
    // A command that runs the program (setpriv with its options), or none.
    void setWrapper(const QStringList &wrapper) { m_wrapper = wrapper; }
    QString readyFile() const { return path(QStringLiteral("run/ready")); }

    // Starts Corvel on display with args; does not wait.
    bool launch(const XServer &x, const QStringList &args) {
        stop();
        QFile::remove(readyFile());
        m_window.clear();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), x.display());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("CORVEL_HOME"), prog());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("run")));
        env.insert(QStringLiteral("CORVEL_READY_FILE"), readyFile());
        for (auto it = m_env.cbegin(); it != m_env.cend(); ++it)
            env.insert(it.key(), it.value());
        m_process.setProcessEnvironment(env);
        if (m_wrapper.isEmpty())
            m_process.start(Program(), args);
        else
            m_process.start(m_wrapper.first(), m_wrapper.mid(1) + QStringList{Program()} + args);
        return m_process.waitForStarted();
    }
    // Waits until the started program says it is ready for input (its load
    // ended, the window is on screen, the event loop idle); then, when
    // titlePart is given, until the window title holds it; then gives the
    // window the keyboard focus.
    bool waitReady(const XServer &x, const QString &titlePart = QString(), int timeoutMs = 120000) {
        QByteArray ready;
        WaitFor(
            [&] {
                ready = ReadBytes(readyFile());
                return !ready.isEmpty() || !running();
            },
            timeoutMs);
        const QList<QByteArray> parts = ready.trimmed().split(' ');
        if (!running() || parts.size() != 2) return false;
        m_window = QString::fromLatin1(parts[1]);
        if (!titlePart.isEmpty() &&
            !WaitFor([&] { return x.title(m_window).contains(titlePart); }, timeoutMs))
            return false;
        return x.focus(m_window) && running();
    }
    // Both: the usual start of a test.
    bool start(const XServer &x, const QStringList &args, const QString &titlePart = QString()) {
        return launch(x, args) && waitReady(x, titlePart);
    }
    QString window() const { return m_window; }
    // A second start with args, as a user's: it hands them to the running
    // program and ends; its exit code, or -1 when it did not end.
    int startSecond(const QStringList &args) {
        QProcess second;
        QProcessEnvironment env = m_process.processEnvironment();
        env.insert(QStringLiteral("CORVEL_READY_FILE"), path(QStringLiteral("run/ready-second")));
        second.setProcessEnvironment(env);
        if (m_wrapper.isEmpty())
            second.start(Program(), args);
        else
            second.start(m_wrapper.first(), m_wrapper.mid(1) + QStringList{Program()} + args);
        if (!second.waitForFinished(60000)) {
            second.kill();
            second.waitForFinished();
            return -1;
        }
        return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
    }
    // Waits until the main window's title holds text.
    bool waitForTitle(const XServer &x, const QString &text, int timeoutMs = 60000) const {
        return WaitFor([&] { return x.title(m_window).contains(text); }, timeoutMs);
    }
    // Focuses the main window and sends keys.
    void keys(const XServer &x, const QStringList &names) const {
        x.focus(m_window);
        x.keys(names);
    }
    void type(const XServer &x, const QString &text) const {
        x.focus(m_window);
        x.type(text);
    }

    // Saves (F5) until the file on disk satisfies done: the keys typed
    // before may still be on their way on a busy machine.
    bool saveUntil(const XServer &x, const QString &file,
                   const std::function<bool(const QByteArray &)> &done) {
        for (int attempt = 0; attempt < 30 && running(); ++attempt) {
            keys(x, {QStringLiteral("F5")});
            if (WaitFor([&] { return done(ReadBytes(file)); }, 3000)) return true;
        }
        return done(ReadBytes(file));
    }

    // Proves that typed keys reach the document before a test relies on
    // them: a "Z" typed at the end of the document and saved, again until
    // the file ends with it. A late key may leave a "Z" more.
    bool probeInput(const XServer &x, const QString &file) {
        for (int attempt = 0; attempt < 4 && running(); ++attempt) {
            keys(x, {QStringLiteral("ctrl+End"), QStringLiteral("Z")});
            if (saveUntil(x, file, [](const QByteArray &b) { return b.endsWith('Z'); }))
                return true;
        }
        return false;
    }

    bool running() const { return m_process.state() == QProcess::Running; }
    QProcess &process() { return m_process; }
    QString errors() { return QString::fromLocal8Bit(m_process.readAllStandardError()); }
    void stop() {
        if (m_process.state() == QProcess::NotRunning) return;
        ::kill(pid_t(m_process.processId()), SIGKILL);
        m_process.waitForFinished(10000);
    }

private:
    void makeFolders() const {
        QDir().mkpath(path(QStringLiteral("prog/Docs")));
        QDir().mkpath(path(QStringLiteral("work")));
        QDir().mkpath(path(QStringLiteral("config/Corvel")));
        QDir().mkpath(path(QStringLiteral("run")));
        QFile::setPermissions(path(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir m_dir;
    QString m_root;
    bool m_ownsSettings;
    QProcess m_process;
    QString m_window;
    QMap<QString, QString> m_env;
    QStringList m_wrapper;
};

} // namespace real_corvel
