#include "frmScripts.h"

#include "Dialogs.h"
#include "Folders.h"
#include "ScriptExpansion.h"
#include "ScriptFile.h"
#include "ScriptRules.h"
#include "Settings.h"
#include "frmScriptEditar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <iterator>

using namespace corvel;

namespace {

const QColor kRowColour(0, 0, 192);
const QColor kUnusedBox(192, 192, 192);
const QColor kUsedBox(255, 255, 255);

void SetBoxColour(QLineEdit *box, const QColor &c) {
    QPalette p = box->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Base, c);
    box->setPalette(p);
}

QPushButton *NewButton(QWidget *parent, const char *name, const QString &caption) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

frmScripts::frmScripts(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmScripts"));
    setWindowTitle(QStringLiteral("Scripts"));
    setModal(true);

    lblScNome = new QLabel(this);
    lblScNome->setObjectName(QStringLiteral("lblScNome"));
    QFont big = lblScNome->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    lblScNome->setFont(big);

    auto *frame = new QGroupBox(QStringLiteral(" Templates Disponíveis "), this);
    frame->setObjectName(QStringLiteral("fraTemplates"));
    Lista = new QTreeWidget(frame);
    Lista->setObjectName(QStringLiteral("Lista"));
    Lista->setColumnCount(2);
    Lista->setHeaderLabels({QStringLiteral("Atalho"), QStringLiteral("Descrição")});
    Lista->setRootIsDecorated(false);
    Lista->setUniformRowHeights(true);
    Lista->setAllColumnsShowFocus(true);
    Lista->setSelectionMode(QAbstractItemView::SingleSelection);
    Lista->header()->setStretchLastSection(true);
    Lista->header()->setSectionsMovable(false);
    Lista->setColumnWidth(0, logicalDpiX() * 670 / 1440);
    Lista->setMinimumSize(380, 180);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(Lista);

    auto *lblAtalho = new QLabel(QStringLiteral("Atalho"), this);
    lblAtalho->setObjectName(QStringLiteral("lblAtalho"));
    txtAtalho = new QLineEdit(this);
    txtAtalho->setObjectName(QStringLiteral("txtAtalho"));
    lblAtalho->setBuddy(txtAtalho);

    auto *fields = new QGridLayout;
    fields->addWidget(lblAtalho, 0, 0);
    fields->addWidget(txtAtalho, 0, 1);
    for (int k = 0; k < 4; ++k) {
        lblParam[k] = new QLabel(this);
        lblParam[k]->setObjectName(QStringLiteral("lblParam(%1)").arg(k));
        txtParam[k] = new QLineEdit(this);
        txtParam[k]->setObjectName(QStringLiteral("txtParam(%1)").arg(k));
        lblParam[k]->setBuddy(txtParam[k]);
        fields->addWidget(lblParam[k], k + 1, 0);
        fields->addWidget(txtParam[k], k + 1, 1);
    }
    fields->setColumnStretch(1, 1);

    btnOk = NewButton(this, "btnOk", QStringLiteral("&Ok"));
    btnCriar = NewButton(this, "btnCriar", QStringLiteral("&Criar"));
    btnEditar = NewButton(this, "btnEditar", QStringLiteral("&Editar"));
    btnRemover = NewButton(this, "btnRemover", QStringLiteral("&Remover"));
    // Enter anywhere in the dialog runs the script.
    btnOk->setDefault(true);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {btnOk, btnCriar, btnEditar, btnRemover})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblScNome, 0, 0);
    grid->addWidget(frame, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addLayout(fields, 2, 0);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 1);

    connect(btnOk, &QPushButton::clicked, this, &frmScripts::btnOk_Click);
    connect(btnCriar, &QPushButton::clicked, this, &frmScripts::btnCriar_Click);
    connect(btnEditar, &QPushButton::clicked, this, &frmScripts::btnEditar_Click);
    connect(btnRemover, &QPushButton::clicked, this, &frmScripts::btnRemover_Click);
    connect(Lista, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { Lista_ItemClick(item); });
    // Moving through the list with the keys chooses as a click does.
    connect(Lista, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item && Lista->hasFocus()) Lista_ItemClick(item);
    });
    connect(txtAtalho, &QLineEdit::textEdited, this, [this] { txtAtalho_Change(); });
    // Key releases stop at the boxes that take them: watch every child for
    // the Escape that closes the dialog.
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);

    // The shortcut box first: the dialog is used by typing a shortcut.
    QWidget *order[] = {txtAtalho, txtParam[0], txtParam[1], txtParam[2], txtParam[3],
                        btnOk,     btnCriar,    btnEditar,   btnRemover,  Lista};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    txtAtalho->setFocus();

    ShowScriptParameters(QString());
    resize(sizeHint().expandedTo(QSize(560, 440)));
}

