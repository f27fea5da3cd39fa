#pragma once
// Opening the command dialog for an element (the main window's Comando).
#include <QString>
#include <functional>

class frmMain;

// The definition file an element uses, name and extension: "<name>.tpa" when
// that file exists in "Comandos" and the element's own setting is "2",
// "ComAvancado" is "1", Scroll Lock is on or the right Ctrl key is down;
// else "<name>.tpc".
QString ChooseDefinitionFile(const QString &name, bool scrollLockOn, bool rightControlDown);

// Shows the command dialog for an element, modally. tableWizard, when set,
// takes the result of "TABLE", "TR" and "TD" instead of the document.
void OpenCommandDialog(frmMain &m, const QString &name, int helpId,
                       std::function<bool(const QString &, const QString &)> tableWizard = {});

// Installs the main window's Comando (the tag commands attach the menu items
// that call it).
void RegisterCommandDialog(frmMain &m);
