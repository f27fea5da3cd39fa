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
    const char *menu;
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
    {"mnuFiltrarDuploEspaco", "Remover Duplo Espaço", RemoveDoubleSpaces},
    {"mnuFiltrarAcentos", "Remover Acentuação", RemoveAccents},
    {"mnuFiltrarEspacosComeco", "Remover Espaços no Começo das Linhas", RemoveLeadingSpaces},
    {"mnuFiltrarEspacosFinal", "Remover Espaços no Final das Linhas", RemoveTrailingSpaces},
    {"mnuAjustarMaiusculo", "Todos em Maiúsculo", ToUpperCase},
    {"mnuAjustarMinusculo", "Todos em Minúsculo", ToLowerCase},
    {"mnuAjustarSentenca", "Todos em Sentença", ToSentenceCase},
    {"mnuAjustarEspTab", "Espaços para Tabs", SpacesToTabsBySetting},
    {"mnuAjustarTabEsp", "Tabs para Espaços", TabsToSpacesBySetting},
    {"mnuCarEsp(1)", "Converter Caracteres Especiais", ConvertSpecialChars},
    {"mnuCarEsp(2)", "Reverter Caracteres Especiais", RevertSpecialChars},
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
        m.SetHandler(QString::fromLatin1(f.menu),
                     [&m, message, transform] { RunTextFilter(m, transform, message); });
    }
    m.SetHandler(QStringLiteral("mnuFiltrarQuebrasLinha"), [&m] { RemoveLineBreaksCommand(m); });
}

} // namespace corvel::texttools
