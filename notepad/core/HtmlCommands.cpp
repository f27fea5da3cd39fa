#include "HtmlCommands.h"

namespace tessim {

const QVector<HtmlCommand> &HtmlCommands() {
    constexpr bool Inline = false, Lines = true;
    // clang-format off
    static const QVector<HtmlCommand> commands = {
        {cmd::ComandoHipertexto,      {"<HTML>",   "</HTML>",   8, Lines,  true}},
        {cmd::ComandoCorpo,           {"<BODY>",   "</BODY>",   8, Lines,  true}},
        {cmd::ComandoFonte,           {"<FONT FACE=\"\" SIZE=\"\" COLOR=\"\">", "</FONT>", 26, Inline, false}},
        {cmd::ComandoNegrito,         {"<B>",      "</B>",      4, Inline, false}},
        {cmd::ComandoItalico,         {"<I>",      "</I>",      4, Inline, false}},
        {cmd::ComandoSublinhado,      {"<U>",      "</U>",      4, Inline, false}},
        {cmd::ComandoCentralizado,    {"<CENTER>", "</CENTER>", 9, Inline, false}},
        {cmd::ComandoLink,            {"<A HREF=\"\">", "</A>", 6, Inline, false}},
        {cmd::ComandoImagem,          {"<IMG SRC=\"\">", "",    2, Inline, false}},
        {cmd::ComandoParagrafo,       {"<P>",      "",          0, Inline, false}},
        {cmd::ComandoQuebra,          {"<BR>",     "",          0, Inline, false}},
        {cmd::ComandoBarra,           {"<HR>",     "",          0, Inline, false}},
        {cmd::ComandoListaNumerada,   {"<OL>",     "</OL>",     5, Lines,  true}},
        {cmd::ComandoListaPontuada,   {"<UL>",     "</UL>",     5, Lines,  true}},
        {cmd::ComandoListaItem,       {"<LI>",     "",          0, Inline, false}},
        {cmd::ComandoTabela,          {"<TABLE>",  "</TABLE>",  9, Lines,  true}},
        {cmd::ComandoTabelaLinha,     {"<TR>",     "</TR>",     5, Inline, false}},
        {cmd::ComandoTabelaColuna,    {"<TD>",     "</TD>",     5, Inline, false}},
    };
    // clang-format on
    return commands;
}

const HtmlCommand *FindHtmlCommand(CommandId id) {
    for (const HtmlCommand &c : HtmlCommands())
        if (c.id == id) return &c;
    return nullptr;
}

} // namespace tessim
