#pragma once
// The table wizard and new-page definition commands of the main window.
class frmMain;

void RegisterWizardCommands(frmMain &m);
// The new-page definition on the current document (also run by New when
// "Hipertexto" is "1").
void ShowHtmlDefinition(frmMain &m);
void ShowTableWizard(frmMain &m);
