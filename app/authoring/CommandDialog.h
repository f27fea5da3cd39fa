#pragma once
// Opening the command dialog for an element (the main window's Comando).
#include <QString>

class frmMain;

// The definition file an element uses, name and extension: "<name>.tpa" when
// that file exists in "Comandos" and the element's own setting is "2",
// "ComAvancado" is "1", Scroll Lock is on or the right Ctrl key is down;
// else "<name>.tpc".
QString ChooseDefinitionFile(const QString &name, bool scrollLockOn, bool rightControlDown);

// Installs the main window's Comando and attaches the menu items that open
// the command dialog.
void RegisterCommandDialog(frmMain &m);
