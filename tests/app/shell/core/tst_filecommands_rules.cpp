#include "CompactPath.h"
#include "FileRules.h"
#include "SafeSave.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace corvel;

namespace {
QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
void WriteRaw(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}
} // namespace

class TestFileRules : public QObject {
    Q_OBJECT
private slots:
    void compactPathKeepsShortPaths() {
        QCOMPARE(CompactPath(QStringLiteral("/home/ana/site/index.html")),
                 QStringLiteral("/home/ana/site/index.html"));
        const QString exact =
            QStringLiteral("/") + QString(54, QLatin1Char('d')) + QStringLiteral("/a.h");
        QCOMPARE(exact.size(), 59);
        QCOMPARE(CompactPath(exact), exact);
        QCOMPARE(CompactPath(QString()), QString());
    }

    void compactPathCutsTheMiddleAndKeepsTheName() {
        const QString path =
            QStringLiteral("/home/ana/projetos/clientes/padaria-do-bairro/site-novo/"
                           "paginas/produtos/index.html");
        const QString c = CompactPath(path);
        QCOMPARE(c.size(), 59);
        QVERIFY(c.endsWith(QStringLiteral(".../index.html")));
        QVERIFY(c.startsWith(QStringLiteral("/home/ana/projetos/")));
        QCOMPARE(c, path.left(59 - 14) + QStringLiteral(".../index.html"));
    }

    void compactPathOfAnOverlongName() {
        const QString name = QString(80, QLatin1Char('n')) + QStringLiteral(".html");
        const QString c = CompactPath(QStringLiteral("/tmp/") + name);
        QVERIFY(c.size() <= 59);
        QVERIFY(c.startsWith(QStringLiteral("nnnn")));
        QVERIFY(c.endsWith(QStringLiteral("...")));
        // A name that fits alone but not with "/...": the bare name.
        const QString name57 = QString(57, QLatin1Char('m'));
        QCOMPARE(CompactPath(QStringLiteral("/somewhere/") + name57), name57);
        // "..." and the name with its separator fill the 59 characters exactly.
        const QString name55 = QString(55, QLatin1Char('k'));
        QCOMPARE(CompactPath(QStringLiteral("/somewhere/") + name55),
                 QStringLiteral(".../") + name55);
    }

    void cancelledNames() {
        QVERIFY(IsCancelledFileName(QString()));
        QVERIFY(IsCancelledFileName(QStringLiteral("/tmp/*.html")));
        QVERIFY(IsCancelledFileName(QStringLiteral("/tmp/a?.html")));
        QVERIFY(!IsCancelledFileName(QStringLiteral("/tmp/a.html")));
    }

    void printWrapsAt85WithALeadingSpace() {
        const QString line200 = QString(85, QLatin1Char('a')) + QString(85, QLatin1Char('b')) +
                                QString(30, QLatin1Char('c'));
        QCOMPARE(PrintText(line200), QStringLiteral(" ") + QString(85, QLatin1Char('a')) +
                                         QStringLiteral("\r\n ") + QString(85, QLatin1Char('b')) +
                                         QStringLiteral("\r\n ") + QString(30, QLatin1Char('c')) +
                                         QStringLiteral("\r\n"));
        // 85 stays one line, 86 becomes 85 + 1.
        QCOMPARE(PrintText(QString(85, QLatin1Char('x'))).count(QStringLiteral("\r\n")), 1);
        QCOMPARE(PrintText(QString(86, QLatin1Char('x'))), QStringLiteral(" ") +
                                                               QString(85, QLatin1Char('x')) +
                                                               QStringLiteral("\r\n x\r\n"));
        QCOMPARE(PrintText(QStringLiteral("a\r\n\r\nb")), QStringLiteral(" a\r\n \r\n b\r\n"));
    }

    void backupNames() {
        QCOMPARE(BackupName(QStringLiteral("/s/index.htm"), QString()),
                 QStringLiteral("/s/index.bak"));
        QCOMPARE(BackupName(QStringLiteral("/s/pagina.html"), QStringLiteral("old")),
                 QStringLiteral("/s/pagina.old"));
        QCOMPARE(BackupName(QStringLiteral("/s/LEIAME"), QString()),
                 QStringLiteral("/s/LEIAME.bak"));
        QCOMPARE(BackupName(QStringLiteral("/s.d/LEIAME"), QString()),
                 QStringLiteral("/s.d/LEIAME.bak"));
        QCOMPARE(BackupName(QStringLiteral("/s/a.b.php"), QString()), QStringLiteral("/s/a.b.bak"));
        QCOMPARE(BackupName(QStringLiteral("/s/.htaccess"), QString()),
                 QStringLiteral("/s/.htaccess.bak"));
    }