void frmScripts::SetTarget(Target target) {
    m_target = std::move(target);
}

bool frmScripts::MontaLista(const QString &languageCode) {
    Lista->clear();
    ShowScriptParameters(QString());
    m_code = languageCode;
    m_file = ScriptFilePath(ProgramFolder(), languageCode);

    ScriptFileStatus status = ScriptFileStatus::Ok;
    const QVector<ScriptListRow> rows = ReadScriptList(m_file, &status);
    if (status != ScriptFileStatus::Ok) {
        Message(this,
                QStringLiteral("Ocorreu um erro ao carregar o arquivo com os dados do script. "
                               "Provavelmente o arquivo está corrompido. Tente reinstalar o Corvel "
                               "ou entre em contato conosco para que possamos ajudá-lo."),
                QStringLiteral("Erro Crítico"), MsgIcon::Critical);
        return false;
    }
    for (const ScriptListRow &r : rows)
        AddScriptListItem(r.shortcut, r.description);
    // At least 670 twips, wider when a shortcut needs it.
    Lista->resizeColumnToContents(0);
    Lista->setColumnWidth(0, qMax(Lista->columnWidth(0), logicalDpiX() * 670 / 1440));
    SelectRow(0);
    return true;
}

void frmScripts::AddScriptListItem(const QString &shortcut, const QString &description) {
    const QString key = shortcut.toUpper();
    auto *item = new QTreeWidgetItem(Lista, {key, description});
    item->setData(0, Qt::UserRole, key);
    QFont bold = item->font(0);
    bold.setBold(true);
    item->setFont(0, bold);
    item->setForeground(0, kRowColour);
}

void frmScripts::ShowScriptParameters(const QString &shortcut) {
    const QStringList names =
        shortcut.isEmpty() ? QStringList() : ReadScript(m_file, shortcut).parameters;
    for (int k = 0; k < 4; ++k) {
        const bool used = k < names.size();
        lblParam[k]->setEnabled(used);
        lblParam[k]->setText(used ? names[k] : QStringLiteral("(não usado)"));
        txtParam[k]->setEnabled(used);
        SetBoxColour(txtParam[k], used ? kUsedBox : kUnusedBox);
        if (!used) txtParam[k]->clear();
    }
}

void frmScripts::SelectRow(int i) {
    QTreeWidgetItem *item = Lista->topLevelItem(i);
    if (!item) return;
    {
        const QSignalBlocker block(Lista);
        Lista->setCurrentItem(item);
    }
    Lista->scrollToItem(item);
    ShowScriptParameters(item->text(0));
}

void frmScripts::Lista_ItemClick(QTreeWidgetItem *item) {
    if (!item) return;
    const QString key = item->data(0, Qt::UserRole).toString();
    ShowScriptParameters(key);
    txtAtalho->setText(key);
}

void frmScripts::txtAtalho_Change() {
    QStringList rows;
    for (int i = 0; i < Lista->topLevelItemCount(); ++i)
        rows << Lista->topLevelItem(i)->text(0);
    const int row = FindShortcutRow(txtAtalho->text(), rows);
    if (row >= 0) SelectRow(row);
}

