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
      openUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); }),
      beep([] { QApplication::beep(); }), now([] { return QDateTime::currentDateTime(); }) {}

} // namespace corvel
