#include "IdleWrite.h"

#include "CacheRecovery.h"
#include "DiskChanges.h"
#include "Folders.h"
#include "Settings.h"
#include "frmMain.h"

#include <QTextDocument>

namespace corvel {

IdleWrite::IdleWrite(frmMain &m) : QObject(&m), m_main(m) {
    setObjectName(QStringLiteral("IdleWrite"));
    m_timer.setObjectName(QStringLiteral("tmrIdleWrite"));
    m_timer.setSingleShot(true);
    // The delay can be changed for tests and measurements.
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("CORVEL_IDLE_WRITE_MS", &ok);
    m_timer.setInterval(ok && ms > 0 ? ms : kIdleWriteDelayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { WriteNow(); });
}

void IdleWrite::Attach(ICorvelEdit *editor) {
    if (!editor) return;
    QWidget *w = editor->widget();
    // The control raises no events of its own; its text document does.
    const auto docs = w->findChildren<QTextDocument *>();
    for (QTextDocument *d : docs)
        connect(d, &QTextDocument::contentsChange, this,
                [this, target = QPointer<QWidget>(w)](int, int removed, int added) {
                    if ((removed != 0 || added != 0) && target) changed(target);
                });
}

void IdleWrite::Forget() {
    m_changed.clear();
    m_timer.stop();
}

void IdleWrite::changed(QWidget *editorWidget) {
    if (m_changed.isEmpty()) m_pendingSince.start();
    m_changed.insert(editorWidget);
    // Typing without a pause still reaches the cache: a write that has
    // waited long enough is no longer put off by the next key.
    if (!m_timer.isActive() || IdleWritePostponed(m_pendingSince.elapsed(), m_timer.interval()))
        m_timer.start();
}

int IdleWrite::WriteNow() {
    if (!IdleWriteEnabled(
            ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoSave")))) {
        m_changed.clear();
        return 0;
    }
    // A long task rewrites the document bit by bit: its end is the pause.
    if (m_main.IsBusy()) {
        m_timer.start();
        return 0;
    }
    int written = 0;
    QString failure;
    QSet<QWidget *> retry; // written by the next idle write or auto-save tick
    const QList<ICorvelEdit *> docs = m_main.Documents();
    for (ICorvelEdit *ed : docs) {
        if (!m_changed.contains(ed->widget())) continue;
        // A document whose text is its file's (just opened, reloaded or
        // saved) has nothing the file does not keep.
        if (ed->Gravado()) continue;
        QString error;
        if (!WriteTemporaryCopy(ed, &error)) {
            if (failure.isEmpty()) failure = error;
            retry.insert(ed->widget());
            continue;
        }
        if (!WriteEditorCacheEntry(m_main, ed)) {
            retry.insert(ed->widget());
            if (failure.isEmpty())
                failure =
                    QStringLiteral("Não foi possível gravar o índice: %1").arg(CacheIndexPath());
            continue;
        }
        ++written;
    }
    m_changed = retry;
    if (!retry.isEmpty()) m_pendingSince.start();
    if (!failure.isEmpty())
        ReportCacheWriteFailure(m_main, failure);
    else if (written > 0)
        EndCacheWriteFailure(m_main);
    return written;
}

} // namespace corvel
