#include "ToolbarTable.h"

#include <cstring>

namespace corvel {

namespace {

// clang-format off
const ToolbarRow kButtons[] = {
    {"Preview",          cmd::ArquivoPreview,       "preview"},
    {"",                 CommandId{},               ""},
    {"Novo",             cmd::ArquivoNovo,          "novo"},
    {"Abrir",            cmd::ArquivoAbrir,         "abrir"},
    {"Fechar Documento", cmd::ArquivoFechar,        "fechar"},
    {"Salvar",           cmd::ArquivoSalvar,        "salvar"},
    {"",                 CommandId{},               ""},
    {"Imprimir",         cmd::ArquivoImprimir,      "imprimir"},
    {"",                 CommandId{},               ""},
    {"Imagem",           cmd::InserirImagem,        "imagem"},
    {"Link",             cmd::InserirLink,          "link"},
    {"",                 CommandId{},               ""},
    {"Fonte",            cmd::FormatarFonte,        "fonte"},
    {"Negrito",          cmd::FormatarNegrito,      "negrito"},
    {"Itálico",          cmd::FormatarItalico,      "italico"},
    {"Sublinhado",       cmd::FormatarSublinhado,   "sublinhado"},
    {"Centralizado",     cmd::FormatarCentralizado, "centralizado"},
    {"",                 CommandId{},               ""},
    {"Lista Numerada",   cmd::ListaNumerada,        "lista-numerada"},
    {"Lista Pontuada",   cmd::ListaPontuada,        "lista-pontuada"},
    {"",                 CommandId{},               ""},
    {"Table Wizard",     cmd::TabelaWizard,         "table-wizard"},
    {"Tabela",           cmd::TabelaDefinicao,      "tabela"},
    {"Linha de Tabela",  cmd::TabelaLinha,          "linha-tabela"},
    {"Coluna de Tabela", cmd::TabelaColuna,         "coluna-tabela"},
    {"",                 CommandId{},               ""},
    {"Quebra de Linha",  cmd::InserirQuebra,        "quebra"},
    {"Parágrafo",        cmd::InserirParagrafo,     "paragrafo"},
    {"Barra Horizontal", cmd::InserirBarra,         "barra"},
    {"",                 CommandId{},               ""},
    {"Cores",            cmd::FerramentasEscrCor,   "cores"},
    {"",                 CommandId{},               ""},
    {"PHP",              cmd::Linguagem(3),         "php"},
    {"ASP",              cmd::Linguagem(2),         "asp"},
    {"JavaScript",       cmd::Linguagem(0),         "javascript"},
    {"",                 CommandId{},               ""},
    {"Aspas Duplas",     cmd::CycleQuoteStyle,      "aspas-duplas"},
    {"",                 CommandId{},               ""},
    {"Ajuda",            cmd::AjudaConteudo,        "ajuda"},
};
// clang-format on

} // namespace

const ToolbarRow *ToolbarTable(std::size_t *count) {
    *count = sizeof(kButtons) / sizeof(kButtons[0]);
    return kButtons;
}

const char *QuoteButtonKey(const char *aspas) {
    if (std::strcmp(aspas, "1") == 0) return "Aspas ASP";
    if (std::strcmp(aspas, "2") == 0) return "Aspas Simples";
    if (std::strcmp(aspas, "3") == 0) return "Aspas PHP";
    return "Aspas Duplas";
}

} // namespace corvel
