#include "frmAbertura.h"

#include "AppInfo.h"
#include "CommandLine.h"
#include "ControlHost.h"
#include "Dialogs.h"
#include "Folders.h"
#include "ReadySignal.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "StatusTexts.h"
#include "TerminationSignals.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <unistd.h>

namespace {

// A failure of the start-up with its number and description.
struct StartupError : std::runtime_error {
    int number;
    StartupError(int n, const QString &description)
        : std::runtime_error(description.toStdString()), number(n) {}
};

QString SiteSentence() {
    return QStringLiteral(" Mais informações no site ") + corvel::SiteAddress() +
           QStringLiteral(".");
}

const QString kEnding = QStringLiteral("\r\n\r\nO Corvel será finalizado agora.");

void CriticalStartupMessage(int number, const QString &description) {
    corvel::Message(nullptr,
                    QStringLiteral("Ocorreu um erro crítico ao tentar inicializar o Corvel. "
                                   "Geralmente isto ocorre quando o "
                                   "Corvel não foi instalado corretamente. Tente reinstalar o "
                                   "programa, porém reinicie seu "
                                   "computador antes e, após reiniciar, feche todos os programas "
                                   "abertos, para garantir que "
                                   "não haja conflitos.\r\n\r\nCaso o erro persista, execute o "
                                   "comando 'Corvel /UNSET' em um "
                                   "terminal na pasta do programa. Persistindo o erro, entre em "
                                   "contato conosco através de "
                                   "nosso site informando o erro '(") +
                        QString::number(number) + QStringLiteral(") ") + description +
                        QStringLiteral("'."),
                    QStringLiteral("Erro Crítico de Inicialização"), corvel::MsgIcon::Critical);
}

bool SplashOn() {
    return ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("Splash")) !=
           QLatin1String("0");
}

void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

// ---- splash window ------------------------------------------------------------

frmAbertura::frmAbertura(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmAbertura"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setStyleSheet(
        QStringLiteral("frmAbertura { background: #1f3b57; } QLabel { color: #f4f7fa; }"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("imgAbertura"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setPixmap(QIcon(QStringLiteral(":/icons/corvel.svg")).pixmap(96, 96));
    layout->addWidget(m_picture, 1);
    auto *title = new QLabel(QStringLiteral("Corvel"), this);
    title->setObjectName(QStringLiteral("lblTitulo"));
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 12);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    lblVersao = new QLabel(this);
    lblVersao->setObjectName(QStringLiteral("lblVersao"));
    lblVersao->setAlignment(Qt::AlignCenter);
    layout->addWidget(lblVersao);
    lblCompilacao = new QLabel(this);
    lblCompilacao->setObjectName(QStringLiteral("lblCompilacao"));
    lblCompilacao->setAlignment(Qt::AlignCenter);
    layout->addWidget(lblCompilacao);
    layout->addSpacing(12);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    layout->addWidget(lblStatus);
    setFixedSize(420, 280);
}

void frmAbertura::SetStatus(const QString &text) {
    lblStatus->setText(text);
}

bool frmAbertura::LoadPicture(const QString &path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull()) return false;
    // The picture takes the drawn logo's place above the labels; the window
    // grows to hold it.
    m_picture->setPixmap(QPixmap::fromImage(image));
    m_picture->setScaledContents(false);
    setFixedSize(qMax(420, image.width()), qMax(280, image.height() + 120));
    return true;
}

// ---- start-up -----------------------------------------------------------------

