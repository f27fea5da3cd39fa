#include "SafeSave.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace corvel {

QString SaveTarget(const QString &path) {
    QFileInfo fi(path);
    for (int depth = 0; depth < 40 && fi.isSymLink(); ++depth)
        fi.setFile(fi.symLinkTarget());
    return fi.isSymLink() ? path : fi.filePath();
}

namespace {

QString ErrnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// model: the file whose permissions and owner the written file takes (set
// on the new file before any byte is in it), or nullptr.
bool WriteReplacing(const QString &path, const QByteArray &bytes, const struct stat *model,
                    QString *error) {
    const QString target = SaveTarget(path);
    const QFileInfo before(target);
    const bool existed = before.exists();
    const QFileDevice::Permissions perms =
        existed ? before.permissions() : QFileDevice::Permissions();

    QSaveFile f(target);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    if (model) {
        // The owner where we may (root may, others only their own groups);
        // the permissions always, after the owner, which clears set-id bits.
        if (::fchown(f.handle(), model->st_uid, model->st_gid) != 0)
            (void)::fchown(f.handle(), uid_t(-1), model->st_gid);
        if (::fchmod(f.handle(), model->st_mode & 07777) != 0) {
            if (error) *error = ErrnoText();
            f.cancelWriting();
            return false;
        }
    }
    // A short write (a full disk, a size limit) can go unreported until
    // the buffer is flushed: check what really reached the file before it
    // replaces the old one.
    if (f.write(bytes) != bytes.size() || !f.flush() || f.size() != bytes.size()) {
        if (error)
            *error = f.error() != QFileDevice::NoError ? f.errorString()
                                                       : QStringLiteral("No space left on device");
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    if (!model && existed && QFileInfo(target).permissions() != perms)
        QFile::setPermissions(target, perms);
    return true;
}

} // namespace

bool AtomicWriteFile(const QString &path, const QByteArray &bytes, QString *error) {
    return WriteReplacing(path, bytes, nullptr, error);
}

QString BackupName(const QString &path, const QString &ext) {
    const QString e = ext.isEmpty() ? QStringLiteral("bak") : ext;
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    // A leading dot (".htaccess") starts a name, not an extension.
    if (dot > slash + 1) return path.left(dot + 1) + e;
    return path + QLatin1Char('.') + e;
}

bool MakeBackupCopy(const QString &path, const QString &backupPath, QString *error) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error) *error = in.errorString();
        return false;
    }
    struct stat source;
    if (::fstat(in.handle(), &source) != 0) {
        if (error) *error = ErrnoText();
        return false;
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        if (error) *error = in.errorString();
        return false;
    }
    in.close();
    // The backup is a file of its own, never written through a link.
    if (QFileInfo(backupPath).isSymLink()) QFile::remove(backupPath);
    // The backup holds the old content: it is no more readable than the file.
    return WriteReplacing(backupPath, bytes, &source, error);
}

} // namespace corvel
