// The private runtime folder, the instance lock, the claim of a start, the
// command line a start works with and the terminate signals.
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "TerminationSignals.h"
#include "frmAbertura.h"
#include "TimeLimits.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace corvel;

namespace {

// Sets an environment variable for one scope.
struct EnvGuard {
    QByteArray name, saved;
    bool had;
    EnvGuard(const char *n, const QByteArray &value)
        : name(n), saved(qgetenv(n)), had(qEnvironmentVariableIsSet(n)) {
        if (value.isNull())
            qunsetenv(n);
        else
            qputenv(n, value);
    }
    ~EnvGuard() {
        if (had)
            qputenv(name.constData(), saved);
        else
            qunsetenv(name.constData());
    }
};

int ModeOf(const QString &path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return -1;
    return int(st.st_mode & 07777);
}

} // namespace

class tst_single_instance : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        SetProgramFolderOverride(dir.filePath(QStringLiteral("prog")));
        SetSettingsFileOverride(dir.filePath(QStringLiteral("Corvel.ini")));
    }
    void cleanupTestCase() {
        SetProgramFolderOverride(QString());
        SetSettingsFileOverride(QString());
    }

    // What sits at the expected "corvel-<uid>" name decides whether it is
    // used; nothing found there ever gets its permissions changed.
    void plantedRuntimeFolders_data() {
        QTest::addColumn<QString>("planted");
        QTest::addColumn<bool>("used");
        QTest::newRow("nothing: created owner-only") << "none" << true;
        QTest::newRow("own private folder") << "private" << true;
        QTest::newRow("own folder others may enter") << "open" << false;
        QTest::newRow("link to someone's folder") << "link" << false;
        QTest::newRow("plain file") << "file" << false;
        QTest::newRow("dangling link") << "dangling" << false;
    }
    void plantedRuntimeFolders() {
        QFETCH(QString, planted);
        QFETCH(bool, used);
        QTemporaryDir tmp, home;
        EnvGuard runtime("XDG_RUNTIME_DIR", QByteArray());
        EnvGuard tmpdir("TMPDIR", tmp.path().toUtf8());
        EnvGuard homeVar("HOME", home.path().toUtf8());
        const QString expected = tmp.path() + QStringLiteral("/corvel-%1").arg(::getuid());
        const QString victim = tmp.path() + QStringLiteral("/public_html");
        QVERIFY(QDir().mkpath(victim));
        QVERIFY(::chmod(QFile::encodeName(victim).constData(), 0755) == 0);
        if (planted == QLatin1String("private")) {
            QVERIFY(::mkdir(QFile::encodeName(expected).constData(), 0700) == 0);
        } else if (planted == QLatin1String("open")) {
            QVERIFY(::mkdir(QFile::encodeName(expected).constData(), 0700) == 0);
            QVERIFY(::chmod(QFile::encodeName(expected).constData(), 0755) == 0);
        } else if (planted == QLatin1String("link")) {
            QVERIFY(QFile::link(victim, expected));
        } else if (planted == QLatin1String("dangling")) {
            QVERIFY(QFile::link(tmp.path() + QStringLiteral("/nada"), expected));
        } else if (planted == QLatin1String("file")) {
            QFile f(expected);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const int before = ModeOf(expected);

        const QString folder = SingleInstance::RuntimeFolder();
        QVERIFY(!folder.isEmpty());
        QCOMPARE(ModeOf(folder) & 077, 0);
        QCOMPARE(ModeOf(victim), 0755);
        QVERIFY(!QFileInfo::exists(tmp.path() + QStringLiteral("/nada")));
        if (used) {
            QCOMPARE(folder, expected);
            QCOMPARE(ModeOf(expected), 0700);
        } else {
            QVERIFY(folder != expected);
            QCOMPARE(ModeOf(expected), before);
            // A name nobody could have prepared, owned by this user; the
            // same one for the rest of the run.
            QVERIFY2(QFileInfo(folder).fileName().size() > QStringLiteral("corvel-run-").size(),
                     qPrintable(folder));
            QCOMPARE(QFileInfo(folder).ownerId(), ::getuid());
            QCOMPARE(SingleInstance::RuntimeFolder(), folder);
            QVERIFY(SingleInstance::ServerName().startsWith(folder + QLatin1Char('/')));
        }
    }

    // The user's runtime folder is used only while it is this user's and
    // nobody else may write into it.
    void runtimeFolderFromTheEnvironment_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("otherOwner");
        QTest::addColumn<bool>("used");
        QTest::newRow("private") << 0700 << false << true;
        QTest::newRow("readable by all") << 0755 << false << true;
        QTest::newRow("writable by the group") << 0770 << false << false;
        QTest::newRow("another user's (left by su)") << 0700 << true << false;
    }
    void runtimeFolderFromTheEnvironment() {
        QFETCH(int, mode);
        QFETCH(bool, otherOwner);
        QFETCH(bool, used);
        if (otherOwner && ::geteuid() != 0) QSKIP("needs root to give the folder to another user");
        QTemporaryDir run, tmp;
        QVERIFY(::chmod(QFile::encodeName(run.path()).constData(), mode_t(mode)) == 0);
        if (otherOwner)
            QCOMPARE(::chown(QFile::encodeName(run.path()).constData(), 65534, 65534), 0);
        EnvGuard runtime("XDG_RUNTIME_DIR", run.path().toUtf8());
        EnvGuard tmpdir("TMPDIR", tmp.path().toUtf8());
        const QString folder = SingleInstance::RuntimeFolder();
        QCOMPARE(folder == run.path(), used);
        QCOMPARE(ModeOf(run.path()), mode);
        if (otherOwner) QCOMPARE(::chown(QFile::encodeName(run.path()).constData(), 0, 0), 0);
    }

    // The lock: one holder; a dead holder's lock is taken over.
    void lockHasOneHolder() {
        const QString prog = dir.filePath(QStringLiteral("lockprog"));
        InstanceLock first(prog);
        QCOMPARE(first.tryLock(), InstanceLock::State::Held);
        QVERIFY(QFileInfo::exists(prog + QStringLiteral("/Corvel.lock")));
        InstanceLock second(prog);
        QCOMPARE(second.tryLock(), InstanceLock::State::HeldElsewhere);
        first.unlock();
        QCOMPARE(second.tryLock(), InstanceLock::State::Held);
    }

    void lockOfADeadProcessIsTakenOver() {
        const QString prog = dir.filePath(QStringLiteral("deadprog"));
        QVERIFY(QDir().mkpath(prog));
        // A process that ended: its id is free now.
        QProcess p;
        p.start(QStringLiteral("true"), {});
        QVERIFY(p.waitForFinished());
        const qint64 dead = p.processId() ? p.processId() : 999999;
        QFile f(prog + QStringLiteral("/Corvel.lock"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::number(dead) + "\nCorvel\n" + QSysInfo::machineHostName().toUtf8() +
                "\n");
        f.close();
        InstanceLock lock(prog);
        QCOMPARE(lock.tryLock(), InstanceLock::State::Held);
    }

    // A start hands over when an instance answers, runs when it gets the
    // lock, and gives up when the holder never answers.
    void claimOfAStart_data() {
        QTest::addColumn<bool>("held");
        QTest::addColumn<bool>("listening");
        QTest::addColumn<int>("role");
        QTest::newRow("nobody") << false << false << int(StartRole::Run);
        QTest::newRow("instance answers") << true << true << int(StartRole::HandedOver);
        QTest::newRow("holder silent") << true << false << int(StartRole::AlreadyRunning);
    }
    void claimOfAStart() {
        QFETCH(bool, held);
        QFETCH(bool, listening);
        QFETCH(int, role);
        QTemporaryDir run;
        EnvGuard runtime("XDG_RUNTIME_DIR", run.path().toUtf8());
        const QString prog = dir.filePath(QStringLiteral("claim-%1").arg(QTest::currentDataTag()));
        SetProgramFolderOverride(prog);
        auto restore = qScopeGuard([&] { SetProgramFolderOverride(dir.filePath("prog")); });
        InstanceLock holder(prog);
        if (held) QCOMPARE(holder.tryLock(), InstanceLock::State::Held);
        SingleInstance server;
        if (listening) {
            QVERIFY(server.Listen());
            QVERIFY(server.Record());
        }
        QSignalSpy spy(&server, &SingleInstance::received);
        InstanceLock mine(prog);
        QElapsedTimer t;
        t.start();
        // The server lives in this thread: a short wait keeps the claim quick.
        const StartRole got = ClaimInstance(QStringLiteral("/tmp/x.html"), mine, 600);
        QCOMPARE(int(got), role);
        QCOMPARE(mine.isLocked(), got == StartRole::Run);
        if (got == StartRole::HandedOver) {
            QTRY_COMPARE(spy.count(), 1);
            QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("/tmp/x.html"));
        }
        QVERIFY(t.elapsed() < test_time::Limit(8000));
    }

    // The record names the socket wherever it ended up, so a start finds an
    // instance that had to listen in a fresh folder.
    void recordFindsAFreshFolder() {
        QTemporaryDir tmp, home;
        EnvGuard runtime("XDG_RUNTIME_DIR", QByteArray());
        EnvGuard tmpdir("TMPDIR", tmp.path().toUtf8());
        EnvGuard homeVar("HOME", home.path().toUtf8());
        QVERIFY(QFile::link(tmp.path(), tmp.path() + QStringLiteral("/corvel-%1").arg(::getuid())));
        QDir().mkpath(ProgramFolder());
        SingleInstance server;
        QVERIFY(server.Listen());
        QVERIFY(server.Record());
        QCOMPARE(ModeOf(SingleInstance::RecordPath()) & 077, 0);
        QSignalSpy spy(&server, &SingleInstance::received);
        QVERIFY(SingleInstance::HandOver(QStringLiteral("/tmp/y.html"), 2000));
        QTRY_COMPARE(spy.count(), 1);
        // A record pointing at something that is not this user's socket is
        // never followed.
        server.Close();
        QVERIFY(!QFileInfo::exists(SingleInstance::RecordPath()));
        QFile rec(SingleInstance::RecordPath());
        QVERIFY(rec.open(QIODevice::WriteOnly));
        rec.write(QFile::encodeName(tmp.path()) + "\n");
        rec.close();
        QVERIFY(!SingleInstance::HandOver(QStringLiteral("/tmp/z.html"), 300));
        QFile::remove(SingleInstance::RecordPath());
    }

    // The file a start opens or hands over.
    void startCommandLine_data() {
        QTest::addColumn<QList<QByteArray>>("args");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("messages");
        QTest::newRow("relative") << QList<QByteArray>{"b.html"} << "/w/b.html" << 0;
        QTest::newRow("quoted") << QList<QByteArray>{"\"x y.html\""} << "/w/x y.html" << 0;
        QTest::newRow("word kept") << QList<QByteArray>{"/sobre"} << "/sobre" << 0;
        QTest::newRow("nothing") << QList<QByteArray>{} << "" << 0;
        QTest::newRow("not valid text") << QList<QByteArray>{"p\xe1gina.html"} << "" << 1;
    }
    void startCommandLine() {
        QFETCH(QList<QByteArray>, args);
        QFETCH(QString, expected);
        QFETCH(int, messages);
        ScriptedDialogs dialogs;
        QCOMPARE(StartCommandLine(args, QStringLiteral("/w")), expected);
        QCOMPARE(dialogs.messages.size(), messages);
        if (messages) {
            QCOMPARE(dialogs.lastTitle(), QStringLiteral("Arquivo Não Encontrado"));
            QCOMPARE(dialogs.messages.last().icon, MsgIcon::Warning);
        }
    }

    // The handler only passes the signal on; the loop receives it.
    void terminateSignalsArriveInTheLoop_data() {
        QTest::addColumn<int>("sig");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void terminateSignalsArriveInTheLoop() {
        QFETCH(int, sig);
        TerminationSignals *watch = TerminationSignals::Install();
        QVERIFY(watch);
        QCOMPARE(TerminationSignals::Install(), watch);
        QSignalSpy spy(watch, &TerminationSignals::received);
        QCOMPARE(::raise(sig), 0);
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), sig);
    }
};

QTEST_MAIN(tst_single_instance)
#include "tst_single_instance.moc"
