#pragma once
// What the modules need from the world outside their own logic, gathered in
// one object that the main window owns and hands to them (frmMain::services()).
// A test replaces a member to script it; nothing here is global.
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

class QPrinter;
class QUrl;
class QWidget;

namespace corvel {

class IDialogs;

struct Services {
    // The real ones.
    Services();

    // Message, input and file dialogs: those a test installed with
    // SetDialogs, else the real ones.
    std::function<IDialogs &()> dialogs;
    // Asks for a printer (the print dialog, where a PDF file can be chosen);
    // false when cancelled.
    std::function<bool(QPrinter &printer, QWidget *parent)> choosePrinter;
    // Opens an address in the internal browser; unset until the browser's
    // subsystem attaches itself.
    std::function<void(const QString &address)> openBrowser;
    // Opens an address with the desktop's own program for it (a page in the
    // default browser); false when the desktop could not be asked.
    std::function<bool(const QUrl &url)> openUrl;
    // The signal of a search that found nothing.
    std::function<void()> beep;
    // The current date and time.
    std::function<QDateTime()> now;
    // Where the insert-file command hands a file's text (the tag insertion);
    // unset: written before the selection.
    std::function<void(const QString &text)> insertText;
    // Opens the program's help at a context number; unset until the help
    // subsystem attaches itself.
    std::function<void(int context)> showHelp;
    // Shows (true) or removes the program's icon in the notification area;
    // unset until the tray subsystem attaches itself.
    std::function<void(bool shown)> trayIcon;
    // Run once, on the first auto-save tick (the update check attaches
    // itself here).
    QList<std::function<void()>> firstAutoSaveTick;
};

} // namespace corvel
