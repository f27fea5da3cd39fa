#pragma once
// Reading and writing the notepad's one document. A file is read whole, in
// its own encoding (UTF-8 when valid, a byte-order mark remembered, else
// Windows-1252), and written back in that encoding with the line breaks it
// had, so that a file saved without changes keeps every byte. Writing
// replaces the file atomically.
#include "TextCodec.h"

#include <QByteArray>
#include <QString>

namespace tessim {

enum class LineBreak { CrLf, Lf, Cr };

// What a save needs to know about the file the text came from.
struct DocumentFormat {
    corvel::TextEncoding encoding = corvel::TextEncoding::Utf8;
    LineBreak lineBreak = LineBreak::CrLf;
    // The bytes read and the text (CR LF breaks) they gave; an unchanged
    // text is written back as exactly these bytes.
    QByteArray bytes;
    QString text;
};

// The break of the first line of the bytes; CR LF when there is none.
LineBreak DetectLineBreak(const QByteArray &bytes);

// The text of the bytes with CR LF breaks, and the format to write it back.
QString DecodeDocument(const QByteArray &bytes, DocumentFormat *format);

// The bytes of a text (CR LF breaks) in the format. Characters that the
// file's single-byte encoding cannot hold make the file UTF-8 (*format then
// says so), so nothing typed is lost.
QByteArray EncodeDocument(const QString &text, DocumentFormat *format);

// Reads the file; "" or the reason (in Portuguese) it could not be read.
QString ReadDocumentFile(const QString &path, QString *text, DocumentFormat *format);

// Writes the text to path atomically; "" or the reason it could not be
// written (the old file then untouched). On success the format remembers
// the bytes written.
QString WriteDocumentFile(const QString &path, const QString &text, DocumentFormat *format);

} // namespace tessim
