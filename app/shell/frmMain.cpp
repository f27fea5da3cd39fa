#include "frmMain.h"

#include "AppInfo.h"
#include "CommandLine.h"
#include "Dialogs.h"
#include "Folders.h"
#include "Guarded.h"
#include "MenuTable.h"
#include "Settings.h"
#include "ToolbarTable.h"
#include "WindowKeys.h"
#include "frmMainPrivate.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QSet>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <exception>

static void InitShellResources() {
    Q_INIT_RESOURCE(shell_icons);
}

namespace {

QString IconPath(const QString &name) {
    return QStringLiteral(":/icons/") + name + QStringLiteral(".svg");
}

QString QuoteIconName(const QString &key) {
    if (key == QLatin1String("Aspas ASP")) return QStringLiteral("aspas-asp");
    if (key == QLatin1String("Aspas Simples")) return QStringLiteral("aspas-simples");
    if (key == QLatin1String("Aspas PHP")) return QStringLiteral("aspas-php");
    return QStringLiteral("aspas-duplas");
}

} // namespace

namespace corvel {

QString BaseCaption() {
    return QStringLiteral("Corvel ") + VersionText();
}

} // namespace corvel

frmMain::frmMain(QWidget *parent) : QMainWindow(parent), d(new Private) {
    InitShellResources();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(corvel::BaseCaption());
    setWindowIcon(QIcon(IconPath(QStringLiteral("corvel"))));
    setAcceptDrops(true);

    // Tab strip above the editors; the busy bar shares the editors' cell and
    // is centred in it.
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 0);
    column->setSpacing(0);
    d->tabs = new QTabBar(central);
    d->tabs->setObjectName(QStringLiteral("Tabs"));
    d->tabs->setExpanding(false);
    d->tabs->setUsesScrollButtons(true);
    d->tabs->setDocumentMode(true);
    d->tabs->setAcceptDrops(true);
    d->tabs->setFocusPolicy(Qt::NoFocus);
    column->addWidget(d->tabs);
    auto *cell = new QGridLayout;
    cell->setContentsMargins(0, 0, 0, 0);
    d->stack = new QStackedWidget(central);
    d->stack->setObjectName(QStringLiteral("Documentos"));
    cell->addWidget(d->stack, 0, 0);
    d->barra = new QProgressBar(central);
    d->barra->setObjectName(QStringLiteral("Barra"));
    d->barra->setRange(0, 16);
    d->barra->setValue(0);
    d->barra->setTextVisible(false);
    d->barra->setFixedSize(311, 20);
    d->barra->hide();
    cell->addWidget(d->barra, 0, 0, Qt::AlignCenter);
    column->addLayout(cell, 1);
    setCentralWidget(central);

    connect(d->tabs, &QTabBar::currentChanged, this, [this](int) { Tabs_Click(); });

    BuildMenus();
    BuildToolbar();
    BuildStatusBar();
    BuildTimers();

    // A comfortable first size, within the screen.
    QSize size(1120, 760);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);

    // Key preview: every key press of this window passes the filters first,
    // on its first delivery (to the focus widget, or to the window when
    // nothing has the focus).
    corvel::AttachWindowKeys(this, [this](QWidget *w, QKeyEvent *e) {
        if (e->type() != QEvent::KeyPress) return false;
        QWidget *focus = QApplication::focusWidget();
        if (w != focus && !(focus == nullptr && w == this)) return false;
        bool consumed = false;
        RunKeyPreview(e, &consumed);
        return consumed;
    });
    // Mouse and drops: the tab strip, the window and the status panels.
    installEventFilter(this);
    d->tabs->installEventFilter(this);
    for (QLabel *panel : d->panels)
        panel->installEventFilter(this);
}

frmMain::~frmMain() {
    delete d;
}

corvel::Services &frmMain::services() {
    return d->services;
}

const corvel::Services &frmMain::services() const {
    return d->services;
}

frmMain::Hooks &frmMain::hooks() {
    return d->hooks;
}

bool frmMain::LoadFailed() const {
    return d->loadFailed;
}

// ---- menus ------------------------------------------------------------------

