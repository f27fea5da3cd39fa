// Undo, the clipboard, select all, find, find next and go to line.
#include "Commands.h"

#include "Dialogs.h"
#include "GoToLine.h"
#include "TessimServices.h"
#include "frmTessim.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tessim {

namespace {

// Searches from the caret, then once more from the start; a beep when the
// text is nowhere, the selection then as it was.
void SearchWrapping(frmTessim &w, const QString &text) {
    ICorvelEdit *ed = w.Editor();
    if (!ed->Procurar(text, false, false)) {
        const int start = ed->SelInicio(), length = ed->SelTamanho();
        ed->setSelInicio(0);
        ed->setSelTamanho(0);
        if (!ed->Procurar(text, false, false)) {
            ed->setSelInicio(start);
            ed->setSelTamanho(length);
            Services().beep();
        }
    }
    ed->Foco();
}

} // namespace

void UndoCommand(frmTessim &w, CommandId) {
    w.Editor()->Desfazer();
}

void CutCommand(frmTessim &w, CommandId) {
    ICorvelEdit *ed = w.Editor();
    // Nothing selected leaves the clipboard as it is.
    if (ed->SelTamanho() == 0) return;
    QGuiApplication::clipboard()->setText(ed->SelTexto());
    ed->setSelTexto(QString());
}

void CopyCommand(frmTessim &w, CommandId) {
    ICorvelEdit *ed = w.Editor();
    if (ed->SelTamanho() == 0) return;
    QGuiApplication::clipboard()->setText(ed->SelTexto());
}

void PasteCommand(frmTessim &w, CommandId) {
    w.Editor()->setSelTexto(QGuiApplication::clipboard()->text());
}

void SelectAllCommand(frmTessim &w, CommandId) {
    ICorvelEdit *ed = w.Editor();
    ed->setSelInicio(0);
    ed->setSelTamanho(ed->Tamanho());
}

void FindCommand(frmTessim &w, CommandId) {
    QString answer;
    if (!corvel::Dialogs().input(&w, QStringLiteral("Entre com o texto a procurar."),
                                 QStringLiteral("Procura"), w.lastSearchText, &answer) ||
        answer.isEmpty())
        return;
    w.lastSearchText = answer;
    SearchWrapping(w, answer);
}

void FindNextCommand(frmTessim &w, CommandId) {
    if (w.lastSearchText.isEmpty()) {
        Services().beep();
        return;
    }
    SearchWrapping(w, w.lastSearchText);
}

void GoToLineCommand(frmTessim &w, CommandId) {
    QString answer;
    int line = 0;
    if (!corvel::Dialogs().input(&w, QStringLiteral("Ir para qual linha?"),
                                 QStringLiteral("Ir para Linha"), QString(), &answer) ||
        !corvel::GoToLineTarget(answer, &line))
        return;
    w.Editor()->IrParaLinha(line);
    w.Editor()->Foco();
}

} // namespace tessim
