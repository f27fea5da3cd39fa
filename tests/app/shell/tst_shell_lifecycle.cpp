// Real Corvel processes from start to end: the exit question and each of its
// answers, relative file names from other folders (also handed over), the
// terminate signals, many simultaneous starts and a runtime folder that
// cannot be used. Keys go in through xdotool on an X server of the test's
// own; files are checked on disk afterwards.
#include "CacheIndex.h"
#include "FilesFixture.h"
#include "RealCorvel.h"
#include "RecentList.h"

#include <QLibrary>
#include <QProcess>
#include <QtTest>
#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using real_corvel::ReadBytes;
using real_corvel::WaitFor;
using real_corvel::WriteBytes;

namespace {

// The window manager's close (WM_DELETE_WINDOW), sent as a window manager
// would: Xvfb runs none of its own.
bool CloseLikeAWindowManager(const QString &display, const QString &window) {
    struct ClientMessage {
        int type;
        unsigned long serial;
        int sendEvent;
        void *display;
        unsigned long window;
        unsigned long messageType;
        int format;
        long data[5];
    };
    union Event {
        ClientMessage message;
        long pad[24];
    };
    QLibrary x11(QStringLiteral("X11"), 6);
    if (!x11.load()) return false;
    using Open = void *(*)(const char *);
    using Atom = unsigned long (*)(void *, const char *, int);
    using Send = int (*)(void *, unsigned long, int, long, Event *);
    using Sync = int (*)(void *, int);
    using Close = int (*)(void *);
    auto open = reinterpret_cast<Open>(x11.resolve("XOpenDisplay"));
    auto atom = reinterpret_cast<Atom>(x11.resolve("XInternAtom"));
    auto send = reinterpret_cast<Send>(x11.resolve("XSendEvent"));
    auto sync = reinterpret_cast<Sync>(x11.resolve("XSync"));
    auto close = reinterpret_cast<Close>(x11.resolve("XCloseDisplay"));
    if (!open || !atom || !send || !sync || !close) return false;
    void *dpy = open(display.toLatin1().constData());
    if (!dpy) return false;
    Event e{};
    e.message.type = 33; // ClientMessage
    e.message.window = window.toULong();
    e.message.messageType = atom(dpy, "WM_PROTOCOLS", 0);
    e.message.format = 32;
    e.message.data[0] = long(atom(dpy, "WM_DELETE_WINDOW", 0));
    const bool sent = send(dpy, e.message.window, 0, 0, &e) != 0;
    sync(dpy, 0);
    close(dpy);
    return sent;
}

int ModeOf(const QString &path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return -1;
    return int(st.st_mode & 07777);
}

} // namespace

class tst_shell_lifecycle : public QObject {
    Q_OBJECT
    real_corvel::XServer x;
    bool haveX = false;
    std::unique_ptr<QTemporaryDir> dir;

    QString path(const QString &relative) const { return dir->filePath(relative); }
    QString prog() const { return path(QStringLiteral("prog")); }
    QString ini() const { return path(QStringLiteral("config/Corvel/Corvel.ini")); }

