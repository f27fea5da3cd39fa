#pragma once
// The tag commands of the main window: the Inserir, Formatar, Tabela, Lista,
// Formulário and Frame menu items, the quotes button, the e-mail link and the
// keys of the main window's key preview that write markup.
#include <QString>
#include <functional>

class QKeyEvent;
class frmMain;

void RegisterTagCommands(frmMain &m);

// The e-mail link command: asks for the address and writes the link.
void InsertEmailLink(frmMain &m);
// The quotes button: moves to the next quote style and stores it.
void CycleQuoteStyle(frmMain &m);

// The tag keys of the key preview (F9, Ctrl with the browser, launch and
// media keys, the Shift+Ctrl snippets); true when the key was consumed.
bool HandleTagKey(frmMain &m, QKeyEvent *event);
