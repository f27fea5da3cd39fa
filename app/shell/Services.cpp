#include "Services.h"

#include "Dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace corvel {

Services::Services()
    : dialogs([]() -> IDialogs & { return Dialogs(); }),
      choosePrinter([](QPrinter &printer, QWidget *parent) {
          QPrintDialog dialog(&printer, parent);
          return dialog.exec() == QDialog::Accepted;
      }),
      openUrl([](const QUrl &address) { return QDesktopServices::openUrl(address); }),
      beep([] { QApplication::beep(); }), tone([](int, int) { QApplication::beep(); }),
      now([] { return QDateTime::currentDateTime(); }) {}

} // namespace corvel
