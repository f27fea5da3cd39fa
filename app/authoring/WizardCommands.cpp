#include "WizardCommands.h"

#include "CommandDialog.h"
#include "CommandIds.h"
#include "InsertTag.h"
#include "frmHTMLDef.h"
#include "frmMain.h"
#include "frmTableWizard.h"

void ShowTableWizard(frmMain &m) {
    if (!m.CurrentEditor()) return;
    TableWizardHost host;
    host.insert = [&m](const QString &text) { InsertTagText(m, text); };
    host.comando = [&m](const QString &element, int helpId,
                        std::function<bool(const QString &, const QString &)> handOff) {
        OpenCommandDialog(m, element, helpId, std::move(handOff));
    };
    frmTableWizard wizard(std::move(host), &m);
    wizard.exec();
}

void ShowHtmlDefinition(frmMain &m) {
    HtmlDefinitionHost host;
    host.hasDocument = [&m] { return m.CurrentEditor() != nullptr; };
    host.insert = [&m](const QString &text, int caretBack) {
        corvel::TagInsert tag;
        tag.openText = text;
        tag.caretBack = caretBack;
        InsertTag(m, tag);
    };
    host.comando = [&m](const QString &element, int helpId) { m.Comando(element, helpId); };
    frmHTMLDef dialog(std::move(host), &m);
    if (!dialog.Form_Load()) return;
    dialog.exec();
}

void RegisterWizardCommands(frmMain &m) {
    m.SetHandler(corvel::cmd::TabelaWizard, [&m] { ShowTableWizard(m); });
    m.SetHandler(corvel::cmd::FormatarHipertexto, [&m] { ShowHtmlDefinition(m); });
}
