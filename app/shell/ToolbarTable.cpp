#include "ToolbarTable.h"

#include <cstring>

namespace corvel {

namespace {

// clang-format off
const ToolbarRow kButtons[] = {
    {"Preview",          "mnuArquivoPreview",       "preview"},
    {"",                 "",                        ""},
    {"Novo",             "mnuArquivoNovo",          "novo"},
    {"Abrir",            "mnuArquivoAbrir",         "abrir"},
    {"Fechar Documento", "mnuArquivoFechar",        "fechar"},
    {"Salvar",           "mnuArquivoSalvar",        "salvar"},
    {"",                 "",                        ""},
    {"Imprimir",         "mnuArquivoImprimir",      "imprimir"},
    {"",                 "",                        ""},
    {"Imagem",           "mnuInserirImagem",        "imagem"},
    {"Link",             "mnuInserirLink",          "link"},
    {"",                 "",                        ""},
    {"Fonte",            "mnuFormatarFonte",        "fonte"},
    {"Negrito",          "mnuFormatarNegrito",      "negrito"},
    {"Itálico",          "mnuFormatarItalico",      "italico"},
    {"Sublinhado",       "mnuFormatarSublinhado",   "sublinhado"},
    {"Centralizado",     "mnuFormatarCentralizado", "centralizado"},
    {"",                 "",                        ""},
    {"Lista Numerada",   "mnuListaNumerada",        "lista-numerada"},
    {"Lista Pontuada",   "mnuListaPontuada",        "lista-pontuada"},
    {"",                 "",                        ""},
    {"Table Wizard",     "mnuTabelaWizard",         "table-wizard"},
    {"Tabela",           "mnuTabelaDefinicao",      "tabela"},
    {"Linha de Tabela",  "mnuTabelaLinha",          "linha-tabela"},
    {"Coluna de Tabela", "mnuTabelaColuna",         "coluna-tabela"},
    {"",                 "",                        ""},
    {"Quebra de Linha",  "mnuInserirQuebra",        "quebra"},
    {"Parágrafo",        "mnuInserirParagrafo",     "paragrafo"},
    {"Barra Horizontal", "mnuInserirBarra",         "barra"},
    {"",                 "",                        ""},
    {"Cores",            "mnuFerramentasEscrCor",   "cores"},
    {"",                 "",                        ""},
    {"PHP",              "mnuLinguagem(3)",         "php"},
    {"ASP",              "mnuLinguagem(2)",         "asp"},
    {"JavaScript",       "mnuLinguagem(0)",         "javascript"},
    {"",                 "",                        ""},
    {"Aspas Duplas",     kQuoteCommand,             "aspas-duplas"},
    {"",                 "",                        ""},
    {"Ajuda",            "mnuAjudaConteudo",        "ajuda"},
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
