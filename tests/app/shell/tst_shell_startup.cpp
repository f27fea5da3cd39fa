// Start-up: command-line words and their messages, the installation check,
// and the single-instance hand-over between real processes.
#include "AppInfo.h"
#include "CommandLine.h"
#include "ControlHost.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "frmAbertura.h"
#include "frmMain.h"
#include "TimeLimits.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabBar>
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

    void rootFolderStopsTheStartUp() {
        corvel::SetSettingsFileOverride(dir.filePath(QStringLiteral("root.ini")));
        corvel::SetProgramFolderOverride(QStringLiteral("/"));
        ScriptedDialogs dialogs;
        // Even a command-line word is not looked at.
        const corvel::StartupResult r = corvel::StartCorvel(QStringLiteral("/?"), nullptr);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.window == nullptr);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.lastTitle(), QStringLiteral("Diretório Inválido"));
        QCOMPARE(dialogs.messages.last().icon, corvel::MsgIcon::Critical);
        QCOMPARE(dialogs.lastText(),
                 QStringLiteral("Por questões técnicas, o Corvel não pode ser excutado a partir do "
                                "diretório raiz (root) de uma unidade. Por favor, instale o "
                                "programa em uma pasta."));
        // Nothing was written.
        QCOMPARE(ReadSetting(QStringLiteral("Caminhos"), QStringLiteral("CorvelDir")), QString());
        corvel::SetProgramFolderOverride(QString());
        corvel::SetSettingsFileOverride(QString());
    }

    void splashFollowsItsSetting() {
        if (!QFile::exists(corvel::ControlLibraryPath())) QSKIP("editor component not built");
        // The shipped commands folder beside the program is a required part.
        const QString shipped = corvel::InstallationFolder() + QStringLiteral("/Comandos");
        const bool made = !QFileInfo::exists(shipped) && QDir().mkpath(shipped);
        QTemporaryDir home;
        corvel::SetSettingsFileOverride(dir.filePath(QStringLiteral("splash.ini")));
        corvel::SetProgramFolderOverride(home.path());
        ScriptedDialogs dialogs;
        // Which splash windows were shown.
        struct ShowWatch : QObject {
            int shown = 0;
            bool eventFilter(QObject *o, QEvent *e) override {
                if (e->type() == QEvent::Show && o->objectName() == QLatin1String("frmAbertura"))
                    ++shown;
                return false;
            }
        } watch;
        qApp->installEventFilter(&watch);
        // Put everything back even when a check fails half-way.
        const auto restore = qScopeGuard([&] {
            qApp->removeEventFilter(&watch);
            corvel::SetProgramFolderOverride(QString());
            corvel::SetSettingsFileOverride(QString());
            if (made) QDir(shipped).removeRecursively();
        });
        for (const char *splash : {"0", "1"}) {
            WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Splash"),
                         QLatin1String(splash));
            watch.shown = 0;
            QElapsedTimer t;
            t.start();
            corvel::StartupResult r = corvel::StartCorvel(QString(), nullptr);
            const qint64 ms = t.elapsed();
            QVERIFY2(r.window, qPrintable(dialogs.lastText()));
            QCOMPARE(r.window->Tabs()->count(), 1);
            QCOMPARE(r.window->Tabs()->tabText(0), QStringLiteral("Doc 1"));
            delete r.window;
            if (qstrcmp(splash, "0") == 0) {
                QCOMPARE(watch.shown, 0);
                QVERIFY2(ms < 2000, qPrintable(QString::number(ms))); // no wait
            } else {
                QCOMPARE(watch.shown, 1);
                // Two seconds, give or take the timer's coarseness.
                QVERIFY2(ms >= 1850, qPrintable(QString::number(ms)));
            }
        }
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(ReadSetting(QStringLiteral("Caminhos"), QStringLiteral("CorvelDir")), home.path());
        QVERIFY(QFileInfo(home.filePath(QStringLiteral("Projetos"))).isDir());
    }

    void installationChecksStopTheStartUp() {
        const QString shipped = corvel::InstallationFolder() + QStringLiteral("/Comandos");
        const bool made = !QFileInfo::exists(shipped) && QDir().mkpath(shipped);
        const QString library = corvel::ControlLibraryPath();
        QTemporaryDir home;
        corvel::SetSettingsFileOverride(dir.filePath(QStringLiteral("checks.ini")));
        corvel::SetProgramFolderOverride(home.path());
        const auto restore = qScopeGuard([&] {
            corvel::SetControlLibraryPath(library);
            corvel::SetProgramFolderOverride(QString());
            corvel::SetSettingsFileOverride(QString());
            if (made) QDir(shipped).removeRecursively();
        });
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Splash"), QStringLiteral("0"));
        ScriptedDialogs dialogs;
        const QString ending = QStringLiteral("\r\n\r\nO Corvel será finalizado agora.");

        // A missing part is named in the message.
        corvel::SetControlLibraryPath(home.filePath(QStringLiteral("libCorvelControl.so")));
        corvel::StartupResult r = corvel::StartCorvel(QString(), nullptr);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!r.window);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.lastTitle(), QStringLiteral("Erro Crítico"));
        QCOMPARE(dialogs.messages.last().icon, corvel::MsgIcon::Critical);
        QVERIFY2(dialogs.lastText().startsWith(
                     QStringLiteral("O arquivo libCorvelControl.so, essencial para a execução do "
                                    "programa, não foi encontrado")),
                 qPrintable(dialogs.lastText()));
        QVERIFY(dialogs.lastText().contains(corvel::SiteAddress()));
        QVERIFY(dialogs.lastText().endsWith(ending));

        // Present but not loadable: the probe fails with its own message.
        {
            QFile broken(home.filePath(QStringLiteral("libCorvelControl.so")));
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write("não é uma biblioteca");
        }
        r = corvel::StartCorvel(QString(), nullptr);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!r.window);
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(dialogs.lastTitle(), QStringLiteral("Erro Crítico"));
        QVERIFY2(dialogs.lastText().startsWith(
                     QStringLiteral("O arquivo libCorvelControl.so, essencial para a execução do "
                                    "aplicativo, não foi encontrado ou não pode ser")),
                 qPrintable(dialogs.lastText()));
        QVERIFY(dialogs.lastText().endsWith(ending));
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
        QVERIFY(t.elapsed() < test_time::Limit(5000));

        // Only the owner may reach the socket.
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(corvel::SingleInstance::ServerName()).constData(), &st),
                 0);
        QCOMPARE(int(st.st_mode & 0077), 0);
        QCOMPARE(st.st_uid, ::getuid());
    }

    void anotherUserCannotConnect() {
        if (::geteuid() != 0) QSKIP("needs root to run a client under another user");
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty()) QSKIP("setpriv not installed");
        // This test program, started again as a connecting client.
        const QString self = QCoreApplication::applicationFilePath();
        auto probe = [&](bool asNobody, const QString &name) {
            QProcess client;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("CORVEL_TEST_CONNECT_TO"), name);
            client.setProcessEnvironment(env);
            if (asNobody)
                client.start(setpriv,
                             {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                              QStringLiteral("--clear-groups"), self});
            else
                client.start(self, {});
            if (!client.waitForStarted(5000)) return -1;
            // The server lives in this process: keep its events running.
            QElapsedTimer t;
            t.start();
            while (client.state() != QProcess::NotRunning && t.elapsed() < 10000)
                QTest::qWait(20);
            if (client.state() != QProcess::NotRunning) {
                client.kill();
                client.waitForFinished();
                return -1;
            }
            return client.exitStatus() == QProcess::NormalExit ? client.exitCode() : -1;
        };

        // First in the user's own runtime folder, then in a folder anyone
        // may enter, where only the socket's own permissions keep others out.
        QTemporaryDir open;
        QVERIFY(open.isValid());
        const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                              QFile::ReadUser | QFile::WriteUser | QFile::ExeUser |
                              QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                              QFile::ExeOther;
        QVERIFY(QFile::setPermissions(open.path(), everyone));
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        for (const QString &runtime : {QString(), open.path()}) {
            if (runtime.isEmpty())
                qunsetenv("XDG_RUNTIME_DIR");
            else
                qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
            const QString name = corvel::SingleInstance::ServerName();
            QVERIFY2(runtime.isEmpty() || name.startsWith(runtime), qPrintable(name));
            corvel::SingleInstance server;
            // Even a user whose umask lets everyone write keeps the socket.
            const mode_t savedMask = ::umask(0);
            const bool listening = server.Listen();
            ::umask(savedMask);
            QVERIFY(listening);
            QSignalSpy spy(&server, &corvel::SingleInstance::received);
            // The same client as this user gets through...
            QCOMPARE(probe(false, name), 0);
            QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 5000);
            QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("intruso"));
            // ...and as another user it is refused, and nothing arrives.
            QCOMPARE(probe(true, name), 3);
            QTest::qWait(200);
            QCOMPARE(spy.count(), 1);
        }
        if (savedRuntime.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", savedRuntime);
    }

    void serverOfAnotherUserGetsNothing() {
        if (::geteuid() != 0) QSKIP("needs root to give the socket to another user");
        corvel::SingleInstance server;
        QVERIFY(server.Listen());
        QSignalSpy spy(&server, &corvel::SingleInstance::received);
        const QByteArray name = QFile::encodeName(corvel::SingleInstance::ServerName());
        // Reachable while it is this user's...
        QVERIFY(corvel::SingleInstance::HandOver(QStringLiteral("meu"), 2000));
        QTRY_COMPARE(spy.count(), 1);
        // ...but a server that another user owns is never handed the line.
        QCOMPARE(::chown(name.constData(), 65534, 65534), 0);
        QVERIFY(!corvel::SingleInstance::HandOver(QStringLiteral("/home/segredo.html"), 500));
        QTest::qWait(100);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(::chown(name.constData(), ::getuid(), ::getgid()), 0);
    }

    void runtimeFolderHeldByAnotherUserIsNotUsed() {
        if (::geteuid() != 0) QSKIP("needs root to give the folder to another user");
        QTemporaryDir tmp, home;
        const QByteArray savedTmp = qgetenv("TMPDIR"), savedHome = qgetenv("HOME"),
                         savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        const auto restore = qScopeGuard([&] {
            for (const auto &[name, value] :
                 {std::pair{"TMPDIR", savedTmp}, std::pair{"HOME", savedHome},
                  std::pair{"XDG_RUNTIME_DIR", savedRuntime}})
                if (value.isNull())
                    qunsetenv(name);
                else
                    qputenv(name, value);
        });
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", tmp.path().toUtf8());
        qputenv("HOME", home.path().toUtf8());
        // Normally a private folder of this user under the temporary folder.
        const QString own = tmp.path() + QStringLiteral("/corvel-%1").arg(::getuid());
        QCOMPARE(corvel::SingleInstance::RuntimeFolder(), own);
        QCOMPARE(int(QFileInfo(own).permissions() & (QFile::ReadOther | QFile::WriteOther)), 0);
        // Someone else took the name first: the folder is not used.
        QVERIFY(QDir(own).removeRecursively());
        QVERIFY(QDir().mkpath(own));
        QCOMPARE(::chown(QFile::encodeName(own).constData(), 65534, 65534), 0);
        const QString folder = corvel::SingleInstance::RuntimeFolder();
        QVERIFY2(folder.startsWith(home.path()), qPrintable(folder));
        QCOMPARE(QFileInfo(folder).ownerId(), ::getuid());
        QVERIFY(corvel::SingleInstance::ServerName().startsWith(folder + QLatin1Char('/')));
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

// Run as "CORVEL_TEST_CONNECT_TO=<server> tst_shell_startup", the program is
// only a client: it connects, hands a text over and answers 0, or 3 when the
// server refused it.
static int ConnectProbe(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QLocalSocket socket;
    socket.connectToServer(qEnvironmentVariable("CORVEL_TEST_CONNECT_TO"));
    if (!socket.waitForConnected(3000)) return 3;
    socket.write(QByteArray("intruso\0", 8));
    socket.waitForBytesWritten(3000);
    if (socket.state() == QLocalSocket::ConnectedState) socket.waitForDisconnected(3000);
    return 0;
}

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsSet("CORVEL_TEST_CONNECT_TO")) return ConnectProbe(argc, argv);
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_shell_startup tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_shell_startup.moc"
