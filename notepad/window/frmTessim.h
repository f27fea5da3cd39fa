#pragma once
// The notepad's window: one document in one editor component named
// "Tessim", the menus of the menu table, the caption rule, the save question
// on closing and the Shift+Ctrl snippet keys.
#include "NotepadCommands.h"
#include "DocumentFile.h"
#include "corvel/ICorvelEdit.h"

#include <QHash>
#include <QMainWindow>

class QAction;
class QMenu;

namespace tessim {

class frmTessim : public QMainWindow {
    Q_OBJECT
public:
    explicit frmTessim(QWidget *parent = nullptr);
    ~frmTessim() override;

    // Creates the editor and the menus; false with the reason when the
    // editor component cannot be created.
    bool Init(QString *error);

    ICorvelEdit *Editor() const { return m_editor; }
    QAction *Action(CommandId id) const;
    QMenu *Menu(CommandId id) const;
    // Runs a command as its menu item would; false when it is unknown or
    // disabled.
    bool Trigger(CommandId id);

    // The document's file ("" for a new document); kept in the editor's
    // "Tag" property.
    QString Path() const;
    void SetPath(const QString &path);
    void RefreshCaption();

    // The format the document's file was read in (and is written in).
    DocumentFormat &Format() { return m_format; }

    // The text last searched for, and the colour last written.
    QString lastSearchText;
    int lastColour = 0;

    // The program started by "Abrir no Corvel": "Corvel" in the
    // installation folder (this program's folder, unless a test set another
    // before Init).
    static QString CorvelProgram();
    static void SetInstallationFolder(const QString &folder);

protected:
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void BuildMenus();
    void WatchEditorKeys();

    ICorvelEdit *m_editor = nullptr;
    DocumentFormat m_format;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
};

} // namespace tessim
