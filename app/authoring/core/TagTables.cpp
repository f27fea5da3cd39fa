#include "TagTables.h"

namespace corvel {

namespace {
constexpr bool Inline = false;
constexpr bool Lines = true;
} // namespace

const QVector<InlineTagCommand> &InlineTagCommands() {
    static const QVector<InlineTagCommand> table = {
        {cmd::FormatarNegrito, {"<B>", "</B>", 4, Inline, false}, "Negrito"},
        {cmd::FormatarItalico, {"<I>", "</I>", 4, Inline, false}, "Itálico"},
        {cmd::FormatarSublinhado, {"<U>", "</U>", 4, Inline, false}, "Sublinhado"},
        {cmd::FormatarSobrescrito, {"<SUP>", "</SUP>", 6, Inline, false}, "Sobrescrito"},
        {cmd::FormatarSubscrito, {"<SUB>", "</SUB>", 6, Inline, false}, "Subscrito"},
        {cmd::FormatarPre, {"<PRE>", "</PRE>", 6, Inline, false}, "Pré-formatado"},
        {cmd::FormatarCentralizado, {"<CENTER>", "</CENTER>", 9, Inline, false}, "Centralizado"},
        {cmd::Header(1), {"<H1>", "</H1>", 5, Inline, false}, "Header"},
        {cmd::Header(2), {"<H2>", "</H2>", 5, Inline, false}, "Header"},
        {cmd::Header(3), {"<H3>", "</H3>", 5, Inline, false}, "Header"},
        {cmd::Header(4), {"<H4>", "</H4>", 5, Inline, false}, "Header"},
        {cmd::Header(5), {"<H5>", "</H5>", 5, Inline, false}, "Header"},
        {cmd::Header(6), {"<H6>", "</H6>", 5, Inline, false}, "Header"},
        {cmd::InsOutBig, {"<BIG>", "</BIG>", 6, Inline, false}, "Fonte Maior"},
        {cmd::InsOutBlockQ, {"<BLOCKQUOTE>", "</BLOCKQUOTE>", 13, Inline, false}, "Bloco"},
        {cmd::InsOutDd, {"<DD>", "", 0, Inline, false}, "Deslocamento"},
        {cmd::InsOutEm, {"<EM>", "</EM>", 5, Inline, false}, "Enfatizado"},
        {cmd::InsOutNoBr, {"<NOBR>", "</NOBR>", 7, Inline, false}, "Sem quebras de linha"},
        {cmd::InsOutNoFrames,
         {"<NOFRAMES>", "</NOFRAMES>", 11, Inline, false},
         "Sem suporte a frames"},
        {cmd::InsOutNoScript,
         {"<NOSCRIPT>", "</NOSCRIPT>", 11, Inline, false},
         "Sem suporte a script"},
        {cmd::InsOutSmall, {"<SMALL>", "</SMALL>", 8, Inline, false}, "Fonte Menor"},
        {cmd::InsOutStrike, {"<STRIKE>", "</STRIKE>", 9, Inline, false}, "Cortado"},
        {cmd::InsOutStrong, {"<STRONG>", "</STRONG>", 9, Inline, false}, "Enfatizado"},
        {cmd::InsTAddASPItem(0), {"<%", "%>", 2, Inline, false}, nullptr},
        {cmd::InsTAddASPItem(1), {"<% ", " %>", 3, Inline, false}, nullptr},
        {cmd::InsTAddASPItem(2), {"<%", "%>", 2, Lines, true}, nullptr},
        {cmd::InsTAddPHPItem(0), {"<?", "?>", 2, Inline, false}, nullptr},
        {cmd::InsTAddPHPItem(1), {"<? ", " ?>", 3, Inline, false}, nullptr},
        {cmd::InsTAddPHPItem(2), {"<?", "?>", 2, Lines, true}, nullptr},
        {cmd::InsTAddJSItem(0), {"{ ", " }", 2, Inline, false}, nullptr},
        {cmd::InsTAddJSItem(1), {"{", "}", 2, Lines, true}, nullptr},
        {cmd::InsTextoAdicional(0), {"&nbsp;", "", 0, Inline, false}, nullptr},
        {cmd::InsTextoAdicional(1), {"&lt;", "", 0, Inline, false}, nullptr},
        {cmd::InsTextoAdicional(2), {"&gt;", "", 0, Inline, false}, nullptr},
        {cmd::InsTextoAdicional(3), {"& vbCrLf", "", 0, Inline, false}, nullptr},
        {cmd::InsTextoAdicional(4), {"javascript:", "", 0, Inline, false}, nullptr},
        {cmd::InsTextoAdicional(5), {"<!-- ", " -->", 4, Inline, false}, nullptr},
    };
    return table;
}

const QVector<PerTagCommand> &PerTagCommands() {
    static const QVector<PerTagCommand> table = {
        {cmd::InserirParagrafo, "P", {"<P>", "", 0, Inline, false}, "P", 9003, "Parágrafo", true},
        {cmd::InserirQuebra,
         "BR",
         {"<BR>", "", 0, Inline, false},
         "BR",
         9004,
         "Quebra de Linha",
         true},
        {cmd::InserirBarra,
         "HR",
         {"<HR>", "", 0, Inline, false},
         "HR",
         9005,
         "Barra Horizontal",
         true},
        {cmd::TabelaDefinicao,
         "Table",
         {"<TABLE>", "</TABLE>", 9, Lines, true},
         "TABLE",
         9006,
         "Definição de Tabela",
         true},
        {cmd::TabelaLinha,
         "TR",
         {"<TR>", "</TR>", 5, Inline, false},
         "TR",
         9007,
         "Linha de Tabela",
         true},
        {cmd::TabelaColuna,
         "TD",
         {"<TD>", "</TD>", 5, Inline, false},
         "TD",
         9008,
         "Coluna de Tabela",
         true},
        {cmd::ListaItem, "LI", {"<LI>", "", 0, Inline, false}, "LI", 9012, "Item de Lista", false},
        {cmd::FormularioItens,
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
        {cmd::FormatarFonte, "Font", 9000, "Fonte"},
        {cmd::InserirLink, "A", 9001, "Link"},
        {cmd::InserirImagem, "IMG", 9002, "Imagem"},
        {cmd::FormatarCorpo, "Body", 9009, "Corpo"},
        {cmd::ListaPontuada, "UL", 9010, "Lista Pontuada"},
        {cmd::ListaNumerada, "OL", 9011, "Lista Numerada"},
        {cmd::FormularioDefinicao, "FORM", 9013, "Formulário"},
        {cmd::FormularioEntrada, "INPUT", 9014, "Dados de Formulário"},
        {cmd::FormularioCaixa, "TEXTAREA", 9015, "Caixa de Digitação"},
        {cmd::FormularioSelecao, "SELECT", 9016, "Seleção de Itens"},
        {cmd::FrameDefinicao, "FRAMESET", 9018, "Definição de Frame"},
        {cmd::FrameItem, "FRAME", 9019, "Item de Frame"},
        {cmd::FrameFlutuante, "IFRAME", 9020, "Frame Flutuante"},
        {cmd::InserirBanner, "MARQUEE", 9021, "Texto Rolante"},
        {cmd::InserirSom, "BGSOUND", 9022, "Som"},
        {cmd::InserirDiv, "DIV", 9023, "Divisão"},
        {cmd::InsOutApplet, "APPLET", 9024, "Applet"},
        {cmd::InsOutBase, "BASE", 9025, "Pasta Base"},
        {cmd::InsOutBaseFont, "BASEFONT", 9026, "Fonte Base"},
        {cmd::InsOutButton, "BUTTON", 9027, "Botão"},
        {cmd::InsOutEmbed, "EMBED", 9028, "Embed"},
        {cmd::InsOutLink, "LINK", 9029, "Ligação"},
        {cmd::InsOutObject, "OBJECT", 9030, "Objeto"},
        {cmd::InsOutParam, "PARAM", 9031, "Parâmetro"},
        {cmd::InsOutXml, "XML", 9032, "XML"},
        {cmd::InserirSpan, "SPAN", 9033, "Span"},
        {cmd::InserirScript, "SCRIPT", 9034, "Script"},
        {cmd::InserirMeta, "META", 9035, "Meta"},
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

TagInsert SnippetInsert(const TagSnippet &s) {
    TagInsert t;
    t.openText = QString::fromUtf8(s.openText);
    t.closeText = QString::fromUtf8(s.closeText);
    t.caretBack = s.caretBack;
    t.separateLines = s.separateLines;
    t.innerLine = s.innerLine;
    return t;
}

} // namespace corvel
