#pragma once
// Opening the command dialog for an element (the main window's Comando).
#include <QString>

class frmMain;

// The definition file an element uses, name and extension: "<name>.tpa" when
// that file exists in "Comandos" and the element's own setting is "2",
// "ComAvancado" is "1", Scroll Lock is on or the right Ctrl key is down;
// else "<name>.tpc".
QString ChooseDefinitionFile(const QString &name, bool scrollLockOn, bool rightControlDown);

// Installs the main window's Comando (the tag commands attach the menu items
// that call it).
void RegisterCommandDialog(frmMain &m);
