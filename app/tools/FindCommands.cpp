#include "FindCommands.h"

#include "Dialogs.h"
#include "GoToLine.h"
#include "SearchHistory.h"
#include "frmMain.h"
#include "frmProcurar.h"

namespace corvel {

void OpenFindDialog(ICorvelEdit *editor, QWidget *parent, const std::function<void()> &beep) {
    frmProcurar dlg(editor, parent, beep);
    if (dlg.Form_Load()) dlg.exec();
}

void FindNext(ICorvelEdit *ed, const std::function<void()> &beep) {
    const QString text = LastSearchText();
    if (text.isEmpty()) {
        if (beep) beep();
        return;
    }
    if (!ed) return;
    if (ed->Procurar(text, false, false)) return;
    ed->setSelInicio(0);
    ed->setSelTamanho(0);
    if (!ed->Procurar(text, false, false) && beep) beep();
}

bool GoToLine(ICorvelEdit *ed, QWidget *parent) {
    if (!ed) return false;
    QString answer;
    if (!Dialogs().input(parent, GoToLinePrompt(ed->ContarLinhas()),
                         QStringLiteral("Ir para Linha"), QString(), &answer))
        return false;
    int line = 0;
    if (!GoToLineTarget(answer, &line)) return false;
    ed->IrParaLinha(line);
    ed->Foco();
    return true;
}

} // namespace corvel

void RegisterFindCommands(frmMain &m) {
    frmMain *w = &m;
    m.SetHandler(corvel::cmd::EditarProcurar, [w] {
        corvel::OpenFindDialog(w->CurrentEditor(), w, w->services().beep);
        w->ShowStatusMessage(QStringLiteral("Procurar e Substituir"));
    });
    m.SetHandler(corvel::cmd::EditarProcurarProx,
                 [w] { corvel::FindNext(w->CurrentEditor(), w->services().beep); });
    m.SetHandler(corvel::cmd::FerramentasIrPara, [w] {
        if (corvel::GoToLine(w->CurrentEditor(), w))
            w->ShowStatusMessage(QStringLiteral("Ir para Linha"));
    });
}
