#include "frmTessim.h"

#include "Commands.h"
#include "ControlHost.h"
#include "FixedFormat.h"
#include "MenuTable.h"
#include "NotepadText.h"
#include "SnippetKeys.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

namespace tessim {

namespace {

QString Name(CommandId id) {
    return id.Name();
}

} // namespace

frmTessim::frmTessim(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmTessim"));
    setWindowTitle(WindowCaption(QString()));
    // A little in from the screen's corner, as large as the rest of it.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const int margin = 7;
        setGeometry(area.adjusted(margin, margin + 24, -margin, -margin));
    }
}

frmTessim::~frmTessim() = default;

bool frmTessim::Init(QString *error) {
    m_editor = corvel::CreateCorvelEdit(this, error);
    if (!m_editor) return false;
    QWidget *w = m_editor->widget();
    w->setObjectName(QStringLiteral("Tessim"));
    setCentralWidget(w);
    m_editor->setDiretorioTemporario(QCoreApplication::applicationDirPath());
    m_editor->setFonteNome(FontFace());
    m_editor->setFonteTamanho(kFontPoints);
    m_editor->setQuebrarLinha(true);
    m_editor->setAlterado(false);
    m_editor->setGravado(true);
    SetPath(QString());
    BuildMenus();
    WatchEditorKeys();
    m_editor->setVisivel(true);
    return true;
}

void frmTessim::BuildMenus() {
    std::size_t count = 0;
    const MenuRow *rows = MenuTable(&count);
    for (std::size_t i = 0; i < count; ++i) {
        const MenuRow &r = rows[i];
        const QString name = Name(r.id);
        QString caption = QString::fromUtf8(r.caption);
        if (*r.keys) caption += QLatin1Char('\t') + QString::fromLatin1(r.keys);
        if (!r.handler) {
            QMenu *menu = menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            m_menus.insert(name, menu);
            continue;
        }
        QMenu *owner = m_menus.value(Name(r.parent));
        Q_ASSERT(owner);
        QAction *a = owner->addAction(caption);
        a->setObjectName(name);
        a->setCheckable(r.checkable);
        const Handler handler = r.handler;
        const CommandId id = r.id;
        connect(a, &QAction::triggered, this, [this, handler, id] { handler(*this, id); });
        m_actions.insert(name, a);
    }
    // Handing the file over needs Corvel beside this program.
    Action(cmd::FerramentasAbCorvel)
        ->setEnabled(QFileInfo(CorvelProgram()).isExecutable());
    Action(cmd::FerramentasQuebra)->setChecked(!m_editor->QuebrarLinha());
}

namespace {
QString &InstallationFolderOverride() {
    static QString folder;
    return folder;
}
} // namespace

void frmTessim::SetInstallationFolder(const QString &folder) {
    InstallationFolderOverride() = folder;
}

QString frmTessim::CorvelProgram() {
    const QString folder = InstallationFolderOverride().isEmpty()
                               ? QCoreApplication::applicationDirPath()
                               : InstallationFolderOverride();
    return folder + QStringLiteral("/Corvel");
}

QAction *frmTessim::Action(CommandId id) const {
    return m_actions.value(Name(id));
}

QMenu *frmTessim::Menu(CommandId id) const {
    return m_menus.value(Name(id));
}

bool frmTessim::Trigger(CommandId id) {
    QAction *a = Action(id);
    if (!a || !a->isEnabled()) return false;
    a->trigger();
    return true;
}

QString frmTessim::Path() const {
    return m_editor ? m_editor->widget()->property("Tag").toString() : QString();
}

void frmTessim::SetPath(const QString &path) {
    if (m_editor) m_editor->widget()->setProperty("Tag", path);
}

void frmTessim::RefreshCaption() {
    setWindowTitle(WindowCaption(Path()));
}

void frmTessim::closeEvent(QCloseEvent *e) {
    if (m_editor && !AskToSave(*this, false)) {
        e->ignore();
        return;
    }
    e->accept();
}

// The key filter sits on the editor and every widget inside it, so it sees
// the keys only while the editor has the focus.
void frmTessim::WatchEditorKeys() {
    QWidget *w = m_editor->widget();
    w->installEventFilter(this);
    for (QWidget *child : w->findChildren<QWidget *>()) child->installEventFilter(this);
}

bool frmTessim::eventFilter(QObject *watched, QEvent *e) {
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride)
        return QMainWindow::eventFilter(watched, e);
    auto *k = static_cast<QKeyEvent *>(e);
    const Qt::KeyboardModifiers mods =
        k->modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (mods != (Qt::ShiftModifier | Qt::ControlModifier) || corvel::IsModifierKey(k->key()) ||
        corvel::KeepsEditorMeaning(k->key()))
        return QMainWindow::eventFilter(watched, e);
    if (e->type() == QEvent::ShortcutOverride) {
        // The key is the notepad's, not a shortcut's.
        e->accept();
        return true;
    }
    const QChar c = corvel::SnippetKeyChar(k->nativeScanCode(), k->key());
    if (!c.isNull()) InsertSnippetForKey(*this, c);
    // Every other Shift+Ctrl key is swallowed.
    return true;
}

} // namespace tessim
