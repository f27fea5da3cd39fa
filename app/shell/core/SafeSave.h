#pragma once
// Saving document files so that the file is never missing or half-written:
// the new content is written beside the file, flushed to disk and renamed
// over it. A symbolic link stays a link (its target is rewritten) and the
// file keeps its permissions.
#include <QByteArray>
#include <QString>

namespace corvel {

// The file a save really writes: path, or the final target of its links.
QString SaveTarget(const QString &path);

// Replaces the file's content atomically; false with *error on failure, the
// old file then intact.
bool AtomicWriteFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Backup name of a file: the name up to the dot of its extension followed
// by ext ("pagina.html" -> "pagina.bak"); without an extension, name + "." +
// ext. ext empty means "bak".
QString BackupName(const QString &path, const QString &ext);

// Copies the current content of path to backupPath (replacing it) without
// touching path. The backup takes the file's permissions (and its owner and
// group where the process may set them). False with *error when either cannot be done.
bool MakeBackupCopy(const QString &path, const QString &backupPath, QString *error = nullptr);

} // namespace corvel
