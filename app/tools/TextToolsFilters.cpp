#include "CharEntities.h"
#include "Dialogs.h"
#include "Settings.h"
#include "TextFilters.h"
#include "TextTools.h"
#include "frmMain.h"

namespace corvel::texttools {

namespace {

int TabWidth() {
    return int(SettingNumber(ReadSetting(QStringLiteral("Editor"), QStringLiteral("Tabs"))));
}

struct FilterCommand {
    corvel::CommandId menu;
    const char *finalMessage;
    QString (*transform)(const QString &);
};

QString SpacesToTabsBySetting(const QString &t) {
    return SpacesToTabs(t, TabWidth());
}
QString TabsToSpacesBySetting(const QString &t) {
    return TabsToSpaces(t, TabWidth());
}

const FilterCommand kFilters[] = {
    {corvel::cmd::FiltrarDuploEspaco, "Remover Duplo Espaço", RemoveDoubleSpaces},
    {corvel::cmd::FiltrarAcentos, "Remover Acentuação", RemoveAccents},
    {corvel::cmd::FiltrarEspacosComeco, "Remover Espaços no Começo das Linhas",
     RemoveLeadingSpaces},
    {corvel::cmd::FiltrarEspacosFinal, "Remover Espaços no Final das Linhas", RemoveTrailingSpaces},
    {corvel::cmd::AjustarMaiusculo, "Todos em Maiúsculo", ToUpperCase},
    {corvel::cmd::AjustarMinusculo, "Todos em Minúsculo", ToLowerCase},
    {corvel::cmd::AjustarSentenca, "Todos em Sentença", ToSentenceCase},
    {corvel::cmd::AjustarEspTab, "Espaços para Tabs", SpacesToTabsBySetting},
    {corvel::cmd::AjustarTabEsp, "Tabs para Espaços", TabsToSpacesBySetting},
    {corvel::cmd::CarEsp(1), "Converter Caracteres Especiais", ConvertSpecialChars},
    {corvel::cmd::CarEsp(2), "Reverter Caracteres Especiais", RevertSpecialChars},
};

void RemoveLineBreaksCommand(frmMain &m) {
    auto replacement = std::make_shared<QString>();
    auto ask = [&m, replacement]() {
        const QString text =
            QStringLiteral("Você pode remover as quebras de linha ou substituí-las por um espaço. "
                           "A substituição por espaço é útil para evitar que palavras entre duas "
                           "quebras apareçam juntas.") +
            QStringLiteral("\n\n") +
            QStringLiteral("Deseja substituir as quebras por espaços? Clique \"Sim\" para "
                           "substituir por um espaço ou \"Não\" para apenas remover as quebras de "
                           "linha.");
        const MsgAnswer a = Message(&m, text, QStringLiteral("Remover Quebras de Linha"),
                                    MsgIcon::Question, MsgButtons::YesNoCancel, MsgAnswer::Yes);
        if (a == MsgAnswer::Cancel) return false;
        *replacement = a == MsgAnswer::Yes ? QStringLiteral(" ") : QString();
        return true;
    };
    RunTextFilter(
        m, [replacement](const QString &t) { return RemoveLineBreaks(t, *replacement); },
        QStringLiteral("Remover Quebras de Linha"), ask);
}

} // namespace

void RegisterFilterCommands(frmMain &m) {
    for (const FilterCommand &f : kFilters) {
        const QString message = QString::fromUtf8(f.finalMessage);
        auto transform = f.transform;
        m.SetHandler(f.menu, [&m, message, transform] { RunTextFilter(m, transform, message); });
    }
    m.SetHandler(corvel::cmd::FiltrarQuebrasLinha, [&m] { RemoveLineBreaksCommand(m); });
}

} // namespace corvel::texttools