bool frmScripts::eventFilter(QObject *watched, QEvent *event) {
    // Escape closes the dialog when it is released.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (k->key() == Qt::Key_Escape && k->modifiers() == Qt::NoModifier) {
            if (event->type() == QEvent::KeyRelease && !k->isAutoRepeat()) reject();
            return true;
        }
    }
    // Releasing the mouse over the list leads on to the first parameter.
    if (watched == Lista->viewport() && event->type() == QEvent::MouseButtonRelease &&
        txtParam[0]->isEnabled())
        txtParam[0]->setFocus();
    return QDialog::eventFilter(watched, event);
}

void frmScripts::btnOk_Click() {
    QTreeWidgetItem *item = Lista->currentItem();
    if (Lista->topLevelItemCount() == 0) return;
    if (!item) item = Lista->topLevelItem(0);

    bool found = false;
    const ScriptEntry script = ReadScript(m_file, item->text(0).trimmed(), &found);
    const long long tabs =
        SettingNumber(ReadSetting(QStringLiteral("Editor"), QStringLiteral("Tabs")));
    const int column = m_target.column ? m_target.column() : 1;
    // The script vanished from the file since the list was built, or the
    // settings ask for an indentation no editor could show.
    if (!found || tabs < 0 || tabs > 1000 || column < 1) {
        Message(this,
                QStringLiteral("Ocorreu um erro ao montar a saída do script. Caso o erro persista, "
                               "reinstale o Corvel ou entre em contato conosco."),
                QStringLiteral("Erro de Montagem"), MsgIcon::Critical);
        reject();
        return;
    }
    const bool realTab = ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("RealTAB")) ==
                         QLatin1String("1");
    QStringList values;
    for (QLineEdit *box : txtParam)
        values << box->text();
    const ScriptExpansion out =
        ExpandScript(script.output, values, column, ScriptIndentStep(realTab, int(tabs)));
    if (m_target.insert) m_target.insert(out.text, out.caretBack);
    accept();
}

void frmScripts::RunEditor(const QString &shortcut, bool isNew) {
    frmScriptEditar editor(this);
    editor.Carrega(m_file, shortcut, isNew);
    editor.exec();
}

void frmScripts::btnCriar_Click() {
    RunEditor(QString(), true);
    MontaLista(m_code);
}

void frmScripts::btnEditar_Click() {
    QTreeWidgetItem *item = Lista->currentItem();
    if (Lista->topLevelItemCount() == 0 || !item) return;
    const int row = Lista->indexOfTopLevelItem(item);
    RunEditor(item->text(0), false);
    MontaLista(m_code);
    SelectRow(row);
}

void frmScripts::btnRemover_Click() {
    QTreeWidgetItem *item = Lista->currentItem();
    if (Lista->topLevelItemCount() == 0 || !item) return;
    if (Message(this, QStringLiteral("Confirma a remoção deste item?"), QStringLiteral("Remover"),
                MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
        return;
    QString error;
    switch (RemoveScript(m_file, item->text(0), &error)) {
    case RemoveOutcome::Removed:
    case RemoveOutcome::FileRemoved:
        MontaLista(m_code);
        Message(this, QStringLiteral("O item foi removido com sucesso."),
                QStringLiteral("Removido"), MsgIcon::Information);
        break;
    case RemoveOutcome::NotFound:
        MontaLista(m_code);
        Message(this,
                QStringLiteral("O item não existe mais no arquivo de scripts. A lista foi "
                               "atualizada."),
                QStringLiteral("Remover"), MsgIcon::Information);
        break;
    case RemoveOutcome::Failed:
        Message(this,
                QStringLiteral("Não foi possível remover o item: o arquivo de scripts não pôde ser "
                               "regravado (%1). Nenhum script foi alterado.")
                    .arg(error),
                QStringLiteral("Erro ao Remover"), MsgIcon::Critical);
        break;
    }
}
