#pragma once
// The message a later start hands to the running instance: the text in
// UTF-8 followed by a NUL, at most kHandOverLimit bytes of text. The reader
// gathers what arrives, however it is split, until the message is whole.
#include <QByteArray>
#include <QString>

namespace corvel {

constexpr qsizetype kHandOverLimit = 64 * 1024;

// The bytes to send: the text cut at a character boundary so that it fits
// the limit, then the NUL that ends it.
QByteArray HandOverMessage(const QString &text);

// Adds bytes that arrived to buffer. True when a text is whole: the bytes
// before the first NUL, or the first kHandOverLimit bytes when no NUL came
// within them; *text is then set and buffer cleared. The result depends only
// on the bytes, never on how they were split into arrivals.
bool TakeHandOverText(QByteArray *buffer, const QByteArray &arrived, QString *text);

} // namespace corvel
