// The menu bar against the menu tree the program must show: names, captions
// with access keys, shortcuts, order and nesting; the labels appended after a
// tab; the toolbar buttons; command attachment and enabling.
#include "AppInfo.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmMain.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

// name|caption|shortcut|parent, in menu order, written out from the menu tree.
const char *const kExpectedTree = R"(
mnuArquivo|&Arquivo||
mnuArquivoNovo|&Novo|F2|mnuArquivo
mnuArquivoAbrir|&Abrir|F4|mnuArquivo
mnuArquivoFechar|&Fechar||mnuArquivo
mnuArquivoSalvar|&Salvar|F5|mnuArquivo
mnuArquivoSalvarComo|Salvar &Como|F6|mnuArquivo
mnuSep01|-||mnuArquivo
mnuArquivoProjeto|Pro&jeto||mnuArquivo
mnuArquivoPrjNovo|Criar um &Novo||mnuArquivoProjeto
mnuArquivoPrjAbrir|&Abrir Existente||mnuArquivoProjeto
mnuArquivoPrjEditar|&Editar Atual||mnuArquivoProjeto
mnuArquivoPrjFechar|&Fechar Atual||mnuArquivoProjeto
mnuArquivoPastaPadrao|Pasta &Base||mnuArquivo
mnuPastaPadrao(0)|(Nenhuma)||mnuArquivoPastaPadrao
mnuPastaPadrao(1)|||mnuArquivoPastaPadrao
mnuPastaPadrao(2)|||mnuArquivoPastaPadrao
mnuPastaPadrao(3)|||mnuArquivoPastaPadrao
mnuPastaPadrao(4)|||mnuArquivoPastaPadrao
mnuPastaPadrao(5)|||mnuArquivoPastaPadrao
mnuPastaPadrao(6)|||mnuArquivoPastaPadrao
mnuPastaPadrao(7)|||mnuArquivoPastaPadrao
mnuPastaPadrao(8)|||mnuArquivoPastaPadrao
mnuPastaPadrao(9)|||mnuArquivoPastaPadrao
mnuPastaPadrao(10)|||mnuArquivoPastaPadrao
mnuSep21|-||mnuArquivoPastaPadrao
mnuPastaBaseInserir|&Inserir Atual||mnuArquivoPastaPadrao
mnuPastasObsoletas|Remover &Obsoletas||mnuArquivoPastaPadrao
mnuPastasRemover|Remover &Todas||mnuArquivoPastaPadrao
mnuArquivoHistorico|&Histórico||mnuArquivo
mnuHistorico(1)|||mnuArquivoHistorico
mnuHistorico(2)|||mnuArquivoHistorico
mnuHistorico(3)|||mnuArquivoHistorico
mnuHistorico(4)|||mnuArquivoHistorico
mnuHistorico(5)|||mnuArquivoHistorico
mnuHistorico(6)|||mnuArquivoHistorico
mnuHistorico(7)|||mnuArquivoHistorico
mnuHistorico(8)|||mnuArquivoHistorico
mnuHistorico(9)|||mnuArquivoHistorico
mnuHistorico(10)|||mnuArquivoHistorico
mnuHistorico(11)|||mnuArquivoHistorico
mnuHistorico(12)|||mnuArquivoHistorico
mnuHistorico(13)|||mnuArquivoHistorico
mnuHistorico(14)|||mnuArquivoHistorico
mnuHistorico(15)|||mnuArquivoHistorico
mnuSep02|-||mnuArquivoHistorico
mnuHistoricoRemObsoletos|Remover &Obsoletos||mnuArquivoHistorico
mnuHistoricoRemTodos|Remover &Todos||mnuArquivoHistorico
mnuSep03|-||mnuArquivo
mnuArquivoPreview|&Preview|F12|mnuArquivo
mnuArquivoImprimir|&Imprimir||mnuArquivo
mnuSep04|-||mnuArquivo
mnuArquivoSair|Sai&r||mnuArquivo
mnuEditar|&Editar||
mnuEditarDesfazer|&Desfazer||mnuEditar
mnuSep05|-||mnuEditar
mnuEditarRecortar|&Recortar||mnuEditar
mnuRecortarFormatado|&Formatado||mnuEditarRecortar
mnuRecortarPlano|&Plano||mnuEditarRecortar
mnuEditarCopiar|&Copiar||mnuEditar
mnuCopiarFormatado|&Formatado||mnuEditarCopiar
mnuCopiarPlano|&Plano||mnuEditarCopiar
mnuEditarColar|Co&lar||mnuEditar
mnuColarFormatado|&Formatado||mnuEditarColar
mnuColarPlano|&Plano||mnuEditarColar
mnuSep06|-||mnuEditar
mnuEditarSelecionarTudo|&Selecionar Tudo||mnuEditar
mnuSep07|-||mnuEditar
mnuEditarProcurar|&Procurar/Substituir|F3|mnuEditar
mnuEditarProcurarProx|Proc&urar Próxima|Shift+F3|mnuEditar
mnuInserir|&Inserir||
mnuInserirImagem|&Imagem|F7|mnuInserir
mnuInserirLink|&Link|F8|mnuInserir
mnuSep08|-||mnuInserir
mnuInserirLista|List&a||mnuInserir
mnuListaPontuada|Lista &Pontuada||mnuInserirLista
mnuListaNumerada|Lista &Numerada||mnuInserirLista
mnuListaItem|&Item de Lista|Ctrl+L|mnuInserirLista
mnuInserirTabela|&Tabela||mnuInserir
mnuTabelaWizard|Table &Wizard|Ctrl+G|mnuInserirTabela
mnuTabelaDefinicao|&Definição|Ctrl+T|mnuInserirTabela
mnuTabelaLinha|&Linha|Ctrl+R|mnuInserirTabela
mnuTabelaColuna|&Coluna|Ctrl+D|mnuInserirTabela
mnuInserirFormulario|&Formulário||mnuInserir
mnuFormularioDefinicao|&Definição|Ctrl+K|mnuInserirFormulario
mnuFormularioEntrada|&Entrada de Dados|Ctrl+Y|mnuInserirFormulario
mnuFormularioCaixa|&Caixa de Digitação||mnuInserirFormulario
mnuFormularioSelecao|&Seleção de Itens||mnuInserirFormulario
mnuFormularioItens|&Itens de Seleção|Ctrl+O|mnuInserirFormulario
mnuInserirFrames|F&rames||mnuInserir
mnuFrameDefinicao|&Definição||mnuInserirFrames
mnuFrameItem|&Item de Frame||mnuInserirFrames
mnuFrameFlutuante|Frame &Flutuante||mnuInserirFrames
mnuSep09|-||mnuInserir
mnuInserirParagrafo|&Parágrafo|Ctrl+P|mnuInserir
mnuInserirQuebra|&Quebra de Linha|Ctrl+B|mnuInserir
mnuInserirBarra|&Barra Horizontal|Ctrl+H|mnuInserir
mnuSep10|-||mnuInserir
mnuInserirMeta|&Meta|Ctrl+M|mnuInserir
mnuInserirBanner|Marqu&ee|Ctrl+U|mnuInserir
mnuInserirScript|&Script|Shift+F4|mnuInserir
mnuInserirDiv|&Div|Shift+F7|mnuInserir
mnuInserirSpan|Spa&n|Shift+F8|mnuInserir
mnuInserirSom|S&om||mnuInserir
mnuSep11|-||mnuInserir
mnuFerramentasOutrosCom|Outros &Comandos||mnuInserir
mnuInsOutApplet|Applet||mnuFerramentasOutrosCom
mnuInsOutBase|Base||mnuFerramentasOutrosCom
mnuInsOutBaseFont|BaseFont||mnuFerramentasOutrosCom
mnuInsOutBig|Big||mnuFerramentasOutrosCom
mnuInsOutBlockQ|BlockQuote||mnuFerramentasOutrosCom
mnuInsOutButton|Button||mnuFerramentasOutrosCom
mnuInsOutDd|Dd||mnuFerramentasOutrosCom
mnuInsOutEm|Em||mnuFerramentasOutrosCom
mnuInsOutEmbed|Embed||mnuFerramentasOutrosCom
mnuInsOutLink|Link||mnuFerramentasOutrosCom
mnuInsOutNoBr|NoBr||mnuFerramentasOutrosCom
mnuInsOutNoFrames|NoFrames||mnuFerramentasOutrosCom
mnuInsOutNoScript|NoScript||mnuFerramentasOutrosCom
mnuInsOutObject|Object||mnuFerramentasOutrosCom
mnuInsOutParam|Param||mnuFerramentasOutrosCom
mnuInsOutSmall|Small||mnuFerramentasOutrosCom
mnuInsOutStrike|Strike||mnuFerramentasOutrosCom
mnuInsOutStrong|Strong||mnuFerramentasOutrosCom
mnuInsOutXml|Xml||mnuFerramentasOutrosCom
mnuInserirTextos|Te&xtos Adicionais||mnuInserir
mnuInsTAddASP|ASP||mnuInserirTextos
mnuInsTAddASPItem(0)|Bloco Junto - Mesma Linha||mnuInsTAddASP
mnuInsTAddASPItem(1)|Bloco Separado - Mesma Linha||mnuInsTAddASP
mnuInsTAddASPItem(2)|Bloco em Linhas Diferentes||mnuInsTAddASP
mnuInsTAddPHP|PHP||mnuInserirTextos
mnuInsTAddPHPItem(0)|Bloco Junto - Mesma Linha||mnuInsTAddPHP
mnuInsTAddPHPItem(1)|Bloco Separado - Mesma Linha||mnuInsTAddPHP
mnuInsTAddPHPItem(2)|Bloco em Linhas Diferentes||mnuInsTAddPHP
mnuInsTAddJS|JavaScript||mnuInserirTextos
mnuInsTAddJSItem(0)|Bloco na Mesma Linha||mnuInsTAddJS
mnuInsTAddJSItem(1)|Bloco em Linhas Diferentes||mnuInsTAddJS
mnuInsTextoAdicional(0)|&&nbsp;||mnuInserirTextos
mnuInsTextoAdicional(1)|&&lt;||mnuInserirTextos
mnuInsTextoAdicional(2)|&&gt;||mnuInserirTextos
mnuInsTextoAdicional(3)|&& vbCrLf||mnuInserirTextos
mnuInsTextoAdicional(4)|javascript:||mnuInserirTextos
mnuInsTextoAdicional(5)|<!-- -->||mnuInserirTextos
mnuInserirInfo|I&nformações||mnuInserir
mnuInfoDataHora|&Data e Hora||mnuInserirInfo
mnuInfoDataHoraItem(1)|Formato &1: dd/mm/yy||mnuInfoDataHora
mnuInfoDataHoraItem(2)|Formato &2: dd/mm/yyyy||mnuInfoDataHora
mnuInfoDataHoraItem(3)|Formato &3: dd/mm/yyyy hh:mm:ss||mnuInfoDataHora
mnuInfoDataHoraItem(4)|Formato &4: hh:mm:ss||mnuInfoDataHora
mnuInfoDataHoraItem(5)|Formato &5: hh:mm||mnuInfoDataHora
mnuInfoDataHoraItem(6)|Formato &6: yyyy-mm-dd||mnuInfoDataHora
mnuInfoDataHoraItem(7)|Formato &7: yyyy-mm-dd hh:mm:ss||mnuInfoDataHora
mnuInfoDataHoraItem(8)|Formato &8: mm/dd/yyyy||mnuInfoDataHora
mnuInfoDataHoraItem(9)|Formato &9: mm/dd/yyyy hh:mm:ss||mnuInfoDataHora
mnuInfoDataHoraItem(10)|Formato &0: Longo (SO)||mnuInfoDataHora
mnuInfoUsuario|&Usuário||mnuInserirInfo
mnuUsuarioNome|&Nome||mnuInfoUsuario
mnuUsuarioEmail|&E-mail||mnuInfoUsuario
mnuInfoDocumento|D&ocumento||mnuInserirInfo
mnuDocumentoNome|&Nome||mnuInfoDocumento
mnuDocumentoCaminho|&Caminho||mnuInfoDocumento
mnuDocumentoTamanho|&Tamanho||mnuInfoDocumento
mnuTamanhoEdicao|Em &Edição||mnuDocumentoTamanho
mnuTamanhoDisco|Em &Disco||mnuDocumentoTamanho
mnuInfoCorvel|&Corvel||mnuInserirInfo
mnuCorvelVersao|&Nome e Versão||mnuInfoCorvel
mnuCorvelSite|&Endereço do Site||mnuInfoCorvel
mnuInserirArquivo|&Arq&uivo||mnuInserir
mnuFormatar|&Formatar||
mnuFormatarHipertexto|&Hipertexto|Shift+F5|mnuFormatar
mnuFormatarCorpo|&Corpo|Shift+F6|mnuFormatar
mnuSep12|-||mnuFormatar
mnuFormatarFonte|&Fonte|Ctrl+F|mnuFormatar
mnuFormatarHeader|He&ader||mnuFormatar
mnuHeader(1)|Header &1|Ctrl+F1|mnuFormatarHeader
mnuHeader(2)|Header &2|Ctrl+F2|mnuFormatarHeader
mnuHeader(3)|Header &3|Ctrl+F3|mnuFormatarHeader
mnuHeader(4)|Header &4|Ctrl+F4|mnuFormatarHeader
mnuHeader(5)|Header &5|Ctrl+F5|mnuFormatarHeader
mnuHeader(6)|Header &6|Ctrl+F6|mnuFormatarHeader
mnuSep13|-||mnuFormatar
mnuFormatarCentralizado|C&entralizado|Ctrl+W|mnuFormatar
mnuFormatarNegrito|&Negrito|Ctrl+N|mnuFormatar
mnuFormatarItalico|&Itálico|Ctrl+I|mnuFormatar
mnuFormatarSublinhado|&Sublinhado|Ctrl+S|mnuFormatar
mnuFormatarSobrescrito|S&obrescrito||mnuFormatar
mnuFormatarSubscrito|S&ubscrito||mnuFormatar
mnuFormatarPre|&Pré-formatado||mnuFormatar
mnuFerramentas|Fe&rramentas||
mnuFerramentasLinguagens|&Linguagens||mnuFerramentas
mnuLinguagem(0)|&JavaScript|Shift+F9|mnuFerramentasLinguagens
mnuLinguagem(2)|&ASP||mnuFerramentasLinguagens
mnuLinguagem(3)|&PHP||mnuFerramentasLinguagens
mnuSep15|-||mnuFerramentas
mnuFerramentasPadronizar|&Padronizar Fonte|Ctrl+F7|mnuFerramentas
mnuFerramentasColorizar|Colori&zar HTML|Ctrl+F8|mnuFerramentas
mnuSep20|-||mnuFerramentas
mnuFerramentasFiltrar|&Filtrar||mnuFerramentas
mnuFiltrarDuploEspaco|Remover &Duplos Espaços||mnuFerramentasFiltrar
mnuFiltrarQuebrasLinha|Remover &Quebras de Linha||mnuFerramentasFiltrar
mnuFiltrarEspacosComeco|Remover Espaços no &Começo das Linhas||mnuFerramentasFiltrar
mnuFiltrarEspacosFinal|Remover Espaços no &Final das Linhas||mnuFerramentasFiltrar
mnuFiltrarAcentos|Remover &Acentuação||mnuFerramentasFiltrar
mnuFerramentasAjustarCarac|&Ajustar Caracteres||mnuFerramentas
mnuAjustarMaiusculo|Todos em M&aiúsculo||mnuFerramentasAjustarCarac
mnuAjustarMinusculo|Todos em M&inúsculo||mnuFerramentasAjustarCarac
mnuAjustarSentenca|Todos em &Sentença||mnuFerramentasAjustarCarac
mnuAjustarEspTab|Trocar Espaços por &Tabs||mnuFerramentasAjustarCarac
mnuAjustarTabEsp|Trocar Tabs por &Espaços||mnuFerramentasAjustarCarac
mnuFerramentasCarEsp|&Caracteres Especiais||mnuFerramentas
mnuCarEsp(1)|&Converter||mnuFerramentasCarEsp
mnuCarEsp(2)|&Reverter||mnuFerramentasCarEsp
mnuFerramentasCorFonte|Co&res e Fontes||mnuFerramentas
mnuCorFonteCor|Ajustar &Cor da Letra||mnuFerramentasCorFonte
mnuCorFonteFonte|Ajustar &Fonte da Letra||mnuFerramentasCorFonte
mnuCorFonteQual|&Qual a Cor do Texto||mnuFerramentasCorFonte
mnuSep16|-||mnuFerramentas
mnuFerramentasEscrCor|&Escrever Cor|Ctrl+Q|mnuFerramentas
mnuFerramentasIrPara|&Ir para Linha|Ctrl+J|mnuFerramentas
mnuFerramentasCont|Contadores||mnuFerramentas
mnuSep17|-||mnuFerramentas
mnuFerramentasExtenso|E&xtenso||mnuFerramentas
mnuExtensoMoeda|&Moeda||mnuFerramentasExtenso
mnuExtensoNumero|&Número||mnuFerramentasExtenso
mnuFerramentasOpcoes|&Opções||
mnuOpcoesPreferencias|&Preferências|F11|mnuFerramentasOpcoes
mnuOpcoesCorLetra|Cor da &Letra Padrão||mnuFerramentasOpcoes
mnoOpcoesCorFundo|Cor de F&undo Padrão||mnuFerramentasOpcoes
mnuOpcoesFonte|&Fonte Padrão||mnuFerramentasOpcoes
mnuAjuda|A&juda||
mnuAjudaConteudo|&Conteúdo|F1|mnuAjuda
mnuAjudaComandos|Comandos &HTML|Shift+F1|mnuAjuda
mnuSep18|-||mnuAjuda
mnuAjudaSite|Acessar o S&ite||mnuAjuda
mnuAjudaAtualizacoes|Verificar &Atualizações||mnuAjuda
mnuAjudaEnviarMensagem|Enviar &Mensagem ao Autor||mnuAjuda
mnuSep19|-||mnuAjuda
mnuAjudaSobreCorvel|&Sobre o Corvel|Alt+Bksp|mnuAjuda
)";

