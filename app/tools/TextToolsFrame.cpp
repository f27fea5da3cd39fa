#include "Dialogs.h"
#include "TextTools.h"
#include "frmMain.h"

#include <QCoreApplication>

namespace corvel::texttools {

namespace {

// Leaves busy mode on every way out of a filter.
class BusyGuard {
public:
    explicit BusyGuard(frmMain &m) : m_(m) { m_.SetBusyMode(true); }
    ~BusyGuard() { m_.SetBusyMode(false); }
    BusyGuard(const BusyGuard &) = delete;
    BusyGuard &operator=(const BusyGuard &) = delete;

private:
    frmMain &m_;
};

} // namespace

bool ConfirmWithoutUndo(frmMain &m) {
    const QString text =
        QStringLiteral(
            "Este comando não poderá ser desfeito com a opção Editar/Desfazer (Ctrl+Z).") +
        QLatin1Char('\n') + QStringLiteral("Confirma sua utilização?");
    return Message(&m, text, QStringLiteral("Sem Desfazer"), MsgIcon::Warning, MsgButtons::YesNo,
                   MsgAnswer::No) == MsgAnswer::Yes;
}

void RunTextFilter(frmMain &m, const std::function<QString(const QString &)> &transform,
                   const QString &finalMessage, const std::function<bool()> &extraQuestion) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    if (!ConfirmWithoutUndo(m)) return;
    if (extraQuestion && !extraQuestion()) return;
    m.ShowStatusMessage(QStringLiteral("AGUARDE... Processando tarefa..."));
    int selStart = 0;
    {
        BusyGuard busy(m);
        QCoreApplication::processEvents();
        if (ed->SelTamanho() > 0) {
            selStart = ed->SelInicio();
            const QString result = transform(ed->SelTexto());
            QCoreApplication::processEvents();
            ed->setSelTexto(result);
            // As any write to the selection: the caret after the new text,
            // nothing selected.
            selStart += int(result.size());
        } else {
            const int caret = ed->SelInicio();
            const QString result = transform(ed->Texto());
            QCoreApplication::processEvents();
            ed->setTexto(result);
            selStart = qMin(caret, int(result.size()));
        }
    }
    // The caret is placed once the editor is shown again: placing it in the
    // hidden editor would lay the text out twice (slow for one huge line).
    ed->setSelInicio(selStart);
    ed->setSelTamanho(0);
    m.ShowStatusMessage(finalMessage);
}

} // namespace corvel::texttools
