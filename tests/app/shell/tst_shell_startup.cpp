// Start-up: command-line words and their messages, the installation check,
// and the single-instance hand-over between real processes.
#include "CommandLine.h"
#include "ControlHost.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "frmAbertura.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

using corvel::CommandWord;

class tst_shell_startup : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString ini() const { return dir.filePath(QStringLiteral("cfg/Corvel/Corvel.ini")); }

    // Environment of a child Corvel: its own settings and program folder.
    QProcessEnvironment ChildEnv() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("cfg")));
        env.insert(QStringLiteral("CORVEL_HOME"), dir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }
    QString Program() const {
        return qEnvironmentVariable("CORVEL_BIN_DIR") + QStringLiteral("/Corvel");
    }

private slots:
    void initTestCase() {
        // The same store and program folder as the children, so the server
        // name this process computes is theirs.
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("cfg")).toUtf8());
        qputenv("CORVEL_HOME", dir.filePath(QStringLiteral("home")).toUtf8());
        QDir().mkpath(dir.filePath(QStringLiteral("cfg/Corvel")));
        QDir().mkpath(dir.filePath(QStringLiteral("home")));
        corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                      QStringLiteral("/libCorvelControl.so"));
    }

    void wordsInAnyCase_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("word");
        const auto H = int(CommandWord::Help), A = int(CommandWord::About),
                   U = int(CommandWord::Unset), S = int(CommandWord::Set),
                   F = int(CommandWord::File), N = int(CommandWord::None);
        for (const char *w : {"?", "help", "Ajuda", "/?", "-?", "--HELP", "-h"})
            QTest::newRow(w) << w << H;
        for (const char *w : {"/sobre", "SOBRE", "-Sobre", "/about", "About", "-ABOUT", "-a"})
            QTest::newRow(w) << w << A;
        for (const char *w : {"/unset", "Unset", "-UNSET", "-x"})
            QTest::newRow(w) << w << U;
        for (const char *w : {"/set", "set", "-Set", "-S"})
            QTest::newRow(w) << w << S;
        QTest::newRow("file") << "\"/tmp/a b.html\"" << F;
        QTest::newRow("near word") << "/sett" << F;
        QTest::newRow("two words") << "/set /about" << F;
        QTest::newRow("blank") << "   " << N;
    }
    void wordsInAnyCase() {
        QFETCH(QString, line);
        QFETCH(int, word);
        QCOMPARE(int(corvel::ClassifyCommandLine(line)), word);
    }

    void fileNameLosesItsQuotes() {
        QCOMPARE(corvel::CommandLineFile(QStringLiteral("\"/tmp/a b.html\"")),
                 QStringLiteral("/tmp/a b.html"));
        QCOMPARE(corvel::CommandLineFile(QStringLiteral(" x\"y\".txt ")), QStringLiteral("xy.txt"));
    }

    void wordMessages() {
        corvel::SetSettingsFileOverride(dir.filePath(QStringLiteral("words.ini")));
        ScriptedDialogs dialogs;
        QVERIFY(corvel::RunCommandLineWord(QStringLiteral("-H")) == corvel::StartAction::End);
        QCOMPARE(dialogs.lastTitle(), QStringLiteral("Command Line"));
        QCOMPARE(dialogs.messages.last().icon, corvel::MsgIcon::Question);
        QVERIFY(dialogs.lastText().startsWith(
            QStringLiteral("Comandos via linha de comando:\r\n\r\n/?: help de linha")));
        QVERIFY(dialogs.lastText().endsWith(
            QStringLiteral("O arquivo não precisa ter extensão HTML.")));

        QVERIFY(corvel::RunCommandLineWord(QStringLiteral("sobre")) == corvel::StartAction::End);
        QVERIFY(dialogs.lastText().contains(QStringLiteral("5.1.0")));

        QVERIFY(corvel::RunCommandLineWord(QStringLiteral("file.html")) ==
                corvel::StartAction::Continue);
        QCOMPARE(dialogs.messages.size(), 2);
        corvel::SetSettingsFileOverride(QString());
    }

    void setAndUnsetAskFirst() {
        corvel::SetSettingsFileOverride(dir.filePath(QStringLiteral("set.ini")));
        ScriptedDialogs dialogs;
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Splash"), QStringLiteral("0"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Usuario"),
                     QStringLiteral("Ana"));

        // "/SET" answered No (the default) changes nothing.
        QVERIFY(corvel::RunCommandLineWord(QStringLiteral("/SET")) == corvel::StartAction::End);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.lastTitle(), QStringLiteral("Reconfigurar"));
        QCOMPARE(dialogs.messages.last().icon, corvel::MsgIcon::Warning);
        QCOMPARE(dialogs.messages.last().buttons, corvel::MsgButtons::YesNo);
        QCOMPARE(ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("Splash")),
                 QStringLiteral("0"));

        dialogs.answers << corvel::MsgAnswer::Yes;
        corvel::RunCommandLineWord(QStringLiteral("-s"));
        QCOMPARE(dialogs.lastTitle(), QStringLiteral("Reconfigurado"));
        QCOMPARE(dialogs.lastText(),
                 QStringLiteral(
                     "As configurações foram ajustadas para os padrões. Reexecute o Corvel."));
        QCOMPARE(ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("Splash")),
                 QStringLiteral("1"));
        QCOMPARE(ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("Usuario")),
                 QStringLiteral("Ana"));

        corvel::RunCommandLineWord(QStringLiteral("unset")); // No
        QCOMPARE(dialogs.lastTitle(), QStringLiteral("Desconfigurar"));
        QVERIFY(dialogs.lastText().endsWith(
            QStringLiteral("\r\n\r\nDeseja remover estas informações?")));
        QCOMPARE(ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("Usuario")),
                 QStringLiteral("Ana"));
        dialogs.answers << corvel::MsgAnswer::Yes;
        corvel::RunCommandLineWord(QStringLiteral("/Unset"));
        QCOMPARE(dialogs.lastTitle(), QStringLiteral("Desconfiguração"));
        QCOMPARE(dialogs.lastText(),
                 QStringLiteral("As configurações foram removidas com sucesso."));
        QCOMPARE(ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("Usuario")), QString());
        corvel::SetSettingsFileOverride(QString());
    }

    void requiredFiles() {
        const QString saved = corvel::ControlLibraryPath();
        corvel::SetControlLibraryPath(dir.filePath(QStringLiteral("nada/libCorvelControl.so")));
        QCOMPARE(corvel::MissingRequiredFile(), QStringLiteral("libCorvelControl.so"));
        corvel::SetControlLibraryPath(saved);
    }

    void secondProcessHandsOverAndEnds() {
        // This process plays the running instance.
        corvel::SingleInstance first;
        QVERIFY(first.Listen());
        QSignalSpy spy(&first, &corvel::SingleInstance::received);
        QProcess second;
        second.setProcessEnvironment(ChildEnv());
        QElapsedTimer t;
        t.start();
        second.start(Program(), {QStringLiteral("\"/tmp/página 1.html\"")});
        QVERIFY(second.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 5000);
        // The server lives in this process: keep its events running.
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 5000);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("/tmp/página 1.html"));
        // No settings written, no folders made: it ended before any of that.
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("home/Docs"))));
        QVERIFY(t.elapsed() < 5000);

        // Only the owner may reach the socket.
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(corvel::SingleInstance::ServerName()).constData(), &st),
                 0);
        QCOMPARE(int(st.st_mode & 0077), 0);
        QCOMPARE(st.st_uid, ::getuid());
    }

    void staleNameIsTakenOver() {
        // A crashed instance leaves its socket file behind.
        const QString name = corvel::SingleInstance::ServerName();
        QLocalServer::removeServer(name);
        {
            QFile stale(name);
            QVERIFY(stale.open(QIODevice::WriteOnly));
        }
        QVERIFY(!corvel::SingleInstance::HandOver(QStringLiteral("x"), 500));
        corvel::SingleInstance again;
        QVERIFY(again.Listen());
        QSignalSpy spy(&again, &corvel::SingleInstance::received);
        QLocalSocket s;
        s.connectToServer(name);
        QVERIFY(s.waitForConnected(2000));
        s.write(QByteArray("abc\0", 4));
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("abc"));
    }

    void twoRealProcesses() {
        if (!QFile::exists(corvel::ControlLibraryPath())) QSKIP("editor component not built");
        // Splash off so the first instance is up quickly.
        corvel::SetSettingsFileOverride(ini());
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Splash"), QStringLiteral("0"));
        corvel::SetSettingsFileOverride(QString());
        QProcess first;
        first.setProcessEnvironment(ChildEnv());
        first.start(Program(), {});
        QVERIFY(first.waitForStarted());
        // Up when its server answers.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(corvel::SingleInstance::ServerName()), 10000);
        QProcess second;
        second.setProcessEnvironment(ChildEnv());
        second.start(Program(), {dir.filePath(QStringLiteral("x.html"))});
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        first.terminate();
        if (!first.waitForFinished(5000)) first.kill();
    }
};

QTEST_MAIN(tst_shell_startup)
#include "tst_shell_startup.moc"
