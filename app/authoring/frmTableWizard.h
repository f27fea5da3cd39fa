#pragma once
// The table wizard "Table Wizard": writes a table skeleton of a given number
// of rows and columns. The start tags of the table, its rows and its cells
// are edited by hand or composed with the command dialog, whose result then
// lands in the wizard instead of the document.
#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

// What the wizard needs from the program around it.
struct TableWizardHost {
    // Writes the skeleton into the current document (the tag-insertion
    // routine with the user's case and quote style, caret after the text).
    std::function<void(const QString &text)> insert;
    // Opens the command dialog for an element; its result goes to handOff
    // (element, trimmed result) instead of the document.
    std::function<void(const QString &element, int helpId,
                       std::function<bool(const QString &, const QString &)> handOff)>
        comando;
};

class frmTableWizard : public QDialog {
    Q_OBJECT
public:
    explicit frmTableWizard(TableWizardHost host, QWidget *parent = nullptr);

    // Takes the command dialog's result for "TABLE", "TR" or "TD".
    bool TakeCommandResult(const QString &element, const QString &result);

    void btnConcluir_Click();
    void btnMontar_Click(const QString &element, int helpId);

    QLineEdit *txtLinhas = nullptr;
    QLineEdit *txtColunas = nullptr;
    QLineEdit *txtTable = nullptr;
    QLineEdit *txtTR = nullptr;
    QLineEdit *txtTD = nullptr;
    QPushButton *btnMontarTable = nullptr;
    QPushButton *btnMontarTR = nullptr;
    QPushButton *btnMontarTD = nullptr;
    QCheckBox *chkComentario = nullptr;
    QCheckBox *chkEndentado = nullptr;
    QCheckBox *chkLinhaBranco = nullptr;
    QCheckBox *chkNaoPular = nullptr;
    QPushButton *btnConcluir = nullptr;

private:
    TableWizardHost m_host;
};
