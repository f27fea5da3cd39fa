#include "HelpPages.h"

#include <QStringList>

namespace corvel {

namespace {

// clang-format off
const HelpPage kPages[] = {
    {0,    "index.html",           "Ajuda do Corvel"},
    {1,    "comandos.html",        "Comandos HTML"},
    {2,    "caixa-comando.html",   "A caixa de comando"},
    {9000, "tag-font.html",        "Fonte (FONT)"},
    {9001, "tag-a.html",           "Link (A)"},
    {9002, "tag-img.html",         "Imagem (IMG)"},
    {9003, "tag-p.html",           "Parágrafo (P)"},
    {9004, "tag-br.html",          "Quebra de Linha (BR)"},
    {9005, "tag-hr.html",          "Barra Horizontal (HR)"},
    {9006, "tag-table.html",       "Definição de Tabela (TABLE)"},
    {9007, "tag-tr.html",          "Linha de Tabela (TR)"},
    {9008, "tag-td.html",          "Coluna de Tabela (TD)"},
    {9009, "tag-body.html",        "Corpo (BODY)"},
    {9010, "tag-ul.html",          "Lista Pontuada (UL)"},
    {9011, "tag-ol.html",          "Lista Numerada (OL)"},
    {9012, "tag-li.html",          "Item de Lista (LI)"},
    {9013, "tag-form.html",        "Formulário (FORM)"},
    {9014, "tag-input.html",       "Entrada de Dados (INPUT)"},
    {9015, "tag-textarea.html",    "Caixa de Digitação (TEXTAREA)"},
    {9016, "tag-select.html",      "Seleção de Itens (SELECT)"},
    {9017, "tag-option.html",      "Item de Seleção (OPTION)"},
    {9018, "tag-frameset.html",    "Definição de Frame (FRAMESET)"},
    {9019, "tag-frame.html",       "Item de Frame (FRAME)"},
    {9020, "tag-iframe.html",      "Frame Flutuante (IFRAME)"},
    {9021, "tag-marquee.html",     "Texto Rolante (MARQUEE)"},
    {9022, "tag-bgsound.html",     "Som (BGSOUND)"},
    {9023, "tag-div.html",         "Divisão (DIV)"},
    {9024, "tag-applet.html",      "Applet (APPLET)"},
    {9025, "tag-base.html",        "Pasta Base (BASE)"},
    {9026, "tag-basefont.html",    "Fonte Base (BASEFONT)"},
    {9027, "tag-button.html",      "Botão (BUTTON)"},
    {9028, "tag-embed.html",       "Embed (EMBED)"},
    {9029, "tag-link.html",        "Ligação (LINK)"},
    {9030, "tag-object.html",      "Objeto (OBJECT)"},
    {9031, "tag-param.html",       "Parâmetro (PARAM)"},
    {9032, "tag-xml.html",         "XML (XML)"},
    {9033, "tag-span.html",        "Span (SPAN)"},
    {9034, "tag-script.html",      "Script (SCRIPT)"},
    {9035, "tag-meta.html",        "Meta (META)"},
};
// clang-format on

} // namespace

const HelpPage *HelpPages(int *count) {
    if (count) *count = int(sizeof kPages / sizeof kPages[0]);
    return kPages;
}

const HelpPage *FindHelpPage(int context) {
    for (const HelpPage &p : kPages)
        if (p.context == context) return &p;
    return nullptr;
}

QString HelpPagePath(const QString &folder, int context) {
    const HelpPage *page = FindHelpPage(context);
    if (!page) page = &kPages[0];
    QString f = folder;
    while (f.endsWith(QLatin1Char('/')))
        f.chop(1);
    return f + QLatin1Char('/') + QLatin1String(page->file);
}

QString FourPartVersion(const QString &version) {
    QStringList parts = version.trimmed().split(QLatin1Char('.'));
    if (parts.size() > 4) return QString();
    for (const QString &p : std::as_const(parts)) {
        bool ok = false;
        p.toUInt(&ok);
        if (!ok) return QString();
    }
    while (parts.size() < 4)
        parts << QStringLiteral("0");
    for (QString &p : parts)
        p = QString::number(p.toUInt());
    return parts.join(QLatin1Char('.'));
}

QString AboutVersionText(const QString &version, const QString &controlVersion) {
    QString text = QStringLiteral("Versão ") + version;
    const QString four = FourPartVersion(controlVersion);
    if (!four.isEmpty()) text += QStringLiteral(" - OCX ") + four;
    return text;
}

} // namespace corvel
