#pragma once
// Command identities: one constant per menu item (and per toolbar-only
// command), used by the menu table, the toolbar table, the handlers and the
// tests alike, so a misspelt name fails to compile instead of leaving a menu
// item dead. An id is the item's Qt object name; arrays of items ("mnuHeader(1)")
// are a CommandArray called with the index: cmd::Header(1).
//
// Adding a menu command:
//   1. here: inline constexpr CommandId MyCommand{"mnuMyCommand"};
//   2. app/shell/MenuTable.cpp: its row {cmd::MyCommand, "&Caption", "shortcut",
//      cmd::ParentMenu, "", 0} (and a row in ToolbarTable.cpp for a button);
//   3. the owning subsystem's Register function:
//      m.SetHandler(cmd::MyCommand, [&m] { MyCommand(m); });
//   4. if the row was listed as not built yet in tests/app/tst_command_wiring.cpp,
//      drop it from that list (the test fails while it is listed and handled).
#include <QString>
#include <cstring>

namespace corvel {

class CommandId {
public:
    constexpr CommandId() = default;
    constexpr explicit CommandId(const char *base, int index = -1) : base_(base), index_(index) {}
    constexpr const char *Base() const { return base_; }
    constexpr int Index() const { return index_; } // -1 when not an array item
    constexpr bool IsValid() const { return base_ && *base_; }
    // The object name: "mnuArquivoAbrir", "mnuHeader(1)".
    QString Name() const {
        QString s = QString::fromLatin1(base_);
        if (index_ >= 0) s += QLatin1Char('(') + QString::number(index_) + QLatin1Char(')');
        return s;
    }
    friend bool operator==(CommandId a, CommandId b) {
        return a.index_ == b.index_ && std::strcmp(a.base_, b.base_) == 0;
    }
    friend bool operator!=(CommandId a, CommandId b) { return !(a == b); }

private:
    const char *base_ = "";
    int index_ = -1;
};

// Items of a control array: Header(3) is "mnuHeader(3)".
struct CommandArray {
    const char *base;
    constexpr CommandId operator()(int index) const { return CommandId(base, index); }
};

namespace cmd {

// clang-format off
inline constexpr CommandId Arquivo{"mnuArquivo"};
inline constexpr CommandId ArquivoNovo{"mnuArquivoNovo"};
inline constexpr CommandId ArquivoAbrir{"mnuArquivoAbrir"};
inline constexpr CommandId ArquivoFechar{"mnuArquivoFechar"};
inline constexpr CommandId ArquivoSalvar{"mnuArquivoSalvar"};
inline constexpr CommandId ArquivoSalvarComo{"mnuArquivoSalvarComo"};
inline constexpr CommandId ArquivoProjeto{"mnuArquivoProjeto"};
inline constexpr CommandId ArquivoPrjNovo{"mnuArquivoPrjNovo"};
inline constexpr CommandId ArquivoPrjAbrir{"mnuArquivoPrjAbrir"};
inline constexpr CommandId ArquivoPrjEditar{"mnuArquivoPrjEditar"};
inline constexpr CommandId ArquivoPrjFechar{"mnuArquivoPrjFechar"};
inline constexpr CommandId ArquivoPastaPadrao{"mnuArquivoPastaPadrao"};
inline constexpr CommandArray PastaPadrao{"mnuPastaPadrao"}; // items 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10
inline constexpr CommandId PastaBaseInserir{"mnuPastaBaseInserir"};
inline constexpr CommandId PastasObsoletas{"mnuPastasObsoletas"};
inline constexpr CommandId PastasRemover{"mnuPastasRemover"};
inline constexpr CommandId ArquivoHistorico{"mnuArquivoHistorico"};
inline constexpr CommandArray Historico{"mnuHistorico"}; // items 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15
inline constexpr CommandId HistoricoRemObsoletos{"mnuHistoricoRemObsoletos"};
inline constexpr CommandId HistoricoRemTodos{"mnuHistoricoRemTodos"};
inline constexpr CommandId ArquivoPreview{"mnuArquivoPreview"};
inline constexpr CommandId ArquivoImprimir{"mnuArquivoImprimir"};
inline constexpr CommandId ArquivoSair{"mnuArquivoSair"};

inline constexpr CommandId Editar{"mnuEditar"};
inline constexpr CommandId EditarDesfazer{"mnuEditarDesfazer"};
inline constexpr CommandId EditarRecortar{"mnuEditarRecortar"};
inline constexpr CommandId RecortarFormatado{"mnuRecortarFormatado"};
inline constexpr CommandId RecortarPlano{"mnuRecortarPlano"};
inline constexpr CommandId EditarCopiar{"mnuEditarCopiar"};
inline constexpr CommandId CopiarFormatado{"mnuCopiarFormatado"};
inline constexpr CommandId CopiarPlano{"mnuCopiarPlano"};
inline constexpr CommandId EditarColar{"mnuEditarColar"};
inline constexpr CommandId ColarFormatado{"mnuColarFormatado"};
inline constexpr CommandId ColarPlano{"mnuColarPlano"};
inline constexpr CommandId EditarSelecionarTudo{"mnuEditarSelecionarTudo"};
inline constexpr CommandId EditarProcurar{"mnuEditarProcurar"};
inline constexpr CommandId EditarProcurarProx{"mnuEditarProcurarProx"};

inline constexpr CommandId Inserir{"mnuInserir"};
inline constexpr CommandId InserirImagem{"mnuInserirImagem"};
inline constexpr CommandId InserirLink{"mnuInserirLink"};
inline constexpr CommandId InserirLista{"mnuInserirLista"};
inline constexpr CommandId ListaPontuada{"mnuListaPontuada"};
inline constexpr CommandId ListaNumerada{"mnuListaNumerada"};
inline constexpr CommandId ListaItem{"mnuListaItem"};
inline constexpr CommandId InserirTabela{"mnuInserirTabela"};
inline constexpr CommandId TabelaWizard{"mnuTabelaWizard"};
inline constexpr CommandId TabelaDefinicao{"mnuTabelaDefinicao"};
inline constexpr CommandId TabelaLinha{"mnuTabelaLinha"};
inline constexpr CommandId TabelaColuna{"mnuTabelaColuna"};
inline constexpr CommandId InserirFormulario{"mnuInserirFormulario"};
inline constexpr CommandId FormularioDefinicao{"mnuFormularioDefinicao"};
inline constexpr CommandId FormularioEntrada{"mnuFormularioEntrada"};
inline constexpr CommandId FormularioCaixa{"mnuFormularioCaixa"};
inline constexpr CommandId FormularioSelecao{"mnuFormularioSelecao"};
inline constexpr CommandId FormularioItens{"mnuFormularioItens"};
inline constexpr CommandId InserirFrames{"mnuInserirFrames"};
inline constexpr CommandId FrameDefinicao{"mnuFrameDefinicao"};
inline constexpr CommandId FrameItem{"mnuFrameItem"};
inline constexpr CommandId FrameFlutuante{"mnuFrameFlutuante"};
inline constexpr CommandId InserirParagrafo{"mnuInserirParagrafo"};
inline constexpr CommandId InserirQuebra{"mnuInserirQuebra"};
inline constexpr CommandId InserirBarra{"mnuInserirBarra"};
inline constexpr CommandId InserirMeta{"mnuInserirMeta"};
inline constexpr CommandId InserirBanner{"mnuInserirBanner"};
inline constexpr CommandId InserirScript{"mnuInserirScript"};
inline constexpr CommandId InserirDiv{"mnuInserirDiv"};
inline constexpr CommandId InserirSpan{"mnuInserirSpan"};
inline constexpr CommandId InserirSom{"mnuInserirSom"};
inline constexpr CommandId FerramentasOutrosCom{"mnuFerramentasOutrosCom"};
inline constexpr CommandId InsOutApplet{"mnuInsOutApplet"};
inline constexpr CommandId InsOutBase{"mnuInsOutBase"};
inline constexpr CommandId InsOutBaseFont{"mnuInsOutBaseFont"};
inline constexpr CommandId InsOutBig{"mnuInsOutBig"};
inline constexpr CommandId InsOutBlockQ{"mnuInsOutBlockQ"};
inline constexpr CommandId InsOutButton{"mnuInsOutButton"};
inline constexpr CommandId InsOutDd{"mnuInsOutDd"};
inline constexpr CommandId InsOutEm{"mnuInsOutEm"};
inline constexpr CommandId InsOutEmbed{"mnuInsOutEmbed"};
inline constexpr CommandId InsOutLink{"mnuInsOutLink"};
inline constexpr CommandId InsOutNoBr{"mnuInsOutNoBr"};
inline constexpr CommandId InsOutNoFrames{"mnuInsOutNoFrames"};
inline constexpr CommandId InsOutNoScript{"mnuInsOutNoScript"};
inline constexpr CommandId InsOutObject{"mnuInsOutObject"};
inline constexpr CommandId InsOutParam{"mnuInsOutParam"};
inline constexpr CommandId InsOutSmall{"mnuInsOutSmall"};
inline constexpr CommandId InsOutStrike{"mnuInsOutStrike"};
inline constexpr CommandId InsOutStrong{"mnuInsOutStrong"};
inline constexpr CommandId InsOutXml{"mnuInsOutXml"};
inline constexpr CommandId InserirTextos{"mnuInserirTextos"};
inline constexpr CommandId InsTAddASP{"mnuInsTAddASP"};
inline constexpr CommandArray InsTAddASPItem{"mnuInsTAddASPItem"}; // items 0, 1, 2
inline constexpr CommandId InsTAddPHP{"mnuInsTAddPHP"};
inline constexpr CommandArray InsTAddPHPItem{"mnuInsTAddPHPItem"}; // items 0, 1, 2
inline constexpr CommandId InsTAddJS{"mnuInsTAddJS"};
inline constexpr CommandArray InsTAddJSItem{"mnuInsTAddJSItem"}; // items 0, 1
inline constexpr CommandArray InsTextoAdicional{"mnuInsTextoAdicional"}; // items 0, 1, 2, 3, 4, 5
inline constexpr CommandId InserirInfo{"mnuInserirInfo"};
inline constexpr CommandId InfoDataHora{"mnuInfoDataHora"};
inline constexpr CommandArray InfoDataHoraItem{"mnuInfoDataHoraItem"}; // items 1, 2, 3, 4, 5, 6, 7, 8, 9, 10
inline constexpr CommandId InfoUsuario{"mnuInfoUsuario"};
inline constexpr CommandId UsuarioNome{"mnuUsuarioNome"};
inline constexpr CommandId UsuarioEmail{"mnuUsuarioEmail"};
inline constexpr CommandId InfoDocumento{"mnuInfoDocumento"};
inline constexpr CommandId DocumentoNome{"mnuDocumentoNome"};
inline constexpr CommandId DocumentoCaminho{"mnuDocumentoCaminho"};
inline constexpr CommandId DocumentoTamanho{"mnuDocumentoTamanho"};
inline constexpr CommandId TamanhoEdicao{"mnuTamanhoEdicao"};
inline constexpr CommandId TamanhoDisco{"mnuTamanhoDisco"};
inline constexpr CommandId InfoCorvel{"mnuInfoCorvel"};
inline constexpr CommandId CorvelVersao{"mnuCorvelVersao"};
inline constexpr CommandId CorvelSite{"mnuCorvelSite"};
inline constexpr CommandId InserirArquivo{"mnuInserirArquivo"};

inline constexpr CommandId Formatar{"mnuFormatar"};
inline constexpr CommandId FormatarHipertexto{"mnuFormatarHipertexto"};
inline constexpr CommandId FormatarCorpo{"mnuFormatarCorpo"};
inline constexpr CommandId FormatarFonte{"mnuFormatarFonte"};
inline constexpr CommandId FormatarHeader{"mnuFormatarHeader"};
inline constexpr CommandArray Header{"mnuHeader"}; // items 1, 2, 3, 4, 5, 6
inline constexpr CommandId FormatarCentralizado{"mnuFormatarCentralizado"};
inline constexpr CommandId FormatarNegrito{"mnuFormatarNegrito"};
inline constexpr CommandId FormatarItalico{"mnuFormatarItalico"};
inline constexpr CommandId FormatarSublinhado{"mnuFormatarSublinhado"};
inline constexpr CommandId FormatarSobrescrito{"mnuFormatarSobrescrito"};
inline constexpr CommandId FormatarSubscrito{"mnuFormatarSubscrito"};
inline constexpr CommandId FormatarPre{"mnuFormatarPre"};

inline constexpr CommandId Ferramentas{"mnuFerramentas"};
inline constexpr CommandId FerramentasLinguagens{"mnuFerramentasLinguagens"};
inline constexpr CommandArray Linguagem{"mnuLinguagem"}; // items 0, 2, 3
inline constexpr CommandId FerramentasPadronizar{"mnuFerramentasPadronizar"};
inline constexpr CommandId FerramentasColorizar{"mnuFerramentasColorizar"};
inline constexpr CommandId FerramentasFiltrar{"mnuFerramentasFiltrar"};
inline constexpr CommandId FiltrarDuploEspaco{"mnuFiltrarDuploEspaco"};
inline constexpr CommandId FiltrarQuebrasLinha{"mnuFiltrarQuebrasLinha"};
inline constexpr CommandId FiltrarEspacosComeco{"mnuFiltrarEspacosComeco"};
inline constexpr CommandId FiltrarEspacosFinal{"mnuFiltrarEspacosFinal"};
inline constexpr CommandId FiltrarAcentos{"mnuFiltrarAcentos"};
inline constexpr CommandId FerramentasAjustarCarac{"mnuFerramentasAjustarCarac"};
inline constexpr CommandId AjustarMaiusculo{"mnuAjustarMaiusculo"};
inline constexpr CommandId AjustarMinusculo{"mnuAjustarMinusculo"};
inline constexpr CommandId AjustarSentenca{"mnuAjustarSentenca"};
inline constexpr CommandId AjustarEspTab{"mnuAjustarEspTab"};
inline constexpr CommandId AjustarTabEsp{"mnuAjustarTabEsp"};
inline constexpr CommandId FerramentasCarEsp{"mnuFerramentasCarEsp"};
inline constexpr CommandArray CarEsp{"mnuCarEsp"}; // items 1, 2
inline constexpr CommandId FerramentasCorFonte{"mnuFerramentasCorFonte"};
inline constexpr CommandId CorFonteCor{"mnuCorFonteCor"};
inline constexpr CommandId CorFonteFonte{"mnuCorFonteFonte"};
inline constexpr CommandId CorFonteQual{"mnuCorFonteQual"};
inline constexpr CommandId FerramentasEscrCor{"mnuFerramentasEscrCor"};
inline constexpr CommandId FerramentasIrPara{"mnuFerramentasIrPara"};
inline constexpr CommandId FerramentasCont{"mnuFerramentasCont"};
inline constexpr CommandId FerramentasExtenso{"mnuFerramentasExtenso"};
inline constexpr CommandId ExtensoMoeda{"mnuExtensoMoeda"};
inline constexpr CommandId ExtensoNumero{"mnuExtensoNumero"};

inline constexpr CommandId FerramentasOpcoes{"mnuFerramentasOpcoes"};
inline constexpr CommandId OpcoesPreferencias{"mnuOpcoesPreferencias"};
inline constexpr CommandId OpcoesCorLetra{"mnuOpcoesCorLetra"};
inline constexpr CommandId OpcoesCorFundo{"mnoOpcoesCorFundo"};
inline constexpr CommandId OpcoesFonte{"mnuOpcoesFonte"};

inline constexpr CommandId Ajuda{"mnuAjuda"};
inline constexpr CommandId AjudaConteudo{"mnuAjudaConteudo"};
inline constexpr CommandId AjudaComandos{"mnuAjudaComandos"};
inline constexpr CommandId AjudaSite{"mnuAjudaSite"};
inline constexpr CommandId AjudaAtualizacoes{"mnuAjudaAtualizacoes"};
inline constexpr CommandId AjudaEnviarMensagem{"mnuAjudaEnviarMensagem"};
inline constexpr CommandId AjudaSobreCorvel{"mnuAjudaSobreCorvel"};

// Commands of the toolbar only.
inline constexpr CommandId CycleQuoteStyle{"CycleQuoteStyle"};
// clang-format on

} // namespace cmd

} // namespace corvel
