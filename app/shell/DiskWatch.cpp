#include "DiskWatch.h"

#include "CacheRecovery.h"
#include "Dialogs.h"
#include "frmMain.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QSet>

#include <algorithm>

namespace corvel {

namespace {

qint64 NowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

// The copy and the entry of a document whose file changed: the entry's
// size and date follow the disk, so the next start does not ask again about
// what the user already decided.
void RecordInCache(frmMain &m, ICorvelEdit *ed) {
    QString error;
    if (WriteTemporaryCopy(ed, &error) && WriteEditorCacheEntry(m, ed)) return;
    if (!error.isEmpty()) ReportCacheWriteFailure(m, error);
}

} // namespace

DiskWatch::DiskWatch(frmMain &m) : QObject(&m), m_main(m) {
    setObjectName(QStringLiteral("DiskWatch"));
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DiskWatch::notice);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this](const QString &dir) {
        // A file replaced by a rename or made again after a removal shows
        // in its folder; the file's own watch went with the old file.
        for (const Tracked &t : std::as_const(m_docs))
            if (QFileInfo(t.path).absolutePath() == QFileInfo(dir).absoluteFilePath() &&
                CompareStamps(t.seen, ReadFileStamp(t.path)) != DiskChange::None)
                notice(t.path);
    });
    m_settle.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, &DiskWatch::settle);
    // A slow look at every file: the watcher may miss a change (a full
    // watch table, a network folder).
    m_poll.setInterval(2000);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        Sync();
        CheckNow();
    });
    m_poll.start();
    m.installEventFilter(this);
}

DiskWatch *DiskWatch::Of(const QWidget *w) {
    if (!w) return nullptr;
    const QWidget *top = w->window();
    return top ? top->findChild<DiskWatch *>(QStringLiteral("DiskWatch"),
                                             Qt::FindDirectChildrenOnly)
               : nullptr;
}

void NoteDocumentOnDisk(ICorvelEdit *editor) {
    if (!editor) return;
    if (DiskWatch *w = DiskWatch::Of(editor->widget())) w->NoteOnDisk(editor);
}

DiskWatch::Tracked *DiskWatch::find(ICorvelEdit *editor) {
    if (!editor) return nullptr;
    auto it = m_docs.find(editor->widget());
    return it == m_docs.end() ? nullptr : &it.value();
}

void DiskWatch::arm(const QString &path) {
    if (path.isEmpty()) return;
    if (QFileInfo::exists(path) && !m_watcher.files().contains(path)) m_watcher.addPath(path);
    const QString dir = QFileInfo(path).absolutePath();
    if (QFileInfo(dir).isDir() && !m_watcher.directories().contains(dir)) m_watcher.addPath(dir);
}

void DiskWatch::track(ICorvelEdit *editor) {
    Tracked t;
    t.widget = editor->widget();
    t.editor = editor;
    t.path = editor->Arquivo();
    t.trusted = t.seen = ReadFileStamp(t.path);
    m_docs.insert(editor->widget(), t);
    arm(t.path);
}

void DiskWatch::NoteOnDisk(ICorvelEdit *editor) {
    if (!editor || editor->Arquivo().isEmpty()) return;
    track(editor);
}

void DiskWatch::NoteFailedSave(ICorvelEdit *editor) {
    Tracked *t = find(editor);
    if (!t || t->path != editor->Arquivo()) return;
    const FileStamp now = ReadFileStamp(t->path);
    if (!SameIdentity(t->trusted, now) || !SameIdentity(t->seen, now)) return;
    t->seen = now;
}

void NoteFailedSaveOnDisk(ICorvelEdit *editor) {
    if (!editor) return;
    if (DiskWatch *w = DiskWatch::Of(editor->widget())) w->NoteFailedSave(editor);
}

