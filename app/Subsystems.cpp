#include "Subsystems.h"

#include "Colouriser.h"
#include "CommandDialog.h"
#include "FileCommands.h"
#include "FindCommands.h"
#include "HelpCommands.h"
#include "InsertTag.h"
#include "PreviewCommands.h"
#include "ProjectCommands.h"
#include "ScriptCommands.h"
#include "SettingsCommands.h"
#include "TagCommands.h"
#include "TextTools.h"
#include "UpdateCheck.h"
#include "WizardCommands.h"
#include "frmMain.h"
#include "frmTrayIcon.h"

// Each subsystem attaches its own menu commands, keys and load steps.
void RegisterSubsystems(frmMain &m) {
    RegisterFileCommands(m);
    // Insert file hands the file's text to the tag insertion.
    m.services().insertText = [&m](const QString &text) { InsertTagText(m, text); };
    RegisterFindCommands(m);
    RegisterTextTools(m);
    RegisterCommandDialog(m);
    RegisterColouriser(m);
    RegisterScriptCommands(m);
    // After the command dialog: its menu items need Comando.
    RegisterTagCommands(m);
    RegisterWizardCommands(m);
    RegisterSettingsCommands(m);
    RegisterPreviewCommands(m);
    RegisterHelpCommands(m);
    RegisterTrayIcon(m);
    RegisterUpdateCheck(m);
    corvel::RegisterProjectCommands(m);
}
