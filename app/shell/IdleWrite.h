#pragma once
// The idle write of the document cache: while auto-save is on, a document
// that changed has its temporary copy and index entry written once typing
// has paused for kIdleWriteDelayMs (one single-shot timer, "tmrIdleWrite",
// restarted by every change, though never past kIdleWriteMaxWaitDelays
// delays after the first unwritten change), so a crash loses seconds of
// work, not minutes. It writes only the private cache, never the user's file, and
// leaves the auto-save ticks (their "Auto Gravação" and the documents'
// Alterado flag) as they are.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>

class frmMain;
class ICorvelEdit;

namespace corvel {

class IdleWrite : public QObject {
    Q_OBJECT
public:
    explicit IdleWrite(frmMain &m);
    // Follows the changes of a new document.
    void Attach(ICorvelEdit *editor);
    // Writes the copies and entries of the documents changed since the last
    // idle write (when auto-save is on); the number written.
    int WriteNow();
    // The documents as they are now are in the cache (the restore just read
    // them from their copies): nothing to write.
    void Forget();
    QTimer *timer() { return &m_timer; }

private:
    void changed(QWidget *editorWidget);

    frmMain &m_main;
    QTimer m_timer;
    QSet<QWidget *> m_changed;
    QElapsedTimer m_pendingSince; // the first change not yet written
};

} // namespace corvel
