#include "frmLinkSelect.h"

#include "Dialogs.h"
#include "Folders.h"
#include "ImageSize.h"
#include "IniFiles.h"
#include "LinkText.h"
#include "Settings.h"
#include "WindowKeys.h"
#include "frmComando.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace corvel;

namespace {

const QString kConfig = QStringLiteral("Configuracao");

QString Setting(const char *key) {
    return ReadSetting(kConfig, QLatin1String(key));
}

void SetSetting(const char *key, const QString &value) {
    WriteSetting(kConfig, QLatin1String(key), value);
}

template <class T> T *Make(QWidget *parent, const char *name) {
    auto *c = new T(parent);
    c->setObjectName(QLatin1String(name));
    return c;
}

// A frame that keeps its room while hidden: the three kinds share one place,
// and the dialog keeps its size when the kind changes.
QGroupBox *KindFrame(QWidget *parent, const char *name, const QString &title) {
    auto *g = Make<QGroupBox>(parent, name);
    g->setTitle(title);
    QSizePolicy p = g->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    g->setSizePolicy(p);
    return g;
}

// The folder of a path, without a final separator.
QString FolderOf(const QString &path) {
    return QFileInfo(path).absolutePath();
}

QString Normalised(const QString &folder) {
    if (folder.isEmpty()) return folder;
    QString f = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    while (f.size() > 1 && f.endsWith(QLatin1Char('/')))
        f.chop(1);
    return f;
}

} // namespace

frmLinkSelect::frmLinkSelect(frmComando *owner, const QString &tag)
    : QDialog(owner), m_owner(owner), m_tag(tag) {
    setObjectName(QStringLiteral("frmLinkSelect"));
    setWindowTitle(QStringLiteral("Arquivo ou Link"));
    setProperty("Tag", tag);
    buildForm();
    AttachDialogKeys(this, {{Qt::Key_F2, [this] { ChooseKind(0); }},
                            {Qt::Key_F3, [this] { ChooseKind(1); }},
                            {Qt::Key_F4, [this] { ChooseKind(2); }},
                            {Qt::Key_Escape, [this] { reject(); }}});
}

frmLinkSelect::~frmLinkSelect() = default;

