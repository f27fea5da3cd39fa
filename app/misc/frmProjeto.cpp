#include "frmProjeto.h"

#include "Dialogs.h"
#include "ProjectFile.h"
#include "ProjectRules.h"
#include "WindowKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

using namespace corvel;

namespace {

QLineEdit *NewBox(QWidget *parent, const char *name) {
    auto *b = new QLineEdit(parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QPushButton *NewButton(QWidget *parent, const char *name, const char *caption) {
    auto *b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QLatin1String(name));
    // Enter in a field must not press a button the user did not mean.
    b->setAutoDefault(false);
    return b;
}

QLabel *NewLabel(QWidget *parent, const char *name, const char *text, QWidget *buddy) {
    auto *l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setBuddy(buddy);
    return l;
}

const char *const kMustExist = "\n(ela já deve estar criada)";

} // namespace

frmProjeto::frmProjeto(ProjectHost host, QWidget *parent) : QDialog(parent), m_host(host) {
    setObjectName(QStringLiteral("frmProjeto"));
    setWindowTitle(QStringLiteral("Projeto"));
    setModal(true);
    buildForm();
    connect(btnProcPrinc, &QPushButton::clicked, this, [this] { btnProcPrinc_Click(); });
    connect(btnProcImg, &QPushButton::clicked, this, [this] { btnProcImg_Click(); });
    connect(btnAddClass, &QPushButton::clicked, this, [this] { btnAddClass_Click(); });
    connect(txtAddClass, &QLineEdit::returnPressed, this, [this] { btnAddClass_Click(); });
    connect(btnRemClass, &QPushButton::clicked, this, [this] { btnRemClass_Click(); });
    connect(btnSalvar, &QPushButton::clicked, this, [this] { btnSalvar_Click(); });
    connect(btnSalvarUsar, &QPushButton::clicked, this, [this] { btnSalvarUsar_Click(); });
    // Escape closes the window without saving.
    AttachDialogKeys(this, {{Qt::Key_Escape, [this] { reject(); }}});
}

void frmProjeto::buildForm() {
    txtNome = NewBox(this, "txtNome");
    txtPrincipal = NewBox(this, "txtPrincipal");
    txtImagens = NewBox(this, "txtImagens");
    txtAddClass = NewBox(this, "txtAddClass");
    btnProcPrinc = NewButton(this, "btnProcPrinc", "&Procurar");
    btnProcImg = NewButton(this, "btnProcImg", "Pr&ocurar");
    btnAddClass = NewButton(this, "btnAddClass", "&Adicionar");
    btnRemClass = NewButton(this, "btnRemClass", "&Remover");
    btnSalvar = NewButton(this, "btnSalvar", "&Salvar");
    btnSalvarUsar = NewButton(this, "btnSalvarUsar", "Salvar e &Usar");
    lstClasses = new QListWidget(this);
    lstClasses->setObjectName(QStringLiteral("lstClasses"));
    lstClasses->setSelectionMode(QAbstractItemView::SingleSelection);

    auto *grid = new QGridLayout;
    int row = 0;
    grid->addWidget(NewLabel(this, "lblNome", "Nome do Projeto", txtNome), row++, 0, 1, 2);
    grid->addWidget(txtNome, row++, 0, 1, 2);
    grid->addWidget(NewLabel(this, "lblPrincipal", "Pasta principal do site", txtPrincipal), row++,
                    0, 1, 2);
    grid->addWidget(txtPrincipal, row, 0);
    grid->addWidget(btnProcPrinc, row++, 1);
    grid->addWidget(NewLabel(this, "lblImagens", "Pasta de imagens do site", txtImagens), row++, 0,
                    1, 2);
    grid->addWidget(txtImagens, row, 0);
    grid->addWidget(btnProcImg, row++, 1);
    grid->addWidget(NewLabel(this, "lblClasses", "Classes pré-definidas", txtAddClass), row++, 0, 1,
                    2);
    grid->addWidget(txtAddClass, row, 0);
    grid->addWidget(btnAddClass, row++, 1);
    grid->addWidget(lstClasses, row, 0);
    auto *remove = new QVBoxLayout;
    remove->addWidget(btnRemClass);
    remove->addStretch(1);
    grid->addLayout(remove, row, 1);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(0, 1);
    txtNome->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    lstClasses->setMinimumHeight(fontMetrics().height() * 6);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnSalvar);
    buttons->addWidget(btnSalvarUsar);

