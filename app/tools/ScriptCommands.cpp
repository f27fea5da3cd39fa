#include "ScriptCommands.h"

#include "CommandIds.h"

#include "Settings.h"
#include "frmMain.h"
#include "frmScripts.h"

#include <QAction>
#include <QLabel>

namespace corvel {

namespace {

const CommandId kAsp = cmd::Linguagem(2);
const CommandId kPhp = cmd::Linguagem(3);

void SetCaption(frmMain &m, CommandId item, const QString &caption) {
    if (QAction *a = m.Action(item)) a->setText(caption);
}

QString LanguageCode(int index) {
    switch (index) {
    case 0:
        return QStringLiteral("JS");
    case 2:
        return QStringLiteral("ASP");
    case 3:
        return QStringLiteral("PHP");
    default:
        return QString();
    }
}

} // namespace

void ApplyLanguageCaptions(frmMain &m) {
    const bool php =
        ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("F9")) != QLatin1String("0");
    SetCaption(m, kAsp, php ? QStringLiteral("ASP") : QStringLiteral("ASP\tF9"));
    SetCaption(m, kPhp, php ? QStringLiteral("PHP\tF9") : QStringLiteral("PHP"));
}

void InsertScriptText(frmMain &m, const QString &text, int caretBack) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed || !ed->Visivel()) return;
    // A script is program code, written as the template has it: the tag
    // case and quote style that the tag insertion applies to markup would
    // break it (getElementById lowered, "x" doubled to ""x""). The selection
    // is replaced in one edit and the caret goes caretBack characters back
    // from the end, also when that is the very start of the document.
    const int start = ed->SelInicio();
    ed->setSelTexto(text);
    const int end = start + int(text.size());
    ed->setSelInicio(caretBack > 0 && caretBack <= end ? end - caretBack : end);
    ed->setSelTamanho(0);
    if (m.isEnabled()) ed->Foco();
}

void OpenScriptList(frmMain &m, int index) {
    ICorvelEdit *ed = m.CurrentEditor();
    const QString code = LanguageCode(index);
    if (!ed || code.isEmpty()) return;
    if (index == 2 || index == 3) {
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("F9"),
                     index == 2 ? QStringLiteral("0") : QStringLiteral("1"));
        ApplyLanguageCaptions(m);
    }
    frmScripts dlg(&m);
    frmMain *w = &m;
    dlg.SetTarget({[w] {
                       ICorvelEdit *e = w->CurrentEditor();
                       if (!e) return 1;
                       e->UpdatePos();
                       return qMax(1, e->Coluna().toInt());
                   },
                   [w](const QString &text, int back) { InsertScriptText(*w, text, back); }});
    dlg.lblScNome->setText(code);
    if (!dlg.MontaLista(code)) return;
    dlg.exec();
    // Back to the document's window, so its keys and shortcuts work at once.
    m.activateWindow();
}

} // namespace corvel

void RegisterScriptCommands(frmMain &m) {
    frmMain *w = &m;
    for (int index : {0, 2, 3})
        m.SetHandler(corvel::cmd::Linguagem(index),
                     [w, index] { corvel::OpenScriptList(*w, index); });
    corvel::ApplyLanguageCaptions(m);
}