void frmMain::BuildMenus() {
    std::size_t count = 0;
    const corvel::MenuRow *rows = corvel::MenuTable(&count);
    QSet<QString> parents;
    for (std::size_t i = 0; i < count; ++i)
        if (rows[i].parent.IsValid()) parents.insert(rows[i].parent.Name());

    for (std::size_t i = 0; i < count; ++i) {
        const corvel::MenuRow &r = rows[i];
        const QString name = r.id.Name();
        const QString parentName = r.parent.IsValid() ? r.parent.Name() : QString();
        const bool separator = qstrcmp(r.caption, "-") == 0;
        QString caption = QString::fromUtf8(r.caption);
        if (*r.label) caption += QLatin1Char('\t') + QString::fromUtf8(r.label);

        QAction *action = nullptr;
        if (parents.contains(name)) {
            QMenu *menu = new QMenu(caption, this);
            menu->setObjectName(name);
            if (parentName.isEmpty())
                menuBar()->addMenu(menu);
            else
                d->menus.value(parentName)->addMenu(menu);
            action = menu->menuAction();
            d->menus.insert(name, menu);
            // A submenu opens only when one of its items has a command.
            if (!parentName.isEmpty()) action->setEnabled(false);
        } else {
            QMenu *owner = d->menus.value(parentName);
            Q_ASSERT(owner);
            if (separator) {
                action = owner->addSeparator();
            } else {
                action = owner->addAction(caption);
                action->setEnabled(false);
                if (*r.shortcut)
                    action->setShortcut(QKeySequence::fromString(QString::fromUtf8(r.shortcut),
                                                                 QKeySequence::PortableText));
                connect(action, &QAction::triggered, this, [this, id = r.id] { Trigger(id); });
            }
            if (r.flags & corvel::MenuHiddenAtStart) action->setVisible(false);
        }
        action->setObjectName(name);
        d->actions.insert(name, action);
        d->parentOf.insert(name, parentName);
        if (r.flags & corvel::MenuDisabledAtStart) d->disabledAtStart.insert(name, true);
    }
}

QAction *frmMain::Action(const QString &objectName) const {
    return d->actions.value(objectName);
}

QAction *frmMain::Action(corvel::CommandId id) const {
    return d->actions.value(id.Name());
}

QMenu *frmMain::Menu(const QString &objectName) const {
    return d->menus.value(objectName);
}

QMenu *frmMain::Menu(corvel::CommandId id) const {
    return d->menus.value(id.Name());
}

bool frmMain::IsKnownCommand(const QString &name) const {
    return d->actions.contains(name) || d->toolbarCommands.contains(name);
}

bool frmMain::CommandEnabled(corvel::CommandId id) const {
    const QString name = id.Name();
    if (!IsKnownCommand(name)) {
        qWarning("frmMain: command \"%s\" has no menu row or toolbar button", qPrintable(name));
        return false;
    }
    return CommandEnabled(name);
}

bool frmMain::HasHandler(corvel::CommandId id) const {
    return d->handlers.contains(id.Name());
}

// A command can run when it has a handler, its item and every menu above it
// are enabled, and no long task is running.
bool frmMain::CommandEnabled(const QString &name) const {
    if (d->busy || !d->handlers.contains(name)) return false;
    QAction *a = d->actions.value(name);
    if (!a) return true; // a command of the toolbar only
    QString n = name;
    while (!n.isEmpty()) {
        QAction *x = d->actions.value(n);
        if (x && !x->isEnabled()) return false;
        n = d->parentOf.value(n);
    }
    return true;
}

