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
// caret state.
void WriteEditorCacheEntry(frmMain &m, ICorvelEdit *editor);

// Writes the temporary copy of an editor; true when the copy is on disk.
bool WriteTemporaryCopy(ICorvelEdit *editor);

class DocumentCache {
public:
    // tmrAutoSave: every "AutoSave" minutes (ticks) the copies and entries of
    // modified documents. The first tick runs the window's
    // services().firstAutoSaveTick actions (or the one set below) once.
    void AutoSaveTick(frmMain &m);
    int counter() const { return m_counter; }

    // Exit: every document's copy and entry (asking to save files first).
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