// Labels appended after a tab at load (keys handled outside the menus).
const char *const kExpectedLabels = R"(
mnuArquivoSair|Alt+F4
mnuCopiarFormatado|Ctrl+C
mnuCopiarPlano|Shift+Ctrl+C
mnuColarFormatado|Ctrl+V
mnuColarPlano|Shift+Ctrl+V
mnuRecortarFormatado|Ctrl+X
mnuRecortarPlano|Shift+Ctrl+X
mnuEditarDesfazer|Ctrl+Z
mnuEditarSelecionarTudo|Ctrl+A
mnuInsTAddASPItem(0)|Shift+Ctrl+4
mnuInsTAddASPItem(1)|Shift+Ctrl+5
mnuInsTAddASPItem(2)|Shift+Ctrl+6
mnuInsTAddPHPItem(0)|Shift+Ctrl+7
mnuInsTAddPHPItem(1)|Shift+Ctrl+8
mnuInsTAddPHPItem(2)|Shift+Ctrl+9
mnuInsTAddJSItem(0)|Shift+Ctrl+{
mnuInsTAddJSItem(1)|Shift+Ctrl+}
mnuInsTextoAdicional(0)|Shift+Ctrl+N
mnuInsTextoAdicional(1)|Shift+Ctrl+<
mnuInsTextoAdicional(2)|Shift+Ctrl+>
mnuInsTextoAdicional(3)|Shift+Ctrl+B
mnuInsTextoAdicional(4)|Shift+Ctrl+J
mnuInsTextoAdicional(5)|Shift+Ctrl+1
)";

