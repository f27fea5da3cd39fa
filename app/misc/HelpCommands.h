#pragma once
// The help menu: the help pages, the product's site and contact page, the
// about box and the inserts of the program's name, version and address.
#include <QString>

class frmMain;

// Attaches the help menu's commands, the inserts of "Informações › Corvel"
// and the services' help opener.
void RegisterHelpCommands(frmMain &m);

// Opens the help page of a context number (0: the contents) in the desktop's
// browser; a missing page is reported.
void ShowHelp(frmMain &m, int context);
// Asks the desktop to open an address; a failure is reported.
void OpenAddress(frmMain &m, const QString &address);

// The folder of the help pages: "Ajuda" beside the program, unless a test
// chose another ("" goes back).
QString HelpFolder();
void SetHelpFolderOverride(const QString &folder);
