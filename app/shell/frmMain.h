#pragma once
// The main window: menus and toolbar (declared as data), the tab strip with
// one CorvelEdit per document, the progress bar, the status bar and the three
// timers. Commands of every subsystem are attached by their id (CommandIds.h)
// through SetHandler, so each subsystem keeps its own handlers in its own
// folder.
#include "CommandIds.h"
#include "Services.h"
#include "corvel/ICorvelEdit.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QProgressBar;
class QTabBar;
class QTimer;
class QToolBar;
class QStackedWidget;
class QDateTime;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // ---- documents -------------------------------------------------------
    // The editor of the selected tab, or nullptr.
    ICorvelEdit *CurrentEditor() const;
    // Creates a document (lowest free number, at most 253), selects it and
    // returns its editor; nullptr when refused or failed (message shown).
    ICorvelEdit *CreateDocument();
    // Shows the editor named "HTML_" + nnn as the current document.
    void ShowDocument(const QString &name);
    void EnableDocumentMenus(bool enabled);
    void RefreshSaveState();
    // Every open document, in tab order.
    QList<ICorvelEdit *> Documents() const;
    // The three-digit number "001".."253" of a document ("" when unknown).
    QString DocumentKey(ICorvelEdit *editor) const;
    ICorvelEdit *DocumentByKey(const QString &nnn) const;
    // Tab caption of a document ("Doc n" or the file name).
    QString TabCaption(ICorvelEdit *editor) const;
    void SetTabCaption(ICorvelEdit *editor, const QString &caption);
    // Selects the document's tab (runs Tabs_Click).
    void SelectDocument(ICorvelEdit *editor);
    // Removes the tab and destroys the editor (the close command's last step).
    void RemoveDocument(ICorvelEdit *editor);
    // "Corvel 5.1.0" plus " - [" + CompactPath(Arquivo) + "]" when it has a file.
    void RefreshCaption();
    QTabBar *Tabs() const;
    // Full path of the project in use, or empty (kept by the projects
    // commands; the status bar's panel 7 reads it).
    QString ProjectFile;

    // ---- status and busy mode ---------------------------------------------
    void ShowStatusMessage(const QString &text);
    void SetBusyMode(bool on);
    bool IsBusy() const;
    // Status panels 1..8.
    QString StatusPanelText(int panel) const;
    void SetStatusPanelText(int panel, const QString &text);
    // A panel shown on or off (greyed): the lock keys, the project panel.
    bool StatusPanelEnabled(int panel) const;
    void SetStatusPanelEnabled(int panel, bool on);
    // The double-click action of a status panel (1..8).
    void Status_PanelDblClick(int panel);
    QProgressBar *Barra() const;
    QToolBar *Ferramentas() const;

    // ---- commands -----------------------------------------------------------
    // Menu item or submenu action by id or object name ("mnuArquivoAbrir",
    // "mnuHeader(1)"), or nullptr.
    QAction *Action(corvel::CommandId id) const;
    QAction *Action(const QString &objectName) const;
    QMenu *Menu(corvel::CommandId id) const;
    QMenu *Menu(const QString &objectName) const;
    // Attaches the command of a menu item (and of the toolbar buttons that run
    // it) and enables the item. Items without a handler stay disabled. An id
    // that neither a menu row nor a toolbar button has is refused with a
    // warning (false).
    bool SetHandler(corvel::CommandId id, std::function<void()> handler);
    bool HasHandler(corvel::CommandId id) const;
    // Runs a menu item's command as a click would; false when it has none or
    // is disabled.
    bool Trigger(corvel::CommandId id);
    // True when the command has a handler, its item and every menu above it
    // are enabled and no long task runs. False, with a warning, for an id no
    // row has.
    bool CommandEnabled(corvel::CommandId id) const;
    // Key preview: filters see every key press aimed at the main window or a
    // document before the editor does; returning true consumes the key.
    void AddKeyFilter(std::function<bool(QKeyEvent *)> filter);
    // Toolbar button by its key ("Salvar", "Negrito"; "Aspas" finds the
    // quotes button whatever its style), or nullptr. The quotes button runs
    // the command attached with SetHandler(corvel::cmd::CycleQuoteStyle, fn).
    QAction *ToolButton(const QString &key) const;
    // Sets the quotes button's key, tooltip and picture: "Aspas Duplas",
    // "Aspas ASP", "Aspas Simples" or "Aspas PHP".
    void SetQuoteButtonKey(const QString &key);

    // Comando(name, helpId): opens the command dialog for an element. The
    // command-dialog subsystem installs the implementation.
    void Comando(const QString &name, int helpId);
    void SetComandoHandler(std::function<void(const QString &, int)> handler);
    bool HasComando() const;

    // ---- open command -------------------------------------------------------
    // Opens path as the open command would (the command line, a hand-over, a
    // drop), through the routine the file commands attach; runs only when the
    // open command could run. False when it did not run.
    bool OpenFile(const QString &path);
    void SetOpenFileHandler(std::function<void(const QString &path)> handler);

    // ---- services -----------------------------------------------------------
    // Dialogs, printer chooser, browser, beep, clock and the insert routine
    // the modules use; owned by the window, replaced by tests.
    corvel::Services &services();
    const corvel::Services &services() const;

    // ---- load/unload steps owned by other subsystems ------------------------
    struct Hooks {
        std::function<void()> restoreDocuments; // load step 4
        std::function<void()> orphanCopies;     // load step 8
        std::function<void()> autoSaveTick;     // tmrAutoSave
        std::function<bool()> confirmUnload;    // before shutdown step 1: the
                                                // questions; false keeps running
        std::function<void()> unloadDocuments;  // shutdown step 1 (asks nothing)
        std::function<void()> afterLoad;        // menu set-up owned elsewhere
        std::function<void()> closeBrowser;     // shutdown step 2
        std::function<void()> unloadTray;       // shutdown step 4
        // The end of CreateDocument: the new document's editor.
        std::function<void(ICorvelEdit *)> documentCreated;
    };
    Hooks &hooks();

    // The load (Form_Load): caption, toolbar, restore, command-line file,
    // first document, show, orphans, auto-save timer.
    void Form_Load(const QString &commandLine);
    // The hand-over from a second instance.
    void Form_LinkExecute(const QString &text);
    // True when the load failed (its message was shown); the program ends.
    bool LoadFailed() const;
    // True once the load ran to its end.
    bool Loaded() const;

    // The shutdown without questions, for the end of the desktop session
    // and terminate signals: every document's temporary copy and index
    // entry, then the preview file goes. Does nothing once a shutdown ran.
    void UnloadWithoutAsking();
    // True once a shutdown (asked or not) ran to its end.
    bool Unloaded() const;

signals:
    // The window's close ran the whole shutdown: the program may end now.
    void unloadFinished();

public:
    QTimer *tmrAnima() const;
    QTimer *tmrUpdatePos() const;
    QTimer *tmrAutoSave() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    void BuildStatusBar();
    void BuildTimers();
    void tmrUpdatePos_Timer();
    void tmrAnima_Timer();
    void tmrAutoSave_Timer();
    void Tabs_Click();
    void RefreshToolButtons();
    bool CommandEnabled(const QString &name) const;
    bool IsKnownCommand(const QString &name) const;
    void RunKeyPreview(QKeyEvent *event, bool *consumed);
    bool HandleTabsEvent(QEvent *event);
    bool HandleDrop(QEvent *event);
    // False when the user kept the program running (Cancel).
    bool Form_Unload();

public:
    struct Private;

private:
    Private *d;
};
