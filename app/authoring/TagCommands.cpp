#include "TagCommands.h"

#include "Dialogs.h"
#include "InsertTag.h"
#include "KeyState.h"
#include "Settings.h"
#include "TagTables.h"
#include "frmMain.h"

#include <QAction>

using namespace corvel;

namespace {

QString Utf8(const char *s) {
    return QString::fromUtf8(s);
}

void Write(frmMain &m, const TagSnippet &s) {
    InsertTag(m, SnippetInsert(s));
}

void RunPerTag(frmMain &m, const PerTagCommand &c) {
    const QString setting = ReadSetting(QStringLiteral("Configuracao"), Utf8(c.setting));
    if (WritesBareTag(setting, ScrollLockActive(), RightControlDown(), c.honoursRightControl))
        Write(m, c.direct);
    else
        m.Comando(Utf8(c.comando), c.helpId);
    m.ShowStatusMessage(Utf8(c.status));
}

} // namespace

void InsertEmailLink(frmMain &m) {
    QString answer;
    if (!Dialogs().input(
            &m, QStringLiteral("Digite o e-mail a ser inserido"), QStringLiteral("E-mail"),
            ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("Email")), &answer))
        return;
    const QString link = EmailLinkText(answer);
    if (link.isEmpty()) return;
    InsertTagText(m, link);
}

void CycleQuoteStyle(frmMain &m) {
    QAction *button = m.ToolButton(QStringLiteral("Aspas"));
    QString next, aspas;
    if (button && NextQuoteStyle(button->data().toString(), &next, &aspas)) {
        m.SetQuoteButtonKey(next);
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Aspas"), aspas);
    }
    m.ShowStatusMessage(QStringLiteral("Tipo de Aspas"));
}

void RegisterTagCommands(frmMain &m) {
    InstallKeyStateWatcher();
    for (const InlineTagCommand &c : InlineTagCommands()) {
        m.SetHandler(c.menu, [&m, c] {
            Write(m, c.snippet);
            if (c.status) m.ShowStatusMessage(Utf8(c.status));
        });
    }
    for (const PerTagCommand &c : PerTagCommands())
        m.SetHandler(c.menu, [&m, c] { RunPerTag(m, c); });
    // The items that only open the command dialog stay disabled until there
    // is one.
    if (m.HasComando()) {
        for (const ComandoCommand &c : ComandoCommands()) {
            m.SetHandler(c.menu, [&m, c] {
                m.Comando(Utf8(c.comando), c.helpId);
                m.ShowStatusMessage(Utf8(c.status));
            });
        }
    }
    m.SetHandler(corvel::cmd::CycleQuoteStyle, [&m] { CycleQuoteStyle(m); });
    m.AddKeyFilter([&m](QKeyEvent *e) { return HandleTagKey(m, e); });
}
