#include "Dialogs.h"
#include "InfoFormats.h"
#include "Settings.h"
#include "TextTools.h"
#include "frmMain.h"

#include <QFileInfo>

namespace corvel::texttools {

namespace {

void Counters(frmMain &m) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    const QString text = QStringLiteral("Este documento possui:\n\n- ") +
                         QString::number(ed->Tamanho()) + QStringLiteral(" byte(s)\n- ") +
                         QString::number(ed->ContarLinhas()) + QStringLiteral(" linha(s)\n");
    Message(&m, text, QStringLiteral("Contadores"), MsgIcon::Information);
    m.ShowStatusMessage(QStringLiteral("Contadores"));
}

QString DateTimeText(int index) {
    const QLocale locale = InsertLocale();
    const QDateTime now = CurrentDateTime();
    if (index == 10) return LongDateText(now.date(), locale);
    return FormatDatePattern(index, now, DateSeparator(locale), TimeSeparator(locale));
}

// Runs insert when there is a document and writes what it gives.
void InsertFor(frmMain &m, const std::function<QString(ICorvelEdit *)> &text) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    InsertAtCaret(m, text(ed));
}

QString DiskSize(ICorvelEdit *ed) {
    const QString path = ed->Arquivo();
    if (path.isEmpty()) return QString();
    const QFileInfo fi(path);
    if (!fi.isFile()) return QString();
    return FormatSize(fi.size());
}

} // namespace

void RegisterInfoCommands(frmMain &m) {
    m.SetHandler(corvel::cmd::FerramentasCont, [&m] { Counters(m); });
    m.SetHandler(corvel::cmd::EditarDesfazer, [&m] {
        ICorvelEdit *ed = m.CurrentEditor();
        if (!ed) return;
        ed->Desfazer();
        m.ShowStatusMessage(QStringLiteral("Desfazer"));
    });
    m.SetHandler(corvel::cmd::EditarSelecionarTudo, [&m] {
        ICorvelEdit *ed = m.CurrentEditor();
        if (!ed) return;
        ed->setSelInicio(0);
        ed->setSelTamanho(int(ed->Texto().size()));
        m.ShowStatusMessage(QStringLiteral("Selecionar Tudo"));
    });

    for (int i = 1; i <= 10; ++i) {
        m.SetHandler(corvel::cmd::InfoDataHoraItem(i), [&m, i] {
            if (!m.CurrentEditor()) return;
            InsertAtCaret(m, DateTimeText(i));
            m.ShowStatusMessage(QStringLiteral("Data/Hora Corrente"));
        });
    }
    m.SetHandler(corvel::cmd::UsuarioNome, [&m] {
        InsertFor(m, [](ICorvelEdit *) {
            return ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("Usuario"));
        });
    });
    m.SetHandler(corvel::cmd::UsuarioEmail, [&m] {
        InsertFor(m, [](ICorvelEdit *) {
            return ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("Email"));
        });
    });
    m.SetHandler(corvel::cmd::DocumentoNome, [&m] {
        InsertFor(m, [](ICorvelEdit *ed) { return QFileInfo(ed->Arquivo()).fileName(); });
    });
    m.SetHandler(corvel::cmd::DocumentoCaminho,
                 [&m] { InsertFor(m, [](ICorvelEdit *ed) { return ed->Arquivo(); }); });
    m.SetHandler(corvel::cmd::TamanhoDisco, [&m] {
        ICorvelEdit *ed = m.CurrentEditor();
        if (!ed) return;
        const QString size = DiskSize(ed);
        if (!size.isEmpty()) InsertAtCaret(m, size);
    });
    m.SetHandler(corvel::cmd::TamanhoEdicao,
                 [&m] { InsertFor(m, [](ICorvelEdit *ed) { return FormatSize(ed->Tamanho()); }); });
}

} // namespace corvel::texttools
