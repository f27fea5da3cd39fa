#pragma once
// The scripts dialog "Scripts": the templates of one language (JS, ASP or
// PHP) in a list; the user picks one by clicking it or typing its shortcut,
// fills in its parameters and Ok inserts the expanded text. Create, edit and
// remove work on the language's script file.
#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmScripts : public QDialog {
    Q_OBJECT
public:
    // Where an expanded script goes: the caret's column (from 1) and the
    // routine that writes the text with the caret caretBack characters
    // before its end. Without a target Ok expands and inserts nothing.
    struct Target {
        std::function<int()> column;
        std::function<void(const QString &text, int caretBack)> insert;
    };

    explicit frmScripts(QWidget *parent = nullptr);
    void SetTarget(Target target);

    // Fills the list from the language's file; false (after the message)
    // when the file cannot be read, and then the dialog is not shown.
    bool MontaLista(const QString &languageCode);
    // The script file and language the dialog works on.
    QString FilePath() const { return m_file; }
    QString LanguageCode() const { return m_code; }

    QLabel *lblScNome = nullptr;
    QTreeWidget *Lista = nullptr;
    QLineEdit *txtAtalho = nullptr;
    QLineEdit *txtParam[4] = {};
    QLabel *lblParam[4] = {};
    QPushButton *btnOk = nullptr;
    QPushButton *btnCriar = nullptr;
    QPushButton *btnEditar = nullptr;
    QPushButton *btnRemover = nullptr;

public slots:
    void btnOk_Click();
    void btnCriar_Click();
    void btnEditar_Click();
    void btnRemover_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowScriptParameters(const QString &shortcut);
    void AddScriptListItem(const QString &shortcut, const QString &description);
    void Lista_ItemClick(QTreeWidgetItem *item);
    void txtAtalho_Change();
    // Selects row i (when it exists) and shows its parameters.
    void SelectRow(int i);
    // Runs the script editor over this dialog, then rebuilds the list.
    void RunEditor(const QString &shortcut, bool isNew);

    Target m_target;
    QString m_file;
    QString m_code;
};
