#pragma once
// The preview file: the text of a document as it stands in the window,
// written where a browser can read it.
#include "TextCodec.h"

#include <QByteArray>
#include <QString>

namespace corvel {

// Program folder + "/Docs/CorvelPreview.html".
QString PreviewFilePath();

// The encoding a document's preview is written in: the one its file on disk
// is in (as the document was read from it), UTF-8 for a document without one.
TextEncoding PreviewEncoding(const QString &documentFile);

// The bytes of a preview: the text in that encoding (UTF-8 when the text
// holds a character the encoding has not).
QByteArray PreviewBytes(const QString &text, TextEncoding encoding);

// Replaces the file at path with bytes, atomically: a new file is written
// in the same folder, flushed to disk and renamed over path. A symbolic
// link at path is replaced by the file, never followed. The folder must be
// the user's own real folder (it is created when missing and kept
// owner-only). False with *error when any of it fails; the old file then
// stays as it was.
bool WritePreviewFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace corvel