void frmLinkSelect::buildForm() {
    // Controls are created in tab order; the layouts only place them.
    optArquivo = Make<QRadioButton>(this, "optArquivo");
    optArquivo->setText(QStringLiteral("&Arquivo"));
    optURL = Make<QRadioButton>(this, "optURL");
    optURL->setText(QStringLiteral("&URL"));
    optEmail = Make<QRadioButton>(this, "optEmail");
    optEmail->setText(QStringLiteral("&E-mail"));

    const int chars = fontMetrics().averageCharWidth();
    frameArquivo = KindFrame(this, "frameArquivo", QStringLiteral(" Arquivo "));
    txtArquivo = Make<QLineEdit>(frameArquivo, "txtArquivo");
    txtArquivo->setMinimumWidth(40 * chars);
    btnArqProcura = Make<QPushButton>(frameArquivo, "btnArqProcura");
    btnArqProcura->setText(QStringLiteral("P&rocurar"));
    btnArqProcura->setAutoDefault(false);
    auto *relative = new QLabel(
        QStringLiteral("Como utilizar o caminho relativo (especificar antes de Procurar):"),
        frameArquivo);
    optArqApenasNome = Make<QRadioButton>(frameArquivo, "optArqApenasNome");
    optArqApenasNome->setText(
        QStringLiteral("&Não especificar o caminho (somente nome do arquivo)"));
    optArqCaminhoHTML = Make<QRadioButton>(frameArquivo, "optArqCaminhoHTML");
    optArqCaminhoHTML->setText(
        QStringLiteral("Utilizar caminho em relação ao arquivo &HTML (se gravado)"));
    optArqCamProjeto = Make<QRadioButton>(frameArquivo, "optArqCamProjeto");
    optArqCamProjeto->setText(QStringLiteral(
        "Utilizar caminho em relação ao pro&jeto sendo utilizado (se especificado)"));
    chkArqBarraInicio = Make<QCheckBox>(frameArquivo, "chkArqBarraInicio");
    chkArqBarraInicio->setText(QStringLiteral("Inserir &barra no início do caminho (se existir)"));
    chkArvConvMinusculo = Make<QCheckBox>(frameArquivo, "chkArvConvMinusculo");
    chkArvConvMinusculo->setText(QStringLiteral("Converter para &minúsculo"));
    {
        auto *g = new QGridLayout(frameArquivo);
        g->addWidget(txtArquivo, 0, 0, 1, 2);
        g->addWidget(btnArqProcura, 0, 2);
        g->addWidget(relative, 1, 0, 1, 3);
        g->addWidget(optArqApenasNome, 2, 1, 1, 2);
        g->addWidget(optArqCaminhoHTML, 3, 1, 1, 2);
        g->addWidget(optArqCamProjeto, 4, 1, 1, 2);
        g->addWidget(chkArqBarraInicio, 5, 0, 1, 3);
        g->addWidget(chkArvConvMinusculo, 6, 0, 1, 3);
        g->setColumnMinimumWidth(0, 2 * chars);
        g->setColumnStretch(1, 1);
        g->setRowStretch(7, 1);
    }

    frameURL = KindFrame(this, "frameURL", QStringLiteral(" URL "));
    cmbURLProtocolo = Make<QComboBox>(frameURL, "cmbURLProtocolo");
    txtURL = Make<QLineEdit>(frameURL, "txtURL");
    auto *porta = new QLabel(QStringLiteral("Porta"), frameURL);
    cmbURLPorta = Make<QComboBox>(frameURL, "cmbURLPorta");
    cmbURLPorta->setEditable(true);
    auto *usuario = new QLabel(QStringLiteral("Usuário"), frameURL);
    txtURLUsuario = Make<QLineEdit>(frameURL, "txtURLUsuario");
    auto *senha = new QLabel(QStringLiteral("Senha"), frameURL);
    txtURLSenha = Make<QLineEdit>(frameURL, "txtURLSenha");
    txtURLSenha->setEchoMode(QLineEdit::Password);
    {
        auto *g = new QGridLayout(frameURL);
        g->addWidget(cmbURLProtocolo, 0, 0);
        g->addWidget(txtURL, 0, 1, 1, 2);
        g->addWidget(porta, 1, 0);
        g->addWidget(usuario, 1, 1);
        g->addWidget(senha, 1, 2);
        g->addWidget(cmbURLPorta, 2, 0);
        g->addWidget(txtURLUsuario, 2, 1);
        g->addWidget(txtURLSenha, 2, 2);
        g->setColumnStretch(1, 1);
        g->setColumnStretch(2, 1);
        g->setRowStretch(3, 1);
    }

    frameEmail = KindFrame(this, "frameEmail", QStringLiteral(" E-mail "));
    txtEmail = Make<QLineEdit>(frameEmail, "txtEmail");
    auto *assunto = new QLabel(QStringLiteral("Assunto"), frameEmail);
    txtEmailAssunto = Make<QLineEdit>(frameEmail, "txtEmailAssunto");
    auto *corpo = new QLabel(QStringLiteral("Corpo"), frameEmail);
    txtEmailCorpo = Make<QLineEdit>(frameEmail, "txtEmailCorpo");
    {
        auto *v = new QVBoxLayout(frameEmail);
        for (QWidget *w : {static_cast<QWidget *>(txtEmail), static_cast<QWidget *>(assunto),
                           static_cast<QWidget *>(txtEmailAssunto),
                           static_cast<QWidget *>(corpo), static_cast<QWidget *>(txtEmailCorpo)})
            v->addWidget(w);
        v->addStretch(1);
    }

    btnPronto = Make<QPushButton>(this, "btnPronto");
    btnPronto->setText(QStringLiteral("&Pronto"));
    btnPronto->setDefault(true);

    auto *column = new QVBoxLayout(this);
    auto *kinds = new QHBoxLayout;
    kinds->addWidget(optArquivo);
    kinds->addWidget(optURL);
    kinds->addWidget(optEmail);
    kinds->addStretch(1);
    column->addLayout(kinds);
    // The three frames share one cell; only the chosen one shows.
    auto *cell = new QGridLayout;
    cell->addWidget(frameArquivo, 0, 0);
    cell->addWidget(frameURL, 0, 0);
    cell->addWidget(frameEmail, 0, 0);
    column->addLayout(cell, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnPronto);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);

    connect(optArquivo, &QRadioButton::clicked, this, [this] { ChooseKind(0); });
    connect(optURL, &QRadioButton::clicked, this, [this] { ChooseKind(1); });
    connect(optEmail, &QRadioButton::clicked, this, [this] { ChooseKind(2); });
    connect(optArqApenasNome, &QRadioButton::clicked, this,
            [] { SetSetting("ArqCamRelativo", QStringLiteral("0")); });
    connect(optArqCaminhoHTML, &QRadioButton::clicked, this,
            [] { SetSetting("ArqCamRelativo", QStringLiteral("1")); });
    connect(optArqCamProjeto, &QRadioButton::clicked, this,
            [] { SetSetting("ArqCamRelativo", QStringLiteral("2")); });
    connect(chkArqBarraInicio, &QCheckBox::clicked, this, [](bool on) {
        SetSetting("ArqBarraInicio", on ? QStringLiteral("1") : QStringLiteral("0"));
    });
    connect(chkArvConvMinusculo, &QCheckBox::clicked, this, [](bool on) {
        SetSetting("ArqConvMin", on ? QStringLiteral("1") : QStringLiteral("0"));
    });
    connect(btnArqProcura, &QPushButton::clicked, this, &frmLinkSelect::btnArqProcura_Click);
    connect(btnPronto, &QPushButton::clicked, this, &frmLinkSelect::btnPronto_Click);
}

