#pragma once
// The main-window commands around searching: the find and replace dialog
// (mnuEditarProcurar, F3), find next (mnuEditarProcurarProx, Shift+F3) and
// go to line (mnuFerramentasIrPara, Ctrl+J).
#include "corvel/ICorvelEdit.h"

class QWidget;
class frmMain;

namespace corvel {

// Opens the find and replace dialog modally over parent for editor.
void OpenFindDialog(ICorvelEdit *editor, QWidget *parent, const std::function<void()> &beep);

// Repeats the last plain search of the dialog: case-insensitive, any
// substring, and always wrapping to the start of the text. Beeps when there
// is no such search or nothing is found.
void FindNext(ICorvelEdit *editor, const std::function<void()> &beep);

// Asks for a line number and moves the caret to that line. True when it
// moved (the answer's absolute value was from 1 to 65000).
bool GoToLine(ICorvelEdit *editor, QWidget *parent);

} // namespace corvel

void RegisterFindCommands(frmMain &m);
