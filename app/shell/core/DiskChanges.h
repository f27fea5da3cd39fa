#pragma once
// Files open in Corvel that another program changes, replaces, removes or
// swaps for a link while Corvel runs: what a file is on disk (its identity
// and its content stamp), how two such readings compare, when gathered
// change notices are asked about, and the texts of those questions. Also the
// delay of the idle write of the cache copies.
#include <QString>
#include <QStringList>

namespace corvel {

// A modified document's temporary copy and index entry are written this long
// after typing pauses (while auto-save is on), so a crash loses at most a few
// seconds of work.
constexpr int kIdleWriteDelayMs = 2000;
// Typing that never pauses that long is written all the same once its
// oldest unwritten change is this many delays old (10 s by default).
constexpr int kIdleWriteMaxWaitDelays = 5;
// Change notices of the file system come in bursts (a write, a rename, the
// attributes): they are gathered until they have been quiet this long.
constexpr int kChangeSettleMs = 300;

// True when the idle write runs: the auto-save period in minutes (setting
// "AutoSave") is above zero, as the auto-save ticks need it.
bool IdleWriteEnabled(const QString &autoSaveSetting);
// Whether one more change may postpone the idle write by delayMs, the
// changes still unwritten having waited pendingMs: not past
// kIdleWriteMaxWaitDelays delays from the first of them.
bool IdleWritePostponed(qint64 pendingMs, int delayMs);

// What a path is on disk at one moment.
struct FileStamp {
    // The path itself (not following a link).
    bool exists = false;
    bool isLink = false;
    bool isFolder = false;
    QString linkTarget; // as written in the link
    quint64 device = 0;
    quint64 inode = 0;
    // The file it leads to (following links): absent for a dangling link.
    bool hasContent = false;
    quint64 contentDevice = 0;
    quint64 contentInode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
};

FileStamp ReadFileStamp(const QString &path);

// Same file at the same path: the path is (or is not) the same link to the
// same place, or the same inode of the same device.
bool SameIdentity(const FileStamp &a, const FileStamp &b);
// Same content as far as the file system tells: the same file, size and
// modification time (a chmod or a touch of the attributes is no change).
bool SameContent(const FileStamp &a, const FileStamp &b);

enum class DiskChange { None, Modified, Removed };
// How the file changed from the reading last acknowledged (seen) to now.
// A path with nothing to read behind it (gone, or a dangling link) is
// Removed; any other difference is Modified.
DiskChange CompareStamps(const FileStamp &seen, const FileStamp &now);

// The path now is a link where it was not, or a link to another place.
bool LinkSwapped(const FileStamp &trusted, const FileStamp &now);

// The identity a save may trust after the user answered about a change
// (reload or keep): the new one, except when the file was swapped for a
// link (or its link redirected): then the old one stays, so the save asks.
FileStamp TrustedAfterAnswer(const FileStamp &trusted, const FileStamp &now);

// A save over path must ask first: the file there is not the one Corvel read
// or wrote last (identity), or its content changed since the user last
// heard of it. Nothing to overwrite (no file, no link) asks nothing, nor
// does a folder standing at the path (no save can replace it: it fails and
// says so).
bool SaveNeedsConfirmation(const FileStamp &trusted, const FileStamp &seen, const FileStamp &now);

// Gathering of change notices: each notice restarts the quiet time; the
// question waits until the notices are quiet, the window is active, no other
// dialog is open and no long task runs.
class ChangeGather {
public:
    void note(const QString &path, qint64 nowMs);
    bool isEmpty() const { return m_paths.isEmpty(); }
    bool settled(qint64 nowMs) const;
    // Milliseconds until settled (0 when it is).
    int remainingMs(qint64 nowMs) const;
    bool readyToAsk(qint64 nowMs, bool windowActive, bool dialogOpen, bool busy) const;
    // The gathered paths, in the order first noticed, each once; empties.
    QStringList take();

private:
    QStringList m_paths;
    qint64 m_lastMs = 0;
};

struct ChangeMessage {
    QString title;
    QString text;
    bool question = false; // Yes: load the disk's versions; No: keep Corvel's
};
// One message for every file gathered: changed files whose documents hold
// unsaved edits (asked whether to load the disk's version) and removed files
// (told). Empty text when both lists are empty.
ChangeMessage ExternalChangeMessage(const QStringList &changedWithEdits,
                                    const QStringList &removed);

// The question of a save over a file that was changed or replaced on disk
// (now: what is there).
QString OverwriteQuestion(const QString &path, const FileStamp &now);

} // namespace corvel
