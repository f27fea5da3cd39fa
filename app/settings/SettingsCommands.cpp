#include "SettingsCommands.h"

#include "Dialogs.h"
#include "OptionTexts.h"
#include "Programs.h"
#include "Settings.h"
#include "ToolbarTable.h"
#include "frmMain.h"
#include "frmOpcoes.h"

#include <QFont>

using namespace corvel;

namespace {

const QString kEditor = QStringLiteral("Editor");

// Open documents keep their look; the user is told how to change it.
void TellAboutOpenDocuments(frmMain &m, const QString &title) {
    if (!m.CurrentEditor()) return;
    m.services().dialogs().message(
        &m,
        QStringLiteral("A alteração terá efeito apenas para os novos documentos abertos. Para "
                       "padronizar a fonte no documento corrente, tecle Control+F7."),
        title, MsgIcon::Information);
}

void ChooseDefaultColour(frmMain &m, const char *key, const char *dialogTitle,
                         const char *messageTitle, const char *status) {
    const QString k = QLatin1String(key);
    int chosen = 0;
    if (!m.services().dialogs().chooseColour(&m, QString::fromUtf8(dialogTitle),
                                             ChooserStartColour(ReadSetting(kEditor, k)), &chosen))
        return;
    WriteSetting(kEditor, k, QString::number(chosen));
    TellAboutOpenDocuments(m, QString::fromUtf8(messageTitle));
    m.ShowStatusMessage(QString::fromUtf8(status));
}

} // namespace

OptionsHost MainWindowOptionsHost(frmMain &m) {
    OptionsHost host;
    host.dialogs = [&m]() -> IDialogs & { return m.services().dialogs(); };
    host.setCurrentWrap = [&m](bool quebrarLinha) {
        if (ICorvelEdit *ed = m.CurrentEditor()) ed->setQuebrarLinha(quebrarLinha);
    };
    host.showQuoteStyle = [&m](const QString &aspas) {
        m.SetQuoteButtonKey(QLatin1String(QuoteButtonKey(aspas.toLatin1().constData())));
    };
    host.trayIcon = [&m](bool shown) {
        if (m.services().trayIcon) m.services().trayIcon(shown);
    };
    host.help = [&m](int context) {
        if (m.services().showHelp) m.services().showHelp(context);
    };
    host.internalBrowserAvailable = [] { return InternalBrowserAvailable(); };
    host.corvelProgram = CorvelProgramPath();
    host.tessimProgram = TessimProgramPath();
    return host;
}

void OpenOptions(frmMain &m) {
    frmOpcoes dialog(MainWindowOptionsHost(m), &m);
    dialog.Form_Load();
    dialog.exec();
    m.ShowStatusMessage(QStringLiteral("Opções"));
}

void ChooseDefaultTextColour(frmMain &m) {
    ChooseDefaultColour(m, "Frente", "Cor da Letra", "Cores Alteradas", "Cor da Letra");
}

void ChooseDefaultBackground(frmMain &m) {
    ChooseDefaultColour(m, "Fundo", "Cor do Fundo", "Fundo Alterado", "Cor de Fundo");
}

void ChooseDefaultFont(frmMain &m) {
    QFont initial(ReadSetting(kEditor, QStringLiteral("Fonte")));
    const double size = SettingNumber(ReadSetting(kEditor, QStringLiteral("Tamanho")));
    if (size > 0) initial.setPointSizeF(qMin(size, 1638.0));
    initial.setItalic(StyleFlag(ReadSetting(kEditor, QStringLiteral("Italico"))));
    initial.setBold(StyleFlag(ReadSetting(kEditor, QStringLiteral("Negrito"))));
    QFont chosen;
    if (!m.services().dialogs().chooseFont(&m, QStringLiteral("Fonte do Texto"), initial, &chosen))
        return;
    WriteSetting(kEditor, QStringLiteral("Fonte"), chosen.family());
    WriteSetting(kEditor, QStringLiteral("Tamanho"), FontSizeSetting(chosen.pointSizeF()));
    WriteSetting(kEditor, QStringLiteral("Italico"), StyleFlagText(chosen.italic()));
    WriteSetting(kEditor, QStringLiteral("Negrito"), StyleFlagText(chosen.bold()));
    TellAboutOpenDocuments(m, QStringLiteral("Fonte Alterada"));
    m.ShowStatusMessage(QStringLiteral("Fonte do Texto"));
}

void RegisterSettingsCommands(frmMain &m) {
    m.SetHandler(cmd::OpcoesPreferencias, [&m] { OpenOptions(m); });
    m.SetHandler(cmd::OpcoesCorLetra, [&m] { ChooseDefaultTextColour(m); });
    m.SetHandler(cmd::OpcoesCorFundo, [&m] { ChooseDefaultBackground(m); });
    m.SetHandler(cmd::OpcoesFonte, [&m] { ChooseDefaultFont(m); });
}
