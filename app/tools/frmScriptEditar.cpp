#include "frmScriptEditar.h"

#include "Dialogs.h"
#include "ScriptFile.h"
#include "ScriptRules.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace corvel;

namespace {

const char *const kPlaceholders[7] = {"<#P1#>", "<#P2#>", "<#P3#>", "<#P4#>",
                                      "<#T#>",  "<#E#>",  "<#C#>"};

const char *const kExplanations[4] = {
    "<#P1#> a <#P4#> representam cada um dos quatro possíveis parâmetros",
    "<#T#> representa o espaçamento equivalente a um tab (endentamento)",
    "<#E#> força um espaço em branco no final de uma linha do script",
    "<#C#> representa a posição onde o cursor de texto deverá ser colocado",
};

QLabel *NewLabel(QWidget *parent, const QString &name, const QString &text) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLineEdit *NewBox(QWidget *parent, const QString &name) {
    auto *b = new QLineEdit(parent);
    b->setObjectName(name);
    return b;
}

struct Complaint {
    const char *text;
    const char *title;
    MsgIcon icon;
};

Complaint ComplaintFor(ScriptFault f) {
    switch (f) {
    case ScriptFault::NoDescription:
        return {"Informe uma breve descrição para o script.", "Descrição", MsgIcon::Warning};
    case ScriptFault::NoContent:
        return {"O conteúdo do script não foi informado.", "Conteúdo", MsgIcon::Warning};
    case ScriptFault::NoShortcut:
        return {"Você deve informar uma combinação de letras (atalho) para o script.", "Atalho",
                MsgIcon::Warning};
    case ScriptFault::LeadingNumber:
        return {"O atalho não pode começar com um número.", "Atalho", MsgIcon::Warning};
    case ScriptFault::ShortcutCharacter:
        return {"O atalho só pode conter letras, números, \"_\" e \"-\".", "Atalho",
                MsgIcon::Warning};
    case ScriptFault::ShortcutInUse:
        return {"O atalho informado já está em uso por outro script. Escolha outro atalho.",
                "Já Existente", MsgIcon::Critical};
    case ScriptFault::ParameterComma:
        return {"O nome de um parâmetro não pode conter vírgulas.", "Parâmetros", MsgIcon::Warning};
    case ScriptFault::None:
        break;
    }
    return {"", "", MsgIcon::None};
}

} // namespace

