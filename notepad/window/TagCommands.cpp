// Markup written into the document: the HTML commands, the Shift+Ctrl
// snippet keys and the colour of "Escrever Cor".
#include "Commands.h"

#include "Dialogs.h"
#include "HtmlCommands.h"
#include "NotepadText.h"
#include "TagTables.h"
#include "TagText.h"
#include "frmTessim.h"

namespace tessim {

namespace {

void InsertSnippet(frmTessim &w, const corvel::TagSnippet &s) {
    InsertTag(w, QString::fromUtf8(s.openText), QString::fromUtf8(s.closeText), s.caretBack,
              s.separateLines, s.innerLine);
}

} // namespace

void InsertTag(frmTessim &w, const QString &open, const QString &close, int caretBack,
               bool separateLines, bool innerLine) {
    ICorvelEdit *ed = w.Editor();
    corvel::TagInsertRequest r;
    r.openText = open;
    r.closeText = close;
    r.caretBack = caretBack;
    r.separateLines = separateLines;
    r.innerLine = innerLine;
    r.wrapped = ed->SelTamanho() > 0 ? ed->SelTexto() : QString();
    r.selStart = ed->SelInicio();
    ed->UpdatePos();
    r.column = qMax(1, ed->Coluna().toInt());
    // The notepad leaves the caret after what it wrapped.
    r.keepSelection = false;
    const corvel::TagInsertResult plan = corvel::PlanTagInsert(r);
    ed->setSelTexto(plan.text);
    ed->setSelInicio(plan.selStart);
    ed->setSelTamanho(plan.selLength);
    ed->Foco();
}

void HtmlTagCommand(frmTessim &w, CommandId id) {
    if (const HtmlCommand *c = FindHtmlCommand(id)) InsertSnippet(w, c->snippet);
}

bool InsertSnippetForKey(frmTessim &w, QChar key) {
    const corvel::TagSnippet *s = corvel::SnippetForKey(key);
    if (!s) return false;
    InsertSnippet(w, *s);
    return true;
}

void WriteColourCommand(frmTessim &w, CommandId) {
    int colour = 0;
    if (!corvel::Dialogs().chooseColour(&w, QStringLiteral("Escrever Cor"), w.lastColour, &colour))
        return;
    w.lastColour = colour;
    InsertTag(w, HtmlColourText(colour), QString(), 0, false, false);
}

} // namespace tessim
