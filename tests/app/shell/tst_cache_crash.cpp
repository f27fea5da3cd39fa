// A real Corvel process, killed with SIGKILL after an auto-save: its
// documents come back at the next start, and a file changed meanwhile is
// offered with the date/size question.
#include "CacheIndex.h"
#include "FilesFixture.h"

#include <QProcess>
#include <QtTest>
#include <csignal>

using namespace files_test;
using corvel::MsgAnswer;

class TestCacheCrash : public QObject {
    Q_OBJECT

    QString program() const { return qEnvironmentVariable("CORVEL_BIN_DIR") + QStringLiteral("/Corvel"); }

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
        corvel::SetSettingsFileOverride(home.dir.filePath(QStringLiteral("config/Corvel/Corvel.ini")));
        ApplyDefaultSettings(true);
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoSave"), QStringLiteral("1"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Splash"), QStringLiteral("0"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoColor"), QStringLiteral("0"));
        QVERIFY(WriteBytes(file, content));
    }

private slots:
    void initTestCase() { UseControlLibrary(); }

    void killedProcessLosesNothing() {
        if (!QFileInfo(program()).isExecutable()) QSKIP("the Corvel program is not built");
        Home home;
        const QString file = home.work(QStringLiteral("morto.html"));
        const QByteArray content = "<html>\r\n<p>conte\xc3\xbado</p>\r\n</html>";
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
