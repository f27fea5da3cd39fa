// The document cache and the saves of a real Corvel process on an X server
// of its own (Xvfb), typed into with xdotool, killed and started again, with
// the files checked on disk: names the index must encode, a cache folder that
// fills up or turns read-only, a save on a full disk that can only write the
// file in place, and texts that begin with characters that look like marks.
#include "CacheIndex.h"
#include "RealCorvel.h"
#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using real_corvel::Installation;
using real_corvel::ReadBytes;
using real_corvel::WriteBytes;

namespace {

constexpr uid_t kNobody = 65534;

bool GiveTo(const QString &path, uid_t uid) {
    return ::chown(QFile::encodeName(path).constData(), uid, uid) == 0;
}

bool Chmod(const QString &path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

// Fills the file system of folder until nothing more fits.
bool Fill(const QString &folder) {
    QFile f(folder + QStringLiteral("/enchimento"));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    const QByteArray chunk(4096, 'f');
    while (f.write(chunk) == chunk.size()) {
    }
    while (f.write("f", 1) == 1) {
    }
    return true;
}

// A small file system of its own (needs the right to mount; root has it).
struct SmallDisk {
    QString path;
    bool mounted = false;
    SmallDisk(const QString &at, const char *size) : path(at) {
        QDir().mkpath(at);
        const QByteArray options = QByteArray("size=") + size + ",mode=0755";
        mounted = ::mount("tmpfs", QFile::encodeName(at).constData(), "tmpfs", 0,
                          options.constData()) == 0;
    }
    ~SmallDisk() {
        if (mounted) ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
    }
};

} // namespace

class TestCacheProcess : public QObject {
    Q_OBJECT

    real_corvel::XServer x;
    QString m_skip;

    QString program() const {
        return qEnvironmentVariable("CORVEL_BIN_DIR") + QStringLiteral("/Corvel");
    }

    // One installation: program folder, settings, runtime folder, work files.
    struct Home {
        QTemporaryDir dir;
        QString prog() const { return dir.filePath(QStringLiteral("prog")); }
        QString docs() const { return prog() + QStringLiteral("/Docs/"); }
        QString index() const { return docs() + QStringLiteral("DocsInfo.ini"); }
        QString work(const QString &name = QString()) const {
            return dir.filePath(QStringLiteral("work")) + (name.isEmpty() ? QString() : '/' + name);
        }
    };

    bool prepare(Home &home, bool asNobody) {
        for (const char *sub : {"prog", "config/Corvel", "run", "work"})
            QDir().mkpath(home.dir.filePath(QLatin1String(sub)));
        corvel::SetSettingsFileOverride(
            home.dir.filePath(QStringLiteral("config/Corvel/Corvel.ini")));
        ApplyDefaultSettings(true);
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoSave"),
                     QStringLiteral("1"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Splash"), QStringLiteral("0"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoColor"),
                     QStringLiteral("0"));
        corvel::SetSettingsFileOverride(QString());
        Chmod(home.dir.filePath(QStringLiteral("run")), 0700);
        if (!asNobody) return true;
        bool ok = Chmod(home.dir.path(), 0755);
        for (const char *sub :
             {"prog", "config", "config/Corvel", "config/Corvel/Corvel.ini", "run", "work"})
            ok = GiveTo(home.dir.filePath(QLatin1String(sub)), kNobody) && ok;
        return ok;
    }

    // Starts Corvel in home (as nobody when asked) and waits until it is
    // ready for input.
    bool start(Installation &p, Home &home, const QStringList &args, bool asNobody) {
        p.setEnvironment(QStringLiteral("HOME"), home.dir.path());
        p.setEnvironment(QStringLiteral("CORVEL_AUTOSAVE_MS"), QStringLiteral("300"));
        // Only the tick writes the cache here: an idle write two seconds
        // after the typing would fail on its own once a case breaks the
        // cache folder, and its message could take the focus before the
        // key that case sends next.
        p.setEnvironment(QStringLiteral("CORVEL_IDLE_WRITE_MS"), QStringLiteral("3600000"));
        if (asNobody)
            p.setWrapper({QStandardPaths::findExecutable(QStringLiteral("setpriv")),
                          QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                          QStringLiteral("--clear-groups")});
        return p.start(x, args);
    }

    // The first visible window whose title holds name, waited for.
    QString window(const QString &name, int ms = 60000) const { return x.waitForWindow(name, ms); }

    // Focuses the window titled name and sends keys, then types text.
    bool keysInto(const QString &name, const QStringList &keys, const QString &text = QString()) {
        if (!x.keysInto(name, keys)) return false;
        if (!text.isEmpty()) x.type(text);
        return true;
    }
    // The same into the main window of p.
    bool keysInto(Installation &p, const QStringList &keys, const QString &text = QString()) {
        if (!p.running()) return false;
        p.keys(x, keys);
        if (!text.isEmpty()) x.type(text);
        return true;
    }

