// Files changed, replaced, removed or swapped for a link on disk: the
// readings of a path, how they compare, when gathered notices are asked
// about, and the texts of the questions.
#include "DiskChanges.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace corvel;

namespace {

void Write(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Writes beside and renames over, as editors and QSaveFile do.
void ReplaceByRename(const QString &path, const QByteArray &bytes) {
    Write(path + QStringLiteral(".novo"), bytes);
    QVERIFY(::rename(QFile::encodeName(path + QStringLiteral(".novo")).constData(),
                     QFile::encodeName(path).constData()) == 0);
}

void Link(const QString &target, const QString &at) {
    QFile::remove(at);
    QVERIFY(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(at).constData()) ==
            0);
}

void SetTime(const QString &path, qint64 seconds) {
    struct timespec t[2] = {{seconds, 0}, {seconds, 0}};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), t, AT_SYMLINK_NOFOLLOW);
}

using Action = std::function<void(const QString &file, const QString &other, const QString &link)>;

} // namespace

Q_DECLARE_METATYPE(Action)

class TestDiskChanges : public QObject {
    Q_OBJECT
private slots:
    // Each row: what happens to the file after it was read (through the path
    // "file", or "link" when opened through a link the user chose), and what
    // the readings say.
    void stamps_data() {
        QTest::addColumn<bool>("throughLink");
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("change"); // DiskChange
        QTest::addColumn<bool>("sameIdentity");
        QTest::addColumn<bool>("linkSwapped");
        QTest::addColumn<bool>("saveAsks");

        const int none = int(DiskChange::None), mod = int(DiskChange::Modified),
                  gone = int(DiskChange::Removed);
        QTest::newRow("untouched")
            << false << Action([](auto, auto, auto) {}) << none << true << false << false;
        QTest::newRow("attributes only (chmod)")
            << false << Action([](const QString &f, auto, auto) {
                   QFile::setPermissions(f, QFile::ReadOwner);
               })
            << none << true << false << false;
        QTest::newRow("rewritten in place, other size")
            << false << Action([](const QString &f, auto, auto) { Write(f, "outro texto maior"); })
            << mod << true << false << true;
        QTest::newRow("rewritten in place, same size, new time")
            << false << Action([](const QString &f, auto, auto) {
                   Write(f, "TEXTO");
                   SetTime(f, 2000000000);
               })
            << mod << true << false << true;
        QTest::newRow("replaced by rename")
            << false << Action([](const QString &f, auto, auto) { ReplaceByRename(f, "texto"); })
            << mod << false << false << true;
        QTest::newRow("removed") << false
                                 << Action([](const QString &f, auto, auto) { QFile::remove(f); })
                                 << gone << false << false << false;
        QTest::newRow("replaced by a folder") << false << Action([](const QString &f, auto, auto) {
            QFile::remove(f);
            QDir().mkdir(f);
        }) << mod << false << false << false;
        QTest::newRow("swapped for a link to another file")
            << false << Action([](const QString &f, const QString &o, auto) { Link(o, f); }) << mod
            << false << true << true;
        QTest::newRow("swapped for a dangling link")
            << false << Action([](const QString &f, const QString &o, auto) {
                   Link(o + QStringLiteral("x"), f);
               })
            << gone << false << true << true;
        QTest::newRow("opened through a link, target saved in place")
            << true << Action([](const QString &f, auto, auto) { Write(f, "novo texto do alvo"); })
            << mod << true << false << true;
        QTest::newRow("opened through a link, target replaced by rename")
            << true << Action([](const QString &f, auto, auto) { ReplaceByRename(f, "texto"); })
            << mod << true << false << true;
        QTest::newRow("opened through a link, link redirected")
            << true << Action([](auto, const QString &o, const QString &l) { Link(o, l); }) << mod
            << false << true << true;
        QTest::newRow("opened through a link, link replaced by a file")
            << true << Action([](auto, auto, const QString &l) {
                   QFile::remove(l);
                   Write(l, "texto");
               })
            << mod << false << false << true;
    }
    void stamps() {
        QFETCH(bool, throughLink);
        QFETCH(Action, action);
        QFETCH(int, change);
        QFETCH(bool, sameIdentity);
        QFETCH(bool, linkSwapped);
        QFETCH(bool, saveAsks);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("pagina.html"));
        const QString other = dir.filePath(QStringLiteral("outro.html"));
        const QString link = dir.filePath(QStringLiteral("atalho.html"));
        Write(file, "texto");
        Write(other, "arquivo de outra pessoa");
        SetTime(file, 1000000000);
        if (throughLink) Link(file, link);
        const QString opened = throughLink ? link : file;
        const FileStamp before = ReadFileStamp(opened);
        QVERIFY(before.exists && before.hasContent);
        QCOMPARE(before.isLink, throughLink);
        action(file, other, link);
        const FileStamp now = ReadFileStamp(opened);
        QCOMPARE(int(CompareStamps(before, now)), change);
        QCOMPARE(SameIdentity(before, now), sameIdentity);
        QCOMPARE(LinkSwapped(before, now), linkSwapped);
        QCOMPARE(SaveNeedsConfirmation(before, before, now), saveAsks);
        // The answer to the change is trusted, a planted link never.
        QCOMPARE(SameIdentity(TrustedAfterAnswer(before, now), now), !linkSwapped);
        // Once the user heard of it (seen) and kept Corvel's version, the
        // save asks only about a link.
        QCOMPARE(SaveNeedsConfirmation(TrustedAfterAnswer(before, now), now, now), linkSwapped);
    }

    void missingPathsReadAsNothing() {
        QVERIFY(!ReadFileStamp(QString()).exists);
        QVERIFY(!ReadFileStamp(QStringLiteral("/nao/existe/pagina.html")).exists);
        FileStamp absent;
        QCOMPARE(CompareStamps(absent, absent), DiskChange::None);
        QVERIFY(SameIdentity(absent, absent));
        QVERIFY(!SaveNeedsConfirmation(absent, absent, absent));
        // A file made where there was none is news.
        QTemporaryDir dir;
        Write(dir.filePath(QStringLiteral("a")), "x");
        QCOMPARE(CompareStamps(absent, ReadFileStamp(dir.filePath(QStringLiteral("a")))),
                 DiskChange::Modified);
    }

    void idleWriteFollowsAutoSave_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("on");
        QTest::newRow("1") << "1" << true;
        QTest::newRow("10") << "10" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("negative") << "-3" << false;
        QTest::newRow("empty") << "" << false;
    }
    void idleWriteFollowsAutoSave() {
        QFETCH(QString, setting);
        QFETCH(bool, on);
        QCOMPARE(IdleWriteEnabled(setting), on);
        QVERIFY(kIdleWriteDelayMs >= 1000 && kIdleWriteDelayMs <= 3000);
    }

    // A change postpones the idle write by one delay, but never past five
    // delays from the first change still unwritten.
    void idleWritePostponed_data() {
        QTest::addColumn<qint64>("pending");
        QTest::addColumn<int>("delay");
        QTest::addColumn<bool>("postponed");
        QTest::newRow("first change") << qint64(0) << kIdleWriteDelayMs << true;
        QTest::newRow("due exactly at the limit") << qint64(8000) << 2000 << true;
        QTest::newRow("would pass the limit") << qint64(8001) << 2000 << false;
        QTest::newRow("long past the limit") << qint64(600000) << 2000 << false;
        QTest::newRow("short delay, at its limit") << qint64(800) << 200 << true;
        QTest::newRow("short delay, past its limit") << qint64(801) << 200 << false;
    }
    void idleWritePostponed() {
        QFETCH(qint64, pending);
        QFETCH(int, delay);
        QFETCH(bool, postponed);
        QCOMPARE(IdleWritePostponed(pending, delay), postponed);
    }

    // Each row: notices at the given times, then the state at "at".
    void gathering_data() {
        QTest::addColumn<QList<qint64>>("notices");
        QTest::addColumn<qint64>("at");
        QTest::addColumn<bool>("active");
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("ready");
        QTest::addColumn<int>("remaining");
        const qint64 s = kChangeSettleMs;
        QTest::newRow("nothing gathered")
            << QList<qint64>{} << s * 10 << true << false << false << false << 0;
        QTest::newRow("one notice, settled")
            << QList<qint64>{0} << s << true << false << false << true << 0;
        QTest::newRow("one notice, too soon")
            << QList<qint64>{0} << s - 1 << true << false << false << false << 1;
        QTest::newRow("a burst restarts the quiet time")
            << QList<qint64>{0, 100, 200, 290} << qint64(400) << true << false << false << false
            << int(290 + s - 400);
        QTest::newRow("window inactive")
            << QList<qint64>{0} << s * 5 << false << false << false << false << 0;
        QTest::newRow("dialog open")
            << QList<qint64>{0} << s * 5 << true << true << false << false << 0;
        QTest::newRow("long task running")
            << QList<qint64>{0} << s * 5 << true << false << true << false << 0;
    }
    void gathering() {
        QFETCH(QList<qint64>, notices);
        QFETCH(qint64, at);
        QFETCH(bool, active);
        QFETCH(bool, dialog);
        QFETCH(bool, busy);
        QFETCH(bool, ready);
        QFETCH(int, remaining);
        ChangeGather g;
        for (qint64 t : notices)
            g.note(QStringLiteral("/p/a.html"), t);
        QCOMPARE(g.readyToAsk(at, active, dialog, busy), ready);
        if (!notices.isEmpty()) QCOMPARE(g.remainingMs(at), remaining);
    }

    void gatheringKeepsEachPathOnceInOrder() {
        ChangeGather g;
        for (const char *p : {"/b", "/a", "/b", "/c", "/a"})
            g.note(QLatin1String(p), 0);
        QCOMPARE(g.take(), QStringList({"/b", "/a", "/c"}));
        QVERIFY(g.isEmpty());
        QVERIFY(g.take().isEmpty());
    }

    void messages_data() {
        QTest::addColumn<QStringList>("changed");
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<bool>("question");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("contains");
        const QString yes = QStringLiteral("Clique 'Sim' para carregar");
        QTest::newRow("none") << QStringList{} << QStringList{} << false << QString()
                              << QStringList{};
        QTest::newRow("one changed")
            << QStringList{"/s/a.html"} << QStringList{} << true << "Arquivo Alterado no Disco"
            << QStringList{"/s/a.html", "Este arquivo foi alterado", "Ctrl+Z", yes,
                           "manter a versão do Corvel"};
        QTest::newRow("two changed, one question")
            << QStringList{"/s/a.html", "/s/b.php"} << QStringList{} << true
            << "Arquivos Alterados no Disco"
            << QStringList{"/s/a.html\r\n", "/s/b.php\r\n", "Estes arquivos foram alterados",
                           "manter as versões do Corvel"};
        QTest::newRow("one removed")
            << QStringList{} << QStringList{"/s/c.txt"} << false << "Arquivo Removido do Disco"
            << QStringList{"/s/c.txt", "removido ou movido", "não gravado", "Grave-o"};
        QTest::newRow("changed and removed together")
            << QStringList{"/s/a.html"} << QStringList{"/s/c.txt", "/s/d.txt"} << true
            << "Arquivo Alterado no Disco"
            << QStringList{"/s/a.html", "/s/c.txt", "/s/d.txt", "Estes arquivos foram removidos"};
    }
    void messages() {
        QFETCH(QStringList, changed);
        QFETCH(QStringList, removed);
        QFETCH(bool, question);
        QFETCH(QString, title);
        QFETCH(QStringList, contains);
        const ChangeMessage m = ExternalChangeMessage(changed, removed);
        QCOMPARE(m.question, question);
        QCOMPARE(m.title, title);
        QCOMPARE(m.text.isEmpty(), changed.isEmpty() && removed.isEmpty());
        for (const QString &part : contains)
            QVERIFY2(m.text.contains(part), qPrintable(part));
        // Every file once, each on a line of its own.
        for (const QString &p : changed + removed)
            QCOMPARE(m.text.count(QStringLiteral("    ") + p + QStringLiteral("\r\n")), 1);
    }

    void overwriteQuestionNamesAPlantedLink() {
        FileStamp plain;
        plain.exists = plain.hasContent = true;
        FileStamp link = plain;
        link.isLink = true;
        link.linkTarget = QStringLiteral("/home/outro/segredo.txt");
        const QString a = OverwriteQuestion(QStringLiteral("/s/a.html"), plain);
        const QString b = OverwriteQuestion(QStringLiteral("/s/a.html"), link);
        QVERIFY(a.startsWith(QStringLiteral("O arquivo /s/a.html foi alterado ou substituído")));
        QVERIFY(a.endsWith(QStringLiteral("Deseja gravar o documento por cima mesmo assim?")));
        QVERIFY(!a.contains(QStringLiteral("link")));
        QVERIFY(b.contains(QStringLiteral("/home/outro/segredo.txt")));
        QVERIFY(b.contains(QStringLiteral("arquivo comum")));
    }
};

QTEST_GUILESS_MAIN(TestDiskChanges)
#include "tst_disk_changes.moc"
