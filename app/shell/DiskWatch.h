#pragma once
// Files open in Corvel that another program changes or removes while Corvel
// runs. Each document's file is watched (QFileSystemWatcher on the file and
// its folder, armed again after the file is replaced by a rename); notices
// are gathered and settled, and once the main window is active with no
// dialog open: a document without unsaved edits reloads by itself, those
// with unsaved edits make one question for all, removed files one notice.
// A save over a file that is no longer the one Corvel read or wrote (an
// in-place change, a replacement, a link planted in its place) asks first.
#include "DiskChanges.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>

class frmMain;
class ICorvelEdit;

namespace corvel {

class DiskWatch : public QObject {
    Q_OBJECT
public:
    explicit DiskWatch(frmMain &m);
    // The watch of the window (nullptr when none was attached).
    static DiskWatch *Of(const QWidget *anyWidgetOfTheWindow);

    // The document's file as it is now is the one Corvel knows: after an
    // open, a save, a reload.
    void NoteOnDisk(ICorvelEdit *editor);
    // Corvel's own save over the file failed: the file keeps its old bytes,
    // but the attempt may have touched its times (a write in place that was
    // refused). The same file still there is no news.
    void NoteFailedSave(ICorvelEdit *editor);
    // Follows the documents: new files are watched, closed documents
    // forgotten.
    void Sync();
    // Reads every watched file now and gathers those that changed.
    void CheckNow();
    // Asks about what was gathered (whatever the window's state); the
    // window does this by itself once it is active.
    void AskPending();
    // Before a save over path: true when it may go on (nothing changed, or
    // the user said Yes). A link planted in place of the file is removed so
    // the save writes a file of its own there, never through the link.
    bool ConfirmSave(ICorvelEdit *editor, const QString &path);

    // Reloads the document's file into it as one step that Desfazer undoes;
    // the caret and the scroll stay near where they were. "" or the error.
    static QString Reload(ICorvelEdit *editor);

    bool pending() const { return !m_gather.isEmpty(); }
    QStringList watchedFiles() const { return m_watcher.files(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Tracked {
        QPointer<QWidget> widget;
        ICorvelEdit *editor = nullptr;
        QString path;
        FileStamp trusted; // what the last open, save or answer left there
        FileStamp seen;    // what the user last heard of
    };
    Tracked *find(ICorvelEdit *editor);
    void track(ICorvelEdit *editor);
    void arm(const QString &path);
    void notice(const QString &path);
    void settle();
    bool windowReady() const;

    frmMain &m_main;
    QFileSystemWatcher m_watcher;
    QHash<QWidget *, Tracked> m_docs;
    ChangeGather m_gather;
    QTimer m_settle;
    QTimer m_poll;
    bool m_asking = false;
};

// The watch's NoteOnDisk for an editor of a main window that has one.
void NoteDocumentOnDisk(ICorvelEdit *editor);
// The watch's NoteFailedSave, likewise.
void NoteFailedSaveOnDisk(ICorvelEdit *editor);

} // namespace corvel
