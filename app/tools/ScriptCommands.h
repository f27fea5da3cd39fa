#pragma once
// The main-window commands of the script lists: the "Linguagens" menu items
// (JavaScript, ASP, PHP), the toolbar buttons that run them and F9, which
// reopens the last of ASP and PHP chosen from the menu.
#include <QString>

class frmMain;

namespace corvel {

// Opens the scripts dialog of mnuLinguagem(index): 0 JavaScript, 2 ASP,
// 3 PHP. Does nothing without a current document. Choosing ASP or PHP moves
// the "F9" label to that item and stores the choice (setting "F9").
void OpenScriptList(frmMain &m, int index);

// The "F9" label on the ASP or the PHP item, as setting "F9" says.
void ApplyLanguageCaptions(frmMain &m);

// Writes an expanded script at the caret of the current document, replacing
// the selection, with the caret caretBack characters before its end.
void InsertScriptText(frmMain &m, const QString &text, int caretBack);

} // namespace corvel

void RegisterScriptCommands(frmMain &m);
