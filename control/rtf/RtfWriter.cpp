// RTF writer: ASCII output, one \plain-based switch per change of format.
#include "RtfCodepage.h"
#include "RtfDocument.h"
#include "RtfWords.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <string>

namespace corvel::rtf {

namespace {

class Out {
public:
    explicit Out(size_t reserve) { s_.reserve(reserve); }
    void raw(const char *text) { s_.append(text); }
    void ch(char c) { s_.push_back(c); }
    void number(long long v) {
        char buf[24];
        int n = 0;
        const bool negative = v < 0;
        unsigned long long u = negative ? 0ull - (unsigned long long)v : (unsigned long long)v;
        do {
            buf[n++] = char('0' + u % 10);
            u /= 10;
        } while (u);
        if (negative) s_.push_back('-');
        while (n)
            s_.push_back(buf[--n]);
    }
    void hexByte(int b) {
        static const char digits[] = "0123456789abcdef";
        s_.push_back('\\');
        s_.push_back('\'');
        s_.push_back(digits[(b >> 4) & 15]);
        s_.push_back(digits[b & 15]);
    }
    // One character of text: ASCII as itself or escaped, line breaks as
    // \par, anything else as \uN with a Windows-1252 fallback byte (or "?").
    // inName: inside a font table entry, where ";" would end the name.
    void text(char16_t c, bool inName = false) {
        if (c >= 0x20 && c < 0x7F) {
            if (c == '\\' || c == '{' || c == '}') {
                s_.push_back('\\');
            } else if (inName && c == ';') {
                hexByte(c);
                return;
            }
            s_.push_back(char(c));
        } else if (c == '\n' && !inName) {
            raw("\\par\r\n");
        } else if (c == '\t' && !inName) {
            raw("\\tab ");
        } else if (c < 0x80) {
            hexByte(c); // other control characters and DEL, kept as bytes
        } else {
            raw("\\u");
            number(c >= 0x8000 ? int(c) - 0x10000 : int(c));
            const int b = detail::Windows1252Byte(c);
            if (b >= 0)
                hexByte(b);
            else
                s_.push_back('?');
        }
    }
    void text(const QChar *p, const QChar *end) {
        for (; p < end; ++p)
            text(char16_t(p->unicode()));
    }
    QByteArray take() const { return QByteArray(s_.data(), qsizetype(s_.size())); }

private:
    std::string s_;
};

// The font and colour tables, and each format's entries in them (found once
// per format, so a switch never hashes a face name).
struct Tables {
    QHash<QString, int> fonts;
    QHash<const QChar *, int> fontsByData; // names that share their characters
    QVector<QString> fontNames;
    QHash<int, int> colors; // RGB -> index (1-based; 0 is "auto")
    QVector<int> colorValues;
    QVector<int> formatFont;  // -1: none
    QVector<int> formatColor; // -1: none

    int font(const QString &name) {
        if (name.isEmpty()) return -1;
        const auto shared = fontsByData.constFind(name.constData());
        if (shared != fontsByData.constEnd()) return *shared;
        int index = fonts.value(name, -1);
        if (index < 0) {
            index = int(fontNames.size());
            fontNames.append(name);
            fonts.insert(name, index);
        }
        fontsByData.insert(name.constData(), index);
        return index;
    }
    int color(int value) {
        if (value < 0) return -1;
        int index = colors.value(value, -1);
        if (index < 0) {
            colorValues.append(value);
            index = int(colorValues.size());
            colors.insert(value, index);
        }
        return index;
    }
};

int SizeHundredths(double points) {
    if (!(points > 0)) return 0; // also NaN
    return int(std::lround(std::min(points, double(kMaxSizeHundredths) / 100) * 100));
}

int ColorValue(int color) {
    return color < 0 ? -1 : (color & 0xFFFFFF);
}

// format: index into the document's formats, -1 for the default format.
void WriteSwitch(Out &out, const CharFormat &f, int format, const Tables &t) {
    out.raw("\\plain");
    const int font = format < 0 ? -1 : t.formatFont[format];
    if (font >= 0) {
        out.raw("\\f");
        out.number(font);
    }
    const int size = SizeHundredths(f.pointSize);
    if (size > 0) {
        out.raw("\\fs");
        out.number((size + 25) / 50);
        if (size % 50) {
            // \fs holds half points only: the exact size follows in a word
            // that other readers ignore.
            out.raw("\\");
            out.raw(kExactSizeWord);
            out.number(size);
        }
    }
    const int color = format < 0 ? -1 : t.formatColor[format];
    if (color >= 0) {
        out.raw("\\cf");
        out.number(color);
    }
    if (f.bold) out.raw("\\b");
    if (f.italic) out.raw("\\i");
    out.ch(' ');
}

} // namespace

QByteArray Write(const Document &doc) {
    const int textLen = int(doc.text.size());
    const int formatCount = int(doc.formats.size());

    Tables t;
    t.formatFont.reserve(formatCount);
    t.formatColor.reserve(formatCount);
    for (const CharFormat &f : doc.formats) {
        t.formatFont.append(t.font(f.font));
        t.formatColor.append(t.color(ColorValue(f.color)));
    }

    Out out(size_t(textLen) + size_t(textLen) / 8 + size_t(doc.ranges.size()) * 24 + 256);
    out.raw("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1");
    if (!t.fontNames.isEmpty()) {
        out.raw("{\\fonttbl");
        for (int i = 0; i < t.fontNames.size(); ++i) {
            out.raw("{\\f");
            out.number(i);
            out.raw("\\fnil\\fcharset0 ");
            for (QChar c : t.fontNames[i])
                out.text(char16_t(c.unicode()), true);
            out.raw(";}");
        }
        out.ch('}');
    }
    if (!t.colorValues.isEmpty()) {
        out.raw("{\\colortbl;");
        for (int c : t.colorValues) {
            out.raw("\\red");
            out.number(c & 0xFF);
            out.raw("\\green");
            out.number((c >> 8) & 0xFF);
            out.raw("\\blue");
            out.number((c >> 16) & 0xFF);
            out.ch(';');
        }
        out.ch('}');
    }
    out.raw("\r\n\\pard\\plain ");

    const QChar *text = doc.text.constData();
    int pos = 0;
    int current = -1; // format index in effect; -1: the default
    auto switchTo = [&](int format) {
        if (format == current) return;
        WriteSwitch(out, format < 0 ? CharFormat() : doc.formats[format], format, t);
        current = format;
    };
    for (const FormatRange &r : doc.ranges) {
        if (r.format < 0 || r.format >= formatCount || r.length <= 0) continue;
        const qint64 start = std::max<qint64>(r.start, pos);
        const qint64 end = std::min<qint64>(qint64(r.start) + r.length, textLen);
        if (end <= start) continue;
        if (pos < start) {
            switchTo(-1);
            out.text(text + pos, text + start);
        }
        switchTo(doc.formats[r.format].isDefault() ? -1 : r.format);
        out.text(text + start, text + end);
        pos = int(end);
    }
    if (pos < textLen) {
        switchTo(-1);
        out.text(text + pos, text + textLen);
    }
    // The closing paragraph mark: Read does not turn it into a line break.
    out.raw("\\par\r\n}");
    return out.take();
}

} // namespace corvel::rtf
