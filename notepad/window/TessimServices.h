#pragma once
// What the notepad asks of the desktop, besides its dialogs (which go
// through corvel::Dialogs()): a beep, the default browser, starting a
// program, the printer. Tests install their own services and see every
// request; nothing then reaches the desktop.
#include <QString>
#include <QStringList>

class QFont;
class QUrl;

namespace tessim {

class ITessimServices {
public:
    virtual ~ITessimServices() = default;
    virtual void beep() = 0;
    // false when no program could be asked to open the address.
    virtual bool openUrl(const QUrl &url) = 0;
    // Starts program with its arguments, not waiting for it; false when it
    // could not be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
    // Prints the lines as one document on the default printer; "" or the
    // reason it could not.
    virtual QString print(const QStringList &lines, const QFont &font) = 0;
};

// The services in use (the desktop's unless a test installed others).
ITessimServices &Services();
// Installs s (not owned); nullptr restores the desktop's.
void SetServices(ITessimServices *s);

} // namespace tessim
