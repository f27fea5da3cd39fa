#pragma once
// The command dialog: built at run time from an element's definition file,
// it walks the element's parameters (one page of controls each, created in
// Frame1), a style page and a script-event page, previews the start tag in
// txtResultado and writes it into the current document.
#include "CommandFile.h"
#include "CommandResult.h"
#include "TagText.h"
#include "corvel/ICorvelEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <functional>
#include <optional>

class QFrame;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QListWidget;
class QStackedWidget;
class frmComando;

// What the dialog needs from the program around it.
struct CommandDialogHost {
    // The current document's editor, or nullptr.
    std::function<ICorvelEdit *()> currentEditor;
    // Writes markup into the current document (the tag-insertion routine).
    std::function<void(const corvel::TagInsert &tag)> insertTag;
    // The project in use (path of its file), or "" when there is none.
    std::function<QString()> projectFile;
    // The table wizard, when open, takes the result of "TABLE", "TR" or
    // "TD": returns true when it took it.
    std::function<bool(const QString &element, const QString &result)> tableWizard;
    // Shows the link dialog for the command dialog (image: for an image).
    // Unset: the real link dialog, modal.
    std::function<void(frmComando &dialog, bool image)> linkDialog;
    // Opens the program's help at a context number (unset: no help).
    std::function<void(int context)> help;
};

class frmComando : public QDialog {
    Q_OBJECT
public:
    // fileName: the chosen definition file, name and extension ("IMG.tpa").
    frmComando(const QString &fileName, int helpId, CommandDialogHost host,
               QWidget *parent = nullptr);
    ~frmComando() override;

    // The loading steps. False when the dialog closed itself (no document,
    // a missing or faulty file); the message has been shown then.
    bool Form_Load();
    // What the first activation does: select the first parameter.
    void Form_Activate();

    // Written by the link dialog: a chosen path or address.
    QString RetornoForm;

    QString DefinitionPath() const { return m_path; }
    QString ComandoName() const { return m_comando; }
    bool IsBlock() const { return m_block; }
    QVector<corvel::CommandParameter> &Parameters() { return m_params; }
    QVector<corvel::StyleProperty> &Styles() { return m_styles; }
    QVector<corvel::ScriptEvent> &Events() { return m_events; }
    // Sets a parameter's value by name (upper case); false when none has it.
    bool SetParameterValue(const QString &name, const QString &value);
    QString ParameterValue(const QString &name) const;
    int CurrentParameter() const { return m_current; }
    int CurrentPage() const;
    bool Inserted() const { return m_inserted; }
    // File of the current document ("" when it has none) and the project in
    // use ("" when none), for the link dialog.
    QString DocumentFile() const;
    QString ProjectFile() const;

    // Stores the value of parameter `from`'s control, rebuilds the result and,
    // unless `to` is -1, builds the page of parameter `to`.
    void SwitchParameter(int from, int to);
    // Creates the controls of a parameter section in Frame1.
    void BuildParameterPage(const QString &section);
    // Writes txtResultado from the tables.
    void BuildResult();
    void ShowPage(int page);

    // Handlers.
    void btnConcluir_Click();
    void btnAtualizar_Click();
    void btnEstilo_Click();
    void btnJavaScript_Click();
    void btnEstiloPronto_Click();
    void btnJSPronto_Click();
    void btnAjuda_Click();
    void btnAjudaLocal_Click();
    void DynButton_Click(const QString &action);

    // The editing control of the parameter page (only one exists).
    QLineEdit *DynText() const { return m_dynText; }
    QComboBox *DynSelect() const { return m_dynSelect; }
    QCheckBox *DynCheck() const { return m_dynCheck; }
    QPushButton *DynButton() const { return m_dynButton; }

    // The font names of "#fontes", read once per run.
    static const QStringList &FontNames();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildForm();
    // Tab and Shift+Tab select the next and the previous parameter.
    bool tabKey(QKeyEvent *key);
    void fail(const QString &title, const QString &text);
    void clearFrame1();
    void selectParameter(int index);
    void putChoice(const QString &text);
    void cmbEstilo_Change();
    void cmbValor_Change();
    void cmbJSEvento_Change();
    void txtJSAcao_Change();
    QString read(const QString &section, const char *key) const;
    // The definition file as read once at load (values looked up in constant
    // time, so that a file with thousands of parameters opens at once).
    std::optional<corvel::CommandFileReader> m_file;

    QString m_fileName;
    QString m_path;
    CommandDialogHost m_host;
    QString m_comando;
    bool m_block = false;
    QVector<corvel::CommandParameter> m_params;
    QSet<int> m_visited; // parameters whose page stored a value
    QVector<corvel::StyleProperty> m_styles;
    QVector<corvel::ScriptEvent> m_events;
    int m_current = 0;
    int m_pending = -1;
    int m_currentStyle = -1;
    int m_currentEvent = -1;
    quint16 m_counter = 0;
    bool m_activated = false;
    bool m_showing = false; // inside showEvent: the window is not mapped yet
    bool m_failed = false;
    bool m_inserted = false;
    bool m_switching = false;

    QStackedWidget *m_pages = nullptr;
    QLabel *lblComando = nullptr;
    QLabel *lblComandoDesc = nullptr;
    QLineEdit *txtResultado = nullptr;
    QPushButton *btnAtualizar = nullptr;
    QPushButton *btnAjudaLocal = nullptr;
    QListWidget *lstParametros = nullptr;
    QLabel *lblParam = nullptr;
    QLabel *lblParamDesc = nullptr;
    QFrame *Frame1 = nullptr;
    QGridLayout *m_dynLayout = nullptr; // places the parameter's controls in Frame1
    QFrame *Frame2 = nullptr;
    QPushButton *btnConcluir = nullptr;
    QPushButton *btnEstilo = nullptr;
    QPushButton *btnJavaScript = nullptr;
    QPushButton *btnAjuda = nullptr;
    QFrame *Frame4 = nullptr;
    QComboBox *cmbEstilo = nullptr;
    QComboBox *cmbValor = nullptr;
    QComboBox *cmbClasse = nullptr;
    QPushButton *btnEstiloPronto = nullptr;
    QFrame *Frame5 = nullptr;
    QComboBox *cmbJSEvento = nullptr;
    QLineEdit *txtJSAcao = nullptr;
    QPushButton *btnJSPronto = nullptr;

    QPointer<QLineEdit> m_dynText;
    QPointer<QComboBox> m_dynSelect;
    QPointer<QCheckBox> m_dynCheck;
    QPointer<QPushButton> m_dynButton;
};