namespace corvel {

StartAction RunCommandLineWord(const QString &commandLine) {
    switch (ClassifyCommandLine(commandLine)) {
    case CommandWord::Help:
        Message(nullptr, HelpText(), QStringLiteral("Command Line"), MsgIcon::Question);
        return StartAction::End;
    case CommandWord::About:
        Message(nullptr, AboutText(), QStringLiteral("Sobre o Corvel"), MsgIcon::Information);
        return StartAction::End;
    case CommandWord::Unset:
        if (Message(nullptr, UnsetQuestion(), QStringLiteral("Desconfigurar"), MsgIcon::Question,
                    MsgButtons::YesNo, MsgAnswer::No) == MsgAnswer::Yes) {
            RemoveAllSettings();
            Message(nullptr, QStringLiteral("As configurações foram removidas com sucesso."),
                    QStringLiteral("Desconfiguração"), MsgIcon::Information);
        }
        return StartAction::End;
    case CommandWord::Set:
        if (Message(nullptr, SetQuestion(), QStringLiteral("Reconfigurar"), MsgIcon::Warning,
                    MsgButtons::YesNo, MsgAnswer::No) == MsgAnswer::Yes) {
            ApplyDefaultSettings(true);
            Message(nullptr,
                    QStringLiteral(
                        "As configurações foram ajustadas para os padrões. Reexecute o Corvel."),
                    QStringLiteral("Reconfigurado"), MsgIcon::Information);
        }
        return StartAction::End;
    case CommandWord::None:
    case CommandWord::File:
        break;
    }
    return StartAction::Continue;
}

QString MissingRequiredFile() {
    const QString library = ControlLibraryPath();
    if (!QFileInfo(library).isFile()) return QFileInfo(library).fileName();
    if (!QFileInfo(SharedDataFolder() + QStringLiteral("/Comandos")).isDir())
        return QStringLiteral("Comandos");
    return QString();
}

StartupResult StartCorvel(const QString &commandLine,
                          const std::function<void(frmMain &)> &registerSubsystems) {
    StartupResult result;
    // 3: the root folder cannot hold the working folders.
    if (ProgramFolder() == QLatin1String("/")) {
        Message(
            nullptr,
            QStringLiteral(
                "Por questões técnicas, o Corvel não pode ser excutado a partir do diretório raiz "
                "(root) de uma unidade. Por favor, instale o programa em uma pasta."),
            QStringLiteral("Diretório Inválido"), MsgIcon::Critical);
        result.exitCode = 1;
        return result;
    }
    frmAbertura *splash = nullptr;
    try {
        // 5: command-line words.
        if (!commandLine.trimmed().isEmpty() && RunCommandLineWord(commandLine) == StartAction::End)
            return result;

        // 6: splash look.
        splash = new frmAbertura;
        const QString picture = ProgramFolder() + QStringLiteral("/Corvel.pht");
        if (QFileInfo(picture).isFile()) splash->LoadPicture(picture);
        splash->lblVersao->setText(QStringLiteral("Versão ") + VersionText());
        splash->lblCompilacao->setText(QStringLiteral("Gerado em ") + BuildText());

        // 7: fill missing settings.
        ApplyDefaultSettings(false);

        // 8
        const bool showSplash = SplashOn();
        splash->SetStatus(QStringLiteral("Inicializando o ambiente..."));
        if (showSplash) {
            if (QScreen *s = QGuiApplication::primaryScreen())
                splash->move(s->availableGeometry().center() - splash->rect().center());
            splash->show();
        }
        QCoreApplication::processEvents();

        // 9, 10: program folder and working folders.
        WriteSetting(QStringLiteral("Caminhos"), QStringLiteral("CorvelDir"), ProgramFolder());
        QString failed;
        if (!EnsureProgramFolders(&failed))
            throw StartupError(75, QStringLiteral("Não foi possível criar a pasta %1").arg(failed));

        // 11
        std::srand(unsigned(std::time(nullptr)));
        splash->SetStatus(QStringLiteral("Inicializando o componente de edição..."));
        QCoreApplication::processEvents();

        // 12: the installation's run-time parts.
        const QString missing = MissingRequiredFile();
        if (!missing.isEmpty()) {
            Message(
                nullptr,
                QStringLiteral(
                    "O arquivo %1, essencial para a execução do programa, não foi encontrado na "
                    "pasta "
                    "de instalação do Corvel. Tente reinstalar o programa, caso tenha instalado a "
                    "versão padrão, tente executar a versão completa do instalador.")
                        .arg(missing) +
                    SiteSentence() + kEnding,
                QStringLiteral("Erro Crítico"), MsgIcon::Critical);
            delete splash;
            result.exitCode = 1;
            return result;
        }

        // 13: probe the editor component.
        QString error;
        ICorvelEdit *probe = CreateCorvelEdit(nullptr, &error);
        if (!probe) {
            Message(
                nullptr,
                QStringLiteral(
                    "O arquivo %1, essencial para a execução do aplicativo, não foi encontrado ou "
                    "não pode ser carregado. Tente reinstalar o programa.")
                        .arg(QFileInfo(ControlLibraryPath()).fileName()) +
                    SiteSentence() + kEnding,
                QStringLiteral("Erro Crítico"), MsgIcon::Critical);
            delete splash;
            result.exitCode = 1;
            return result;
        }
        delete probe->widget();

        // 14
        splash->SetStatus(QStringLiteral("Carregando módulo principal..."));
        QCoreApplication::processEvents();
        if (showSplash) Wait(2000);

        // 16: the main window (the tray, step 15, is its subsystem's load step).
        auto *main = new frmMain;
        if (registerSubsystems) registerSubsystems(*main);
        splash->SetStatus(QStringLiteral("Carregando arquivos em edição..."));
        main->Form_Load(commandLine);
        delete splash;
        splash = nullptr;
        if (main->LoadFailed()) {
            delete main;
            result.exitCode = 1;
            return result;
        }
        result.window = main;
    } catch (const StartupError &e) {
        delete splash;
        CriticalStartupMessage(e.number, QString::fromStdString(e.what()));
        result.exitCode = 1;
    } catch (const std::exception &e) {
        delete splash;
        CriticalStartupMessage(1, QString::fromStdString(e.what()));
        result.exitCode = 1;
    }
    return result;
}

QString StartCommandLine(const QList<QByteArray> &arguments, const QString &workingFolder) {
    bool unreadable = false;
    const QString commandLine = JoinRawArguments(arguments, &unreadable);
    if (ClassifyCommandLine(commandLine) != CommandWord::File) return commandLine;
    const QString file = CommandLineFile(commandLine);
    if (unreadable) {
        // No file operation can reach a name whose bytes its text loses.
        Message(nullptr,
                QStringLiteral("O arquivo ") + file +
                    QStringLiteral(", indicado na linha de comando, não foi encontrado ou o seu "
                                   "nome não pode ser lido neste sistema."),
                QStringLiteral("Arquivo Não Encontrado"), MsgIcon::Warning);
        return QString();
    }
    return AbsoluteFilePath(file, workingFolder);
}

int RunCorvel(QApplication &app, const std::function<void(frmMain &)> &registerSubsystems) {
    QList<QByteArray> arguments;
    const QStringList args = app.arguments().mid(1);
    for (const QString &a : args)
        arguments << QFile::encodeName(a);
    return RunCorvel(app, arguments, registerSubsystems);
}

int RunCorvel(QApplication &app, const QList<QByteArray> &arguments,
              const std::function<void(frmMain &)> &registerSubsystems) {
    // 1: the start time.
    MarkStartTime();
    // The file named here is made absolute before it goes anywhere: the
    // running instance that may take it works in another folder.
    const QString commandLine = StartCommandLine(arguments, QDir::currentPath());

    // 2: a running instance takes the command line over; otherwise this
    // process becomes the instance, holding the lock until it ends.
    InstanceLock lock(ProgramFolder());
    switch (ClaimInstance(CommandLineFile(commandLine), lock)) {
    case StartRole::HandedOver:
        return 0;
    case StartRole::AlreadyRunning:
        Message(nullptr, AlreadyRunningText(), QStringLiteral("Corvel em Execução"),
                MsgIcon::Warning);
        return 1;
    case StartRole::Run:
        break;
    }
    auto *instance = new SingleInstance(&app);
    if (instance->Listen()) instance->Record();

    // Logout, system shutdown and terminal hang-ups: every document's copy
    // and index entry, without a question, then the end. Before the main
    // window finished loading nothing was typed yet and the cache is left
    // as it is.
    QPointer<frmMain> window;
    const auto endNow = [instance, &lock, &window] {
        if (window && window->Loaded()) window->UnloadWithoutAsking();
        instance->Close();
        lock.unlock();
        // Nothing else may run: a question open in a nested loop would
        // otherwise take the end of its loop for an answer.
        ::_exit(0);
    };
    if (TerminationSignals *watch = TerminationSignals::Install())
        QObject::connect(watch, &TerminationSignals::received, &app, endNow);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, endNow, Qt::DirectConnection);

    // Texts arriving before the main window exists wait for it.
    QStringList early;
    QObject::connect(instance, &SingleInstance::received, &app,
                     [&early, &window](const QString &text) {
                         if (window)
                             window->Form_LinkExecute(text);
                         else
                             early << text;
                     });
    // The window is known from the moment its subsystems are attached.
    const auto registerAll = [&window, &registerSubsystems](frmMain &m) {
        window = &m;
        if (registerSubsystems) registerSubsystems(m);
    };

    StartupResult r = StartCorvel(commandLine, registerAll);
    if (!r.window) {
        instance->Close();
        return r.exitCode;
    }
    for (const QString &text : std::as_const(early))
        r.window->Form_LinkExecute(text);
    early.clear();
    AnnounceReadiness(r.window);
    // The program ends when the main window's close has run the whole
    // shutdown (its questions included), even when other windows (the tray
    // icon's) stay; a cancelled close keeps it running.
    app.setQuitOnLastWindowClosed(false);
    QObject::connect(r.window, &frmMain::unloadFinished, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    const int code = app.exec();
    // Ended some other way: the documents are still recorded.
    r.window->UnloadWithoutAsking();
    instance->Close();
    delete r.window;
    return code;
}

} // namespace corvel
