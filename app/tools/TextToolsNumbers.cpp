#include "Dialogs.h"
#include "NumberWords.h"
#include "TextTools.h"
#include "frmMain.h"

namespace corvel::texttools {

namespace {

struct NumberCommand {
    QString prompt;
    QString title;
    QString rangeMessage;
    QString statusMessage;
    QString (*words)(const QString &answer);
};

// Asks for the number (offering the selection), writes its words at the caret
// or, with a selection, in parentheses after it.
void RunNumberCommand(frmMain &m, const NumberCommand &c) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    QString answer;
    if (!Dialogs().input(&m, c.prompt, c.title, ed->SelTexto().left(10), &answer)) return;
    if (answer.isEmpty()) return;
    const QString words = c.words(answer);
    if (words.contains(QLatin1Char('('))) {
        Message(&m, c.rangeMessage, QStringLiteral("Extenso"), MsgIcon::Warning);
        return;
    }
    if (ed->SelTamanho() == 0) {
        InsertAtCaret(m, words);
    } else {
        ed->setSelTexto(ed->SelTexto() + QStringLiteral(" (") + words + QLatin1Char(')'));
    }
    m.ShowStatusMessage(c.statusMessage);
}

} // namespace

void RegisterNumberCommands(frmMain &m) {
    m.SetHandler(corvel::cmd::ExtensoMoeda, [&m] {
        RunNumberCommand(m, {QStringLiteral("Entre com o valor monetário (formato 99,99)"),
                             QStringLiteral("Extenso Moeda"),
                             QStringLiteral("Valor inválido ou fora do limite (9.999.999,99)"),
                             QStringLiteral("Extenso (Moeda)"), MoneyAnswerWords});
    });
    m.SetHandler(corvel::cmd::ExtensoNumero, [&m] {
        RunNumberCommand(m, {QStringLiteral("Entre com o número (inteiro)"),
                             QStringLiteral("Extenso Número"),
                             QStringLiteral("Valor inválido ou fora do limite (9.999.999)"),
                             QStringLiteral("Extenso (Número)"), WholeNumberAnswerWords});
    });
}

} // namespace corvel::texttools
