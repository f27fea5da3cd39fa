#pragma once
// Every message box, input box and file, folder, colour and font dialog of the
// program goes through this one interface, so tests can script the answers
// and no test ever waits on a modal window. Texts are shown as plain text.
#include <QFont>
#include <QString>
#include <QStringList>

class QWidget;

namespace corvel {

enum class MsgIcon { None, Information, Question, Warning, Critical };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
// None: the box went away without the user's answer (its event loop was
// ended by something else); it is never one of the buttons' answers.
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry, None };

class IDialogs {
public:
    virtual ~IDialogs() = default;

    // defaultButton: the answer that Enter gives (Ok/Yes when not said).
    virtual MsgAnswer message(QWidget *parent, const QString &text, const QString &title,
                              MsgIcon icon, MsgButtons buttons = MsgButtons::Ok,
                              MsgAnswer defaultButton = MsgAnswer::Ok) = 0;
    // Input box: false when cancelled (*value untouched).
    virtual bool input(QWidget *parent, const QString &prompt, const QString &title,
                       const QString &initial, QString *value) = 0;
    // File dialogs. filters as "Name (*.a *.b);;Other (*)"; *filterIndex is
    // 1-based in and out (0 = the first). Empty result = cancelled.
    virtual QString openFile(QWidget *parent, const QString &title, const QString &folder,
                             const QString &filters, int *filterIndex) = 0;
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &path,
                             const QString &filters, int *filterIndex) = 0;
    virtual QString chooseFolder(QWidget *parent, const QString &title, const QString &folder) = 0;
    // Colours are RGB numbers (red + 256*green + 65536*blue).
    // title is the chooser window's caption.
    virtual bool chooseColour(QWidget *parent, const QString &title, int initial, int *chosen) = 0;
    virtual bool chooseFont(QWidget *parent, const QString &title, const QFont &initial,
                            QFont *chosen) = 0;
};

// The dialogs in use (the real ones unless a test installed others).
IDialogs &Dialogs();
// Installs d (not owned); nullptr restores the real dialogs.
void SetDialogs(IDialogs *d);

// Shorthand for Dialogs().message(...).
MsgAnswer Message(QWidget *parent, const QString &text, const QString &title, MsgIcon icon,
                  MsgButtons buttons = MsgButtons::Ok, MsgAnswer defaultButton = MsgAnswer::Ok);

// The message of a failed command: text, empty line, "Erro " + number + " (" +
// description + ")".
QString ErrorText(const QString &text, int number, const QString &description);

} // namespace corvel
