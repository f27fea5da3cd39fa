#pragma once
// Every command of the notepad by its menu item's object name: compile-time
// constants the menu table, the handlers and the tests share, of the same
// command id type as Corvel's, so a misspelt name fails to compile.
#include "CommandIds.h"

namespace tessim {

using corvel::CommandId;

namespace cmd {
// Menus of the menu bar.
inline constexpr CommandId Arquivo{"mnuArquivo"};
inline constexpr CommandId Editar{"mnuEditar"};
inline constexpr CommandId Comando{"mnuComando"};
inline constexpr CommandId Ferramentas{"mnuFerramentas"};
inline constexpr CommandId Ajuda{"mnuAjuda"};
// File.
inline constexpr CommandId ArquivoNovo{"mnuArquivoNovo"};
inline constexpr CommandId ArquivoAbrir{"mnuArquivoAbrir"};
inline constexpr CommandId ArquivoSalvar{"mnuArquivoSalvar"};
inline constexpr CommandId ArquivoSalvarComo{"mnuArquivoSalvarComo"};
inline constexpr CommandId ArquivoImprimir{"mnuArquivoImprimir"};
inline constexpr CommandId ArquivoSair{"mnuArquivoSair"};
// Edit.
inline constexpr CommandId EditarDesfazer{"mnuEditarDesfazer"};
inline constexpr CommandId EditarRecortar{"mnuEditarRecortar"};
inline constexpr CommandId EditarCopiar{"mnuEditarCopiar"};
inline constexpr CommandId EditarColar{"mnuEditarColar"};
inline constexpr CommandId EditarSelecionarTudo{"mnuEditarSelecionarTudo"};
inline constexpr CommandId EditarProcurar{"mnuEditarProcurar"};
inline constexpr CommandId EditarProcProx{"mnuEditarProcProx"};
inline constexpr CommandId EditarIr{"mnuEditarIr"};
// HTML commands.
inline constexpr CommandId ComandoHipertexto{"mnuComandoHipertexto"};
inline constexpr CommandId ComandoCorpo{"mnuComandoCorpo"};
inline constexpr CommandId ComandoFonte{"mnuComandoFonte"};
inline constexpr CommandId ComandoNegrito{"mnuComandoNegrito"};
inline constexpr CommandId ComandoItalico{"mnuComandoItalico"};
inline constexpr CommandId ComandoSublinhado{"mnuComandoSublinhado"};
inline constexpr CommandId ComandoCentralizado{"mnuComandoCentralizado"};
inline constexpr CommandId ComandoLink{"mnuComandoLink"};
inline constexpr CommandId ComandoImagem{"mnuComandoImagem"};
inline constexpr CommandId ComandoParagrafo{"mnuComandoParagrafo"};
inline constexpr CommandId ComandoQuebra{"mnuComandoQuebra"};
inline constexpr CommandId ComandoBarra{"mnuComandoBarra"};
inline constexpr CommandId ComandoListaNumerada{"mnuComandoListaNumerada"};
inline constexpr CommandId ComandoListaPontuada{"mnuComandoListaPontuada"};
inline constexpr CommandId ComandoListaItem{"mnuComandoListaItem"};
inline constexpr CommandId ComandoTabela{"mnuComandoTabela"};
inline constexpr CommandId ComandoTabelaLinha{"mnuComandoTabelaLinha"};
inline constexpr CommandId ComandoTabelaColuna{"mnuComandoTabelaColuna"};
// Tools.
inline constexpr CommandId FerramentasColor{"mnuFerramentasColor"};
inline constexpr CommandId FerramentaPFonte{"mnuFerramentaPFonte"};
inline constexpr CommandId FerramentaEscCor{"mnuFerramentaEscCor"};
inline constexpr CommandId FerramentaPreview{"mnuFerramentaPreview"};
inline constexpr CommandId FerramentasAbCorvel{"mnuFerramentasAbCorvel"};
inline constexpr CommandId FerramentasQuebra{"mnuFerramentasQuebra"};
// Help.
inline constexpr CommandId AjudaSobre{"mnuAjudaSobre"};
inline constexpr CommandId AjudaSite{"mnuAjudaSite"};
} // namespace cmd

} // namespace tessim
