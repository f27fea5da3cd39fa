// A real Corvel process, killed with SIGKILL after an auto-save: its
// documents come back at the next start, and a file changed meanwhile is
// offered with the date/size question. With an X server of its own (Xvfb)
// and xdotool, the process is also typed into: an unnamed document and a
// file handed over by a second instance, both edited before the kill.
#include "CacheIndex.h"
#include "FilesFixture.h"
#include "RealCorvel.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <csignal>

using namespace files_test;
using corvel::MsgAnswer;

class TestCacheCrash : public QObject {
    Q_OBJECT

    QString program() const {
        return qEnvironmentVariable("CORVEL_BIN_DIR") + QStringLiteral("/Corvel");
    }

    // Starts Corvel on file, waits for its first auto-save and kills it.
    void runAndKill(Home &home, const QString &file) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("CORVEL_HOME"), home.dir.filePath(QStringLiteral("prog")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("CORVEL_AUTOSAVE_MS"), QStringLiteral("200"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.setProgram(program());
        p.setArguments({file});
        p.start();
        QVERIFY(p.waitForStarted());

        // The auto-save wrote the copy and then the entry that names it.
        bool saved = false;
        QElapsedTimer t;
        t.start();
        while (!saved && t.elapsed() < 30000 && p.state() == QProcess::Running) {
            QTest::qWait(100);
            for (const corvel::CacheEntry &e : corvel::ReadCacheIndex())
                if (e.file == file && !e.copy.isEmpty() && QFileInfo::exists(home.docs() + e.copy))
                    saved = true;
        }
        QVERIFY2(p.state() == QProcess::Running, p.readAllStandardError().constData());
        ::kill(pid_t(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);
        QVERIFY2(saved, "no auto-save within 30 s");
    }

    void prepare(Home &home, const QString &file, const QByteArray &content) {
        QDir().mkpath(home.dir.filePath(QStringLiteral("config/Corvel")));
        corvel::SetSettingsFileOverride(
            home.dir.filePath(QStringLiteral("config/Corvel/Corvel.ini")));
        ApplyDefaultSettings(true);
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoSave"),
                     QStringLiteral("1"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Splash"), QStringLiteral("0"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoColor"),
                     QStringLiteral("0"));
        QVERIFY(WriteBytes(file, content));
    }

    // Waits until the index holds an entry for file with this configuration
    // whose copy is on disk (the copy is written before the entry).
    static bool WaitForEntry(Home &home, const QString &file, const QString &configuration,
                             const QProcess &p) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 30000 && p.state() == QProcess::Running) {
            for (const corvel::CacheEntry &e : corvel::ReadCacheIndex())
                if (e.file == file && e.configuration == configuration && !e.copy.isEmpty() &&
                    QFileInfo::exists(home.docs() + e.copy))
                    return true;
            QTest::qWait(100);
        }
        return false;
    }

    // Copies every file of folder from into folder to, after emptying it.
    static void CopyFolder(const QString &from, const QString &to) {
        QDir target(to);
        for (const QString &name : target.entryList(QDir::Files | QDir::Hidden))
            target.remove(name);
        for (const QString &name : QDir(from).entryList(QDir::Files | QDir::Hidden))
            QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
    }

