#include "SingleInstance.h"

#include "Folders.h"
#include "Settings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <memory>
#include <unistd.h>

namespace corvel {

namespace {

// Texts end with a NUL so the receiver knows it has all of it.
constexpr char kEnd = '\0';
constexpr qint64 kMaxText = 64 * 1024;

} // namespace

SingleInstance::SingleInstance(QObject *parent) : QObject(parent) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName() {
    const QByteArray key = (SettingsFilePath() + QLatin1Char('\n') + ProgramFolder()).toUtf8();
    const QString digest = QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(12));
    return RuntimeFolder() + QStringLiteral("/Corvel-%1-%2").arg(uint(::getuid())).arg(digest);
}

// The user's private runtime folder, or a folder of our own in /tmp that only
// this user may enter.
QString SingleInstance::RuntimeFolder() {
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && QFileInfo(xdg).isDir()) return xdg;
    const QString dir = QDir::tempPath() + QStringLiteral("/corvel-%1").arg(uint(::getuid()));
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                   QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    const QFileInfo fi(dir);
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                        QFile::WriteOther | QFile::ExeOther;
    if (fi.isDir() && !fi.isSymLink() && fi.ownerId() == ::getuid() && !(fi.permissions() & others))
        return dir;
    // Someone else holds that name: a folder under the user's home instead.
    const QString home = QDir::homePath() + QStringLiteral("/.cache/corvel-run");
    QDir().mkpath(home);
    QFile::setPermissions(home, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                    QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    return home;
}

bool SingleInstance::HandOver(const QString &text, int timeoutMs) {
    // Only a server of this user gets the command line.
    const QString name = ServerName();
    const QFileInfo server(name);
    if (!server.exists() || server.ownerId() != ::getuid()) return false;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs)) return false;
    QByteArray data = text.toUtf8().left(kMaxText);
    data.append(kEnd);
    socket.write(data);
    socket.waitForBytesWritten(timeoutMs);
    // Wait for the running instance to take it (it closes the connection).
    if (socket.state() == QLocalSocket::ConnectedState) socket.waitForDisconnected(timeoutMs);
    return true;
}

bool SingleInstance::Listen() {
    if (m_server) return true;
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = ServerName();
    if (!server->listen(name)) {
        // Nobody answered HandOver, so the name is a crashed instance's.
        QLocalServer::removeServer(name);
        if (!server->listen(name)) {
            delete server;
            return false;
        }
    }
    m_server = server;
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            auto buffer = std::make_shared<QByteArray>();
            connect(s, &QLocalSocket::readyRead, this, [this, s, buffer] {
                buffer->append(s->readAll());
                const int end = buffer->indexOf(kEnd);
                if (end < 0 && buffer->size() < kMaxText) return;
                const QString text =
                    QString::fromUtf8(buffer->left(end < 0 ? buffer->size() : end));
                buffer->clear();
                s->disconnectFromServer();
                emit received(text);
            });
        }
    });
    return true;
}

} // namespace corvel
