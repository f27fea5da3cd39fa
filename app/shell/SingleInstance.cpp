#include "SingleInstance.h"

#include "Folders.h"
#include "HandOverText.h"
#include "Settings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QSaveFile>
#include <QThread>
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace corvel {

namespace {

constexpr qint64 kMaxRecord = 4096;

QByteArray Bytes(const QString &path) {
    return QFile::encodeName(path);
}

// A folder of this user that nobody else may enter, seen without following a
// link, and that this user can write into.
bool IsPrivateFolder(const QString &path) {
    struct stat st {};
    const QByteArray p = Bytes(path);
    if (path.isEmpty() || ::lstat(p.constData(), &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0 &&
           ::access(p.constData(), W_OK | X_OK) == 0;
}

// The user's runtime folder: this user's, no one else may write into it.
bool IsUsableRuntimeFolder(const QString &path) {
    struct stat st {};
    const QByteArray p = Bytes(path);
    if (path.isEmpty() || ::stat(p.constData(), &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 022) == 0 &&
           ::access(p.constData(), W_OK | X_OK) == 0;
}

// Creates path owner-only; an existing path is used only when it already is
// a private folder. Its permissions are never changed unless it was created
// here.
bool MakePrivateFolder(const QString &path) {
    const QByteArray p = Bytes(path);
    if (::mkdir(p.constData(), 0700) == 0) {
        // A umask may have taken owner bits away; the folder is ours.
        struct stat st {};
        if (::lstat(p.constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & 0777) != 0700)
            ::chmod(p.constData(), 0700);
        return IsPrivateFolder(path);
    }
    return errno == EEXIST && IsPrivateFolder(path);
}

// A new folder of an unpredictable name under base, owner-only.
QString MakeFreshFolder(const QString &base, const QString &prefix) {
    if (base.isEmpty()) return QString();
    QByteArray templ = Bytes(base + QLatin1Char('/') + prefix + QStringLiteral("XXXXXX"));
    if (!::mkdtemp(templ.data())) return QString();
    const QString made = QFile::decodeName(templ);
    return IsPrivateFolder(made) ? made : QString();
}

// The fresh folder of this run, once one was needed.
QString &FreshFolder() {
    static QString folder;
    return folder;
}

QString ExpectedTempFolder() {
    return QDir::tempPath() + QStringLiteral("/corvel-%1").arg(uint(::getuid()));
}

QString NewFreshFolder() {
    const QString uid = QString::number(uint(::getuid()));
    QString made;
    const QString cache = QDir::homePath() + QStringLiteral("/.cache");
    if (QDir().mkpath(cache)) made = MakeFreshFolder(cache, QStringLiteral("corvel-run-"));
    if (made.isEmpty())
        made = MakeFreshFolder(QDir::tempPath(), QStringLiteral("corvel-%1-").arg(uid));
    if (!made.isEmpty()) FreshFolder() = made;
    return made;
}

QString SocketBaseName() {
    const QByteArray key = (SettingsFilePath() + QLatin1Char('\n') + ProgramFolder()).toUtf8();
    const QString digest = QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(12));
    return QStringLiteral("Corvel-%1-%2").arg(uint(::getuid())).arg(digest);
}

// A socket of this user at path (not a link, not a plain file).
bool IsOwnSocket(const QString &path) {
    struct stat st {};
    return !path.isEmpty() && ::lstat(Bytes(path).constData(), &st) == 0 && S_ISSOCK(st.st_mode) &&
           st.st_uid == ::getuid();
}

// The socket name the running instance recorded, when the record is a
// plain file of this user.
QString RecordedServerName() {
    const QString path = SingleInstance::RecordPath();
    struct stat st {};
    if (::lstat(Bytes(path).constData(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != ::getuid())
        return QString();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    const QByteArray line = f.read(kMaxRecord).split('\n').value(0);
    return QFile::decodeName(line);
}

// Where a running instance may listen, without creating anything.
QStringList CandidateServerNames() {
    QStringList names;
    const QString recorded = RecordedServerName();
    if (!recorded.isEmpty()) names << recorded;
    const QString base = QLatin1Char('/') + SocketBaseName();
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (IsUsableRuntimeFolder(xdg)) names << xdg + base;
    if (IsPrivateFolder(ExpectedTempFolder())) names << ExpectedTempFolder() + base;
    if (IsPrivateFolder(FreshFolder())) names << FreshFolder() + base;
    names.removeDuplicates();
    return names;
}

bool SendText(const QString &name, const QString &text, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(HandOverMessage(text));
    socket.waitForBytesWritten(timeoutMs);
    // Wait for the running instance to take it (it closes the connection).
    if (socket.state() == QLocalSocket::ConnectedState) socket.waitForDisconnected(timeoutMs);
    return true;
}

bool ListenAt(QLocalServer *server, const QString &name) {
    if (server->listen(name)) return true;
    // Only the lock holder listens, so a name nobody answers on is a
    // crashed instance's.
    QLocalServer::removeServer(name);
    return server->listen(name);
}

} // namespace

SingleInstance::SingleInstance(QObject *parent) : QObject(parent) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName() {
    const QString folder = RuntimeFolder();
    return (folder.isEmpty() ? QDir::tempPath() : folder) + QLatin1Char('/') + SocketBaseName();
}

QString SingleInstance::RuntimeFolder() {
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (IsUsableRuntimeFolder(xdg)) return xdg;
    const QString expected = ExpectedTempFolder();
    if (MakePrivateFolder(expected)) return expected;
    // Someone else holds that name (or it is no folder of ours): a fresh
    // folder that nobody could have prepared.
    if (IsPrivateFolder(FreshFolder())) return FreshFolder();
    return NewFreshFolder();
}

QString SingleInstance::RecordPath() {
    return ProgramFolder() + QStringLiteral("/Corvel.run");
}

bool SingleInstance::HandOver(const QString &text, int timeoutMs) {
    // Only a server of this user gets the command line.
    const QStringList names = CandidateServerNames();
    for (const QString &name : names)
        if (IsOwnSocket(name) && SendText(name, text, timeoutMs)) return true;
    return false;
}

bool SingleInstance::Listen() {
    if (m_server) return true;
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    bool ok = ListenAt(server, ServerName());
    if (!ok) {
        // The runtime folder refuses the socket: a fresh private folder.
        const QString fresh = NewFreshFolder();
        ok = !fresh.isEmpty() && ListenAt(server, fresh + QLatin1Char('/') + SocketBaseName());
    }
    if (!ok) {
        delete server;
        return false;
    }
    m_server = server;
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            auto buffer = std::make_shared<QByteArray>();
            connect(s, &QLocalSocket::readyRead, this, [this, s, buffer] {
                QString text;
                if (!TakeHandOverText(buffer.get(), s->readAll(), &text)) return;
                // The sender waits for the end of the connection: it comes
                // once the text was taken (the file opened), so a start
                // that ended has really handed its file over.
                const QPointer<QLocalSocket> guard(s);
                emit received(text);
                if (guard) guard->disconnectFromServer();
            });
        }
    });
    return true;
}

QString SingleInstance::fullServerName() const {
    return m_server ? m_server->fullServerName() : QString();
}

bool SingleInstance::Record() const {
    if (!m_server) return false;
    QSaveFile f(RecordPath());
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    f.write(QFile::encodeName(fullServerName()) + '\n');
    return f.commit();
}

void SingleInstance::Close() {
    if (!m_server) return;
    const QString name = fullServerName();
    if (RecordedServerName() == name) QFile::remove(RecordPath());
    m_server->close();
    delete m_server;
    m_server = nullptr;
    // A fresh folder of this run goes with its socket (only when empty).
    if (!FreshFolder().isEmpty() && name.startsWith(FreshFolder() + QLatin1Char('/')))
        ::rmdir(Bytes(FreshFolder()).constData());
}

// ---- the instance lock ------------------------------------------------------

InstanceLock::InstanceLock(const QString &programFolder)
    : m_path(programFolder + QStringLiteral("/Corvel.lock")), m_lock(new QLockFile(m_path)) {
    // Held for the whole run: only a dead holder makes it stale, never age.
    m_lock->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

InstanceLock::State InstanceLock::tryLock() {
    if (m_lock->isLocked()) return State::Held;
    QDir().mkpath(QFileInfo(m_path).path());
    if (m_lock->tryLock(0)) return State::Held;
    return m_lock->error() == QLockFile::LockFailedError ? State::HeldElsewhere
                                                         : State::Unavailable;
}

bool InstanceLock::isLocked() const {
    return m_lock->isLocked();
}

void InstanceLock::unlock() {
    if (m_lock->isLocked()) m_lock->unlock();
}

StartRole ClaimInstance(const QString &text, InstanceLock &lock, int retryMs) {
    if (SingleInstance::HandOver(text)) return StartRole::HandedOver;
    QElapsedTimer t;
    t.start();
    for (;;) {
        switch (lock.tryLock()) {
        case InstanceLock::State::Held:
        case InstanceLock::State::Unavailable:
            return StartRole::Run;
        case InstanceLock::State::HeldElsewhere:
            break;
        }
        if (SingleInstance::HandOver(text, 1000)) return StartRole::HandedOver;
        if (t.elapsed() >= retryMs) return StartRole::AlreadyRunning;
        QThread::msleep(100);
    }
}

QString AlreadyRunningText() {
    return QStringLiteral(
        "O Corvel já está em execução para este usuário, mas não respondeu ao pedido desta "
        "nova execução. Aguarde alguns instantes e tente novamente; se o problema continuar, "
        "feche o Corvel que está em execução.");
}

} // namespace corvel