frmScriptEditar::frmScriptEditar(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmScriptEditar"));
    setWindowTitle(QStringLiteral("Scripts - Edição"));
    setModal(true);

    txtAtalho = NewBox(this, QStringLiteral("txtAtalho"));
    txtAtalho->setMaxLength(40);
    txtDescricao = NewBox(this, QStringLiteral("txtDescricao"));
    auto *lblAtalho = NewLabel(this, QStringLiteral("lblAtalho"), QStringLiteral("Atalho"));
    auto *lblDescricao =
        NewLabel(this, QStringLiteral("lblDescricao"), QStringLiteral("Descrição"));
    lblAtalho->setBuddy(txtAtalho);
    lblDescricao->setBuddy(txtDescricao);

    auto *top = new QGridLayout;
    top->addWidget(lblAtalho, 0, 0);
    top->addWidget(lblDescricao, 0, 1);
    top->addWidget(txtAtalho, 1, 0);
    top->addWidget(txtDescricao, 1, 1);
    top->setColumnStretch(1, 1);
    for (int k = 1; k <= 4; ++k) {
        txtParam[k] = NewBox(this, QStringLiteral("txtParam(%1)").arg(k));
        auto *l = NewLabel(this, QStringLiteral("lblParam(%1)").arg(k),
                           QStringLiteral("Descrição do Parâmetro %1").arg(k));
        l->setBuddy(txtParam[k]);
        const int row = 2 + (k - 1) / 2 * 2, col = (k - 1) % 2;
        top->addWidget(l, row, col);
        top->addWidget(txtParam[k], row + 1, col);
    }
    top->setColumnStretch(0, 1);

    txtConteudo = new QPlainTextEdit(this);
    txtConteudo->setObjectName(QStringLiteral("txtConteudo"));
    QFont mono(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    if (!QFontDatabase::hasFamily(mono.family()))
        mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    txtConteudo->setFont(mono);
    txtConteudo->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab leaves the box: indentation is written as <#T#>.
    txtConteudo->setTabChangesFocus(true);
    txtConteudo->setMinimumSize(460, 180);
    auto *lblConteudo =
        NewLabel(this, QStringLiteral("lblConteudo"), QStringLiteral("Conteúdo do script"));
    lblConteudo->setBuddy(txtConteudo);

    auto *inserts = new QHBoxLayout;
    for (int n = 0; n < 7; ++n) {
        btnInserir[n] = new QPushButton(QString::fromLatin1(kPlaceholders[n]), this);
        btnInserir[n]->setObjectName(QStringLiteral("btnInserir(%1)").arg(n));
        btnInserir[n]->setAutoDefault(false);
        btnInserir[n]->setToolTip(
            QStringLiteral("Insere %1 no conteúdo").arg(QString::fromLatin1(kPlaceholders[n])));
        connect(btnInserir[n], &QPushButton::clicked, this, [this, n] { btnInserir_Click(n); });
        inserts->addWidget(btnInserir[n]);
    }
    inserts->addStretch(1);

    auto *explanations = new QVBoxLayout;
    explanations->setSpacing(2);
    for (int i = 0; i < 4; ++i)
        explanations->addWidget(NewLabel(this, QStringLiteral("lblExplica(%1)").arg(i),
                                         QString::fromUtf8(kExplanations[i])));

    btnConcluir = new QPushButton(QStringLiteral("&Concluir"), this);
    btnConcluir->setObjectName(QStringLiteral("btnConcluir"));
    btnConcluir->setAutoDefault(false);
    connect(btnConcluir, &QPushButton::clicked, this, &frmScriptEditar::btnConcluir_Click);
    auto *bottom = new QHBoxLayout;
    bottom->addLayout(explanations, 1);
    bottom->addWidget(btnConcluir, 0, Qt::AlignBottom);

    auto *column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(lblConteudo);
    column->addWidget(txtConteudo, 1);
    column->addLayout(inserts);
    column->addLayout(bottom);

    // Key releases stop at the boxes that take them: watch every child for
    // the Escape that closes the editor.
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
}

void frmScriptEditar::Carrega(const QString &file, const QString &shortcut, bool isNew) {
    m_file = file;
    m_isNew = isNew;
    if (isNew) {
        setWindowTitle(QStringLiteral("Scripts - Inclusão"));
        m_storedShortcut.clear();
        return;
    }
    m_storedShortcut = shortcut;
    const ScriptEntry e = ReadScript(file, shortcut);
    txtDescricao->setText(e.description);
    txtConteudo->setPlainText(StoredToTemplate(e.output));
    txtAtalho->setText(shortcut);
    // A shortcut names its section: it cannot change.
    txtAtalho->setReadOnly(true);
    for (int k = 1; k <= 4; ++k)
        txtParam[k]->setText(k - 1 < e.parameters.size() ? e.parameters[k - 1] : QString());
}

void frmScriptEditar::btnInserir_Click(int index) {
    if (index < 0 || index > 6) return;
    txtConteudo->insertPlainText(QString::fromLatin1(kPlaceholders[index]));
    txtConteudo->setFocus();
}

void frmScriptEditar::btnConcluir_Click() {
    txtDescricao->setText(txtDescricao->text().trimmed());
    if (!txtAtalho->isReadOnly()) txtAtalho->setText(txtAtalho->text().trimmed().toUpper());
    ScriptDraft d;
    for (int k = 1; k <= 4; ++k) {
        txtParam[k]->setText(txtParam[k]->text().trimmed());
        d.parameters << txtParam[k]->text();
    }
    d.shortcut = txtAtalho->text();
    d.description = txtDescricao->text();
    d.content = txtConteudo->toPlainText();

    const QString file = m_file;
    const ScriptFault fault = CheckScript(d, m_isNew, [file](const QString &s) {
        bool found = false;
        const ScriptEntry e = ReadScript(file, s, &found);
        return found && !e.description.isEmpty();
    });
    if (fault != ScriptFault::None) {
        const Complaint c = ComplaintFor(fault);
        Message(this, QString::fromUtf8(c.text), QString::fromUtf8(c.title), c.icon);
        if (fault == ScriptFault::NoDescription)
            txtDescricao->setFocus();
        else if (fault == ScriptFault::NoContent)
            txtConteudo->setFocus();
        else if (fault != ScriptFault::ParameterComma)
            txtAtalho->setFocus();
        return;
    }

    ScriptEntry e;
    e.shortcut = m_isNew ? d.shortcut : m_storedShortcut;
    e.description = d.description;
    e.parameters = d.parameters;
    e.output = d.content;
    QString error;
    if (!WriteScript(m_file, e, &error)) {
        Message(this,
                QStringLiteral("Não foi possível gravar o script no arquivo %1 (%2). O arquivo "
                               "não foi alterado.")
                    .arg(m_file, error),
                QStringLiteral("Erro de Gravação"), MsgIcon::Critical);
        return;
    }
    if (m_isNew)
        Message(this, QStringLiteral("O script foi incluído com sucesso."),
                QStringLiteral("Inclusão"), MsgIcon::Information);
    else
        Message(this, QStringLiteral("O script foi atualizado com sucesso."),
                QStringLiteral("Edição"), MsgIcon::Information);
    accept();
}

// Escape closes the editor, without saving, when it is released.
bool frmScriptEditar::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (k->key() == Qt::Key_Escape && k->modifiers() == Qt::NoModifier) {
            if (event->type() == QEvent::KeyRelease && !k->isAutoRepeat()) reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
