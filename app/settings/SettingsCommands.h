#pragma once
// The "Opções" menu: the options dialog and the default look of new
// documents (text colour, background colour, font).
class frmMain;
struct OptionsHost;

// The options dialog's link to the main window.
OptionsHost MainWindowOptionsHost(frmMain &m);
// "Preferências": the options dialog, then the status text "Opções".
void OpenOptions(frmMain &m);
// "Cor da Letra Padrão", "Cor de Fundo Padrão", "Fonte Padrão".
void ChooseDefaultTextColour(frmMain &m);
void ChooseDefaultBackground(frmMain &m);
void ChooseDefaultFont(frmMain &m);

void RegisterSettingsCommands(frmMain &m);
