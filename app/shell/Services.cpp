#include "Services.h"

#include "Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace corvel {

Services::Services()
    : dialogs([]() -> IDialogs & { return Dialogs(); }),
      choosePrinter([](QPrinter &printer, QWidget *parent) {
          QPrintDialog dialog(&printer, parent);
          return dialog.exec() == QDialog::Accepted;
      }),
      beep([] { QApplication::beep(); }), now([] { return QDateTime::currentDateTime(); }) {}

} // namespace corvel