void frmLinkSelect::Form_Load() {
    const QString mode = Setting("ArqCamRelativo");
    if (mode == QLatin1String("0"))
        optArqApenasNome->setChecked(true);
    else if (mode == QLatin1String("2"))
        optArqCamProjeto->setChecked(true);
    else
        optArqCaminhoHTML->setChecked(true);
    chkArqBarraInicio->setChecked(Setting("ArqBarraInicio") == QLatin1String("1"));
    chkArvConvMinusculo->setChecked(Setting("ArqConvMin") == QLatin1String("1"));
    cmbURLProtocolo->addItems({QStringLiteral("http://"), QStringLiteral("ftp://"),
                               QStringLiteral("news://"), QStringLiteral("telnet://"),
                               QStringLiteral("nttp://"), QStringLiteral("gopher://")});
    cmbURLProtocolo->setCurrentIndex(0);
    cmbURLPorta->addItems({QStringLiteral("80"), QStringLiteral("21"), QStringLiteral("23"),
                           QStringLiteral("119"), QStringLiteral("8080")});
    cmbURLPorta->setCurrentIndex(-1);
    cmbURLPorta->setEditText(QString());
    ChooseKind(0);
}

void frmLinkSelect::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void frmLinkSelect::Form_Activate() {
    if (m_activated) return;
    m_activated = true;
    if (m_tag == QLatin1String("Img")) optEmail->hide();
    txtArquivo->setFocus();
}

void frmLinkSelect::ChooseKind(int kind) {
    if (kind == 2 && m_tag == QLatin1String("Img")) return;
    optArquivo->setChecked(kind == 0);
    optURL->setChecked(kind == 1);
    optEmail->setChecked(kind == 2);
    frameArquivo->setVisible(kind == 0);
    frameURL->setVisible(kind == 1);
    frameEmail->setVisible(kind == 2);
}

int frmLinkSelect::Kind() const {
    if (optURL->isChecked()) return 1;
    if (optEmail->isChecked()) return 2;
    return 0;
}

QString frmLinkSelect::project() const {
    if (projectFile) return projectFile();
    return m_owner ? m_owner->ProjectFile() : QString();
}

QString frmLinkSelect::projectValue(const char *key) const {
    const QString p = project();
    if (p.isEmpty()) return QString();
    return Normalised(ReadIniValue(QStringLiteral("Projeto"), QLatin1String(key), p));
}

