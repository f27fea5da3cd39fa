#pragma once
// Fixed rules of the file commands.
#include <QString>
#include <QStringList>

namespace corvel {

// Files of this many bytes or more are "large" (300 kbytes still is not).
constexpr qint64 kLargeFileBytes = 307201;
// Insert file takes files up to this size.
constexpr qint64 kInsertFileMaxBytes = 65000;

// Filters of the open, save-as and insert-file dialogs.
QString FileDialogFilter();

// A dialog result that is empty or holds a wildcard counts as cancelled.
bool IsCancelledFileName(const QString &name);

// Parent folder of a file with a trailing "/".
QString FolderWithSlash(const QString &file);

// The print text: every line of text (split at CR LF) becomes lines of at
// most 85 characters, each preceded by a space and ended by CR LF.
QString PrintText(const QString &text);

// The bytes the "Linux" save writes: every carriage return removed.
QString WithoutCarriageReturns(const QString &text);

} // namespace corvel
