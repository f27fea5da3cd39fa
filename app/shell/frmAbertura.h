#pragma once
// The splash window and the program's start-up: hand-over to a running
// instance, command-line words, installation checks, working folders, the
// editor probe, then the main window.
#include <QByteArray>
#include <QList>
#include <QWidget>
#include <functional>

class QApplication;
class QLabel;
class frmMain;

class frmAbertura : public QWidget {
    Q_OBJECT
public:
    explicit frmAbertura(QWidget *parent = nullptr);

    QLabel *lblVersao = nullptr;
    QLabel *lblCompilacao = nullptr;
    QLabel *lblStatus = nullptr;

    void SetStatus(const QString &text);
    // The picture "Corvel.pht" of the program folder, when readable.
    bool LoadPicture(const QString &path);

private:
    QLabel *m_picture = nullptr;
};

namespace corvel {

// What a command-line word asks for.
enum class StartAction { Continue, End };

// Steps of the start-up that tests run alone.
// The command-line words (help, about, remove and reset settings): shows
// their messages and acts; End when the program must stop here.
StartAction RunCommandLineWord(const QString &commandLine);
// The installation's own run-time parts: the first missing one, or "".
QString MissingRequiredFile();

// The whole start-up and the main loop; returns the exit code.
// arguments: the program's arguments as the system gave them (bytes).
// registerSubsystems attaches every subsystem's commands to the new main
// window before its load.
int RunCorvel(QApplication &app, const QList<QByteArray> &arguments,
              const std::function<void(frmMain &)> &registerSubsystems);
// The same with the arguments QApplication kept (names that are not valid
// text are already lost there).
int RunCorvel(QApplication &app, const std::function<void(frmMain &)> &registerSubsystems);

// The command line a start works with: the words as given, or the one file
// made absolute against workingFolder. A file name whose bytes are no valid
// text gets the not-found message and an empty command line.
QString StartCommandLine(const QList<QByteArray> &arguments, const QString &workingFolder);

// Options for the start-up benchmark: no main loop; the window is kept.
struct StartupResult {
    int exitCode = 0;
    frmMain *window = nullptr; // owned by the caller when not null
};
StartupResult StartCorvel(const QString &commandLine,
                          const std::function<void(frmMain &)> &registerSubsystems);

} // namespace corvel
