#pragma once
// Helpers shared by the RTF tests: the format of one character, and RTF built
// the way the colouriser builds it (template plus four replacement passes).
#include "RtfDocument.h"

#include <QRegularExpression>
#include <QString>

namespace rtftest {

using corvel::rtf::CharFormat;
using corvel::rtf::Document;

inline CharFormat FormatAt(const Document &doc, int pos) {
    for (const auto &r : doc.ranges)
        if (pos >= r.start && pos < r.start + r.length) return doc.formats.value(r.format);
    return CharFormat();
}

// The format of every character (index into doc.formats, -1 for default).
inline QVector<int> FormatMap(const Document &doc) {
    QVector<int> map(doc.text.size(), -1);
    for (const auto &r : doc.ranges)
        for (int i = std::max(0, r.start); i < r.start + r.length && i < map.size(); ++i)
            map[i] = r.format;
    return map;
}

// True when both documents show the same characters with the same formats,
// however their runs are split.
inline bool SameFormatting(const Document &a, const Document &b, QString *why = nullptr) {
    if (a.text != b.text) {
        if (why) *why = QStringLiteral("text differs");
        return false;
    }
    const QVector<int> ma = FormatMap(a), mb = FormatMap(b);
    for (int i = 0; i < a.text.size(); ++i) {
        const CharFormat fa = ma[i] < 0 ? CharFormat() : a.formats.value(ma[i]);
        const CharFormat fb = mb[i] < 0 ? CharFormat() : b.formats.value(mb[i]);
        if (fa != fb) {
            if (why) *why = QStringLiteral("format differs at %1").arg(i);
            return false;
        }
    }
    return true;
}

inline QString ColorEntry(int c) {
    return QStringLiteral("\\red%1\\green%2\\blue%3")
        .arg(c % 256)
        .arg((c % 65536) / 256)
        .arg(c / 65536);
}

inline QString ReplaceAll(const QString &text, const QString &pattern, const QString &repl) {
    QRegularExpression re(pattern, QRegularExpression::CaseInsensitiveOption);
    QString r = repl;
    r.replace(QLatin1String("$1"), QLatin1String("\\1"))
        .replace(QLatin1String("$2"), QLatin1String("\\2"));
    QString s = text;
    return s.replace(re, r);
}

// The colouriser's RTF of a CR LF text. colors: the table entries (five for
// colouring, one for font standardisation).
inline QString ColouriserRtf(const QString &crlfText, const QString &font, int halfPoints,
                             const QList<int> &colors) {
    const QString n = QString::number(halfPoints);
    QString table;
    for (int c : colors)
        table += ColorEntry(c) + QLatin1Char(';');
    const QString head =
        QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss ") +
        font + QStringLiteral(";}{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fswiss ") + font +
        QStringLiteral(";}}\r\n{\\colortbl") + table +
        QStringLiteral("}\r\n\\deflang1033\\pard\\plain\\f0\\fs") + n + QLatin1Char(' ');
    const QString sw = QStringLiteral("\\plain\\f2\\fs") + n;
    const QString closing = sw + QStringLiteral("\\cf0 ");
    const QString tail = sw + QStringLiteral("\\cf0\r\n\\par }");
    QString b = crlfText;
    b = ReplaceAll(b, QStringLiteral("([{}\\\\])"), QStringLiteral("\\$1"));
    b = ReplaceAll(b, QStringLiteral("(\\r)"), QStringLiteral("\\par \\r"));
    b = ReplaceAll(b, QStringLiteral("(<[^>]+>)"),
                   sw + QStringLiteral("\\cf1 $1") + sw + QStringLiteral("\\cf0 "));
    b = ReplaceAll(b, QStringLiteral("( \\w[\\w\\d\\s:_\\-\\.]* *= *)(\"[^\"]+\"|'[^']+'|\\d+)"),
                   sw + QStringLiteral("\\cf2 $1") + sw + QStringLiteral("\\cf3 $2") + sw +
                       QStringLiteral("\\cf1 "));
    return head + b + closing + tail;
}

} // namespace rtftest
