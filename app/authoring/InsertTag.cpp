#include "InsertTag.h"

#include "TagText.h"
#include "frmMain.h"

using namespace corvel;

void InsertTag(frmMain &m, QString &openText, QString &closeText, int caretBack, bool separateLines,
               bool innerLine, bool applyCase, bool discardSelection) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed || !ed->Visivel()) return;
    const TagOptions o = ReadTagOptions();

    TagInsertRequest r;
    if (!discardSelection && o.wrapSelection && ed->SelTamanho() > 0) r.wrapped = ed->SelTexto();
    r.caretBack = StyledCaretBack(openText, closeText, caretBack, separateLines, o, applyCase);
    openText = StyleTagText(openText, o, applyCase);
    closeText = StyleTagText(closeText, o, applyCase);
    r.openText = openText;
    r.closeText = closeText;
    r.separateLines = separateLines;
    r.innerLine = innerLine;
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
}

void InsertTag(frmMain &m, const QString &openText, const QString &closeText, int caretBack,
               bool separateLines, bool innerLine, bool applyCase, bool discardSelection) {
    QString open = openText, close = closeText;
    InsertTag(m, open, close, caretBack, separateLines, innerLine, applyCase, discardSelection);
}

void InsertTag(QString &openText, QString &closeText, int caretBack, bool separateLines,
               bool innerLine, bool applyCase, bool discardSelection) {
    if (frmMain *m = MainWindow())
        InsertTag(*m, openText, closeText, caretBack, separateLines, innerLine, applyCase,
                  discardSelection);
}

void InsertTag(const QString &openText, const QString &closeText, int caretBack, bool separateLines,
               bool innerLine, bool applyCase, bool discardSelection) {
    QString open = openText, close = closeText;
    InsertTag(open, close, caretBack, separateLines, innerLine, applyCase, discardSelection);
}
