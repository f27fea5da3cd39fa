#include "TextCodec.h"

#include <QStringDecoder>

#include <array>

namespace corvel {

namespace {

// Bytes 0x80..0x9F of Windows-1252. The five bytes the code page leaves
// undefined map to the C1 control of the same value, as the system does, so
// every byte survives a round trip.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

bool IsValidUtf8(const QByteArray &bytes) {
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len;
        char32_t cp;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > n) return false;
        for (int k = 1; k < len; ++k) {
            unsigned char cc = p[i + k];
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000))
            return false; // overlong
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

QString DecodeWindows1252(const QByteArray &bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        auto c = static_cast<unsigned char>(bytes[i]);
        d[i] = (c >= 0x80 && c <= 0x9F) ? QChar(kHigh[c - 0x80]) : QChar(c);
    }
    return out;
}

bool EncodeWindows1252(const QString &text, QByteArray *out) {
    out->resize(text.size());
    char *d = out->data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            d[i] = static_cast<char>(u);
            continue;
        }
        int found = -1;
        for (int k = 0; k < 32; ++k) {
            if (kHigh[k] == u) {
                found = k;
                break;
            }
        }
        if (found < 0) return false;
        d[i] = static_cast<char>(0x80 + found);
    }
    return true;
}

// UTF-8 to text keeping a leading U+FEFF as a character (QString::fromUtf8
// would take it for a byte-order mark and drop it).
static QString Utf8Characters(const char *data, qsizetype size) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(data, size));
}

DecodedText DecodeText(const QByteArray &bytes) {
    DecodedText r;
    if (IsValidUtf8(bytes)) {
        // Only the first mark is the encoding's; a second one is text.
        if (bytes.startsWith("\xEF\xBB\xBF")) {
            r.encoding = TextEncoding::Utf8Bom;
            r.text = Utf8Characters(bytes.constData() + 3, bytes.size() - 3);
        } else {
            r.encoding = TextEncoding::Utf8;
            r.text = Utf8Characters(bytes.constData(), bytes.size());
        }
    } else {
        r.encoding = TextEncoding::Windows1252;
        r.text = DecodeWindows1252(bytes);
    }
    return r;
}

QByteArray EncodeText(const QString &text, TextEncoding encoding, TextEncoding *used) {
    if (encoding == TextEncoding::Windows1252) {
        QByteArray out;
        if (EncodeWindows1252(text, &out)) {
            if (used) *used = TextEncoding::Windows1252;
            return out;
        }
        encoding = TextEncoding::Utf8;
    }
    // A text that begins with U+FEFF needs a mark of its own in front, or
    // reading it back would take its first character for the mark.
    if (encoding == TextEncoding::Utf8 && text.startsWith(QChar(0xFEFF)))
        encoding = TextEncoding::Utf8Bom;
    if (used) *used = encoding;
    QByteArray out = text.toUtf8();
    if (encoding == TextEncoding::Utf8Bom) out.prepend("\xEF\xBB\xBF");
    return out;
}

static QString NormaliseBreaks(const QString &text, const QString &brk) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c != u'\r' && c != u'\n') continue;
        out.append(p + runStart, i - runStart);
        out.append(brk);
        if (c == u'\r' && i + 1 < n && p[i + 1].unicode() == u'\n') ++i;
        runStart = i + 1;
    }
    out.append(p + runStart, n - runStart);
    return out;
}

QString ToCrLf(const QString &text) {
    return NormaliseBreaks(text, QStringLiteral("\r\n"));
}
QString ToLf(const QString &text) {
    return NormaliseBreaks(text, QStringLiteral("\n"));
}

} // namespace corvel
