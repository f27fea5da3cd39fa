#include "frmTableWizard.h"

#include "Dialogs.h"
#include "PageSkeletons.h"
#include "Settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

using namespace corvel;

namespace {

const QString kConfig = QStringLiteral("Configuracao");

template <class W> W *Named(W *w, const char *name) {
    w->setObjectName(QLatin1String(name));
    return w;
}

// A check box kept in a "1"/"0" setting, written as soon as it is clicked.
QCheckBox *SettingBox(QWidget *parent, const char *name, const QString &caption,
                      const QString &key) {
    auto *box = Named(new QCheckBox(caption, parent), name);
    box->setChecked(ReadSetting(kConfig, key) == QLatin1String("1"));
    QObject::connect(box, &QCheckBox::clicked, box, [key](bool on) {
        WriteSetting(kConfig, key, on ? QStringLiteral("1") : QStringLiteral("0"));
    });
    return box;
}

} // namespace

frmTableWizard::frmTableWizard(TableWizardHost host, QWidget *parent)
    : QDialog(parent), m_host(std::move(host)) {
    setObjectName(QStringLiteral("frmTableWizard"));
    setWindowTitle(QStringLiteral("Table Wizard"));

    auto *size = Named(new QGroupBox(QStringLiteral("Tamanho da Tabela"), this), "fraTamanho");
    txtLinhas = Named(new QLineEdit(size), "txtLinhas");
    txtColunas = Named(new QLineEdit(size), "txtColunas");
    auto *sizeGrid = new QGridLayout(size);
    auto *lblLinhas = new QLabel(QStringLiteral("Linhas"), size);
    auto *lblColunas = new QLabel(QStringLiteral("Colunas"), size);
    lblLinhas->setBuddy(txtLinhas);
    lblColunas->setBuddy(txtColunas);
    sizeGrid->addWidget(lblLinhas, 0, 0);
    sizeGrid->addWidget(txtLinhas, 0, 1);
    sizeGrid->addWidget(lblColunas, 1, 0);
    sizeGrid->addWidget(txtColunas, 1, 1);

    auto *tags = new QGridLayout;
    auto addTag = [&](int row, const QString &caption, QLineEdit *&edit, const char *editName,
                      const QString &initial, QPushButton *&button, const char *buttonName,
                      const QString &buttonCaption, const QString &element, int helpId) {
        edit = Named(new QLineEdit(initial, this), editName);
        button = Named(new QPushButton(buttonCaption, this), buttonName);
        button->setAutoDefault(false);
        auto *label = new QLabel(caption, this);
        label->setBuddy(edit);
        tags->addWidget(label, row * 2, 0, 1, 2);
        tags->addWidget(edit, row * 2 + 1, 0);
        tags->addWidget(button, row * 2 + 1, 1);
        connect(button, &QPushButton::clicked, this,
                [this, element, helpId] { btnMontar_Click(element, helpId); });
    };
    addTag(0, QStringLiteral("Comando para Tabela"), txtTable, "txtTable",
           QStringLiteral("<TABLE>"), btnMontarTable, "btnMontarTable", QStringLiteral("&Montar"),
           QStringLiteral("TABLE"), 9006);
    addTag(1, QStringLiteral("Comando para Linhas"), txtTR, "txtTR", QStringLiteral("<TR>"),
           btnMontarTR, "btnMontarTR", QStringLiteral("M&ontar"), QStringLiteral("TR"), 9007);
    addTag(2, QStringLiteral("Comando para Colunas"), txtTD, "txtTD", QStringLiteral("<TD>"),
           btnMontarTD, "btnMontarTD", QStringLiteral("Mo&ntar"), QStringLiteral("TD"), 9008);
    tags->setColumnStretch(0, 1);

    chkComentario = SettingBox(this, "chkComentario",
                               QStringLiteral("Inseri&r comentário com o número de linha e coluna"),
                               QStringLiteral("TWizComentario"));
    chkEndentado =
        SettingBox(this, "chkEndentado",
                   QStringLiteral("Exibir os comandos em forma &hierarquica (endentado)"),
                   QStringLiteral("TWizRecuo"));
    chkLinhaBranco = SettingBox(this, "chkLinhaBranco",
                                QStringLiteral("&Inserir uma linha em branco entre cada TD"),
                                QStringLiteral("TWizEspacoLinha"));
    chkNaoPular =
        SettingBox(this, "chkNaoPular", QStringLiteral("Não pular &linha entre o <TD> e </TD>"),
                   QStringLiteral("TWizNaoLinha"));
    chkLinhaBranco->setEnabled(!chkNaoPular->isChecked());
    connect(chkNaoPular, &QCheckBox::toggled, this,
            [this](bool on) { chkLinhaBranco->setEnabled(!on); });

    btnConcluir = Named(new QPushButton(QStringLiteral("&Concluir"), this), "btnConcluir");
    btnConcluir->setDefault(true);
    connect(btnConcluir, &QPushButton::clicked, this, &frmTableWizard::btnConcluir_Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(size);
    layout->addLayout(tags);
    layout->addWidget(chkComentario);
    layout->addWidget(chkEndentado);
    layout->addWidget(chkLinhaBranco);
    layout->addWidget(chkNaoPular);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnConcluir);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    txtLinhas->setFocus();
}