void DiskWatch::Sync() {
    const QList<ICorvelEdit *> docs = m_main.Documents();
    QSet<QWidget *> live;
    for (ICorvelEdit *ed : docs) {
        live.insert(ed->widget());
        const Tracked *t = find(ed);
        if (ed->Arquivo().isEmpty())
            m_docs.remove(ed->widget());
        else if (!t || t->path != ed->Arquivo())
            track(ed);
    }
    for (auto it = m_docs.begin(); it != m_docs.end();) {
        if (!it->widget || !live.contains(it.key()))
            it = m_docs.erase(it);
        else
            ++it;
    }
    // Watches no document needs any more.
    QSet<QString> files, dirs;
    for (const Tracked &t : std::as_const(m_docs)) {
        files.insert(t.path);
        dirs.insert(QFileInfo(t.path).absolutePath());
    }
    QStringList drop;
    for (const QString &f : m_watcher.files())
        if (!files.contains(f)) drop << f;
    for (const QString &d : m_watcher.directories())
        if (!dirs.contains(d)) drop << d;
    if (!drop.isEmpty()) m_watcher.removePaths(drop);
}

void DiskWatch::CheckNow() {
    for (const Tracked &t : std::as_const(m_docs)) {
        arm(t.path);
        if (CompareStamps(t.seen, ReadFileStamp(t.path)) != DiskChange::None) notice(t.path);
    }
}

void DiskWatch::notice(const QString &path) {
    // The file's watch ends when the file is replaced or removed: armed
    // again on the file now there.
    arm(path);
    m_gather.note(path, NowMs());
    m_settle.start(kChangeSettleMs);
}

bool DiskWatch::windowReady() const {
    return m_main.Loaded() && !m_main.Unloaded() && m_main.isActiveWindow() &&
           !QApplication::activeModalWidget() && !QApplication::activePopupWidget();
}

void DiskWatch::settle() {
    const qint64 now = NowMs();
    if (!m_gather.settled(now)) {
        m_settle.start(m_gather.remainingMs(now));
        return;
    }
    if (m_gather.readyToAsk(now, windowReady(), m_asking, m_main.IsBusy())) AskPending();
}

bool DiskWatch::eventFilter(QObject *watched, QEvent *event) {
    // Back to the window: what was gathered meanwhile is asked now (once the
    // activation itself is over).
    if (watched == &m_main && event->type() == QEvent::WindowActivate && !m_gather.isEmpty())
        m_settle.start(0);
    return QObject::eventFilter(watched, event);
}

QString DiskWatch::Reload(ICorvelEdit *ed) {
    const QString file = ed->Arquivo();
    const QString before = ed->Texto();
    const int caret = ed->SelInicio();
    const int scroll = ed->RolagemVertical();
    // Ler takes the bytes with the rules of the open (UTF-8 when valid,
    // else Windows-1252, a byte-order mark kept) and the file's facts.
    const QString error = ed->Ler(file);
    if (!error.isEmpty()) return error;
    const QString fresh = ed->Texto();
    if (fresh != before) {
        // The read replaced the text in one go: the user's version is put
        // back as the start and the disk's laid over it as one edit, which
        // Desfazer takes back.
        ed->setTexto(before);
        ed->IniciarEdicao();
        ed->setSelInicio(0);
        ed->setSelTamanho(ed->Tamanho());
        ed->setSelTexto(fresh);
        ed->TerminarEdicao();
    }
    ed->setSelInicio(std::min(caret, ed->Tamanho()));
    ed->setSelTamanho(0);
    ed->setRolagemVertical(scroll);
    ed->setGravado(true);
    ed->setAlterado(true);
    return QString();
}

