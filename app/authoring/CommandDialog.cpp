#include "CommandDialog.h"

#include "TagTables.h"
#include "frmComando.h"
#include "frmMain.h"

// The tag-insertion routine and the key-state watcher belong to the tag
// commands; until they are part of the build the dialog writes its result in
// place of the selection and reads both keys as up.
#if __has_include("InsertTag.h") && __has_include("KeyState.h")
#include "InsertTag.h"
#include "KeyState.h"
#define CORVEL_HAS_INSERT_TAG 1
#else
#define CORVEL_HAS_INSERT_TAG 0
#endif

namespace {

// Comando(name, helpId): chooses the definition file and shows the command
// dialog modally, owned by the main window.
void OpenCommandDialog(frmMain &m, const QString &name, int helpId) {
#if CORVEL_HAS_INSERT_TAG
    const QString file =
        ChooseDefinitionFile(name, corvel::ScrollLockActive(), corvel::RightControlDown());
#else
    const QString file = ChooseDefinitionFile(name, false, false);
#endif
    CommandDialogHost host;
    host.currentEditor = [&m] { return m.CurrentEditor(); };
    host.insertTag = [&m](QString &open, QString &close, int caretBack, bool separateLines,
                          bool innerLine, bool applyCase, bool discardSelection) {
#if CORVEL_HAS_INSERT_TAG
        InsertTag(m, open, close, caretBack, separateLines, innerLine, applyCase, discardSelection);
#else
        (void)separateLines;
        (void)innerLine;
        (void)applyCase;
        (void)discardSelection;
        ICorvelEdit *ed = m.CurrentEditor();
        if (!ed || !ed->Visivel()) return;
        ed->setSelTexto(open + close);
        ed->setSelInicio(qMax(0, ed->SelInicio() - caretBack));
#endif
    };
    frmComando dialog(file, helpId, std::move(host), &m);
    if (!dialog.Form_Load()) return;
    dialog.exec();
}

} // namespace

void RegisterCommandDialog(frmMain &m) {
#if CORVEL_HAS_INSERT_TAG
    corvel::InstallKeyStateWatcher();
#endif
    m.SetComandoHandler(
        [&m](const QString &name, int helpId) { OpenCommandDialog(m, name, helpId); });
    // The menu items that always open the command dialog.
    for (const corvel::ComandoCommand &c : corvel::ComandoCommands()) {
        const QString comando = QString::fromUtf8(c.comando);
        const QString status = QString::fromUtf8(c.status);
        const int helpId = c.helpId;
        m.SetHandler(QString::fromUtf8(c.menu), [&m, comando, helpId, status] {
            m.Comando(comando, helpId);
            m.ShowStatusMessage(status);
        });
    }
}
