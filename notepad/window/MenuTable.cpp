#include "MenuTable.h"

#include "Commands.h"

namespace tessim {

namespace {

// The menus of the menu bar have no parent.
constexpr CommandId Top;

// clang-format off
const MenuRow kMenus[] = {
    // command                        caption                  parent            keys      handler
    {cmd::Arquivo,                    "&Arquivo",              Top,              "",       nullptr,                false},
    {cmd::ArquivoNovo,                "&Novo",                 cmd::Arquivo,     "",       NewCommand,             false},
    {cmd::ArquivoAbrir,               "&Abrir",                cmd::Arquivo,     "",       OpenCommand,            false},
    {cmd::ArquivoSalvar,              "&Salvar",               cmd::Arquivo,     "",       SaveCommand,            false},
    {cmd::ArquivoSalvarComo,          "Salvar &Como",          cmd::Arquivo,     "",       SaveAsCommand,          false},
    {cmd::ArquivoImprimir,            "&Imprimir",             cmd::Arquivo,     "",       PrintCommand,           false},
    {cmd::ArquivoSair,                "Sai&r",                 cmd::Arquivo,     "Alt+F4", ExitCommand,            false},
    {cmd::Editar,                     "&Editar",               Top,              "",       nullptr,                false},
    {cmd::EditarDesfazer,             "&Desfazer",             cmd::Editar,      "Ctrl+Z", UndoCommand,            false},
    {cmd::EditarRecortar,             "&Recortar",             cmd::Editar,      "Ctrl+X", CutCommand,             false},
    {cmd::EditarCopiar,               "&Copiar",               cmd::Editar,      "Ctrl+C", CopyCommand,            false},
    {cmd::EditarColar,                "Co&lar",                cmd::Editar,      "Ctrl+V", PasteCommand,           false},
    {cmd::EditarSelecionarTudo,       "&Selecionar Tudo",      cmd::Editar,      "Ctrl+A", SelectAllCommand,       false},
    {cmd::EditarProcurar,             "&Procurar",             cmd::Editar,      "",       FindCommand,            false},
    {cmd::EditarProcProx,             "Procurar Pró&xima",     cmd::Editar,      "",       FindNextCommand,        false},
    {cmd::EditarIr,                   "&Ir Para Linha",        cmd::Editar,      "",       GoToLineCommand,        false},
    {cmd::Comando,                    "&Comandos",             Top,              "",       nullptr,                false},
    {cmd::ComandoHipertexto,          "Hiperte&xto",           cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoCorpo,               "C&orpo",                cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoFonte,               "&Fonte",                cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoNegrito,             "&Negrito",              cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoItalico,             "&Itálico",              cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoSublinhado,          "&Sublinhado",           cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoCentralizado,        "C&entralizado",         cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoLink,                "&Link",                 cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoImagem,              "&Imagem",               cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoParagrafo,           "&Parágrafo",            cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoQuebra,              "&Quebra de Linha",      cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoBarra,               "&Barra Horizontal",     cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoListaNumerada,       "List&a Numerada",       cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoListaPontuada,       "Lista Pont&uada",       cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoListaItem,           "Ite&m de Lista",        cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoTabela,              "&Tabela",               cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoTabelaLinha,         "Lin&ha de Tabela",      cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::ComandoTabelaColuna,        "&Coluna de Tabela",     cmd::Comando,     "",       HtmlTagCommand,         false},
    {cmd::Ferramentas,                "Fe&rramentas",          Top,              "",       nullptr,                false},
    {cmd::FerramentasColor,           "&Colorizar HTML",       cmd::Ferramentas, "",       ColouriseCommand,       false},
    {cmd::FerramentaPFonte,           "Padronizar &Fonte",     cmd::Ferramentas, "",       StandardiseFontCommand, false},
    {cmd::FerramentaEscCor,           "&Escrever Cor",         cmd::Ferramentas, "",       WriteColourCommand,     false},
    {cmd::FerramentaPreview,          "&Preview",              cmd::Ferramentas, "",       PreviewCommand,         false},
    {cmd::FerramentasAbCorvel,        "&Abrir no Corvel",      cmd::Ferramentas, "",       OpenInCorvelCommand,    false},
    {cmd::FerramentasQuebra,          "&Quebra de Linha",      cmd::Ferramentas, "",       LineWrapCommand,        true},
    {cmd::Ajuda,                      "A&juda",                Top,              "",       nullptr,                false},
    {cmd::AjudaSobre,                 "Sobre o &Tessim",       cmd::Ajuda,       "",       AboutCommand,           false},
    {cmd::AjudaSite,                  "Acessar o &Site",       cmd::Ajuda,       "",       SiteCommand,            false},
};
// clang-format on

} // namespace

const MenuRow *MenuTable(std::size_t *count) {
    *count = sizeof(kMenus) / sizeof(kMenus[0]);
    return kMenus;
}

} // namespace tessim
