#include "TagTables.h"

namespace corvel {

namespace {
constexpr bool Inline = false;
constexpr bool Lines = true;
} // namespace

const QVector<InlineTagCommand> &InlineTagCommands() {
    static const QVector<InlineTagCommand> table = {
        {"mnuFormatarNegrito", {"<B>", "</B>", 4, Inline, false}, "Negrito"},
        {"mnuFormatarItalico", {"<I>", "</I>", 4, Inline, false}, "Itálico"},
        {"mnuFormatarSublinhado", {"<U>", "</U>", 4, Inline, false}, "Sublinhado"},
        {"mnuFormatarSobrescrito", {"<SUP>", "</SUP>", 6, Inline, false}, "Sobrescrito"},
        {"mnuFormatarSubscrito", {"<SUB>", "</SUB>", 6, Inline, false}, "Subscrito"},
        {"mnuFormatarPre", {"<PRE>", "</PRE>", 6, Inline, false}, "Pré-formatado"},
        {"mnuFormatarCentralizado", {"<CENTER>", "</CENTER>", 9, Inline, false}, "Centralizado"},
        {"mnuHeader(1)", {"<H1>", "</H1>", 5, Inline, false}, "Header"},
        {"mnuHeader(2)", {"<H2>", "</H2>", 5, Inline, false}, "Header"},
        {"mnuHeader(3)", {"<H3>", "</H3>", 5, Inline, false}, "Header"},
        {"mnuHeader(4)", {"<H4>", "</H4>", 5, Inline, false}, "Header"},
        {"mnuHeader(5)", {"<H5>", "</H5>", 5, Inline, false}, "Header"},
        {"mnuHeader(6)", {"<H6>", "</H6>", 5, Inline, false}, "Header"},
        {"mnuInsOutBig", {"<BIG>", "</BIG>", 6, Inline, false}, "Fonte Maior"},
        {"mnuInsOutBlockQ", {"<BLOCKQUOTE>", "</BLOCKQUOTE>", 13, Inline, false}, "Bloco"},
        {"mnuInsOutDd", {"<DD>", "", 0, Inline, false}, "Deslocamento"},
        {"mnuInsOutEm", {"<EM>", "</EM>", 5, Inline, false}, "Enfatizado"},
        {"mnuInsOutNoBr", {"<NOBR>", "</NOBR>", 7, Inline, false}, "Sem quebras de linha"},
        {"mnuInsOutNoFrames",
         {"<NOFRAMES>", "</NOFRAMES>", 11, Inline, false},
         "Sem suporte a frames"},
        {"mnuInsOutNoScript",
         {"<NOSCRIPT>", "</NOSCRIPT>", 11, Inline, false},
         "Sem suporte a script"},
        {"mnuInsOutSmall", {"<SMALL>", "</SMALL>", 8, Inline, false}, "Fonte Menor"},
        {"mnuInsOutStrike", {"<STRIKE>", "</STRIKE>", 9, Inline, false}, "Cortado"},
        {"mnuInsOutStrong", {"<STRONG>", "</STRONG>", 9, Inline, false}, "Enfatizado"},
        {"mnuInsTAddASPItem(0)", {"<%", "%>", 2, Inline, false}, nullptr},
        {"mnuInsTAddASPItem(1)", {"<% ", " %>", 3, Inline, false}, nullptr},
        {"mnuInsTAddASPItem(2)", {"<%", "%>", 2, Lines, true}, nullptr},
        {"mnuInsTAddPHPItem(0)", {"<?", "?>", 2, Inline, false}, nullptr},
        {"mnuInsTAddPHPItem(1)", {"<? ", " ?>", 3, Inline, false}, nullptr},
        {"mnuInsTAddPHPItem(2)", {"<?", "?>", 2, Lines, true}, nullptr},
        {"mnuInsTAddJSItem(0)", {"{ ", " }", 2, Inline, false}, nullptr},
        {"mnuInsTAddJSItem(1)", {"{", "}", 2, Lines, true}, nullptr},
        {"mnuInsTextoAdicional(0)", {"&nbsp;", "", 0, Inline, false}, nullptr},
        {"mnuInsTextoAdicional(1)", {"&lt;", "", 0, Inline, false}, nullptr},
        {"mnuInsTextoAdicional(2)", {"&gt;", "", 0, Inline, false}, nullptr},
        {"mnuInsTextoAdicional(3)", {"& vbCrLf", "", 0, Inline, false}, nullptr},
        {"mnuInsTextoAdicional(4)", {"javascript:", "", 0, Inline, false}, nullptr},
        {"mnuInsTextoAdicional(5)", {"<!-- ", " -->", 4, Inline, false}, nullptr},
    };
    return table;
}

const QVector<PerTagCommand> &PerTagCommands() {
    static const QVector<PerTagCommand> table = {
        {"mnuInserirParagrafo", "P", {"<P>", "", 0, Inline, false}, "P", 9003, "Parágrafo", true},
        {"mnuInserirQuebra",
         "BR",
         {"<BR>", "", 0, Inline, false},
         "BR",
         9004,
         "Quebra de Linha",
         true},
        {"mnuInserirBarra",
         "HR",
         {"<HR>", "", 0, Inline, false},
         "HR",
         9005,
         "Barra Horizontal",
         true},
        {"mnuTabelaDefinicao",
         "Table",
         {"<TABLE>", "</TABLE>", 9, Lines, true},
         "TABLE",
         9006,
         "Definição de Tabela",
         true},
        {"mnuTabelaLinha",
         "TR",
         {"<TR>", "</TR>", 5, Inline, false},
         "TR",
         9007,
         "Linha de Tabela",
         true},
        {"mnuTabelaColuna",
         "TD",
         {"<TD>", "</TD>", 5, Inline, false},
         "TD",
         9008,
         "Coluna de Tabela",
         true},
        {"mnuListaItem", "LI", {"<LI>", "", 0, Inline, false}, "LI", 9012, "Item de Lista", false},
        {"mnuFormularioItens",
         "Option",
         {"<OPTION>", "", 0, Inline, false},
         "OPTION",
         9017,
         "Item de Seleção",
         false},
    };
    return table;
}

const QVector<ComandoCommand> &ComandoCommands() {
    static const QVector<ComandoCommand> table = {
        {"mnuFormatarFonte", "Font", 9000, "Fonte"},
        {"mnuInserirLink", "A", 9001, "Link"},
        {"mnuInserirImagem", "IMG", 9002, "Imagem"},
        {"mnuFormatarCorpo", "Body", 9009, "Corpo"},
        {"mnuListaPontuada", "UL", 9010, "Lista Pontuada"},
        {"mnuListaNumerada", "OL", 9011, "Lista Numerada"},
        {"mnuFormularioDefinicao", "FORM", 9013, "Formulário"},
        {"mnuFormularioEntrada", "INPUT", 9014, "Dados de Formulário"},
        {"mnuFormularioCaixa", "TEXTAREA", 9015, "Caixa de Digitação"},
        {"mnuFormularioSelecao", "SELECT", 9016, "Seleção de Itens"},
        {"mnuFrameDefinicao", "FRAMESET", 9018, "Definição de Frame"},
        {"mnuFrameItem", "FRAME", 9019, "Item de Frame"},
        {"mnuFrameFlutuante", "IFRAME", 9020, "Frame Flutuante"},
        {"mnuInserirBanner", "MARQUEE", 9021, "Texto Rolante"},
        {"mnuInserirSom", "BGSOUND", 9022, "Som"},
        {"mnuInserirDiv", "DIV", 9023, "Divisão"},
        {"mnuInsOutApplet", "APPLET", 9024, "Applet"},
        {"mnuInsOutBase", "BASE", 9025, "Pasta Base"},
        {"mnuInsOutBaseFont", "BASEFONT", 9026, "Fonte Base"},
        {"mnuInsOutButton", "BUTTON", 9027, "Botão"},
        {"mnuInsOutEmbed", "EMBED", 9028, "Embed"},
        {"mnuInsOutLink", "LINK", 9029, "Ligação"},
        {"mnuInsOutObject", "OBJECT", 9030, "Objeto"},
        {"mnuInsOutParam", "PARAM", 9031, "Parâmetro"},
        {"mnuInsOutXml", "XML", 9032, "XML"},
        {"mnuInserirSpan", "SPAN", 9033, "Span"},
        {"mnuInserirScript", "SCRIPT", 9034, "Script"},
        {"mnuInserirMeta", "META", 9035, "Meta"},
    };
    return table;
}

bool WritesBareTag(const QString &setting, bool scrollLock, bool rightControl,
                   bool honoursRightControl) {
    if (setting != QLatin1String("1") || scrollLock) return false;
    return !(honoursRightControl && rightControl);
}

const TagSnippet *SnippetForKey(QChar key) {
    struct Row {
        char key;
        TagSnippet snippet;
    };
    static const Row rows[] = {
        {'=', {"= \"", "\"", 1, Inline, false}},
        {',', {"&lt;", "", 0, Inline, false}},
        {'.', {"&gt;", "", 0, Inline, false}},
        {'[', {"{ ", " }", 2, Inline, false}},
        {']', {"{", "}", 1, Lines, true}},
        {'0', {"(", ")", 1, Inline, false}},
        {'-', {"(\"", "\")", 2, Inline, false}},
        {'1', {"<!-- ", " -->", 4, Inline, false}},
        {'4', {"<%", "%>", 2, Inline, false}},
        {'5', {"<% ", " %>", 3, Inline, false}},
        {'6', {"<%", "%>", 2, Lines, true}},
        {'7', {"<?", "?>", 2, Inline, false}},
        {'/', {"<?", "?>", 2, Inline, false}},
        {'8', {"<? ", " ?>", 3, Inline, false}},
        {'9', {"<?", "?>", 2, Lines, true}},
        {'B', {"& vbCrLf", "", 0, Inline, false}},
        {'J', {"javascript:", "", 0, Inline, false}},
        {'N', {"&nbsp;", "", 0, Inline, false}},
    };
    for (const Row &r : rows)
        if (key == QLatin1Char(r.key)) return &r.snippet;
    return nullptr;
}

bool NextQuoteStyle(const QString &current, QString *next, QString *aspas) {
    static const char *const cycle[][3] = {
        {"Aspas Duplas", "Aspas Simples", "2"},
        {"Aspas Simples", "Aspas ASP", "1"},
        {"Aspas ASP", "Aspas PHP", "3"},
        {"Aspas PHP", "Aspas Duplas", "0"},
    };
    for (const auto &row : cycle) {
        if (current == QLatin1String(row[0])) {
            *next = QString::fromLatin1(row[1]);
            *aspas = QString::fromLatin1(row[2]);
            return true;
        }
    }
    return false;
}

QString QuoteStyleImage(const QString &aspas) {
    if (aspas == QLatin1String("1")) return QStringLiteral("Aspas ASP");
    if (aspas == QLatin1String("2")) return QStringLiteral("Aspas Simples");
    if (aspas == QLatin1String("3")) return QStringLiteral("Aspas PHP");
    return QStringLiteral("Aspas Duplas");
}

QString EmailLinkText(const QString &answer) {
    if (answer.isEmpty() || !answer.contains(QLatin1Char('@')) ||
        !answer.contains(QLatin1Char('.')))
        return QString();
    const QString e = answer.trimmed().toLower();
    return QStringLiteral("<A HREF=\"mailto:") + e + QStringLiteral("\">") + e +
           QStringLiteral("</A>");
}

} // namespace corvel
