#include "HelpCommands.h"

#include "AppInfo.h"
#include "Dialogs.h"
#include "Folders.h"
#include "HelpPages.h"
#include "UpdateReply.h"
#include "frmMain.h"
#include "frmSobre.h"

#include <QFileInfo>
#include <QUrl>

using namespace corvel;

namespace {

QString &HelpFolderOverride() {
    static QString folder;
    return folder;
}

void InsertWhenDocument(frmMain &m, const QString &text) {
    if (!m.CurrentEditor() || !m.services().insertText) return;
    m.services().insertText(text);
}

} // namespace

QString HelpFolder() {
    if (!HelpFolderOverride().isEmpty()) return HelpFolderOverride();
    return InstallationFolder() + QStringLiteral("/Ajuda");
}

void SetHelpFolderOverride(const QString &folder) {
    HelpFolderOverride() = folder;
}

void ShowHelp(frmMain &m, int context) {
    const QString page = HelpPagePath(HelpFolder(), context);
    if (!QFileInfo(page).isFile()) {
        m.services().dialogs().message(
            &m,
            QStringLiteral("A página de ajuda não foi encontrada:\r\n") + page +
                QStringLiteral("\r\n\r\nReinstale o programa para recuperar os arquivos da "
                               "ajuda."),
            QStringLiteral("Ajuda"), MsgIcon::Warning);
        return;
    }
    OpenAddress(m, QUrl::fromLocalFile(page).toString());
}

void OpenAddress(frmMain &m, const QString &address) {
    const QUrl url(address);
    if (m.services().openUrl && m.services().openUrl(url)) return;
    m.services().dialogs().message(
        &m,
        QStringLiteral("Não foi possível abrir o endereço abaixo no navegador:\r\n") +
            url.toDisplayString() +
            QStringLiteral("\r\n\r\nVerifique se há um navegador padrão configurado."),
        QStringLiteral("Corvel"), MsgIcon::Warning);
}

void RegisterHelpCommands(frmMain &m) {
    m.services().showHelp = [&m](int context) { ShowHelp(m, context); };
    m.SetHandler(cmd::AjudaConteudo, [&m] {
        ShowHelp(m, 0);
        m.ShowStatusMessage(QStringLiteral("Ajuda"));
    });
    m.SetHandler(cmd::AjudaComandos, [&m] {
        ShowHelp(m, 1);
        m.ShowStatusMessage(QStringLiteral("Ajuda de Comandos"));
    });
    m.SetHandler(cmd::AjudaSite, [&m] { OpenAddress(m, SiteAddress()); });
    m.SetHandler(cmd::AjudaEnviarMensagem, [&m] { OpenAddress(m, ContactPage(SiteAddress())); });
    m.SetHandler(cmd::AjudaAtualizacoes,
                 [&m] { OpenAddress(m, UpdatePage(SiteAddress(), VersionText())); });
    m.SetHandler(cmd::AjudaSobreCorvel, [&m] { ShowAboutBox(m); });
    m.SetHandler(cmd::CorvelVersao,
                 [&m] { InsertWhenDocument(m, QStringLiteral("Corvel ") + VersionText()); });
    m.SetHandler(cmd::CorvelSite, [&m] { InsertWhenDocument(m, SiteAddress()); });
}
