#include "ColorizerRtf.h"

#include "RegexReplace.h"
#include "Settings.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QRegularExpression>

namespace corvel {

QString RtfColorEntry(int colour) {
    // A stored colour outside 0..0xFFFFFF keeps its 24 low bits, so every
    // component stays a byte and the table stays valid RTF.
    const quint32 c = quint32(colour) & 0xFFFFFFu;
    return QStringLiteral("\\red%1\\green%2\\blue%3")
        .arg(c % 256)
        .arg((c % 65536) / 256)
        .arg(c / 65536);
}

int ColourSetting(const QString &key) {
    const QString t = ReadSetting(QStringLiteral("Editor"), key).trimmed();
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (ok && d >= -2147483648.0 && d <= 2147483647.0) return int(qRound64(d));
    return int(SettingNumber(t));
}

bool RtfHalfPoints(const QString &tamanho, int *halfPoints) {
    QString t = tamanho.trimmed();
    bool ok = false;
    double d = t.toDouble(&ok);
    if (!ok) d = QLocale(QLocale::Portuguese, QLocale::Brazil).toDouble(t, &ok);
    if (!ok || d < 0 || d > 16000) return false;
    *halfPoints = int(d) * 2;
    return true;
}

RtfTemplate BuildRtfTemplate(const QString &face, int halfPoints, const QStringList &colours) {
    const QString n = QString::number(halfPoints);
    const QString crlf = QStringLiteral("\r\n");
    const QString name = RtfEscapeText(face);
    RtfTemplate t;
    t.head =
        QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss ") +
        name + QStringLiteral(";}{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fswiss ") + name +
        QStringLiteral(";}}") + crlf + QStringLiteral("{\\colortbl");
    for (const QString &c : colours)
        t.head += c + QLatin1Char(';');
    t.head += QStringLiteral("}") + crlf + QStringLiteral("\\deflang1033\\pard\\plain\\f0\\fs") +
              n + QLatin1Char(' ');
    t.closing = QStringLiteral("\\plain\\f2\\fs") + n + QStringLiteral("\\cf0 ");
    t.tail = QStringLiteral("\\plain\\f2\\fs") + n + QStringLiteral("\\cf0") + crlf +
             QStringLiteral("\\par }");
    return t;
}

bool ReadColorizerSettings(ColorizerSettings *s) {
    if (!RtfHalfPoints(ReadSetting(QStringLiteral("Editor"), QStringLiteral("Tamanho")),
                       &s->halfPoints))
        return false;
    s->face = ReadSetting(QStringLiteral("Editor"), QStringLiteral("Fonte"));
    s->text = ColourSetting(QStringLiteral("Frente"));
    s->tag = ColourSetting(QStringLiteral("ClrzTag"));
    s->param = ColourSetting(QStringLiteral("ClrzParam"));
    s->value = ColourSetting(QStringLiteral("ClrzValor"));
    s->comment = ColourSetting(QStringLiteral("ClrzComent"));
    s->script = ColourSetting(QStringLiteral("ClrzPrg"));
    return true;
}

namespace {

void AppendHexByte(QString &out, ushort b) {
    static const char digits[] = "0123456789abcdef";
    out.append(QLatin1String("\\'"));
    out.append(QLatin1Char(digits[(b >> 4) & 15]));
    out.append(QLatin1Char(digits[b & 15]));
}

// Characters beyond ASCII as \uN? (N a signed 16-bit number, one fallback
// character), so the RTF carries every UTF-16 unit whatever its code page,
// and ASCII controls other than tab and the line break characters (which
// the reader would skip as formatting) as \'hh.
bool NeedsEscape(ushort u) {
    return u > 0x7F || (u < 0x20 && u != '\t' && u != '\r' && u != '\n');
}

QString EscapeBodyCharacters(const QString &body) {
    const QChar *data = body.constData();
    const qsizetype n = body.size();
    qsizetype count = 0;
    for (qsizetype i = 0; i < n; ++i)
        if (NeedsEscape(data[i].unicode())) ++count;
    if (count == 0) return body;
    QString out;
    out.reserve(n + count * 8);
    qsizetype from = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const ushort u = data[i].unicode();
        if (!NeedsEscape(u)) continue;
        out.append(data + from, i - from);
        if (u > 0x7F) {
            out.append(QLatin1String("\\u"));
            out.append(QString::number(qint16(u)));
            out.append(QLatin1Char('?'));
        } else {
            AppendHexByte(out, u);
        }
        from = i + 1;
    }
    out.append(data + from, n - from);
    return out;
}

double Lap(QElapsedTimer &t) {
    const double ms = t.nsecsElapsed() / 1e6;
    t.restart();
    return ms;
}

} // namespace

QString RtfEscapeText(const QString &text) {
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar ch : text) {
        const ushort u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out.append(QLatin1Char('\\'));
            out.append(ch);
        } else if (u == ';' || u < 0x20 || u == 0x7F) {
            AppendHexByte(out, u);
        } else if (u > 0x7F) {
            out.append(QLatin1String("\\u"));
            out.append(QString::number(qint16(u)));
            out.append(QLatin1Char('?'));
        } else {
            out.append(ch);
        }
    }
    return out;
}

QString ColorizeBody(const QString &text, int halfPoints, PassTimings *timings) {
    static const QRegularExpression escape(QStringLiteral("([{}\\\\])"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression lines(QStringLiteral("(\\r)"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("(<[^>]+>)"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression attributes(
        QStringLiteral("( \\w[\\w\\d\\s:_\\-\\.]* *= *)(\"[^\"]+\"|'[^']+'|\\d+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QString fs = QStringLiteral("\\plain\\f2\\fs") + QString::number(halfPoints);

    QElapsedTimer t;
    t.start();
    QString b = RegexReplaceAll(escape, QStringLiteral("\\$1"), text);
    const double tEscape = Lap(t);
    b = RegexReplaceAll(lines, QStringLiteral("\\par $1"), b);
    const double tLines = Lap(t);
    // The colour switch after a tag ends with an empty group instead of a
    // space: text such as "x = 5" right after a tag would otherwise let the
    // attribute pass begin its match on that delimiting space and turn it
    // into a visible one.
    b = RegexReplaceAll(tags, fs + QStringLiteral("\\cf1 $1") + fs + QStringLiteral("\\cf0{}"), b);
    const double tTags = Lap(t);
    b = RegexReplaceAll(attributes,
                        fs + QStringLiteral("\\cf2 $1") + fs + QStringLiteral("\\cf3 $2") + fs +
                            QStringLiteral("\\cf1 "),
                        b);
    const double tAttributes = Lap(t);
    b = EscapeBodyCharacters(b);
    if (timings) *timings = {tEscape, tLines, tTags, tAttributes, Lap(t)};
    return b;
}

namespace {
TextRanges Ranges(const QRegularExpression &re, const QString &text) {
    TextRanges out;
    QRegularExpressionMatchIterator it = re.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out.append({int(m.capturedStart(0)), int(m.capturedLength(0))});
    }
    return out;
}
} // namespace

TextRanges CommentRanges(const QString &text) {
    static const QRegularExpression re(QStringLiteral("<!--[\\w\\W]+?-->"));
    return Ranges(re, text);
}

TextRanges ScriptBlockRanges(const QString &text) {
    static const QRegularExpression re(QStringLiteral("(<%|<\\?)[\\w\\W]+?(%>|\\?>)"));
    return Ranges(re, text);
}

} // namespace corvel