    // Waits until the index names file with a copy on disk that holds text.
    static bool WaitForCopy(const Home &home, const QString &file, const QByteArray &text,
                            const QProcess &p, int ms = 30000) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms && p.state() == QProcess::Running) {
            for (const corvel::CacheEntry &e : corvel::ReadCacheIndex(home.index()))
                if (e.file == file && !e.copy.isEmpty() &&
                    ReadBytes(home.docs() + e.copy).contains(text))
                    return true;
            QTest::qWait(100);
        }
        return false;
    }

    static bool WaitForBytes(const QString &file, const QByteArray &bytes, int ms = 20000) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            if (ReadBytes(file) == bytes) return true;
            QTest::qWait(100);
        }
        return false;
    }

private slots:
    void initTestCase() {
        m_skip = real_corvel::MissingTools();
        if (m_skip.isEmpty() && !x.start())
            m_skip = QStringLiteral("Xvfb could not start a display");
    }
    void init() {
        if (!m_skip.isEmpty()) QSKIP(qPrintable(m_skip));
    }

    // A file whose name holds a line break: its entry never binds the
    // document to the file named by the name's first line, across a kill
    // and a start, and a save after the start writes the right file.
    void lineBreakNameNeverTouchesAnotherFile() {
        Home home;
        QVERIFY(prepare(home, false));
        const QString victim = home.work(QStringLiteral("target"));
        const QString file = home.work(QStringLiteral("target\nZ.html"));
        QVERIFY(WriteBytes(victim, "<p>outro</p>"));
        QVERIFY(WriteBytes(file, "<p>linha</p>\r\n"));

        Installation p(home.dir.path());
        QVERIFY2(start(p, home, {file}, false), qPrintable(p.errors()));
        QVERIFY(keysInto(p, {QStringLiteral("ctrl+End")}, QStringLiteral("XY")));
        QVERIFY2(WaitForCopy(home, file, "XY", p.process()), "the typed text was not auto-saved");
        p.stop();
        const QVector<corvel::CacheEntry> entries = corvel::ReadCacheIndex(home.index());
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].file, file);
        QVERIFY(!entries[0].fileDoubtful);

        Installation again(home.dir.path());
        QVERIFY2(start(again, home, {}, false), qPrintable(again.errors()));
        QVERIFY(keysInto(again, {QStringLiteral("F5")}));
        QVERIFY2(WaitForBytes(file, "<p>linha</p>\r\nXY"), ReadBytes(file).constData());
        QCOMPARE(ReadBytes(victim), QByteArray("<p>outro</p>"));
        QVERIFY(!QFileInfo::exists(home.work(QStringLiteral("Z.html"))));
    }

    // The cache folder fills up, or turns read-only under the running
    // (unprivileged) program: the message appears, the copy of the last
    // good write stays, and once the folder works again the text typed
    // meanwhile is written (the document stayed marked as changed).
    void cacheFolderThatStopsWorking_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("full disk") << false;
        QTest::newRow("read-only folder") << true;
    }
    void cacheFolderThatStopsWorking() {
        QFETCH(bool, readOnly);
        if (readOnly && (::geteuid() != 0 ||
                         QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty()))
            QSKIP("needs root and setpriv to run Corvel as another user");
        Home home;
        QVERIFY(prepare(home, readOnly));
        std::unique_ptr<SmallDisk> disk;
        if (!readOnly) {
            disk = std::make_unique<SmallDisk>(home.prog(), "3m");
            if (!disk->mounted) QSKIP("cannot mount a small file system here");
        }
        const QString file = home.work(QStringLiteral("doc.html"));
        QVERIFY(WriteBytes(file, "<p>a</p>"));
        if (readOnly) QVERIFY(GiveTo(file, kNobody));

        Installation p(home.dir.path());
        QVERIFY2(start(p, home, {file}, readOnly), qPrintable(p.errors()));
        QVERIFY(keysInto(p, {QStringLiteral("ctrl+End")}, QStringLiteral("um1")));
        QVERIFY2(WaitForCopy(home, file, "um1", p.process()), "the first auto-save did not happen");

        if (readOnly)
            QVERIFY(Chmod(home.docs(), 0555));
        else
            QVERIFY(Fill(home.prog()));
        // One key: the message takes the focus as soon as it appears.
        QVERIFY(keysInto(p, {QStringLiteral("Q")}));
        const QString box = window(QStringLiteral("Erro de Auto Gravação"));
        QVERIFY2(!box.isEmpty(), "no message about the failed auto-save");
        QVERIFY(WaitForCopy(home, file, "um1", p.process(), 100));
        QVERIFY(!WaitForCopy(home, file, "um1Q", p.process(), 1500));

        if (readOnly)
            QVERIFY(Chmod(home.docs(), 0700));
        else
            QVERIFY(QFile::remove(home.prog() + QStringLiteral("/enchimento")));
        // Written while the message still waits for its answer.
        QVERIFY2(WaitForCopy(home, file, "um1Q", p.process()),
                 "the text typed during the failure was never written");
        QVERIFY(!window(QStringLiteral("Erro de Auto Gravação"), 100).isEmpty());
        QVERIFY(keysInto(QStringLiteral("Erro de Auto Gravação"), {QStringLiteral("Return")}));
        QCOMPARE(ReadBytes(file), QByteArray("<p>a</p>")); // only the cache was written
    }

    // A file in a folder that takes no new file, on a full disk: the save
    // fails before any byte changes (the file is old, never mixed), and
    // works in place once there is room.
    void fullDiskNeverLeavesAMixedFile() {
        if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("needs root and setpriv to run Corvel as another user");
        Home home;
        QVERIFY(prepare(home, true));
        const QString folder = home.work(QStringLiteral("ro"));
        SmallDisk disk(folder, "256k");
        if (!disk.mounted) QSKIP("cannot mount a small file system here");
        // Whole pages of text, so one more character needs a new block.
        QByteArray old;
        while (old.size() < 81920)
            old += QByteArray(78, 'a') + "\r\n";
        old.truncate(81920);
        const QString file = folder + QStringLiteral("/pagina.html");
        QVERIFY(WriteBytes(file, old));
        QVERIFY(GiveTo(file, kNobody));
        QVERIFY(Chmod(file, 0644));
        QVERIFY(Fill(folder));
        QVERIFY(Chmod(folder, 0555));

        Installation p(home.dir.path());
        QVERIFY2(start(p, home, {file}, true), qPrintable(p.errors()));
        QVERIFY(keysInto(p, {QStringLiteral("ctrl+Home")}, QStringLiteral("X")));
        QTest::qWait(300);
        QVERIFY(keysInto(p, {QStringLiteral("F5")}));
        QVERIFY2(!window(QStringLiteral("Erro de Gravação")).isEmpty(),
                 "no message about the failed save");
        QCOMPARE(ReadBytes(file), old);

        QVERIFY(QFile::remove(folder + QStringLiteral("/enchimento")));
        QVERIFY(keysInto(QStringLiteral("Erro de Gravação"), {QStringLiteral("Return")}));
        QVERIFY(keysInto(p, {QStringLiteral("F5")}));
        QVERIFY2(WaitForBytes(file, "X" + old), "the save in place did not happen");
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &st), 0);
        QCOMPARE(int(st.st_uid), int(kNobody)); // the same file, written in place
    }

    // A document that begins with U+FFFE, or with a mark and U+FEFF: typed
    // into, auto-saved, killed; the next start brings it back intact and a
    // save writes the same bytes plus what was typed.
    void markCharactersSurviveTheCache_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("U+FFFE first") << QByteArray("\xEF\xBF\xBE<p>um</p>\r\n");
        QTest::newRow("two marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF<p>dois</p>\r\n");
        QTest::newRow("mark after a break")
            << QByteArray("<p>tr\xC3\xAAs</p>\r\n\xEF\xBB\xBF\xEF\xBF\xBE\r\n");
    }
    void markCharactersSurviveTheCache() {
        QFETCH(QByteArray, bytes);
        Home home;
        QVERIFY(prepare(home, false));
        const QString file = home.work(QStringLiteral("marca.html"));
        QVERIFY(WriteBytes(file, bytes));

        Installation p(home.dir.path());
        QVERIFY2(start(p, home, {file}, false), qPrintable(p.errors()));
        QVERIFY(keysInto(p, {QStringLiteral("ctrl+End")}, QStringLiteral("qz9")));
        QVERIFY2(WaitForCopy(home, file, "qz9", p.process()), "the typed text was not auto-saved");
        p.stop();

        Installation again(home.dir.path());
        QVERIFY2(start(again, home, {}, false), qPrintable(again.errors()));
        // Ready means ready: the first F5 saves the restored document.
        QVERIFY(keysInto(again, {QStringLiteral("F5")}));
        QVERIFY2(WaitForBytes(file, bytes + "qz9"), ReadBytes(file).toHex().constData());
    }
};

QTEST_MAIN(TestCacheProcess)
#include "tst_cache_process.moc"