bool frmMain::SetHandler(corvel::CommandId id, std::function<void()> handler) {
    const QString objectName = id.Name();
    if (!IsKnownCommand(objectName)) {
        qWarning("frmMain: handler for \"%s\" refused: no menu row or toolbar button has it",
                 qPrintable(objectName));
        return false;
    }
    const bool had = d->handlers.contains(objectName);
    d->handlers.insert(objectName, std::move(handler));
    if (!had) {
        QAction *a = d->actions.value(objectName);
        if (a && !d->menus.contains(objectName)) {
            bool enable = !d->disabledAtStart.value(objectName);
            std::size_t n = 0;
            const corvel::CommandId *docMenus = corvel::DocumentMenus(&n);
            for (std::size_t i = 0; i < n; ++i)
                if (docMenus[i] == id && !d->documentMenusEnabled) enable = false;
            if (id == corvel::cmd::ArquivoSalvar) {
                ICorvelEdit *ed = CurrentEditor();
                enable = ed && !ed->Gravado();
            }
            a->setEnabled(enable);
            // Open every submenu on the way up.
            for (QString p = d->parentOf.value(objectName); !p.isEmpty();
                 p = d->parentOf.value(p)) {
                if (d->parentOf.value(p).isEmpty()) break; // menus of the bar follow their own rule
                if (QAction *pa = d->actions.value(p)) pa->setEnabled(true);
            }
        }
    }
    RefreshToolButtons();
    return true;
}

bool frmMain::Trigger(corvel::CommandId id) {
    if (!CommandEnabled(id)) return false;
    // Copy: a handler may replace itself.
    const std::function<void()> fn = d->handlers.value(id.Name());
    try {
        fn();
    } catch (const std::exception &e) {
        corvel::Message(this,
                        corvel::ErrorText(QStringLiteral("Ocorreu um erro ao executar o comando."),
                                          1, QString::fromUtf8(e.what())),
                        corvel::BaseCaption(), corvel::MsgIcon::Critical);
    }
    return true;
}

bool frmMain::OpenFile(const QString &path) {
    if (!d->openFile || !CommandEnabled(corvel::cmd::ArquivoAbrir)) return false;
    // Copy: the routine may replace itself.
    const std::function<void(const QString &)> fn = d->openFile;
    try {
        fn(QFileInfo(path).absoluteFilePath());
    } catch (const std::exception &e) {
        corvel::Message(this,
                        corvel::ErrorText(QStringLiteral("Ocorreu um erro ao executar o comando."),
                                          1, QString::fromUtf8(e.what())),
                        corvel::BaseCaption(), corvel::MsgIcon::Critical);
    }
    return true;
}

void frmMain::SetOpenFileHandler(std::function<void(const QString &)> handler) {
    d->openFile = std::move(handler);
}

void frmMain::AddKeyFilter(std::function<bool(QKeyEvent *)> filter) {
    d->keyFilters.append(std::move(filter));
}

void frmMain::Comando(const QString &name, int helpId) {
    if (d->comando) d->comando(name, helpId);
}

void frmMain::SetComandoHandler(std::function<void(const QString &, int)> handler) {
    d->comando = std::move(handler);
}

bool frmMain::HasComando() const {
    return bool(d->comando);
}

// ---- toolbar ----------------------------------------------------------------

void frmMain::BuildToolbar() {
    d->toolbar = addToolBar(QStringLiteral("Ferramentas"));
    d->toolbar->setObjectName(QStringLiteral("Ferramentas"));
    d->toolbar->setMovable(false);
    d->toolbar->setIconSize(QSize(20, 20));
    std::size_t count = 0;
    const corvel::ToolbarRow *rows = corvel::ToolbarTable(&count);
    const QString aspas = ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("Aspas"));
    for (std::size_t i = 0; i < count; ++i) {
        const corvel::ToolbarRow &r = rows[i];
        if (!*r.key) {
            d->toolbar->addSeparator();
            continue;
        }
        const QString command = r.command.Name();
        d->toolbarCommands.insert(command);
        QString key = QString::fromUtf8(r.key);
        QString icon = QString::fromUtf8(r.icon);
        const bool quotes = r.command == corvel::kQuoteCommand;
        if (quotes) {
            key = QString::fromUtf8(corvel::QuoteButtonKey(aspas.toUtf8().constData()));
            icon = QuoteIconName(key);
        }
        QAction *a = d->toolbar->addAction(QIcon(IconPath(icon)), key);
        a->setObjectName(QStringLiteral("Ferramentas_") + QString::number(d->buttons.size() + 1));
        a->setData(key);
        a->setToolTip(key);
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, [this, id = r.command] { Trigger(id); });
        d->buttons.append({a, command});
        if (quotes) d->quoteButton = a;
    }
}