void DiskWatch::AskPending() {
    if (m_asking) return;
    QScopedValueRollback<bool> asking(m_asking, true);
    Sync();
    const QStringList paths = m_gather.take();
    QList<QWidget *> quiet, edited, removed;
    QStringList editedPaths, removedPaths;
    QHash<QWidget *, FileStamp> now;
    for (auto it = m_docs.begin(); it != m_docs.end(); ++it) {
        if (!paths.contains(it->path)) continue;
        arm(it->path);
        const FileStamp s = ReadFileStamp(it->path);
        switch (CompareStamps(it->seen, s)) {
        case DiskChange::None:
            continue;
        case DiskChange::Removed:
            removed << it.key();
            removedPaths << it->path;
            break;
        case DiskChange::Modified:
            if (it->editor->Gravado()) {
                quiet << it.key();
            } else {
                edited << it.key();
                editedPaths << it->path;
            }
            break;
        }
        now.insert(it.key(), s);
    }
    // Documents, after a dialog, that still exist as they were.
    const auto tracked = [this](QWidget *w) -> Tracked * {
        auto it = m_docs.find(w);
        return it == m_docs.end() || !it->widget ? nullptr : &it.value();
    };
    const auto reload = [&](QWidget *w) {
        Tracked *t = tracked(w);
        if (!t) return;
        const QString error = Reload(t->editor);
        const FileStamp s = ReadFileStamp(t->path);
        t->seen = s;
        if (error.isEmpty()) {
            t->trusted = TrustedAfterAnswer(t->trusted, s);
            RecordInCache(m_main, t->editor);
        } else {
            m_main.ShowStatusMessage(QStringLiteral("Erro ao recarregar ") +
                                     QFileInfo(t->path).fileName());
        }
    };
    for (QWidget *w : std::as_const(quiet))
        reload(w);
    if (!quiet.isEmpty())
        m_main.ShowStatusMessage(quiet.size() == 1 ? QStringLiteral("Documento Recarregado")
                                                   : QStringLiteral("Documentos Recarregados"));

    if (!edited.isEmpty() || !removed.isEmpty()) {
        const ChangeMessage msg = ExternalChangeMessage(editedPaths, removedPaths);
        const MsgAnswer a = msg.question ? Message(&m_main, msg.text, msg.title, MsgIcon::Question,
                                                   MsgButtons::YesNo, MsgAnswer::No)
                                         : Message(&m_main, msg.text, msg.title, MsgIcon::Warning);
        for (QWidget *w : std::as_const(edited)) {
            if (a == MsgAnswer::Yes) {
                reload(w);
            } else if (Tracked *t = tracked(w)) {
                // Corvel's version stays; the next save writes it without
                // asking again, unless the file was swapped for a link.
                t->seen = now.value(w);
                t->trusted = TrustedAfterAnswer(t->trusted, t->seen);
                RecordInCache(m_main, t->editor);
            }
        }
        for (QWidget *w : std::as_const(removed)) {
            if (Tracked *t = tracked(w)) {
                // The text stays, marked unsaved, so that nothing is lost
                // and a save makes the file again.
                t->seen = now.value(w);
                t->editor->setGravado(false);
                t->editor->setAlterado(true);
                RecordInCache(m_main, t->editor);
            }
        }
    }
    m_main.RefreshSaveState();
    // Notices that came while the question was open.
    if (!m_gather.isEmpty()) m_settle.start(kChangeSettleMs);
}

bool DiskWatch::ConfirmSave(ICorvelEdit *editor, const QString &path) {
    Tracked *t = find(editor);
    if (!t || t->path != path) return true;
    const FileStamp now = ReadFileStamp(path);
    if (!SaveNeedsConfirmation(t->trusted, t->seen, now)) return true;
    const QWidget *key = editor->widget();
    const MsgAnswer a = Message(&m_main, OverwriteQuestion(path, now),
                                QStringLiteral("Arquivo Substituído no Disco"), MsgIcon::Warning,
                                MsgButtons::YesNo, MsgAnswer::No);
    if (a != MsgAnswer::Yes) return false;
    t = m_docs.contains(const_cast<QWidget *>(key)) ? find(editor) : nullptr;
    if (t && LinkSwapped(t->trusted, ReadFileStamp(path))) {
        // The save makes a file of its own at the path, never writing into
        // the file the planted link leads to.
        if (!QFile::remove(path)) {
            Message(&m_main,
                    QStringLiteral("Não foi possível substituir o link ") + path +
                        QStringLiteral(" por um arquivo comum. O documento não foi gravado."),
                    QStringLiteral("Erro de Gravação"), MsgIcon::Critical);
            return false;
        }
    }
    return true;
}

} // namespace corvel
