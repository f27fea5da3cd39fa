#include "frmLinkSelect.h"

#include "Dialogs.h"
#include "Folders.h"
#include "ImageSize.h"
#include "IniFiles.h"
#include "LinkText.h"
#include "Settings.h"
#include "frmComando.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace corvel;

namespace {

const QString kConfig = QStringLiteral("Configuracao");

QString Setting(const char *key) {
    return ReadSetting(kConfig, QLatin1String(key));
}

void SetSetting(const char *key, const QString &value) {
    WriteSetting(kConfig, QLatin1String(key), value);
}

template <class T> T *Make(QWidget *parent, const char *name, int x, int y, int w, int h) {
    auto *c = new T(parent);
    c->setObjectName(QLatin1String(name));
    c->setGeometry(x, y, w, h);
    return c;
}

QLabel *Caption(const QString &text, QWidget *parent, int x, int y, int w) {
    auto *l = new QLabel(text, parent);
    l->setGeometry(x, y, w, 17);
    return l;
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
    qApp->installEventFilter(this);
}

frmLinkSelect::~frmLinkSelect() {
    qApp->removeEventFilter(this);
}

void frmLinkSelect::buildForm() {
    setFixedSize(520, 300);
    optArquivo = new QRadioButton(QStringLiteral("&Arquivo"), this);
    optArquivo->setObjectName(QStringLiteral("optArquivo"));
    optArquivo->setGeometry(12, 8, 100, 22);
    optURL = new QRadioButton(QStringLiteral("&URL"), this);
    optURL->setObjectName(QStringLiteral("optURL"));
    optURL->setGeometry(120, 8, 80, 22);
    optEmail = new QRadioButton(QStringLiteral("&E-mail"), this);
    optEmail->setObjectName(QStringLiteral("optEmail"));
    optEmail->setGeometry(208, 8, 100, 22);

    const QRect frame(8, 36, 504, 220);
    frameArquivo =
        Make<QGroupBox>(this, "frameArquivo", frame.x(), frame.y(), frame.width(), frame.height());
    frameArquivo->setTitle(QStringLiteral(" Arquivo "));
    txtArquivo = Make<QLineEdit>(frameArquivo, "txtArquivo", 12, 26, 378, 25);
    btnArqProcura = Make<QPushButton>(frameArquivo, "btnArqProcura", 398, 26, 94, 25);
    btnArqProcura->setText(QStringLiteral("P&rocurar"));
    btnArqProcura->setAutoDefault(false);
    Caption(QStringLiteral("Como utilizar o caminho relativo (especificar antes de Procurar):"),
            frameArquivo, 12, 60, 480);
    optArqApenasNome = Make<QRadioButton>(frameArquivo, "optArqApenasNome", 24, 80, 470, 22);
    optArqApenasNome->setText(
        QStringLiteral("&Não especificar o caminho (somente nome do arquivo)"));
    optArqCaminhoHTML = Make<QRadioButton>(frameArquivo, "optArqCaminhoHTML", 24, 102, 470, 22);
    optArqCaminhoHTML->setText(
        QStringLiteral("Utilizar caminho em relação ao arquivo &HTML (se gravado)"));
    optArqCamProjeto = Make<QRadioButton>(frameArquivo, "optArqCamProjeto", 24, 124, 470, 22);
    optArqCamProjeto->setText(QStringLiteral(
        "Utilizar caminho em relação ao pro&jeto sendo utilizado (se especificado)"));
    chkArqBarraInicio = Make<QCheckBox>(frameArquivo, "chkArqBarraInicio", 12, 156, 480, 22);
    chkArqBarraInicio->setText(QStringLiteral("Inserir &barra no início do caminho (se existir)"));
    chkArvConvMinusculo = Make<QCheckBox>(frameArquivo, "chkArvConvMinusculo", 12, 180, 480, 22);
    chkArvConvMinusculo->setText(QStringLiteral("Converter para &minúsculo"));

    frameURL =
        Make<QGroupBox>(this, "frameURL", frame.x(), frame.y(), frame.width(), frame.height());
    frameURL->setTitle(QStringLiteral(" URL "));
    cmbURLProtocolo = Make<QComboBox>(frameURL, "cmbURLProtocolo", 12, 26, 110, 25);
    txtURL = Make<QLineEdit>(frameURL, "txtURL", 128, 26, 364, 25);
    Caption(QStringLiteral("Porta"), frameURL, 12, 64, 100);
    cmbURLPorta = Make<QComboBox>(frameURL, "cmbURLPorta", 12, 82, 110, 25);
    cmbURLPorta->setEditable(true);
    Caption(QStringLiteral("Usuário"), frameURL, 128, 64, 170);
    txtURLUsuario = Make<QLineEdit>(frameURL, "txtURLUsuario", 128, 82, 176, 25);
    Caption(QStringLiteral("Senha"), frameURL, 312, 64, 170);
    txtURLSenha = Make<QLineEdit>(frameURL, "txtURLSenha", 312, 82, 180, 25);
    txtURLSenha->setEchoMode(QLineEdit::Password);

    frameEmail =
        Make<QGroupBox>(this, "frameEmail", frame.x(), frame.y(), frame.width(), frame.height());
    frameEmail->setTitle(QStringLiteral(" E-mail "));
    txtEmail = Make<QLineEdit>(frameEmail, "txtEmail", 12, 26, 480, 25);
    Caption(QStringLiteral("Assunto"), frameEmail, 12, 62, 200);
    txtEmailAssunto = Make<QLineEdit>(frameEmail, "txtEmailAssunto", 12, 80, 480, 25);
    Caption(QStringLiteral("Corpo"), frameEmail, 12, 114, 200);
    txtEmailCorpo = Make<QLineEdit>(frameEmail, "txtEmailCorpo", 12, 132, 480, 25);

    btnPronto = Make<QPushButton>(this, "btnPronto", 418, 266, 94, 26);
    btnPronto->setText(QStringLiteral("&Pronto"));
    btnPronto->setDefault(true);

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

bool frmLinkSelect::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyRelease && event->type() != QEvent::KeyPress) return false;
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || w->window() != this || !isVisible()) return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::KeyPress) return key->key() == Qt::Key_Escape;
    if (key->isAutoRepeat()) return false;
    switch (key->key()) {
    case Qt::Key_F2:
        ChooseKind(0);
        return true;
    case Qt::Key_F3:
        ChooseKind(1);
        return true;
    case Qt::Key_F4:
        ChooseKind(2);
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    default:
        return false;
    }
}