QAction *frmMain::ToolButton(const QString &key) const {
    if (key == QLatin1String("Aspas")) return d->quoteButton;
    for (const auto &b : d->buttons)
        if (b.action->data().toString() == key) return b.action;
    return nullptr;
}

void frmMain::SetQuoteButtonKey(const QString &key) {
    if (!d->quoteButton) return;
    d->quoteButton->setData(key);
    d->quoteButton->setText(key);
    d->quoteButton->setToolTip(key);
    d->quoteButton->setIcon(QIcon(IconPath(QuoteIconName(key))));
}

void frmMain::RefreshToolButtons() {
    for (const auto &b : d->buttons) {
        const bool on = CommandEnabled(b.command);
        if (b.action->isEnabled() != on) b.action->setEnabled(on);
    }
}

QToolBar *frmMain::Ferramentas() const {
    return d->toolbar;
}

// ---- events -----------------------------------------------------------------

bool frmMain::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // A key is about to be matched against the menu shortcuts: the save
        // item follows the document now, not at the next position tick, so
        // F5 right after typing saves.
        if (watched == this) RefreshSaveState();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (watched == d->tabs && HandleTabsEvent(event)) return true;
        if (watched == this && (event->type() != QEvent::MouseButtonPress) && HandleDrop(event))
            return true;
        break;
    case QEvent::MouseButtonDblClick:
        for (int i = 0; i < 8; ++i)
            if (watched == static_cast<QObject *>(d->panels[i])) {
                Status_PanelDblClick(i + 1);
                return true;
            }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::RunKeyPreview(QKeyEvent *event, bool *consumed) {
    if (d->busy) return;
    // Ctrl+Tab moves to the next document (after the last, the first); Tab,
    // Shift+Tab and Shift+Ctrl+Tab remain the editor's.
    if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier) {
        const int n = d->tabs->count();
        if (n > 1) d->tabs->setCurrentIndex((d->tabs->currentIndex() + 1) % n);
        *consumed = true;
        return;
    }
    // Copy: a filter may add another.
    const auto filters = d->keyFilters;
    for (const auto &f : filters) {
        if (f(event)) {
            *consumed = true;
            return;
        }
    }
}

bool frmMain::HandleTabsEvent(QEvent *event) {
    if (event->type() == QEvent::MouseButtonPress) {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::RightButton) {
            if (QMenu *m = Menu(corvel::cmd::Arquivo)) m->popup(me->globalPosition().toPoint());
            return true;
        }
        return false;
    }
    return HandleDrop(event);
}

bool frmMain::HandleDrop(QEvent *event) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto *de = static_cast<QDragMoveEvent *>(event);
        if (de->mimeData()->hasUrls() && (de->possibleActions() & Qt::CopyAction)) {
            de->setDropAction(Qt::CopyAction);
            de->accept();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::Drop) return false;
    auto *de = static_cast<QDropEvent *>(event);
    if (!de->mimeData()->hasUrls()) return false;
    de->setDropAction(Qt::CopyAction);
    de->accept();
    const auto urls = de->mimeData()->urls();
    for (const QUrl &u : urls) {
        if (!u.isLocalFile()) continue;
        const QString path = u.toLocalFile();
        if (!QFileInfo(path).isFile()) continue;
        OpenFile(path);
    }
    return true;
}

void frmMain::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    if (isMinimized()) {
        if (ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("TaskBar")) ==
                QLatin1String("0") &&
            (!d->services.canHideMinimised || d->services.canHideMinimised()))
            QTimer::singleShot(0, this, [this] { hide(); });
        return;
    }
    // Maximised: the current document takes the keyboard.
    if (isMaximized() && isEnabled())
        if (ICorvelEdit *ed = CurrentEditor()) ed->Foco();
}

void frmMain::closeEvent(QCloseEvent *event) {
    if (!Form_Unload()) {
        event->ignore();
        return;
    }
    event->accept();
    emit unloadFinished();
}

