#include "PreviewFile.h"

#include "Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace corvel {

namespace {

bool Fail(QString *error, const QString &text) {
    if (error) *error = text;
    return false;
}

QString ErrnoText(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

// The folder is a real folder of this user, with no access for others.
bool PrepareFolder(const QString &folder, QString *error) {
    const QByteArray native = QFile::encodeName(folder);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0) {
        if (errno != ENOENT) return Fail(error, folder + QStringLiteral(": ") + ErrnoText(errno));
        if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
            return Fail(error, folder + QStringLiteral(": ") + ErrnoText(errno));
        if (::lstat(native.constData(), &st) != 0)
            return Fail(error, folder + QStringLiteral(": ") + ErrnoText(errno));
    }
    if (S_ISLNK(st.st_mode) || !S_ISDIR(st.st_mode))
        return Fail(error, QStringLiteral("%1 não é uma pasta.").arg(folder));
    if (st.st_uid != ::geteuid())
        return Fail(error, QStringLiteral("A pasta %1 pertence a outro usuário.").arg(folder));
    if ((st.st_mode & 077) != 0 && ::chmod(native.constData(), st.st_mode & 0700) != 0)
        return Fail(error, folder + QStringLiteral(": ") + ErrnoText(errno));
    return true;
}

} // namespace

QString PreviewFilePath() {
    return CacheFolder() + QStringLiteral("CorvelPreview.html");
}

TextEncoding PreviewEncoding(const QString &documentFile) {
    if (documentFile.isEmpty()) return TextEncoding::Utf8;
    QFile f(documentFile);
    if (!QFileInfo(documentFile).isFile() || !f.open(QIODevice::ReadOnly))
        return TextEncoding::Utf8;
    return DecodeText(f.readAll()).encoding;
}

QByteArray PreviewBytes(const QString &text, TextEncoding encoding) {
    return EncodeText(text, encoding);
}

bool WritePreviewFile(const QString &path, const QByteArray &bytes, QString *error) {
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    if (!PrepareFolder(folder, error)) return false;
    QTemporaryFile temp(folder + QLatin1Char('/') + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!temp.open()) return Fail(error, temp.errorString());
    if (temp.write(bytes) != bytes.size() || !temp.flush()) return Fail(error, temp.errorString());
    if (::fsync(temp.handle()) != 0) return Fail(error, ErrnoText(errno));
    // rename replaces whatever path names (a file or a link) and never
    // writes through a link.
    if (::rename(QFile::encodeName(temp.fileName()).constData(),
                 QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return Fail(error, path + QStringLiteral(": ") + ErrnoText(errno));
    temp.setAutoRemove(false);
    return true;
}

} // namespace corvel