// Toolbar keys in order; "|" is a separator.
const char *const kExpectedToolbar =
    "Preview,|,Novo,Abrir,Fechar Documento,Salvar,|,Imprimir,|,Imagem,Link,|,Fonte,Negrito,Itálico,"
    "Sublinhado,Centralizado,|,Lista Numerada,Lista Pontuada,|,Table Wizard,Tabela,Linha de Tabela,"
    "Coluna de Tabela,|,Quebra de Linha,Parágrafo,Barra Horizontal,|,Cores,|,PHP,ASP,JavaScript,|,"
    "Aspas Duplas,|,Ajuda";

struct Row {
    QString name, caption, shortcut, parent;
};

QList<Row> Rows(const char *text) {
    QList<Row> rows;
    const auto lines = QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &l : lines) {
        const QStringList f = l.split(QLatin1Char('|'));
        rows.append({f.value(0), f.value(1), f.value(2), f.value(3)});
    }
    return rows;
}

QKeySequence Key(QString text) {
    text.replace(QLatin1String("Bksp"), QLatin1String("Backspace"));
    return QKeySequence::fromString(text, QKeySequence::PortableText);
}

} // namespace

class tst_shell_menus : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    ScriptedDialogs dialogs;

private slots:
    void init() {
        corvel::SetSettingsFileOverride(dir.filePath(QStringLiteral("Corvel.ini")));
        corvel::SetProgramFolderOverride(dir.path());
        RemoveAllSettings();
        ApplyDefaultSettings(false);
    }

    void everyItemHasItsCaptionShortcutAndPlace() {
        frmMain m;
        const QList<Row> rows = Rows(kExpectedTree);
        QCOMPARE(rows.size(), 237);
        QHash<QString, QString> labels;
        for (const Row &r : Rows(kExpectedLabels))
            labels.insert(r.name, r.caption);
        QHash<QString, QStringList> children; // parent -> names in order
        for (const Row &r : rows) {
            QAction *a = m.Action(r.name);
            QVERIFY2(a, qPrintable(r.name));
            QCOMPARE(a->objectName(), r.name);
            children[r.parent] << r.name;
            if (r.caption == QLatin1String("-")) {
                QVERIFY2(a->isSeparator(), qPrintable(r.name));
                continue;
            }
            QString caption = r.caption;
            if (labels.contains(r.name)) caption += QLatin1Char('\t') + labels.value(r.name);
            if (!r.caption.isEmpty() || !r.name.contains(QLatin1Char('(')))
                QCOMPARE(a->text(), caption);
            QCOMPARE(a->shortcut(), Key(r.shortcut));
        }
        // Nesting and order, separators included, and nothing more.
        for (auto it = children.cbegin(); it != children.cend(); ++it) {
            QStringList actual;
            const QList<QAction *> acts =
                it.key().isEmpty() ? m.menuBar()->actions() : m.Menu(it.key())->actions();
            for (QAction *a : acts)
                actual << a->objectName();
            QCOMPARE(actual, it.value());
        }
        QCOMPARE(m.Menu(QStringLiteral("mnuArquivo"))->title(), QStringLiteral("&Arquivo"));
        QCOMPARE(m.Menu(QStringLiteral("mnuFerramentasOpcoes"))->title(),
                 QStringLiteral("&Opções"));
        QVERIFY(m.Action(QStringLiteral("mnoOpcoesCorFundo")));
        QVERIFY(!m.Action(QStringLiteral("mnuLinguagem(1)")));
    }

    void runtimeListsStartHiddenAndLabelsAreNotShortcuts() {
        frmMain m;
        for (int i = 1; i <= 15; ++i)
            QVERIFY(!m.Action(QStringLiteral("mnuHistorico(%1)").arg(i))->isVisible());
        for (int i = 1; i <= 10; ++i)
            QVERIFY(!m.Action(QStringLiteral("mnuPastaPadrao(%1)").arg(i))->isVisible());
        QVERIFY(m.Action(QStringLiteral("mnuPastaPadrao(0)"))->isVisible());
        // Ctrl+C is the editor's key: the item shows it, it does not take it.
        QVERIFY(m.Action(QStringLiteral("mnuCopiarFormatado"))->shortcut().isEmpty());
    }

    void toolbarButtonsInOrder() {
        frmMain m;
        QStringList actual;
        for (QAction *a : m.Ferramentas()->actions()) {
            if (a->isSeparator()) {
                actual << QStringLiteral("|");
                continue;
            }
            QCOMPARE(a->toolTip(), a->data().toString());
            QVERIFY2(!a->icon().isNull(), qPrintable(a->toolTip()));
            actual << a->data().toString();
        }
        QCOMPARE(actual.join(QLatin1Char(',')), QString::fromUtf8(kExpectedToolbar));
        QCOMPARE(actual.count(QStringLiteral("|")), 11);
        QCOMPARE(actual.size() - 11, 28);
    }

    void quoteButtonFollowsSetting_data() {
        QTest::addColumn<QString>("aspas");
        QTest::addColumn<QString>("key");
        QTest::newRow("0") << "0"
                           << "Aspas Duplas";
        QTest::newRow("1") << "1"
                           << "Aspas ASP";
        QTest::newRow("2") << "2"
                           << "Aspas Simples";
        QTest::newRow("3") << "3"
                           << "Aspas PHP";
        QTest::newRow("other") << "x"
                               << "Aspas Duplas";
    }
    void quoteButtonFollowsSetting() {
        QFETCH(QString, aspas);
        QFETCH(QString, key);
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Aspas"), aspas);
        frmMain m;
        QAction *b = m.ToolButton(QStringLiteral("Aspas"));
        QVERIFY(b);
        QCOMPARE(b->toolTip(), key);
        QCOMPARE(m.ToolButton(key), b);
        int runs = 0;
        m.SetHandler(corvel::cmd::CycleQuoteStyle, [&] { ++runs; });
        QVERIFY(b->isEnabled());
        b->trigger();
        QCOMPARE(runs, 1);
        m.SetQuoteButtonKey(QStringLiteral("Aspas PHP"));
        QCOMPARE(b->toolTip(), QStringLiteral("Aspas PHP"));
    }

    void handlersEnableItemsAndButtons() {
        frmMain m;
        QAction *item = m.Action(QStringLiteral("mnuAjudaConteudo"));
        QAction *button = m.ToolButton(QStringLiteral("Ajuda"));
        QVERIFY(!item->isEnabled());
        QVERIFY(!button->isEnabled());
        QVERIFY(!m.Trigger(corvel::cmd::AjudaConteudo));
        int runs = 0;
        m.SetHandler(corvel::cmd::AjudaConteudo, [&] { ++runs; });
        QVERIFY(item->isEnabled());
        QVERIFY(button->isEnabled());
        QVERIFY(m.Trigger(corvel::cmd::AjudaConteudo));
        item->trigger();
        button->trigger();
        QCOMPARE(runs, 3);

        // A submenu opens once one of its items has a command.
        QAction *sub = m.Action(QStringLiteral("mnuFormatarHeader"));
        QVERIFY(!sub->isEnabled());
        m.SetHandler(corvel::cmd::Header(3), [] {});
        QVERIFY(sub->isEnabled());
        QVERIFY(!m.Action(QStringLiteral("mnuHeader(2)"))->isEnabled());

        // Items that start disabled stay so until their owner enables them.
        m.SetHandler(corvel::cmd::ArquivoPrjEditar, [] {});
        QVERIFY(!m.Action(QStringLiteral("mnuArquivoPrjEditar"))->isEnabled());
    }

    void documentMenusFollowDocuments() {
        frmMain m;
        int runs = 0;
        m.SetHandler(corvel::cmd::FormatarNegrito, [&] { ++runs; });
        m.SetHandler(corvel::cmd::ArquivoFechar, [&] { ++runs; });
        m.EnableDocumentMenus(false);
        for (const char *n :
             {"mnuEditar", "mnuInserir", "mnuFormatar", "mnuFerramentas", "mnuArquivoFechar",
              "mnuArquivoSalvarComo", "mnuArquivoPreview", "mnuArquivoImprimir"})
            QVERIFY2(!m.Action(QString::fromLatin1(n))->isEnabled(), n);
        QVERIFY(m.Action(QStringLiteral("mnuArquivo"))->isEnabled());
        QVERIFY(m.Action(QStringLiteral("mnuAjuda"))->isEnabled());
        // Commands under a disabled menu do not run, from the toolbar either.
        QVERIFY(!m.Trigger(corvel::cmd::FormatarNegrito));
        QVERIFY(!m.ToolButton(QStringLiteral("Negrito"))->isEnabled());
        QVERIFY(!m.ToolButton(QStringLiteral("Fechar Documento"))->isEnabled());
        m.EnableDocumentMenus(true);
        QVERIFY(m.Trigger(corvel::cmd::FormatarNegrito));
        QVERIFY(m.ToolButton(QStringLiteral("Negrito"))->isEnabled());
        QVERIFY(m.Action(QStringLiteral("mnuArquivoFechar"))->isEnabled());
        // Items of document menus without a command stay disabled.
        QVERIFY(!m.Action(QStringLiteral("mnuArquivoImprimir"))->isEnabled());
        QCOMPARE(runs, 1);
    }

    void busyModeBlocksCommands() {
        frmMain m;
        int runs = 0;
        m.SetHandler(corvel::cmd::AjudaConteudo, [&] { ++runs; });
        m.SetBusyMode(true);
        QVERIFY(m.IsBusy());
        QVERIFY(!m.Trigger(corvel::cmd::AjudaConteudo));
        QVERIFY(!m.menuBar()->isEnabled());
        QVERIFY(!m.Ferramentas()->isEnabled());
        QVERIFY(!m.Barra()->isHidden());
        QCOMPARE(m.tmrAnima()->interval(), 500);
        m.SetBusyMode(false);
        QVERIFY(m.Barra()->isHidden());
        QCOMPARE(m.tmrAnima()->interval(), 3000);
        QVERIFY(m.Trigger(corvel::cmd::AjudaConteudo));
        QCOMPARE(runs, 1);
    }

    void windowStartsAsDesigned() {
        frmMain m;
        QCOMPARE(m.windowTitle(), QStringLiteral("Corvel ") + corvel::VersionText());
        QCOMPARE(m.windowTitle(), QStringLiteral("Corvel 5.1.0"));
        const QStringList start = {"INS", "CAPS", "NUM", "", "", "1 : 1", "PRJ", "Corvel iniciado"};
        for (int i : {1, 2, 3, 6, 7, 8})
            QCOMPARE(m.StatusPanelText(i), start.at(i - 1));
        QVERIFY(!m.StatusPanelText(4).isEmpty()); // today's date
        QCOMPARE(m.tmrAnima()->interval(), 3000);
        QVERIFY(m.tmrAnima()->isActive());
        QCOMPARE(m.tmrUpdatePos()->interval(), 120);
        QVERIFY(m.tmrUpdatePos()->isActive());
        QCOMPARE(m.tmrAutoSave()->interval(), 60000);
        QVERIFY(!m.tmrAutoSave()->isActive());
        // The window hands its own services to the modules (no global window).
        QVERIFY(m.services().dialogs && m.services().choosePrinter && m.services().beep &&
                m.services().now);
        QVERIFY(!m.services().openBrowser && !m.services().insertText);
        QVERIFY(!m.CurrentEditor());
    }
};

QTEST_MAIN(tst_shell_menus)
#include "tst_shell_menus.moc"
