#pragma once
// The new-page definition "Definição de HTML": writes the skeleton of an HTML
// page (document type, head with its meta elements and title) into the
// current document, leaves the caret where the body goes and can then open
// the command dialog for BODY.
#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

struct HtmlDefinitionHost {
    // True when there is a current document.
    std::function<bool()> hasDocument;
    // Writes the text into the current document with the tag-insertion
    // routine; the caret goes back caretBack characters from its end.
    std::function<void(const QString &text, int caretBack)> insert;
    // Opens the command dialog for an element.
    std::function<void(const QString &element, int helpId)> comando;
};

class frmHTMLDef : public QDialog {
    Q_OBJECT
public:
    explicit frmHTMLDef(HtmlDefinitionHost host, QWidget *parent = nullptr);

    // False when there is no document (the dialog is then not shown).
    bool Form_Load();
    void btnPronto_Click();

    QLineEdit *txtTitulo = nullptr;
    QLineEdit *txtDescricao = nullptr;
    QLineEdit *txtPalavras = nullptr;
    QCheckBox *chkIdent = nullptr;
    QCheckBox *chkBody = nullptr;
    QPushButton *btnPronto = nullptr;

private:
    HtmlDefinitionHost m_host;
};