bool frmMain::Form_Unload() {
    if (d->unloaded) return true;
    if (d->unloading) return false;
    d->autoSave->stop();
    if (d->hooks.confirmUnload) {
        d->unloading = true;
        const bool go = d->hooks.confirmUnload();
        d->unloading = false;
        if (!go) {
            if (d->loaded) d->autoSave->start();
            return false;
        }
    }
    // A terminate signal may have settled everything while a question was
    // open.
    if (d->unloaded) return true;
    d->unloaded = true;
    // Each step runs even when one before it failed; failures are logged.
    corvel::RunGuarded("unload: documents", d->hooks.unloadDocuments);
    QCoreApplication::processEvents();
    corvel::RunGuarded("unload: browser", d->hooks.closeBrowser);
    const QString preview = corvel::CacheFolder() + QStringLiteral("CorvelPreview.html");
    if (QFileInfo::exists(preview) && !QFile::remove(preview))
        qWarning("unload: the preview file %s could not be removed", qPrintable(preview));
    corvel::RunGuarded("unload: tray", d->hooks.unloadTray);
    return true;
}

void frmMain::UnloadWithoutAsking() {
    if (d->unloaded) return;
    d->unloaded = true;
    d->autoSave->stop();
    corvel::RunGuarded("unload: documents", d->hooks.unloadDocuments);
    const QString preview = corvel::CacheFolder() + QStringLiteral("CorvelPreview.html");
    if (QFileInfo::exists(preview)) QFile::remove(preview);
}

bool frmMain::Unloaded() const {
    return d->unloaded;
}

bool frmMain::Loaded() const {
    return d->loaded;
}

// ---- load and hand-over -----------------------------------------------------

void frmMain::Form_Load(const QString &commandLine) {
    d->commandLine = commandLine;
    try {
        // 1-3: caption, toolbar and menus are built with the window; the
        // owners of the history, colour and language menus add theirs now.
        setWindowTitle(corvel::BaseCaption());
        if (d->hooks.afterLoad) d->hooks.afterLoad();
        // 4: the documents of the last run.
        if (d->hooks.restoreDocuments) d->hooks.restoreDocuments();
        // 5: the file named on the command line.
        // A name relative to this process's own folder is made absolute
        // here, so the index and the history never hold a relative one.
        const QString file =
            corvel::AbsoluteFilePath(corvel::CommandLineFile(commandLine), QDir::currentPath());
        if (!file.isEmpty() && QFileInfo(file).isFile()) OpenFile(file);
        // 6: one empty document.
        if (d->tabs->count() == 0 &&
            ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("NaoNovoDoc")) !=
                QLatin1String("1"))
            CreateDocument();
        if (d->tabs->count() == 0) EnableDocumentMenus(false);
        // 7: show.
        setEnabled(true);
        RefreshSaveState();
        show();
        QCoreApplication::processEvents();
        if (ICorvelEdit *ed = CurrentEditor()) ed->Foco();
        // 8: orphan temporary copies.
        if (d->hooks.orphanCopies) d->hooks.orphanCopies();
        // 9
        d->autoSave->start();
        d->loaded = true;
    } catch (const std::exception &e) {
        d->loadFailed = true;
        corvel::Message(
            this,
            QStringLiteral(
                "Ocorreu um erro na inicialização do módulo principal do Corvel. Os motivos mais "
                "prováveis são: 1) erro em um dos arquivos necessários para a execução, tente "
                "reinstalar o programa, ou 2) pasta de trabalho (Docs dentro da pasta do Corvel) "
                "com um ou mais arquivos corrompidos ou em formato inválido, remova os arquivos "
                "desta pasta. Mais informações em ") +
                corvel::SiteAddress() + QStringLiteral(".\r\nErro gerado: (1) ") +
                QString::fromUtf8(e.what()) +
                QStringLiteral("\r\n\r\nO Corvel será finalizado agora."),
            QStringLiteral("Erro Crítico"), corvel::MsgIcon::Critical);
    }
}

void frmMain::Form_LinkExecute(const QString &text) {
    showMaximized();
    raise();
    activateWindow();
    QCoreApplication::processEvents();
    if (ICorvelEdit *ed = CurrentEditor()) ed->Foco();
    // The sender made its name absolute; a relative one would be read
    // against this process's folder, which is not the sender's.
    // (Only "/" starts one: a ":" name would reach the program's resources.)
    if (text.startsWith(QLatin1Char('/')) && QFileInfo(text).isFile()) {
        OpenFile(text);
    }
}