QString frmLinkSelect::initialFolder(const QString &mode, bool image) const {
    const QString doc =
        documentFile ? documentFile() : (m_owner ? m_owner->DocumentFile() : QString());
    if (mode == QLatin1String("1") && !doc.isEmpty()) return FolderOf(doc);
    const char *projectKey = image ? "Imagens" : "Principal";
    if (mode == QLatin1String("2")) return projectValue(projectKey);
    if (!project().isEmpty()) return projectValue(projectKey);
    const QString base = ReadSetting(QStringLiteral("Pasta Base"), QStringLiteral("Selecionada"));
    if (!base.isEmpty()) return base;
    QString last;
    if (image && Setting("ImgPathDoc") != QLatin1String("1"))
        last = ReadSetting(QStringLiteral("Caminhos"), QStringLiteral("UltDirImg"));
    else
        last = ReadSetting(QStringLiteral("Caminhos"), QStringLiteral("UltDir"));
    return last.isEmpty() ? ProgramFolder() : last;
}

void frmLinkSelect::btnArqProcura_Click() {
    const bool image = m_tag == QLatin1String("Img");
    const QString mode = optArqApenasNome->isChecked()   ? QStringLiteral("0")
                         : optArqCamProjeto->isChecked() ? QStringLiteral("2")
                                                         : QStringLiteral("1");
    const QString filters =
        image ? QStringLiteral("Arquivos GIF (*.gif);;Arquivos JPEG (*.jpg *.jpe *.jpeg);;"
                               "Todos os Arquivos (*)")
              : QStringLiteral("Hipertexto (*.htm *.html);;Linguagens (*.asp *.php);;"
                               "Texto (*.txt);;Todos os Arquivos (*)");
    const char *indexKey = image ? "TipoArqImg" : "TipoArq";
    int index = int(SettingNumber(Setting(indexKey)));
    const QString chosen = Dialogs().openFile(this, QStringLiteral("Arquivo"),
                                              initialFolder(mode, image), filters, &index);
    if (chosen.isEmpty()) return; // cancelled: nothing changes
    SetSetting(indexKey, QString::number(index));

    if (image && m_owner && Setting("ImgWH") == QLatin1String("1") &&
        m_owner->ComandoName().toUpper() == QLatin1String("IMG")) {
        const QStringList wh = ImageSize(chosen).split(QLatin1Char(','));
        const bool border = Setting("ImgBorder0") == QLatin1String("1");
        if (wh.size() == 2) {
            m_owner->SetParameterValue(QStringLiteral("WIDTH"), wh[0]);
            m_owner->SetParameterValue(QStringLiteral("HEIGHT"), wh[1]);
            if (border) m_owner->SetParameterValue(QStringLiteral("BORDER"), QStringLiteral("0"));
        } else {
            m_owner->SetParameterValue(QStringLiteral("WIDTH"), QString());
            m_owner->SetParameterValue(QStringLiteral("HEIGHT"), QString());
            if (border) m_owner->SetParameterValue(QStringLiteral("BORDER"), QString());
        }
    }

    QString base;
    if (mode == QLatin1String("1")) {
        const QString doc =
            documentFile ? documentFile() : (m_owner ? m_owner->DocumentFile() : QString());
        if (!doc.isEmpty()) base = FolderOf(doc);
    } else if (mode == QLatin1String("2")) {
        base = projectValue("Principal");
    }
    txtArquivo->setText(LinkPathText(chosen, base, mode, chkArqBarraInicio->isChecked(),
                                     chkArvConvMinusculo->isChecked()));

    if (mode != QLatin1String("2")) {
        const QString folder = FolderOf(chosen) + QLatin1Char('/');
        if (!image)
            WriteSetting(QStringLiteral("Caminhos"), QStringLiteral("UltDir"), folder);
        else if (Setting("ImgPathDoc") != QLatin1String("1"))
            WriteSetting(QStringLiteral("Caminhos"), QStringLiteral("UltDirImg"), folder);
    }
}

void frmLinkSelect::btnPronto_Click() {
    QString result;
    switch (Kind()) {
    case 0:
        if (!txtArquivo->text().trimmed().isEmpty())
            result = EncodeSpaces(txtArquivo->text().trimmed());
        break;
    case 1:
        result = BuildUrl(cmbURLProtocolo->currentText(), txtURL->text(),
                          cmbURLPorta->currentText(), txtURLUsuario->text(), txtURLSenha->text());
        break;
    case 2:
        result = BuildMailto(txtEmail->text(), txtEmailAssunto->text(), txtEmailCorpo->text());
        break;
    }
    if (m_owner && !result.isEmpty()) m_owner->RetornoForm = result;
    accept();
}