    QProcessEnvironment Env(bool onX) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CORVEL_HOME"), prog());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("run")));
        env.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
        if (onX) {
            env.insert(QStringLiteral("DISPLAY"), x.display());
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        } else {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        }
        return env;
    }

    // A fresh installation: settings written, no documents, no cache.
    void Fresh(const QString &autoSave = QStringLiteral("0")) {
        dir = std::make_unique<QTemporaryDir>();
        for (const char *sub : {"prog/Docs", "work", "config/Corvel", "home", "run"})
            QDir().mkpath(path(QLatin1String(sub)));
        QFile::setPermissions(path(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        corvel::SetSettingsFileOverride(ini());
        ApplyDefaultSettings(true);
        // The pairs hold QStrings: a pointer into a temporary byte array would
        // dangle by the time the loop reads it.
        for (const auto &[key, value] : {std::pair{QStringLiteral("Splash"), QStringLiteral("0")},
                                         std::pair{QStringLiteral("AutoColor"), QStringLiteral("0")},
                                         std::pair{QStringLiteral("AutoSave"), autoSave}})
            WriteSetting(QStringLiteral("Configuracao"), key, value);
        corvel::SetSettingsFileOverride(QString());
    }

    // Reads the index of this installation.
    QVector<corvel::CacheEntry> Index() const {
        corvel::SetProgramFolderOverride(prog());
        const QVector<corvel::CacheEntry> entries = corvel::ReadCacheIndex();
        corvel::SetProgramFolderOverride(QString());
        return entries;
    }
    bool HasEntry(const QString &file) const {
        for (const corvel::CacheEntry &e : Index())
            if (e.file == file) return true;
        return false;
    }

    // The next start, in this process: the documents that come back.
    QString RestoredText(const QString &file) {
        files_test::UseControlLibrary();
        corvel::SetProgramFolderOverride(prog());
        corvel::SetSettingsFileOverride(ini());
        QString text = QStringLiteral("<none>");
        {
            ScriptedDialogs dialogs;
            auto m = files_test::LoadWindow();
            if (ICorvelEdit *ed = corvel::DocumentWithFile(*m, file)) text = ed->Texto();
            m->hide();
        }
        corvel::SetProgramFolderOverride(QString());
        corvel::SetSettingsFileOverride(QString());
        return text;
    }

    // Starts Corvel on the X server with file; the id of its main window,
    // focused once the program said it is ready, or "" when it did not come
    // up.
    QString StartOnX(QProcess &p, const QString &file) {
        QProcessEnvironment env = Env(true);
        const QString ready = path(QStringLiteral("run/ready"));
        QFile::remove(ready);
        env.insert(QStringLiteral("CORVEL_READY_FILE"), ready);
        p.setProcessEnvironment(env);
        p.start(real_corvel::Program(), {file});
        if (!p.waitForStarted()) return QString();
        QByteArray said;
        WaitFor(
            [&] {
                said = ReadBytes(ready);
                return !said.isEmpty() || p.state() != QProcess::Running;
            },
            120000);
        const QString window = QString::fromLatin1(said.trimmed()).section(QLatin1Char(' '), 1, 1);
        if (window.isEmpty() || p.state() != QProcess::Running) return QString();
        const QString name = QFileInfo(file).fileName();
        WaitFor([&] { return x.title(window).contains(name); }, 60000);
        return x.focus(window) ? window : QString();
    }

    // The visible window titled title, or "".
    QString WaitForWindow(const QString &title, int timeoutMs = 30000) {
        return x.waitForWindow(title, timeoutMs);
    }

    static void Kill(QProcess &p) {
        if (p.state() == QProcess::NotRunning) return;
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished(10000);
    }

private slots:
    void initTestCase() {
        files_test::UseControlLibrary();
        if (!QFileInfo(real_corvel::Program()).isExecutable())
            QSKIP("the Corvel program is not built");
        haveX = real_corvel::MissingTools().isEmpty() && x.start();
    }

    // Arquivo › Sair (Alt+A, R) or the window manager's close asks about
    // the changed file first; the program ends only after the answer, and a
    // cancelled exit keeps it running.
    void exitQuestion_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("answerKey");
        QTest::addColumn<QString>("answer");
        QTest::newRow("Sair, Sim") << "menu"
                                   << "Return"
                                   << "Sim";
        QTest::newRow("Sair, Não") << "menu"
                                   << "alt+n"
                                   << "Não";
        QTest::newRow("Sair, Cancelar") << "menu"
                                        << "Escape"
                                        << "Cancelar";
        QTest::newRow("close, Sim") << "close"
                                    << "Return"
                                    << "Sim";
        QTest::newRow("close, Não") << "close"
                                    << "alt+n"
                                    << "Não";
        QTest::newRow("close, Cancelar") << "close"
                                         << "Escape"
                                         << "Cancelar";
    }
    void exitQuestion() {
        if (!haveX) QSKIP("Xvfb and xdotool are needed to type into a real process");
        QFETCH(QString, how);
        QFETCH(QString, answerKey);
        QFETCH(QString, answer);
        Fresh();
        const QString file = path(QStringLiteral("work/sair.html"));
        const QByteArray before = "<p>antes</p>";
        QVERIFY(WriteBytes(file, before));
        QProcess p;
        auto cleanup = qScopeGuard([&p] { Kill(p); });
        const QString window = StartOnX(p, file);
        QVERIFY2(!window.isEmpty(), qPrintable(p.readAllStandardError()));
        x.xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"),
                   QStringLiteral("XYZ")});
        QTest::qWait(300);

        const auto askToEnd = [&] {
            if (how == QLatin1String("menu")) {
                x.xdotool({QStringLiteral("key"), QStringLiteral("alt+a")});
                QTest::qWait(300);
                x.xdotool({QStringLiteral("key"), QStringLiteral("r")});
            } else {
                QVERIFY(CloseLikeAWindowManager(x.display(), window));
            }
        };
        askToEnd();
        const QString question = WaitForWindow(QStringLiteral("Gravar Alterações?"));
        QVERIFY2(!question.isEmpty(), "the exit question did not appear");
        // The question holds the program: it is still there a while later.
        QTest::qWait(500);
        QCOMPARE(p.state(), QProcess::Running);
        x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), question});
        x.xdotool({QStringLiteral("key"), answerKey});

        const QByteArray typed = "XYZ" + before;
        if (answer == QLatin1String("Cancelar")) {
            QTest::qWait(1500);
            QCOMPARE(p.state(), QProcess::Running);
            QVERIFY(WaitForWindow(QStringLiteral("Gravar Alterações?"), 500).isEmpty());
            QCOMPARE(ReadBytes(file), before);
            // The program goes on, and a later exit still asks.
            x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
            askToEnd();
            const QString again = WaitForWindow(QStringLiteral("Gravar Alterações?"));
            QVERIFY2(!again.isEmpty(), "no question after a cancelled exit");
            x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), again});
            x.xdotool({QStringLiteral("key"), QStringLiteral("alt+n")});
        }
        QVERIFY(p.waitForFinished(15000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(ReadBytes(file), answer == QLatin1String("Sim") ? typed : before);
        // Either way the typed text comes back at the next start.
        QVERIFY(HasEntry(file));
        QCOMPARE(RestoredText(file), QString::fromUtf8(typed));
    }

    // A name relative to the starting process's folder opens that folder's
    // file, in the first start and when handed over to a running instance;
    // the index and the history hold absolute names only.
    void relativeNamesFromOtherFolders() {
        Fresh();
        const QString a = path(QStringLiteral("work/a")), c = path(QStringLiteral("work/c"));
        QVERIFY(QDir().mkpath(a) && QDir().mkpath(c + QStringLiteral("/sub")));
        QVERIFY(WriteBytes(a + QStringLiteral("/b.html"), "<p>A b</p>"));
        QVERIFY(WriteBytes(a + QStringLiteral("/d.html"), "<p>A d: errado</p>"));
        QVERIFY(WriteBytes(c + QStringLiteral("/d.html"), "<p>C d</p>"));
        QProcess first;
        auto cleanup = qScopeGuard([&first] { Kill(first); });
        first.setProcessEnvironment(Env(false));
        first.setWorkingDirectory(a);
        first.start(real_corvel::Program(), {QStringLiteral("b.html")});
        QVERIFY(first.waitForStarted());
        QVERIFY2(WaitFor([&] { return HasEntry(a + QStringLiteral("/b.html")); }),
                 qPrintable(first.readAllStandardError()));

        QProcess second;
        second.setProcessEnvironment(Env(false));
        second.setWorkingDirectory(c + QStringLiteral("/sub"));
        second.start(real_corvel::Program(), {QStringLiteral("../d.html")});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(WaitFor([&] { return HasEntry(c + QStringLiteral("/d.html")); }));
        QCOMPARE(first.state(), QProcess::Running);
        for (const corvel::CacheEntry &e : Index())
            QVERIFY2(e.file.isEmpty() || e.file.startsWith(path(QStringLiteral("work/"))),
                     qPrintable(e.file));
        QVERIFY(!HasEntry(a + QStringLiteral("/d.html")));
        corvel::SetSettingsFileOverride(ini());
        const QStringList history = corvel::ReadRecentList(corvel::kHistoryList);
        corvel::SetSettingsFileOverride(QString());
        QVERIFY(history.contains(c + QStringLiteral("/d.html")));
        for (const QString &h : history)
            QVERIFY2(h.isEmpty() || QDir::isAbsolutePath(h), qPrintable(h));
    }

    // A terminate signal after typing writes every document's copy and
    // entry without a question; the next start brings the text back.
    void terminateSignalsKeepTheTypedText_data() {
        QTest::addColumn<int>("sig");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void terminateSignalsKeepTheTypedText() {
        if (!haveX) QSKIP("Xvfb and xdotool are needed to type into a real process");
        QFETCH(int, sig);
        Fresh(QStringLiteral("0")); // no auto-save: only the signal writes
        const QString file = path(QStringLiteral("work/sinal.html"));
        const QByteArray before = "<p>sinal</p>";
        QVERIFY(WriteBytes(file, before));
        QProcess p;
        auto cleanup = qScopeGuard([&p] { Kill(p); });
        QVERIFY(!StartOnX(p, file).isEmpty());
        x.xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"),
                   QStringLiteral("QWE")});
        QTest::qWait(500);
        QCOMPARE(::kill(pid_t(p.processId()), sig), 0);
        QVERIFY(p.waitForFinished(15000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(WaitForWindow(QStringLiteral("Gravar Alterações?"), 300).isEmpty());
        QCOMPARE(ReadBytes(file), before);
        QVERIFY(!QFileInfo::exists(prog() + QStringLiteral("/Corvel.lock")));
        QCOMPARE(RestoredText(file), QStringLiteral("QWE") + QString::fromUtf8(before));
    }

    // Fifty starts at once: one instance, one window; all the others hand
    // over and end.
    void fiftySimultaneousStartsGiveOneWindow() {
        if (!haveX) QSKIP("Xvfb and xdotool are needed to count the windows");
        Fresh();
        constexpr int kStarts = 50;
        std::vector<std::unique_ptr<QProcess>> starts;
        auto cleanup = qScopeGuard([&starts] {
            for (auto &p : starts)
                Kill(*p);
        });
        for (int i = 0; i < kStarts; ++i) {
            starts.push_back(std::make_unique<QProcess>());
            starts.back()->setProcessEnvironment(Env(true));
            starts.back()->start(real_corvel::Program(), QStringList());
        }
        const auto running = [&] {
            int n = 0;
            for (auto &p : starts)
                if (p->state() != QProcess::NotRunning) ++n;
            return n;
        };
        QVERIFY2(WaitFor([&] { return running() <= 1; }, 180000),
                 qPrintable(QString::number(running())));
        QCOMPARE(running(), 1);
        for (auto &p : starts) {
            if (p->state() != QProcess::NotRunning) continue;
            QCOMPARE(p->exitStatus(), QProcess::NormalExit);
            QCOMPARE(p->exitCode(), 0);
        }
        QVERIFY(WaitFor([&] {
            return !x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                               QStringLiteral("--name"), QStringLiteral("^Corvel ")})
                        .isEmpty();
        }));
        QTest::qWait(500);
        const QStringList windows =
            x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                       QStringLiteral("--name"), QStringLiteral("^Corvel ")})
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(windows.size(), 1);
    }

    // A runtime folder this user cannot use (another user's, as left by su)
    // and a temporary-folder name planted by someone else: still one
    // instance, the hand-over still works, nothing planted is touched.
    void unusableRuntimeFolderStillGivesOneInstance() {
        Fresh();
        const QString runtime = path(QStringLiteral("alheio"));
        const QString tmp = path(QStringLiteral("tmp"));
        const QString victim = path(QStringLiteral("public_html"));
        QVERIFY(QDir().mkpath(runtime) && QDir().mkpath(tmp) && QDir().mkpath(victim));
        QVERIFY(::chmod(QFile::encodeName(victim).constData(), 0755) == 0);
        if (::geteuid() == 0)
            QCOMPARE(::chown(QFile::encodeName(runtime).constData(), 65534, 65534), 0);
        else
            QVERIFY(::chmod(QFile::encodeName(runtime).constData(), 0500) == 0);
        const int runtimeMode = ModeOf(runtime);
        QVERIFY(QFile::link(victim, tmp + QStringLiteral("/corvel-%1").arg(::getuid())));
        QProcessEnvironment env = Env(false);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("TMPDIR"), tmp);

        QProcess first;
        auto cleanup = qScopeGuard([&first] { Kill(first); });
        first.setProcessEnvironment(env);
        first.start(real_corvel::Program(), QStringList());
        QVERIFY(first.waitForStarted());
        QVERIFY2(WaitFor([&] { return QFileInfo::exists(prog() + QStringLiteral("/Corvel.run")); }),
                 qPrintable(first.readAllStandardError()));

        const QString file = path(QStringLiteral("work/entregue.html"));
        QVERIFY(WriteBytes(file, "<p>entregue</p>"));
        std::vector<std::unique_ptr<QProcess>> later;
        for (int i = 0; i < 10; ++i) {
            later.push_back(std::make_unique<QProcess>());
            later.back()->setProcessEnvironment(env);
            later.back()->start(real_corvel::Program(), {file});
        }
        for (auto &p : later) {
            QVERIFY(p->waitForFinished(30000));
            QCOMPARE(p->exitCode(), 0);
        }
        QCOMPARE(first.state(), QProcess::Running);
        QVERIFY(WaitFor([&] { return HasEntry(file); }));
        QCOMPARE(ModeOf(victim), 0755);
        QCOMPARE(ModeOf(runtime), runtimeMode);
        QVERIFY(QDir(victim).isEmpty());
        QVERIFY(QDir(runtime).isEmpty());

        // The instance's end takes its socket, its record and its lock along.
        QCOMPARE(::kill(pid_t(first.processId()), SIGTERM), 0);
        QVERIFY(first.waitForFinished(15000));
        QCOMPARE(first.exitCode(), 0);
        QVERIFY(!QFileInfo::exists(prog() + QStringLiteral("/Corvel.run")));
        QVERIFY(!QFileInfo::exists(prog() + QStringLiteral("/Corvel.lock")));
    }
};

QTEST_MAIN(tst_shell_lifecycle)
#include "tst_shell_lifecycle.moc"
