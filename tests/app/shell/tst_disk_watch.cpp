// Files that another program changes, replaces, removes or swaps for a link
// while Corvel has them open, and the idle write of the document cache.
#include "CacheIndex.h"
#include "DiskWatch.h"
#include "FilesFixture.h"
#include "IdleWrite.h"
#include "TextCodec.h"
#include "TimeLimits.h"

#include <QTimer>
#include <QtTest>
#include <unistd.h>

using namespace files_test;
using corvel::MsgAnswer;

namespace {

const QByteArray kDisk = "<p>versao do disco</p>\r\n";
const QString kMine = QStringLiteral("<p>versao do Corvel</p>");

void ReplaceByRename(const QString &path, const QByteArray &bytes) {
    QVERIFY(WriteBytes(path + QStringLiteral(".tmp"), bytes));
    QVERIFY(::rename(QFile::encodeName(path + QStringLiteral(".tmp")).constData(),
                     QFile::encodeName(path).constData()) == 0);
}

corvel::DiskWatch *WatchOf(frmMain &m) {
    return corvel::DiskWatch::Of(&m);
}

// What another program does to the file.
enum class Outside { InPlace, Rename };

} // namespace

class TestDiskWatch : public QObject {
    Q_OBJECT

    // A window with the files open, each given its starting bytes.
    struct Session {
        Home home;
        ScriptedDialogs dialogs;
        std::unique_ptr<frmMain> m;
        QList<ICorvelEdit *> docs;
        QStringList files;
        explicit Session(int count, const QByteArray &start = "<p>original</p>\r\n") {
            for (int i = 0; i < count; ++i) {
                files << home.work(QStringLiteral("pagina%1.html").arg(i));
                WriteBytes(files.last(), start);
            }
            m = LoadWindow();
            for (const QString &f : std::as_const(files))
                docs << OpenPath(*m, f);
        }
        void settle() {
            WatchOf(*m)->CheckNow();
            WatchOf(*m)->AskPending();
        }
    };

private slots:
    void initTestCase() { UseControlLibrary(); }

    // Each row: how the file changes outside, whether the document held
    // unsaved edits, the answer, and what the document holds afterwards.
    void changedFile_data() {
        QTest::addColumn<int>("outside");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("diskVersion");
        const int yes = int(MsgAnswer::Yes), no = int(MsgAnswer::No);
        for (int o : {int(Outside::InPlace), int(Outside::Rename)}) {
            const char *how = o == int(Outside::InPlace) ? "in place" : "by rename";
            QTest::addRow("unedited, %s: reloads by itself", how) << o << false << yes << 0 << true;
            QTest::addRow("edited, %s, Sim: disk's version", how) << o << true << yes << 1 << true;
            QTest::addRow("edited, %s, Não: Corvel's version", how)
                << o << true << no << 1 << false;
        }
    }
    void changedFile() {
        QFETCH(int, outside);
        QFETCH(bool, edited);
        QFETCH(int, answer);
        QFETCH(int, questions);
        QFETCH(bool, diskVersion);
        Session s(1);
        ICorvelEdit *ed = s.docs[0];
        const QString before = edited ? kMine : ed->Texto();
        if (edited) ed->setTexto(kMine);
        ed->setSelInicio(5);
        if (outside == int(Outside::InPlace))
            QVERIFY(WriteBytes(s.files[0], kDisk));
        else
            ReplaceByRename(s.files[0], kDisk);
        s.dialogs.answers.enqueue(MsgAnswer(answer));
        s.settle();
        QCOMPARE(CountTitled(s.dialogs, QStringLiteral("Arquivo Alterado no Disco")), questions);
        QCOMPARE(s.dialogs.messages.size(), questions);
        if (questions) QVERIFY(s.dialogs.lastText().contains(s.files[0]));
        QCOMPARE(ed->Texto(), diskVersion ? QString::fromLatin1(kDisk) : before);
        QCOMPARE(ed->Gravado(), !edited || diskVersion);
        if (diskVersion) {
            QCOMPARE(ed->SelInicio(), 5); // the caret stays near where it was
            // The reload is one step that Desfazer takes back.
            ed->Desfazer();
            QCOMPARE(ed->Texto(), before);
        }
        // The question is asked once: nothing more on the next look.
        s.settle();
        QCOMPARE(s.dialogs.messages.size(), questions);
        // The next save writes the document without asking again.
        ed->setTexto(QStringLiteral("final"));
        QVERIFY(corvel::SaveCommand(*s.m));
        QCOMPARE(s.dialogs.messages.size(), questions);
        QCOMPARE(ReadBytes(s.files[0]), QByteArray("final"));
        // Corvel's own save is no change from outside.
        s.settle();
        QCOMPARE(s.dialogs.messages.size(), questions);
        QCOMPARE(ed->Texto(), QStringLiteral("final"));
    }

