#pragma once
// The link dialog "Arquivo ou Link": fills an address parameter of the
// command dialog with a file of the site (relative to the page or the
// project), a URL or an e-mail address, and for images measures the chosen
// file into WIDTH and HEIGHT. Its result goes to the command dialog's
// RetornoForm.
#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class frmComando;

class frmLinkSelect : public QDialog {
    Q_OBJECT
public:
    // owner: the command dialog it works for; tag "Img" for an image.
    frmLinkSelect(frmComando *owner, const QString &tag);
    ~frmLinkSelect() override;

    // The project in use (its file), "" when none; unset: the command
    // dialog's.
    std::function<QString()> projectFile;
    // File of the current document ("" when it has none).
    std::function<QString()> documentFile;

    void Form_Load();
    void Form_Activate();
    void btnArqProcura_Click();
    void btnPronto_Click();
    // 0 file, 1 URL, 2 e-mail (what a click on the option buttons does).
    void ChooseKind(int kind);
    int Kind() const;

    QString Tag() const { return m_tag; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildForm();
    QString project() const;
    QString projectValue(const char *key) const;
    QString initialFolder(const QString &mode, bool image) const;

    frmComando *m_owner;
    QString m_tag;
    bool m_activated = false;

public:
    QRadioButton *optArquivo = nullptr;
    QRadioButton *optURL = nullptr;
    QRadioButton *optEmail = nullptr;
    QGroupBox *frameArquivo = nullptr;
    QLineEdit *txtArquivo = nullptr;
    QPushButton *btnArqProcura = nullptr;
    QRadioButton *optArqApenasNome = nullptr;
    QRadioButton *optArqCaminhoHTML = nullptr;
    QRadioButton *optArqCamProjeto = nullptr;
    QCheckBox *chkArqBarraInicio = nullptr;
    QCheckBox *chkArvConvMinusculo = nullptr;
    QGroupBox *frameURL = nullptr;
    QComboBox *cmbURLProtocolo = nullptr;
    QLineEdit *txtURL = nullptr;
    QComboBox *cmbURLPorta = nullptr;
    QLineEdit *txtURLUsuario = nullptr;
    QLineEdit *txtURLSenha = nullptr;
    QGroupBox *frameEmail = nullptr;
    QLineEdit *txtEmail = nullptr;
    QLineEdit *txtEmailAssunto = nullptr;
    QLineEdit *txtEmailCorpo = nullptr;
    QPushButton *btnPronto = nullptr;
};