    // Each field, then the button that serves it.
    QWidget *order[] = {txtNome,     txtPrincipal, btnProcPrinc, txtImagens,
                        btnProcImg,  txtAddClass,  btnAddClass,  lstClasses,
                        btnRemClass, btnSalvar,    btnSalvarUsar};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    auto *all = new QVBoxLayout(this);
    all->addLayout(grid, 1);
    all->addLayout(buttons);
}

void frmProjeto::Editar() {
    m_edit = true;
    m_file = m_host.projectInUse ? m_host.projectInUse() : QString();
    const Project p = ReadProject(m_file);
    txtNome->setText(p.name);
    txtPrincipal->setText(p.mainFolder);
    txtImagens->setText(p.imageFolder);
    lstClasses->clear();
    lstClasses->addItems(p.classes);
}

void frmProjeto::browse(QLineEdit *field, const QString &prompt) {
    const QString current = field->text().trimmed();
    const QString start = QFileInfo(current).isDir() ? current : QString();
    const QString chosen =
        Dialogs().chooseFolder(this, prompt + QString::fromUtf8(kMustExist), start);
    // Cancelling the chooser empties the field.
    field->setText(chosen.isEmpty() ? QString()
                                    : QDir::cleanPath(QFileInfo(chosen).absoluteFilePath()));
}

void frmProjeto::btnProcPrinc_Click() {
    browse(txtPrincipal, QStringLiteral("Especifique qual pasta irá ser a principal do site"));
}

void frmProjeto::btnProcImg_Click() {
    browse(txtImagens, QStringLiteral("Especifique qual pasta possuirá as imagens do site"));
}

void frmProjeto::btnAddClass_Click() {
    lstClasses->addItem(txtAddClass->text());
    txtAddClass->clear();
    txtAddClass->setFocus();
}

void frmProjeto::btnRemClass_Click() {
    const QList<QListWidgetItem *> selected = lstClasses->selectedItems();
    if (selected.isEmpty()) {
        Message(this, QStringLiteral("Selecione um item para remover."),
                QStringLiteral("Remover Classe"), MsgIcon::Information);
        return;
    }
    delete selected.first();
}

QStringList frmProjeto::classes() const {
    QStringList out;
    for (int i = 0; i < lstClasses->count(); ++i)
        out << lstClasses->item(i)->text();
    return out;
}

QString frmProjeto::btnSalvar_Click() {
    Project p;
    p.name = txtNome->text().trimmed();
    p.mainFolder = txtPrincipal->text().trimmed();
    p.imageFolder = txtImagens->text().trimmed();
    p.classes = classes();
    // Refused before the file is asked for: nothing is written that the
    // project could not use.
    if (const ProjectProblem problem = CheckProjectForSave(p)) {
        Message(this, ProjectProblemText(problem), QStringLiteral("Projeto"), MsgIcon::Warning);
        return QString();
    }
    QString target = m_file;
    if (!m_edit) {
        int index = 1;
        target = Dialogs().saveFile(this, QStringLiteral("Salvar Projeto"), ProjectsFolder(),
                                    ProjectFileFilter(), &index);
        if (target.isEmpty()) return QString();
        target = QFileInfo(target).absoluteFilePath();
    }
    QString error;
    if (!WriteProject(target, p, m_edit ? ProjectWrite::Update : ProjectWrite::Replace, &error)) {
        Message(this,
                QStringLiteral("Não foi possível gravar o projeto em %1.\n\n%2")
                    .arg(QDir::toNativeSeparators(target), error),
                QStringLiteral("Salvar Projeto"), MsgIcon::Critical);
        return QString();
    }
    Message(this,
            QStringLiteral("O projeto \"%1\" foi gravado com sucesso em %2")
                .arg(p.name, QDir::toNativeSeparators(target)),
            QStringLiteral("Projeto Gravado"), MsgIcon::Information);
    return target;
}

void frmProjeto::btnSalvarUsar_Click() {
    const QString target = btnSalvar_Click();
    if (target.isEmpty() || !QFileInfo(target).isFile()) return;
    if (m_host.useProject) m_host.useProject(target);
    Message(this,
            QStringLiteral("O projeto gravado foi ") +
                (m_edit ? QStringLiteral("recarregado") : QStringLiteral("aberto")) +
                QStringLiteral(" para uso."),
            QStringLiteral("Projeto Aberto"), MsgIcon::Information);
    accept();
}