private slots:
    void initTestCase() { UseControlLibrary(); }

    // The whole round trip on a real process typed into through X.
    void typedDocumentsSurviveAKill() {
        const QString missing = real_corvel::MissingTools();
        if (!missing.isEmpty()) QSKIP(qPrintable(missing));
        Home home;
        const QString file = home.work(QStringLiteral("digitado.html"));
        const QByteArray content = "<p>arquivo</p>\r\n";
        prepare(home, file, content);
        if (QTest::currentTestFailed()) return;
        real_corvel::XServer x;
        if (!x.start()) QSKIP("Xvfb could not start a display");
        QDir().mkpath(home.dir.filePath(QStringLiteral("run")));
        QFile::setPermissions(home.dir.filePath(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        real_corvel::Installation inst(home.dir.path());
        inst.setEnvironment(QStringLiteral("CORVEL_AUTOSAVE_MS"), QStringLiteral("300"));
        QVERIFY2(inst.start(x, {}), qPrintable(inst.errors()));
        QProcess &p = inst.process();

        // The start's empty document gets text; the auto-save records it.
        x.type(QStringLiteral("abc def"));
        QVERIFY2(WaitForEntry(home, QString(), QStringLiteral("7,0,False"), p),
                 "the unnamed document was not auto-saved");

        // A second instance hands the file over; it opens in a new tab
        // (the current document holds text), which is then edited: two
        // characters typed at its start and the second one selected.
        QCOMPARE(inst.startSecond({file}), 0);
        QVERIFY(inst.waitForTitle(x, QStringLiteral("digitado.html")));
        inst.type(x, QStringLiteral("XY"));
        x.keys({QStringLiteral("shift+Left")});
        QVERIFY2(WaitForEntry(home, file, QStringLiteral("1,1,False"), p),
                 "the edited file was not auto-saved");
        QVERIFY(WaitForEntry(home, QString(), QStringLiteral("7,0,False"), p));

        ::kill(pid_t(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);
        QCOMPARE(ReadBytes(file), content); // the kill never touched the file

        const QString docs = home.docs();
        const QString snapshot = home.dir.filePath(QStringLiteral("snapshot"));
        QDir().mkpath(snapshot);
        CopyFolder(docs, snapshot);
        const QString typed = QStringLiteral("XY") + QString::fromUtf8(content);
        const auto documentWithText = [](frmMain &m, const QString &text) -> ICorvelEdit * {
            for (ICorvelEdit *ed : m.Documents())
                if (ed->Texto() == text) return ed;
            return nullptr;
        };

        {
            // Nothing changed on disk: both come back as they were.
            ScriptedDialogs dialogs;
            auto m = LoadWindow();
            QVERIFY(dialogs.messages.isEmpty());
            QCOMPARE(m->Documents().size(), 2);
            ICorvelEdit *named = corvel::DocumentWithFile(*m, file);
            QVERIFY(named);
            QCOMPARE(named->Texto(), typed);
            QCOMPARE(named->SelInicio(), 1);
            QCOMPARE(named->SelTamanho(), 1);
            QVERIFY(!named->Gravado());
            QCOMPARE(m->TabCaption(named), QStringLiteral("digitado.html"));
            ICorvelEdit *unnamed = documentWithText(*m, QStringLiteral("abc def"));
            QVERIFY(unnamed);
            QVERIFY(unnamed->Arquivo().isEmpty());
            QCOMPARE(unnamed->SelInicio(), 7);
            QCOMPARE(unnamed->SelTamanho(), 0);
            QVERIFY(!unnamed->Gravado());
            QCOMPARE(m->TabCaption(unnamed),
                     QStringLiteral("Doc ") + QString::number(m->DocumentKey(unnamed).toInt()));
        }

        const QByteArray other = "<p>mudado por outro programa</p>";
        for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
            CopyFolder(snapshot, docs);
            QVERIFY(WriteBytes(file, other));
            ScriptedDialogs dialogs;
            dialogs.answers.enqueue(answer);
            auto m = LoadWindow();
            QCOMPARE(CountTitled(dialogs, QStringLiteral("Data e/ou Tamanho Diferente")), 1);
            ICorvelEdit *named = corvel::DocumentWithFile(*m, file);
            QVERIFY(named);
            if (answer == MsgAnswer::Yes) {
                QCOMPARE(named->Texto(), typed);
                QVERIFY(!named->Gravado());
            } else {
                QCOMPARE(named->Texto(), QString::fromUtf8(other));
                QVERIFY(named->Gravado());
            }
            QCOMPARE(ReadBytes(file), other);
            QVERIFY(documentWithText(*m, QStringLiteral("abc def")));
        }

        {
            // The file deleted meanwhile: "Sim" writes it again.
            CopyFolder(snapshot, docs);
            QVERIFY(QFile::remove(file));
            ScriptedDialogs dialogs;
            dialogs.answers.enqueue(MsgAnswer::Yes);
            auto m = LoadWindow();
            QCOMPARE(CountTitled(dialogs, QStringLiteral("Arquivo Removido")), 1);
            QCOMPARE(ReadBytes(file), typed.toUtf8());
            ICorvelEdit *named = corvel::DocumentWithFile(*m, file);
            QVERIFY(named);
            QVERIFY(named->Gravado());
            QVERIFY(documentWithText(*m, QStringLiteral("abc def")));
        }
    }

    void killedProcessLosesNothing() {
        if (!QFileInfo(program()).isExecutable()) QSKIP("the Corvel program is not built");
        Home home;
        const QString file = home.work(QStringLiteral("morto.html"));
        const QByteArray content = "<html>\r\n<p>conte\xc3\xba"
                                   "do</p>\r\n</html>";
        prepare(home, file, content);
        runAndKill(home, file);
        if (QTest::currentTestFailed()) return;

        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        QVERIFY(dialogs.messages.isEmpty());
        ICorvelEdit *ed = corvel::DocumentWithFile(*m, file);
        QVERIFY(ed);
        QCOMPARE(ed->Texto(), QString::fromUtf8(content));
        QVERIFY(ed->Gravado());
        QCOMPARE(m->TabCaption(ed), QStringLiteral("morto.html"));
    }

    void fileChangedAfterTheKillIsOffered() {
        if (!QFileInfo(program()).isExecutable()) QSKIP("the Corvel program is not built");
        Home home;
        const QString file = home.work(QStringLiteral("mudou.html"));
        prepare(home, file, "<p>antes</p>");
        runAndKill(home, file);
        if (QTest::currentTestFailed()) return;
        WriteBytes(file, "<p>depois, maior</p>");

        ScriptedDialogs dialogs;
        dialogs.answers.enqueue(MsgAnswer::No);
        auto m = LoadWindow();
        QCOMPARE(CountTitled(dialogs, QStringLiteral("Data e/ou Tamanho Diferente")), 1);
        ICorvelEdit *ed = corvel::DocumentWithFile(*m, file);
        QVERIFY(ed);
        QCOMPARE(ed->Texto(), QStringLiteral("<p>depois, maior</p>"));
    }
};

QTEST_MAIN(TestCacheCrash)
#include "tst_cache_crash.moc"