    void severalChangedFilesMakeOneQuestion() {
        Session s(4);
        for (int i = 0; i < 3; ++i)
            s.docs[i]->setTexto(kMine + QString::number(i));
        // Three edited documents and one unedited, each file written three
        // times in a burst.
        for (int round = 0; round < 3; ++round)
            for (int i = 0; i < 4; ++i)
                QVERIFY(WriteBytes(s.files[i], kDisk + QByteArray::number(round)));
        s.dialogs.answers.enqueue(MsgAnswer::Yes);
        s.settle();
        QCOMPARE(s.dialogs.messages.size(), 1);
        QCOMPARE(s.dialogs.lastTitle(), QStringLiteral("Arquivos Alterados no Disco"));
        for (int i = 0; i < 3; ++i)
            QVERIFY(s.dialogs.lastText().contains(s.files[i]));
        QVERIFY(!s.dialogs.lastText().contains(s.files[3])); // reloaded without asking
        for (int i = 0; i < 4; ++i)
            QCOMPARE(s.docs[i]->Texto(), QString::fromLatin1(kDisk + "2"));
    }

    void removedFileIsToldOnceAndTheTextStays() {
        Session s(2);
        s.docs[1]->setTexto(kMine);
        QVERIFY(QFile::remove(s.files[0]));
        QVERIFY(QFile::remove(s.files[1]));
        s.settle();
        QCOMPARE(s.dialogs.messages.size(), 1);
        QCOMPARE(s.dialogs.lastTitle(), QStringLiteral("Arquivos Removidos do Disco"));
        QCOMPARE(s.docs[0]->Texto(), QStringLiteral("<p>original</p>\r\n"));
        QCOMPARE(s.docs[1]->Texto(), kMine);
        for (ICorvelEdit *ed : s.docs) {
            QVERIFY(!ed->Gravado());
            QVERIFY(ed->Alterado());
        }
        s.settle();
        QCOMPARE(s.dialogs.messages.size(), 1);
        // Saving makes the file again, asking nothing.
        s.m->SelectDocument(s.docs[1]);
        QVERIFY(corvel::SaveCommand(*s.m));
        QCOMPARE(s.dialogs.messages.size(), 1);
        QCOMPARE(ReadBytes(s.files[1]), kMine.toUtf8());
        // A file made again by another program is news again.
        QVERIFY(WriteBytes(s.files[0], kDisk));
        s.settle();
        QCOMPARE(s.dialogs.messages.size(), 2);
        QCOMPARE(s.dialogs.lastTitle(), QStringLiteral("Arquivo Alterado no Disco"));
    }

