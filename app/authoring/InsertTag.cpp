#include "InsertTag.h"

#include "TagText.h"
#include "frmMain.h"

using namespace corvel;

TagInsert InsertTag(frmMain &m, const TagInsert &tag) {
    const TagOptions o = ReadTagOptions();
    TagInsert written = tag;
    written.openText = StyleTagText(tag.openText, o, tag.applyCase);
    written.closeText = StyleTagText(tag.closeText, o, tag.applyCase);
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed || !ed->Visivel()) return written;

    TagInsertRequest r;
    if (!tag.discardSelection && o.wrapSelection && ed->SelTamanho() > 0)
        r.wrapped = ed->SelTexto();
    r.caretBack = StyledCaretBack(tag.openText, tag.closeText, tag.caretBack, tag.separateLines, o,
                                  tag.applyCase);
    r.openText = written.openText;
    r.closeText = written.closeText;
    r.separateLines = tag.separateLines;
    r.innerLine = tag.innerLine;
    // Coluna follows the caret only when refreshed (the position timer does
    // it every 120 ms): refresh it, so a caret moved just before counts.
    ed->UpdatePos();
    r.column = qMax(1, ed->Coluna().toInt());
    r.selStart = ed->SelInicio();
    r.keepSelection = o.keepSelection;

    const TagInsertResult plan = PlanTagInsert(r);
    // One replacement of the selection: one undoable edit.
    ed->setSelTexto(plan.text);
    ed->setSelInicio(plan.selStart);
    ed->setSelTamanho(plan.selLength);
    if (m.isEnabled()) ed->Foco();
    return written;
}

void InsertTagText(frmMain &m, const QString &openText) {
    TagInsert t;
    t.openText = openText;
    InsertTag(m, t);
}
