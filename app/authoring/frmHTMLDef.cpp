#include "frmHTMLDef.h"

#include "AppInfo.h"
#include "PageSkeletons.h"
#include "Settings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace corvel;

namespace {
const QString kConfig = QStringLiteral("Configuracao");

template <class W> W *Named(W *w, const char *name) {
    w->setObjectName(QLatin1String(name));
    return w;
}
} // namespace

frmHTMLDef::frmHTMLDef(HtmlDefinitionHost host, QWidget *parent)
    : QDialog(parent), m_host(std::move(host)) {
    setObjectName(QStringLiteral("frmHTMLDef"));
    setWindowTitle(QStringLiteral("Definição de HTML"));
    txtTitulo = Named(new QLineEdit(this), "txtTitulo");
    txtDescricao = Named(new QLineEdit(this), "txtDescricao");
    txtPalavras = Named(new QLineEdit(this), "txtPalavras");
    for (QLineEdit *e : {txtTitulo, txtDescricao, txtPalavras})
        e->setMinimumWidth(320);
    chkIdent = Named(new QCheckBox(QStringLiteral("Inserir identificação de documento"), this),
                     "chkIdent");
    chkBody =
        Named(new QCheckBox(QStringLiteral("Ao concluir, formatar corpo (Body)"), this), "chkBody");
    btnPronto = Named(new QPushButton(QStringLiteral("&Concluir"), this), "btnPronto");
    btnPronto->setDefault(true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Título da página"), txtTitulo);
    form->addRow(QStringLiteral("Descrição"), txtDescricao);
    form->addRow(QStringLiteral("Palavras-chave"), txtPalavras);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnPronto);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(chkIdent);
    layout->addWidget(chkBody);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto keep = [](QCheckBox *box, const QString &key) {
        QObject::connect(box, &QCheckBox::clicked, box, [key](bool on) {
            WriteSetting(kConfig, key, on ? QStringLiteral("1") : QStringLiteral("0"));
        });
    };
    keep(chkIdent, QStringLiteral("HipertextoIdent"));
    keep(chkBody, QStringLiteral("Corpo"));
    connect(btnPronto, &QPushButton::clicked, this, &frmHTMLDef::btnPronto_Click);
}

bool frmHTMLDef::Form_Load() {
    if (!m_host.hasDocument || !m_host.hasDocument()) return false;
    chkIdent->setChecked(ReadSetting(kConfig, QStringLiteral("HipertextoIdent")) ==
                         QLatin1String("1"));
    chkBody->setChecked(ReadSetting(kConfig, QStringLiteral("Corpo")) == QLatin1String("1"));
    txtTitulo->setFocus();
    return true;
}

void frmHTMLDef::btnPronto_Click() {
    PageSkeletonOptions o;
    o.documentType = chkIdent->isChecked();
    o.author = ReadSetting(kConfig, QStringLiteral("Usuario"));
    o.description = txtDescricao->text();
    o.keywords = txtPalavras->text();
    o.title = txtTitulo->text();
    o.siteAddress = SiteAddress();
    o.majorVersion = VersionText().section(QLatin1Char('.'), 0, 0).toInt();
    const bool body = chkBody->isChecked();
    if (m_host.insert) m_host.insert(PageSkeleton(o), PageSkeletonCaretBack);
    accept();
    if (body && m_host.comando) m_host.comando(QStringLiteral("Body"), 9009);
}
