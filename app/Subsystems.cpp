#include "Subsystems.h"

#include "Colouriser.h"
#include "CommandDialog.h"
#include "FileCommands.h"
#include "FindCommands.h"
#include "InsertTag.h"
#include "ScriptCommands.h"
#include "TagCommands.h"
#include "TextTools.h"
#include "frmMain.h"

// Each subsystem attaches its own menu commands, keys and load steps.
void RegisterSubsystems(frmMain &m) {
    RegisterFileCommands(m);
    // Insert file hands the file's text to the tag insertion.
    corvel::SetInsertTextRoutine([](frmMain &w, const QString &text) {
        InsertTag(w, text, QString(), 0, false, false, true, false);
    });
    RegisterFindCommands(m);
    RegisterTextTools(m);
    RegisterCommandDialog(m);
    RegisterColouriser(m);
    RegisterScriptCommands(m);
    // After the command dialog: its menu items need Comando.
    RegisterTagCommands(m);
}
