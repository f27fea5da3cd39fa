#pragma once
// The project window "Projeto": name, main folder, image folder and the
// predefined classes of a web site. It creates a new project file or edits
// the project in use; "Salvar e Usar" also makes the saved project the one
// in use.
#include <QDialog>
#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;

// What the window needs from the program around it.
struct ProjectHost {
    // The project in use (its file), "" when there is none.
    std::function<QString()> projectInUse;
    // Makes a project file the one in use.
    std::function<void(const QString &path)> useProject;
};

class frmProjeto : public QDialog {
    Q_OBJECT
public:
    explicit frmProjeto(ProjectHost host, QWidget *parent = nullptr);

    // Edits the project in use: the window's file becomes that project and
    // the fields show its values.
    void Editar();
    bool EditMode() const { return m_edit; }
    // The file the window edits ("" for a new project).
    QString FileName() const { return m_file; }

    void btnProcPrinc_Click();
    void btnProcImg_Click();
    void btnAddClass_Click();
    void btnRemClass_Click();
    // Saves; the file written, "" when nothing was (refused, cancelled or
    // failed, each with its message but the cancel).
    QString btnSalvar_Click();
    void btnSalvarUsar_Click();

    QLineEdit *txtNome = nullptr;
    QLineEdit *txtPrincipal = nullptr;
    QLineEdit *txtImagens = nullptr;
    QLineEdit *txtAddClass = nullptr;
    QListWidget *lstClasses = nullptr;
    QPushButton *btnProcPrinc = nullptr;
    QPushButton *btnProcImg = nullptr;
    QPushButton *btnAddClass = nullptr;
    QPushButton *btnRemClass = nullptr;
    QPushButton *btnSalvar = nullptr;
    QPushButton *btnSalvarUsar = nullptr;

private:
    void buildForm();
    void browse(QLineEdit *field, const QString &prompt);
    QStringList classes() const;

    ProjectHost m_host;
    QString m_file;
    bool m_edit = false;
};
