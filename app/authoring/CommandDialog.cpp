#include "CommandDialog.h"

#include "InsertTag.h"
#include "KeyState.h"
#include "frmComando.h"
#include "frmMain.h"

// Comando(name, helpId): chooses the definition file and shows the command
// dialog modally, owned by the main window.
void OpenCommandDialog(frmMain &m, const QString &name, int helpId,
                       std::function<bool(const QString &, const QString &)> tableWizard) {
    // The advanced definition wants Scroll Lock toggled on, not merely held.
    const QString file =
        ChooseDefinitionFile(name, corvel::ScrollLockToggledOn(), corvel::RightControlDown());
    CommandDialogHost host;
    host.currentEditor = [&m] { return m.CurrentEditor(); };
    host.insertTag = [&m](const corvel::TagInsert &tag) { InsertTag(m, tag); };
    host.projectFile = [&m] { return m.ProjectFile; };
    host.tableWizard = std::move(tableWizard);
    host.help = [&m](int context) {
        if (m.services().showHelp) m.services().showHelp(context);
    };
    frmComando dialog(file, helpId, std::move(host), &m);
    if (!dialog.Form_Load()) return;
    dialog.exec();
}

void RegisterCommandDialog(frmMain &m) {
    // The key watcher tells Scroll Lock and the right Control key apart; the
    // menu items that open the dialog are attached with the tag commands.
    corvel::InstallKeyStateWatcher();
    m.SetComandoHandler(
        [&m](const QString &name, int helpId) { OpenCommandDialog(m, name, helpId); });
}
