#include "OptionTable.h"

#include "Settings.h"

namespace corvel {

namespace {

constexpr const char *kConfig = "Configuracao";
using P = OptionPage;
using S = ShownWhen;

// clang-format off
const OptionFlag kFlags[] = {
    {P::Geral,    "chkSplash",           "Exibir tela de abertura (splash screen)",                       kConfig, "Splash",           S::NotZero, "1", "0"},
    {P::Geral,    "chkTaskBar",          "Exibir na barra de tarefas quando minimizado",                   kConfig, "TaskBar",          S::NotZero, "1", "0"},
    {P::Geral,    "chkSysTray",          "Exibir ícone do programa no Tray",                              kConfig, "SysTray",          S::IsOne,   "1", "0"},
    {P::Geral,    "chkHipertexto",       "Exibir caixa de Hipertexto ao abrir novo documento",             kConfig, "Hipertexto",       S::IsOne,   "1", "0"},
    {P::Geral,    "chkBackup",           "Criar Backup de arquivos ao gravar",                             kConfig, "Backup",           S::IsOne,   "1", "0"},
    {P::Geral,    "chkNaoAdddoc",        "Não abrir um novo documento por padrão",                         kConfig, "NaoNovoDoc",       S::IsOne,   "1", "0"},
    {P::Geral,    "chkAutoColorize",     "Colorizar código ao abrir um documento existente",               kConfig, "AutoColor",        S::NotZero, "1", "0"},
    {P::Geral,    "chkRemHistObsoletos", "Remover obsoletos do histórico ao iniciar",                      kConfig, "AutoRemObsoletos", S::NotZero, "1", "0"},
    {P::Edicao,   "chkMinusculas",       "Tags devem ser escritas em letras minúsculas",                   kConfig, "Maiusculo",        S::IsZero,  "0", "1"},
    {P::Edicao,   "chkIntSelecao",       "Texto selecionado deverá ser mantido ou colocado entre a tag",   kConfig, "IntSelecao",       S::NotZero, "1", "0"},
    {P::Edicao,   "chkManterSel",        "Manter o texto selecionado após escrever o comando",             kConfig, "MantemSel",        S::NotZero, "1", "0"},
    {P::Edicao,   "chkBRLinhas",         "Quebrar linhas durante a edição dos documentos",                 kConfig, "Quebra",           S::IsZero,  "0", "1000000"},
    {P::Edicao,   "chkRealTab",          "Usar TAB real",                                                  kConfig, "RealTAB",          S::IsOne,   "1", "0"},
    {P::Edicao,   "chkLinux",            "Salvar em formato Linux (quebra de linhas com LF)",              kConfig, "Linux",            S::IsOne,   "1", "0"},
    {P::Edicao,   "chkImgEmDoc",         "Utilizar o caminho das imagens igual ao de documentos",          kConfig, "ImgPathDoc",       S::IsOne,   "1", "0"},
    {P::Comandos, "chkComTPA",           "Sempre utilizar templates avançados quando disponíveis",         kConfig, "ComAvancado",      S::NotZero, "1", "0"},
    {P::Comandos, "chkImgWH",            "Preencher automaticamente Width e Height ao selecionar imagens", kConfig, "ImgWH",            S::NotZero, "1", "0"},
    {P::Comandos, "chkImgBorder0",       "Automaticamente preencher Border com 0 neste caso",              kConfig, "ImgBorder0",       S::NotZero, "1", "0"},
};

const QuoteChoice kQuotes[] = {
    {"chkAspasNormais", "Como aspas normais (padrão)",   "0"},
    {"chkAspasDuplas",  "Como aspas duplas (\"\") (ASP)", "1"},
    {"chkAspasSimples", "Como aspas simples (') (JS)",   "2"},
    {"chkBarraAspa",    "Como barra aspa (\\\") (PHP)",  "3"},
};

const TemplateRow kTemplates[] = {
    {"P",      "Parágrafo (P)",                2},
    {"BR",     "Quebra de linha (BR)",         2},
    {"HR",     "Linha horizontal (HR)",        2},
    {"Table",  "Tabela (TABLE)",               3},
    {"TR",     "Linha da tabela (TR)",         2},
    {"TD",     "Célula da tabela (TD)",        2},
    {"Option", "Item de seleção (OPTION)",     2},
    {"LI",     "Item de lista (LI)",           2},
};
// clang-format on

} // namespace

const OptionFlag *OptionFlags(int *count) {
    *count = int(sizeof(kFlags) / sizeof(kFlags[0]));
    return kFlags;
}

bool ShownChecked(ShownWhen rule, const QString &value) {
    switch (rule) {
    case ShownWhen::NotZero:
        return value != QLatin1String("0");
    case ShownWhen::IsOne:
        return value == QLatin1String("1");
    case ShownWhen::IsZero:
        return value == QLatin1String("0");
    }
    return false;
}

const QuoteChoice *QuoteChoices(int *count) {
    *count = int(sizeof(kQuotes) / sizeof(kQuotes[0]));
    return kQuotes;
}

int QuoteChoiceIndex(const QString &stored) {
    // A lenient number, as the quote writer reads it.
    const long long n = SettingNumber(stored);
    return n >= 1 && n <= 3 ? int(n) : 0;
}

const TemplateRow *TemplateRows(int *count) {
    *count = int(sizeof(kTemplates) / sizeof(kTemplates[0]));
    return kTemplates;
}

int TemplateItem(const QString &stored, int items) {
    const long long n = SettingNumber(stored);
    return n >= 0 && n < items ? int(n) : -1;
}

} // namespace corvel
