#include "RichText.h"

#include "LongLines.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace corvel::control {

namespace {

int ToRgbNumber(const QColor &c) {
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

rtf::CharFormat FromQt(const QTextCharFormat &f) {
    rtf::CharFormat out;
    if (f.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = f.fontFamilies().toStringList();
        if (!families.isEmpty()) out.font = families.first();
    }
    if (f.hasProperty(QTextFormat::FontPointSize)) out.pointSize = f.fontPointSize();
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        out.color = ToRgbNumber(f.foreground().color());
    if (f.hasProperty(QTextFormat::FontWeight)) out.bold = f.fontWeight() >= QFont::DemiBold;
    if (f.hasProperty(QTextFormat::FontItalic)) out.italic = f.fontItalic();
    return out;
}

QTextCharFormat ToQt(const rtf::CharFormat &f) {
    QTextCharFormat out;
    if (!f.font.isEmpty()) out.setFontFamilies(QStringList{f.font});
    if (f.pointSize > 0) out.setFontPointSize(f.pointSize);
    if (f.color >= 0)
        out.setForeground(QColor(f.color & 0xFF, (f.color >> 8) & 0xFF, (f.color >> 16) & 0xFF));
    if (f.bold) out.setFontWeight(QFont::Bold);
    if (f.italic) out.setFontItalic(true);
    return out;
}

} // namespace

rtf::Document FromTextDocument(const QTextDocument *doc, int from, int to) {
    rtf::Document out;
    const int docEnd = doc->characterCount() - 1;
    if (to < 0 || to > docEnd) to = docEnd;
    from = std::clamp(from, 0, to);
    out.text.reserve(to - from);
    const rtf::CharFormat plain;
    // Document format index -> index in out.formats (-1: default format).
    QHash<int, int> formatOf;
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.position() <= to; b = b.next()) {
        // A display break of a long line is no break of the text.
        if (b.position() > from && !ContinuesLine(b)) out.text += u'\n';
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            const int fs = std::max(frag.position(), from);
            const int fe = std::min(frag.position() + frag.length(), to);
            if (fe <= fs) continue;
            const int outStart = int(out.text.size());
            out.text += frag.text().mid(fs - frag.position(), fe - fs);
            const int key = frag.charFormatIndex();
            auto found = formatOf.constFind(key);
            int idx;
            if (found == formatOf.constEnd()) {
                const rtf::CharFormat cf = FromQt(frag.charFormat());
                idx = -1;
                if (cf != plain) {
                    idx = int(out.formats.indexOf(cf));
                    if (idx < 0) {
                        idx = int(out.formats.size());
                        out.formats.append(cf);
                    }
                }
                formatOf.insert(key, idx);
            } else {
                idx = *found;
            }
            if (idx < 0) continue;
            if (!out.ranges.isEmpty()) {
                rtf::FormatRange &last = out.ranges.last();
                if (last.format == idx && last.start + last.length == outStart) {
                    last.length += fe - fs;
                    continue;
                }
            }
            out.ranges.append(rtf::FormatRange{outStart, fe - fs, idx});
        }
    }
    return out;
}

void InsertRtfDocument(QTextCursor &cursor, const rtf::Document &doc) {
    QVector<QTextCharFormat> formats;
    formats.reserve(doc.formats.size());
    for (const rtf::CharFormat &f : doc.formats)
        formats.append(ToQt(f));
    const QTextCharFormat plain;
    const QString &text = doc.text;
    const int n = int(text.size());
    int at = 0;
    auto insertPart = [&](int start, int end, const QTextCharFormat &fmt) {
        if (end > start) cursor.insertText(text.mid(start, end - start), fmt);
    };
    for (const rtf::FormatRange &r : doc.ranges) {
        const int start = std::clamp(r.start, at, n);
        const int end = std::clamp(r.start + std::max(0, r.length), start, n);
        insertPart(at, start, plain);
        const bool known = r.format >= 0 && r.format < formats.size();
        insertPart(start, end, known ? formats[r.format] : plain);
        at = end;
    }
    insertPart(at, n, plain);
}

} // namespace corvel::control
