#pragma once
// The document cache around the editors: the auto-save timer, the copies and
// index entries written at exit, the restore of the last run's documents at
// start and the clean-up of copies that no entry names.
#include "CacheIndex.h"

#include <QString>
#include <QStringList>
#include <functional>

class frmMain;
class ICorvelEdit;

namespace corvel {

// SelInicio,SelTamanho,Gravado of an editor; "" without one.
QString CacheStateText(ICorvelEdit *editor);

// Writes the index entry of a document from its editor: file, copy and
// caret state. False when the index could not be written.
bool WriteEditorCacheEntry(frmMain &m, ICorvelEdit *editor);

// Writes the temporary copy of an editor; true when the copy reached the
// disk, else false with the reason in *error.
bool WriteTemporaryCopy(ICorvelEdit *editor, QString *error = nullptr);

// A copy or an index entry could not be written: the status bar says so
// every time, and the first failure of an episode also shows a message that
// names the cache folder and the reason (once the current event is over).
// The episode ends with the next write of the cache that fully succeeds
// (EndCacheWriteFailure).
void ReportCacheWriteFailure(frmMain &m, const QString &reason);
void EndCacheWriteFailure(frmMain &m);
// The text of that message.
QString CacheWriteFailureText(const QString &reason);

class DocumentCache {
public:
    // tmrAutoSave: every "AutoSave" minutes (ticks) the copies and entries of
    // modified documents. The first tick runs the window's
    // services().firstAutoSaveTick actions (or the one set below) once.
    void AutoSaveTick(frmMain &m);
    int counter() const { return m_counter; }

    // The exit's questions: each document whose file holds older text is
    // offered for saving ("Gravar Alterações?"). False when the user chose
    // Cancel (or the question went unanswered): the program keeps running.
    bool AskToSaveAtExit(frmMain &m);
    // Exit, and the end of the session or a terminate signal: every
    // document's copy and entry, asking nothing.
    void SaveAtExit(frmMain &m);

    // Start: the documents of the last run come back from their copies.
    // Never stops the start: a document that cannot come back is left out
    // and its copy stays on disk (offered by OfferOrphanCopies).
    void Restore(frmMain &m);
    // Copies in the cache folder that no restored document uses.
    void OfferOrphanCopies(frmMain &m);
    QStringList orphanCandidates() const { return m_orphans; }

    // Runs on the first tick (the update check).
    void setFirstTickAction(std::function<void()> fn) { m_firstTick = std::move(fn); }

private:
    bool RestoreEntry(frmMain &m, const CacheEntry &e, CacheEntry *restored);
    int m_counter = 0;
    QStringList m_orphans;
    std::function<void()> m_firstTick;
};

} // namespace corvel
