#pragma once
// The script editor "Scripts - Edição" / "Scripts - Inclusão": shortcut,
// description, up to four parameter names and the template, with buttons
// that type the placeholders. Concluir checks and writes the script into the
// language's file.
#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class frmScriptEditar : public QDialog {
    Q_OBJECT
public:
    explicit frmScriptEditar(QWidget *parent = nullptr);

    // Prepares the editor for the script of that shortcut in file (an empty
    // shortcut and isNew for a new script).
    void Carrega(const QString &file, const QString &shortcut, bool isNew);

    QLineEdit *txtAtalho = nullptr;
    QLineEdit *txtDescricao = nullptr;
    QLineEdit *txtParam[5] = {}; // indices 1 to 4
    QPlainTextEdit *txtConteudo = nullptr;
    QPushButton *btnInserir[7] = {};
    QPushButton *btnConcluir = nullptr;

public slots:
    void btnInserir_Click(int index);
    void btnConcluir_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_file;
    QString m_storedShortcut; // empty for a new script
    bool m_isNew = true;
};
