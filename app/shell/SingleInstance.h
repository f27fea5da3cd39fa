#pragma once
// One running Corvel per user and program folder. The running instance holds
// a lock file in the program folder for its whole life and listens on a local
// socket that only its user can reach; a later start hands its command line
// over through that socket and ends.
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

namespace corvel {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject *parent = nullptr);
    ~SingleInstance() override;

    // The socket name: the user's id and a digest of the settings store and
    // program folder, in the user's runtime folder.
    static QString ServerName();
    // The user's runtime folder when it is this user's and writable; else
    // "corvel-<uid>" in the temporary folder, created owner-only or, when it
    // exists, used only if it is a real folder of this user that nobody else
    // may enter; else a fresh folder of an unpredictable name (kept for the
    // rest of the run). Never changes the permissions of a path that this
    // call did not create. Empty when no folder can be had.
    static QString RuntimeFolder();
    // The file in the program folder that names the running instance's
    // socket (for starts that cannot guess the folder it ended up in).
    static QString RecordPath();

    // Sends text to a running instance. True when one was reached (then this
    // instance ends, whatever happened to the text). A socket owned by
    // another user is never connected to. Creates nothing.
    static bool HandOver(const QString &text, int timeoutMs = 2000);

    // Starts listening; a name left behind by a crashed instance is removed
    // and taken over; when the runtime folder refuses the socket, a fresh
    // private folder holds it. False when listening failed.
    bool Listen();
    // Writes the listening socket's name to RecordPath() (owner-only).
    bool Record() const;
    // Stops listening, removes the socket and the record naming it.
    void Close();
    QString fullServerName() const;

signals:
    // A text handed over by another instance.
    void received(const QString &text);

private:
    QLocalServer *m_server = nullptr;
};

// The lock that makes one process the instance of its user and program
// folder. A lock left by a process that no longer runs is taken over.
class InstanceLock {
public:
    enum class State { Held, HeldElsewhere, Unavailable };
    explicit InstanceLock(const QString &programFolder);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Unavailable: the lock file cannot be made at all (a folder that
    // cannot be written); nothing guards the folder then.
    State tryLock();
    bool isLocked() const;
    void unlock();
    QString path() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

// What a start does about other instances.
enum class StartRole {
    Run,            // this process is the instance (it holds the lock)
    HandedOver,     // a running instance took the text: end quietly
    AlreadyRunning, // an instance holds the lock but cannot be reached
};
// Hands text to a running instance or takes the lock, retrying both for up
// to retryMs while another process holds the lock without answering yet
// (it may be starting, or ending).
StartRole ClaimInstance(const QString &text, InstanceLock &lock, int retryMs = 10000);

// The message of a start that found Corvel running but could not reach it.
QString AlreadyRunningText();

} // namespace corvel
