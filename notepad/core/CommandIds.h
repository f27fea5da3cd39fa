#pragma once
// Every command of the notepad by its menu item's object name: the one
// spelling the menu table, the handlers and the tests share.
namespace tessim {

struct CommandId {
    const char *name;
};
constexpr bool operator==(CommandId a, CommandId b) {
    const char *x = a.name, *y = b.name;
    while (*x && *x == *y) ++x, ++y;
    return *x == *y;
}

namespace cmd {
// Menus of the menu bar.
constexpr CommandId Arquivo{"mnuArquivo"};
constexpr CommandId Editar{"mnuEditar"};
constexpr CommandId Comando{"mnuComando"};
constexpr CommandId Ferramentas{"mnuFerramentas"};
constexpr CommandId Ajuda{"mnuAjuda"};
// File.
constexpr CommandId ArquivoNovo{"mnuArquivoNovo"};
constexpr CommandId ArquivoAbrir{"mnuArquivoAbrir"};
constexpr CommandId ArquivoSalvar{"mnuArquivoSalvar"};
constexpr CommandId ArquivoSalvarComo{"mnuArquivoSalvarComo"};
constexpr CommandId ArquivoImprimir{"mnuArquivoImprimir"};
constexpr CommandId ArquivoSair{"mnuArquivoSair"};
// Edit.
constexpr CommandId EditarDesfazer{"mnuEditarDesfazer"};
constexpr CommandId EditarRecortar{"mnuEditarRecortar"};
constexpr CommandId EditarCopiar{"mnuEditarCopiar"};
constexpr CommandId EditarColar{"mnuEditarColar"};
constexpr CommandId EditarSelecionarTudo{"mnuEditarSelecionarTudo"};
constexpr CommandId EditarProcurar{"mnuEditarProcurar"};
constexpr CommandId EditarProcProx{"mnuEditarProcProx"};
constexpr CommandId EditarIr{"mnuEditarIr"};
// HTML commands.
constexpr CommandId ComandoHipertexto{"mnuComandoHipertexto"};
constexpr CommandId ComandoCorpo{"mnuComandoCorpo"};
constexpr CommandId ComandoFonte{"mnuComandoFonte"};
constexpr CommandId ComandoNegrito{"mnuComandoNegrito"};
constexpr CommandId ComandoItalico{"mnuComandoItalico"};
constexpr CommandId ComandoSublinhado{"mnuComandoSublinhado"};
constexpr CommandId ComandoCentralizado{"mnuComandoCentralizado"};
constexpr CommandId ComandoLink{"mnuComandoLink"};
constexpr CommandId ComandoImagem{"mnuComandoImagem"};
constexpr CommandId ComandoParagrafo{"mnuComandoParagrafo"};
constexpr CommandId ComandoQuebra{"mnuComandoQuebra"};
constexpr CommandId ComandoBarra{"mnuComandoBarra"};
constexpr CommandId ComandoListaNumerada{"mnuComandoListaNumerada"};
constexpr CommandId ComandoListaPontuada{"mnuComandoListaPontuada"};
constexpr CommandId ComandoListaItem{"mnuComandoListaItem"};
constexpr CommandId ComandoTabela{"mnuComandoTabela"};
constexpr CommandId ComandoTabelaLinha{"mnuComandoTabelaLinha"};
constexpr CommandId ComandoTabelaColuna{"mnuComandoTabelaColuna"};
// Tools.
constexpr CommandId FerramentasColor{"mnuFerramentasColor"};
constexpr CommandId FerramentaPFonte{"mnuFerramentaPFonte"};
constexpr CommandId FerramentaEscCor{"mnuFerramentaEscCor"};
constexpr CommandId FerramentaPreview{"mnuFerramentaPreview"};
constexpr CommandId FerramentasAbCorvel{"mnuFerramentasAbCorvel"};
constexpr CommandId FerramentasQuebra{"mnuFerramentasQuebra"};
// Help.
constexpr CommandId AjudaSobre{"mnuAjudaSobre"};
constexpr CommandId AjudaSite{"mnuAjudaSite"};
} // namespace cmd

} // namespace tessim
