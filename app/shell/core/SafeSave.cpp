#include "SafeSave.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace corvel {

QString SaveTarget(const QString &path) {
    QFileInfo fi(path);
    for (int depth = 0; depth < 40 && fi.isSymLink(); ++depth)
        fi.setFile(fi.symLinkTarget());
    return fi.isSymLink() ? path : fi.filePath();
}

bool AtomicWriteFile(const QString &path, const QByteArray &bytes, QString *error) {
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
    if (existed && QFileInfo(target).permissions() != perms) QFile::setPermissions(target, perms);
    return true;
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
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        if (error) *error = in.errorString();
        return false;
    }
    in.close();
    // The backup is a file of its own, never written through a link.
    if (QFileInfo(backupPath).isSymLink()) QFile::remove(backupPath);
    return AtomicWriteFile(backupPath, bytes, error);
}

} // namespace corvel