    void atomicWriteKeepsPermissionsAndLinks() {
        QTemporaryDir dir;
        const QString real = dir.filePath(QStringLiteral("real.html"));
        const QString link = dir.filePath(QStringLiteral("link.html"));
        WriteRaw(real, "old");
        QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(QFile::link(real, link));
        QString error;
        QVERIFY2(AtomicWriteFile(link, "new content", &error), qPrintable(error));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadAll(real), QByteArray("new content"));
        const int mask = 0x7077; // owner, group and other bits
        QCOMPARE(int(QFileInfo(real).permissions()) & mask,
                 int(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup) & mask);
    }

    void failedWriteLeavesTheOldFile() {
        if (geteuid() == 0) QSKIP("folder permissions do not bind root");
        QTemporaryDir dir;
        const QString sub = dir.filePath(QStringLiteral("ro"));
        QDir().mkpath(sub);
        const QString file = sub + QStringLiteral("/a.html");
        WriteRaw(file, "precious");
        QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner);
        QString error;
        const bool ok = AtomicWriteFile(file, "replacement", &error);
        QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!ok);
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadAll(file), QByteArray("precious"));
        QCOMPARE(QDir(sub).entryList(QDir::Files), QStringList{QStringLiteral("a.html")});
    }

    void fullDiskLeavesTheOldFile() {
        // A file size limit makes every write past it fail, as a full disk does.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.html"));
        WriteRaw(file, "precious");
        struct rlimit old;
        getrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old;
        small.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &small);
        QString error;
        const bool ok = AtomicWriteFile(file, QByteArray(4096, 'z'), &error);
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!ok);
        QCOMPARE(ReadAll(file), QByteArray("precious"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.html")});
    }

    void backupCopiesWithoutTouchingTheFile() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("index.htm"));
        const QString backup = BackupName(file, QString());
        WriteRaw(file, "version 1");
        WriteRaw(backup, "ancient");
        QVERIFY(MakeBackupCopy(file, backup));
        QCOMPARE(ReadAll(backup), QByteArray("version 1"));
        QCOMPARE(ReadAll(file), QByteArray("version 1"));
        QVERIFY(!MakeBackupCopy(dir.filePath(QStringLiteral("missing")), backup));
        QCOMPARE(ReadAll(backup), QByteArray("version 1"));
    }

    // The backup holds the old content: whoever may not read the file may
    // not read its backup either.
    void backupTakesTheFilesPermissions_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("oldBackupMode"); // 0: no backup yet
        QTest::newRow("private") << 0600 << 0;
        QTest::newRow("private over an open backup") << 0600 << 0644;
        QTest::newRow("group") << 0640 << 0;
        QTest::newRow("read-only") << 0400 << 0666;
        QTest::newRow("open") << 0644 << 0600;
    }
    void backupTakesTheFilesPermissions() {
        QFETCH(int, mode);
        QFETCH(int, oldBackupMode);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("p.html"));
        const QString backup = BackupName(file, QString());
        WriteRaw(file, "old");
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), mode_t(mode)), 0);
        if (oldBackupMode) {
            WriteRaw(backup, "older");
            QCOMPARE(::chmod(QFile::encodeName(backup).constData(), mode_t(oldBackupMode)), 0);
        }
        QVERIFY(MakeBackupCopy(file, backup));
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(backup).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), mode);
        QCOMPARE(ReadAll(backup), QByteArray("old"));
    }

    void backupTakesTheFilesOwner() {
        if (::geteuid() != 0) QSKIP("only root may give a file away");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("o.html"));
        WriteRaw(file, "old");
        QCOMPARE(::chown(QFile::encodeName(file).constData(), 65534, 65534), 0);
        const QString backup = BackupName(file, QString());
        QVERIFY(MakeBackupCopy(file, backup));
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(backup).constData(), &st), 0);
        QCOMPARE(int(st.st_uid), 65534);
        QCOMPARE(int(st.st_gid), 65534);
    }
};

QTEST_GUILESS_MAIN(TestFileRules)
#include "tst_filecommands_rules.moc"
