#include "BrowserProtocol.h"

#include <QStringDecoder>

namespace corvel::browser {

namespace {

QByteArray Escape(const QString &text) {
    QByteArray out;
    const QByteArray utf8 = text.toUtf8();
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '%':
            out += "%25";
            break;
        case '\t':
            out += "%09";
            break;
        case '\r':
            out += "%0D";
            break;
        case '\n':
            out += "%0A";
            break;
        default:
            out += c;
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// False when an escape is broken or the text is not UTF-8.
bool Unescape(const QByteArray &field, QString *text) {
    QByteArray bytes;
    bytes.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c != '%') {
            bytes += c;
            continue;
        }
        if (i + 2 >= field.size()) return false;
        const int hi = HexValue(field.at(i + 1)), lo = HexValue(field.at(i + 2));
        if (hi < 0 || lo < 0) return false;
        bytes += char(hi * 16 + lo);
        i += 2;
    }
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *text = decode(bytes);
    return !decode.hasError();
}

bool IsName(const QString &name) {
    if (name.isEmpty()) return false;
    for (const QChar c : name)
        if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) return false;
    return true;
}

} // namespace

QByteArray Encode(const QString &name, const QStringList &args) {
    QByteArray line;
    for (const QChar c : name)
        if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) line += char(c.unicode());
    for (const QString &a : args)
        line += '\t' + Escape(a);
    line += '\n';
    return line;
}

QList<Message> MessageReader::feed(const QByteArray &bytes) {
    QList<Message> out;
    m_buffer += bytes;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = m_buffer.indexOf('\n', start);
        if (end < 0) break;
        if (m_discarding) {
            m_discarding = false;
            ++m_skipped;
        } else {
            takeLine(m_buffer.mid(start, end - start), &out);
        }
        start = end + 1;
    }
    m_buffer.remove(0, start);
    // Room for the "\r" of a CR LF end, which the line's length leaves out:
    // a line at the limit is kept however its bytes arrive.
    if (m_buffer.size() > m_max + 1) {
        // The rest of an overlong line is dropped as it arrives.
        m_buffer.clear();
        m_discarding = true;
    }
    return out;
}

void MessageReader::takeLine(const QByteArray &line, QList<Message> *out) {
    QByteArray body = line;
    if (body.endsWith('\r')) body.chop(1);
    if (body.size() > m_max) {
        ++m_skipped;
        return;
    }
    const QList<QByteArray> fields = body.split('\t');
    Message m;
    m.name = QString::fromLatin1(fields.first());
    bool ok = IsName(m.name);
    for (qsizetype i = 1; ok && i < fields.size(); ++i) {
        QString arg;
        ok = Unescape(fields.at(i), &arg);
        m.args << arg;
    }
    if (!ok) {
        ++m_skipped;
        return;
    }
    out->append(m);
}

} // namespace corvel::browser
