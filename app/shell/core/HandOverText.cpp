#include "HandOverText.h"

namespace corvel {

namespace {

constexpr char kEnd = '\0';

// A UTF-8 continuation byte (10xxxxxx).
bool IsContinuation(char c) {
    return (uchar(c) & 0xC0) == 0x80;
}

} // namespace

QByteArray HandOverMessage(const QString &text) {
    QByteArray data = text.toUtf8();
    if (data.size() > kHandOverLimit) {
        // Never half a character: the receiver would read a replacement mark.
        qsizetype cut = kHandOverLimit;
        while (cut > 0 && IsContinuation(data[cut]))
            --cut;
        data.truncate(cut);
    }
    data.append(kEnd);
    return data;
}

bool TakeHandOverText(QByteArray *buffer, const QByteArray &arrived, QString *text) {
    buffer->append(arrived);
    const qsizetype end = buffer->indexOf(kEnd);
    qsizetype length = -1;
    if (end >= 0 && end <= kHandOverLimit)
        length = end;
    else if (buffer->size() >= kHandOverLimit)
        length = kHandOverLimit;
    if (length < 0) return false;
    *text = QString::fromUtf8(buffer->constData(), length);
    buffer->clear();
    return true;
}

} // namespace corvel