    // The reload reads as the open does: the encoding found is kept for the
    // next save.
    void reloadKeepsTheRulesOfTheOpen_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("utf-8") << QByteArray("a\xc3\xa7\xc3\xa3o") << QStringLiteral("ação");
        QTest::newRow("windows-1252") << QByteArray("a\xe7\xe3o \x80") << QStringLiteral("ação €");
        QTest::newRow("utf-8 with mark") << QByteArray("\xef\xbb\xbf"
                                                       "ol\xc3\xa1")
                                         << QStringLiteral("olá");
    }
    void reloadKeepsTheRulesOfTheOpen() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        Session s(1, "plain");
        QVERIFY(WriteBytes(s.files[0], bytes));
        s.settle();
        QCOMPARE(s.docs[0]->Texto(), text);
        QVERIFY(corvel::SaveCommand(*s.m));
        QCOMPARE(ReadBytes(s.files[0]), bytes);
        QVERIFY(s.dialogs.messages.isEmpty());
    }

    // A save over a file that is no longer what Corvel read asks first (No
    // by default); a link planted there never leads the save elsewhere.
    void saveOverAReplacedFileAsks_data() {
        QTest::addColumn<bool>("plantLink");
        QTest::addColumn<int>("answer");
        QTest::newRow("changed in place, Não") << false << int(MsgAnswer::No);
        QTest::newRow("changed in place, Sim") << false << int(MsgAnswer::Yes);
        QTest::newRow("link planted, default") << true << -1;
        QTest::newRow("link planted, Sim") << true << int(MsgAnswer::Yes);
    }
    void saveOverAReplacedFileAsks() {
        QFETCH(bool, plantLink);
        QFETCH(int, answer);
        Session s(1);
        const QString other = s.home.work(QStringLiteral("de_outra_pessoa.txt"));
        QVERIFY(WriteBytes(other, "segredo"));
        s.docs[0]->setTexto(kMine);
        // The change comes right before the save: no notice was handled.
        if (plantLink) {
            QVERIFY(QFile::remove(s.files[0]));
            QVERIFY(QFile::link(other, s.files[0]));
        } else {
            QVERIFY(WriteBytes(s.files[0], kDisk));
        }
        if (answer >= 0) s.dialogs.answers.enqueue(MsgAnswer(answer));
        const bool saved = corvel::SaveCommand(*s.m);
        QCOMPARE(s.dialogs.messages.size(), 1);
        QCOMPARE(s.dialogs.lastTitle(), QStringLiteral("Arquivo Substituído no Disco"));
        QCOMPARE(s.dialogs.messages.last().buttons, corvel::MsgButtons::YesNo);
        QCOMPARE(saved, answer == int(MsgAnswer::Yes));
        QCOMPARE(ReadBytes(other), QByteArray("segredo"));
        if (saved) {
            QVERIFY(!QFileInfo(s.files[0]).isSymLink());
            QCOMPARE(ReadBytes(s.files[0]), kMine.toUtf8());
            QVERIFY(s.docs[0]->Gravado());
        } else {
            QCOMPARE(QFileInfo(s.files[0]).isSymLink(), plantLink);
            QVERIFY(!s.docs[0]->Gravado());
        }
        // Answered once: the next save asks again only while a link is
        // still there.
        s.dialogs.answers.enqueue(MsgAnswer::No);
        corvel::SaveCommand(*s.m);
        QCOMPARE(s.dialogs.messages.size(), saved ? 1 : 2);
    }

    // A link the user opened stays a link, and the save asks nothing.
    void aLinkTheUserOpenedKeepsWorking() {
        Session s(0);
        const QString target = s.home.work(QStringLiteral("alvo.html"));
        const QString link = s.home.work(QStringLiteral("atalho.html"));
        QVERIFY(WriteBytes(target, "alvo"));
        QVERIFY(QFile::link(target, link));
        ICorvelEdit *ed = OpenPath(*s.m, link);
        ed->setTexto(kMine);
        QVERIFY(corvel::SaveCommand(*s.m));
        s.settle();
        QVERIFY(s.dialogs.messages.isEmpty());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadBytes(target), kMine.toUtf8());
        // The target changed by another program reloads through the link.
        ReplaceByRename(target, kDisk);
        s.settle();
        QVERIFY(s.dialogs.messages.isEmpty());
        QCOMPARE(ed->Texto(), QString::fromLatin1(kDisk));
    }

    // The watcher sees the change by itself, again after a replacement by
    // rename, and asks only once the notices settled.
    void watcherNoticesAndIsArmedAgain() {
        Session s(1);
        corvel::DiskWatch *w = WatchOf(*s.m);
        QVERIFY(w->watchedFiles().contains(s.files[0]));
        for (int round = 0; round < 3; ++round) {
            const QByteArray bytes = kDisk + QByteArray::number(round);
            ReplaceByRename(s.files[0], bytes);
            // Gathered by the watcher; asked by the window once active (not
            // always so without a display: then here).
            for (int i = 0; i < 100 && s.docs[0]->Texto() != QString::fromLatin1(bytes); ++i) {
                QTest::qWait(50);
                if (w->pending() && i > 10) w->AskPending();
            }
            QCOMPARE(s.docs[0]->Texto(), QString::fromLatin1(bytes));
            QTRY_VERIFY_WITH_TIMEOUT(w->watchedFiles().contains(s.files[0]), 5000);
        }
        QVERIFY(s.dialogs.messages.isEmpty());
        // Closed documents are watched no more.
        corvel::CloseCommand(*s.m);
        w->Sync();
        QVERIFY(w->watchedFiles().isEmpty());
    }

    // While auto-save is on, a changed document's copy and entry follow
    // within the idle delay; the file itself and the auto-save ticks do not
    // change.
    void idleWrite_data() {
        QTest::addColumn<QString>("autoSave");
        QTest::addColumn<bool>("named");
        QTest::addColumn<bool>("written");
        QTest::newRow("file, auto-save on") << "1" << true << true;
        QTest::newRow("no file, auto-save on") << "5" << false << true;
        QTest::newRow("auto-save off") << "0" << true << false;
    }
    void idleWrite() {
        QFETCH(QString, autoSave);
        QFETCH(bool, named);
        QFETCH(bool, written);
        Session s(named ? 1 : 0);
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoSave"), autoSave);
        ICorvelEdit *ed = named ? s.docs[0] : s.m->CurrentEditor();
        auto *idle = s.m->findChild<corvel::IdleWrite *>();
        QVERIFY(idle);
        QCOMPARE(idle->timer()->interval(), corvel::kIdleWriteDelayMs);
        QVERIFY(idle->timer()->isSingleShot());
        idle->timer()->setInterval(200);
        ed->setSelInicio(ed->Tamanho());
        for (const char *key : {"a", "b", "c"}) {
            ed->setSelTexto(QLatin1String(key));
            QVERIFY(idle->timer()->isActive()); // each change restarts the wait
        }
        QTest::qWait(400);
        QVERIFY(!idle->timer()->isActive());
        const corvel::CacheEntry *entry = nullptr;
        const QVector<corvel::CacheEntry> index = corvel::ReadCacheIndex();
        for (const corvel::CacheEntry &e : index)
            if (e.nnn == s.m->DocumentKey(ed)) entry = &e;
        QCOMPARE(entry && !entry->copy.isEmpty(), written);
        if (written) {
            QCOMPARE(entry->file, named ? s.files[0] : QString());
            QVERIFY(ReadBytes(s.home.docs() + entry->copy).contains("abc"));
            QVERIFY(entry->configuration.endsWith(QStringLiteral(",False")));
        }
        if (named) QCOMPARE(ReadBytes(s.files[0]), QByteArray("<p>original</p>\r\n"));
        // The tick still finds the document changed and says so.
        QVERIFY(ed->Alterado());
        for (int i = 0; i < 12 && s.m->StatusPanelText(8) != QStringLiteral("Auto Gravação"); ++i)
            s.m->hooks().autoSaveTick();
        QCOMPARE(s.m->StatusPanelText(8) == QStringLiteral("Auto Gravação"), written);
        // Nothing changed since: the next idle write writes nothing.
        QCOMPARE(idle->WriteNow(), 0);
    }

    // Typing that never pauses for the idle delay is written all the same,
    // within five delays of its first key.
    void idleWriteOfTypingWithoutPauses() {
        Session s(1);
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoSave"), QStringLiteral("1"));
        ICorvelEdit *ed = s.docs[0];
        auto *idle = s.m->findChild<corvel::IdleWrite *>();
        QVERIFY(idle);
        idle->timer()->setInterval(200);
        ed->setSelInicio(ed->Tamanho());
        const auto copied = [&] {
            for (const corvel::CacheEntry &e : corvel::ReadCacheIndex())
                if (e.nnn == s.m->DocumentKey(ed) && !e.copy.isEmpty())
                    return ReadBytes(s.home.docs() + e.copy);
            return QByteArray();
        };
        QElapsedTimer typing;
        typing.start();
        qint64 firstCopyAt = -1;
        while (typing.elapsed() < test_time::Limit(2500) && firstCopyAt < 0) {
            ed->setSelTexto(QStringLiteral("k")); // a key every 50 ms, a quarter of the delay
            QTest::qWait(50);
            if (copied().contains("k")) firstCopyAt = typing.elapsed();
        }
        QVERIFY2(firstCopyAt >= 0, "typing without pauses never reached the cache");
        QVERIFY2(firstCopyAt >= 200, "written before the first delay was over");
        QVERIFY(firstCopyAt <= test_time::Limit(1600));
    }
};

QTEST_MAIN(TestDiskWatch)
#include "tst_disk_watch.moc"