bool frmTableWizard::TakeCommandResult(const QString &element, const QString &result) {
    QLineEdit *target = element == QLatin1String("TABLE") ? txtTable
                        : element == QLatin1String("TR")  ? txtTR
                        : element == QLatin1String("TD")  ? txtTD
                                                          : nullptr;
    if (!target) return false;
    target->setText(result.trimmed());
    return true;
}

void frmTableWizard::btnMontar_Click(const QString &element, int helpId) {
    if (!m_host.comando) return;
    m_host.comando(element, helpId, [this](const QString &e, const QString &result) {
        return TakeCommandResult(e, result);
    });
}

void frmTableWizard::btnConcluir_Click() {
    TableSkeletonOptions o;
    if (!ParseTableCount(txtLinhas->text(), &o.rows)) {
        Message(this, QStringLiteral("Informe o número de linhas da tabela."),
                QStringLiteral("Linhas"), MsgIcon::Warning);
        txtLinhas->setFocus();
        return;
    }
    if (!ParseTableCount(txtColunas->text(), &o.columns)) {
        Message(this, QStringLiteral("Informe o número de colunas da tabela."),
                QStringLiteral("Colunas"), MsgIcon::Warning);
        txtColunas->setFocus();
        return;
    }
    const qint64 cells = qint64(o.rows) * o.columns;
    if (cells > MaxTableCells) {
        const QLocale br(QLocale::Portuguese, QLocale::Brazil);
        Message(this,
                QStringLiteral("A tabela teria %1 células. Informe linhas e colunas que somem "
                               "no máximo %2 células.")
                    .arg(br.toString(cells), br.toString(MaxTableCells)),
                QStringLiteral("Table Wizard"), MsgIcon::Warning);
        txtLinhas->setFocus();
        return;
    }
    o.tableTag = txtTable->text();
    o.rowTag = txtTR->text();
    o.cellTag = txtTD->text();
    o.comment = chkComentario->isChecked();
    o.indented = chkEndentado->isChecked();
    o.blankLine = chkLinhaBranco->isChecked();
    o.sameLine = chkNaoPular->isChecked();
    o.realTab = ReadSetting(kConfig, QStringLiteral("RealTAB")) == QLatin1String("1");
    o.tabWidth =
        qBound(0, ReadSetting(QStringLiteral("Editor"), QStringLiteral("Tabs")).toInt(), 64);
    if (m_host.insert) m_host.insert(TableSkeleton(o));
    accept();
}
