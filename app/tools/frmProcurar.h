#pragma once
// The find and replace dialog "Procurar e Substituir": plain and regular
// expression searches, replace one or all, the four persistent options and
// the history of the last 30 search/replacement pairs. It works on one
// editor (the current document when it opened).
#include "corvel/ICorvelEdit.h"

#include <QDialog>
#include <QPointer>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace corvel {

// Replace all: the editor's SubstituirTodos from the caret (or the
// selection) to the end of the text, or, with wrap, over the whole text, so
// the occurrences before the caret are replaced too. Text inserted is never
// searched again. The change is one undoable edit.
void ReplaceAllOccurrences(ICorvelEdit *editor, const QString &text, const QString &replacement,
                           bool matchCase, bool wholeWord, bool wrap);

} // namespace corvel

class frmProcurar : public QDialog {
    Q_OBJECT
public:
    // beep: the signal of a search that found nothing (the main window's
    // services().beep); unset, the system beep.
    explicit frmProcurar(ICorvelEdit *editor, QWidget *parent = nullptr,
                         std::function<void()> beep = {});
    ~frmProcurar() override;

    // The opening steps; false when there is no document (the caller then
    // does not show the dialog).
    bool Form_Load();

    // Fills both drop-down lists from the stored history, keeping the texts.
    void LoadSearchHistory();
    // Puts the current pair of texts at the top of the history.
    void AddSearchHistory();
    // Keeps the dialog at the top right of the screen when "move" is set.
    void PlaceDialog();

    QComboBox *cmbProcurar = nullptr;
    QComboBox *cmbSubstituir = nullptr;
    QPushButton *btnProcurar = nullptr;
    QPushButton *btnRegExp = nullptr;
    QPushButton *btnSubstituir = nullptr;
    QPushButton *btnSubsTodos = nullptr;
    QCheckBox *chkCasoSensitivo = nullptr;
    QCheckBox *chkInteiras = nullptr;
    QCheckBox *chkInicio = nullptr;
    QCheckBox *chkMover = nullptr;

public slots:
    void btnProcurar_Click();
    void btnRegExp_Click();
    void btnSubstituir_Click();
    void btnSubsTodos_Click();

private:
    ICorvelEdit *Editor() const;
    QString S() const;
    QString R() const;
    void SetR(const QString &text);
    void CaretToStart(ICorvelEdit *ed) const;
    bool SameTexts();
    void cmbProcurar_Change();
    void cmbProcurar_Click();

    // The match the last regular-expression search left selected: Replace
    // replaces it as it stands, the way a literal occurrence is replaced.
    struct RegexMatch {
        int start = -1;
        QString text;
    };
    // Reports a failed regular-expression search (invalid or too complex);
    // false when the search merely found nothing.
    bool RegExpFailed(ICorvelEdit *ed);
    bool SelectionIsRegexMatch(ICorvelEdit *ed) const;

    void Beep() const;

    ICorvelEdit *m_editor;
    QPointer<QWidget> m_editorWidget;
    std::function<void()> m_beep;
    RegexMatch m_regexMatch;
};
