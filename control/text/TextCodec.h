#pragma once
// Reading and writing document bytes: UTF-8 when the bytes are valid UTF-8
// (a byte-order mark is remembered), otherwise Windows-1252. Saving uses the
// encoding the text was read in, so an unchanged text gives the same bytes.
#include <QByteArray>
#include <QString>

namespace corvel {

enum class TextEncoding { Utf8, Utf8Bom, Windows1252 };

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(const QByteArray &bytes);

DecodedText DecodeText(const QByteArray &bytes);

// Encodes in the given encoding. When Windows-1252 cannot hold a character of
// the text, the text is written as UTF-8 instead (and *used says so), so that
// no character is ever lost. A UTF-8 text that begins with U+FEFF is written
// with a byte-order mark in front (*used says Utf8Bom), so that it reads back
// with that character.
QByteArray EncodeText(const QString &text, TextEncoding encoding, TextEncoding *used = nullptr);

QString DecodeWindows1252(const QByteArray &bytes);
// Returns false when a character has no Windows-1252 byte.
bool EncodeWindows1252(const QString &text, QByteArray *out);

// Line-break helpers: any of CR LF, LF or CR becomes the wanted break.
QString ToCrLf(const QString &text);
QString ToLf(const QString &text);

} // namespace corvel
