#include "TextSearch.h"

#include "BoundedRegex.h"

#include <QRegularExpression>

namespace corvel::control {

namespace {

// PCRE's newline convention made to match the text's CR LF breaks: with it,
// "." matches neither CR nor LF, as in the ECMAScript dialect.
const QString kNewlinePrefix = QStringLiteral("(*ANYCRLF)");

bool BoundaryOk(const QString &text, int start, int length, const QChar *before) {
    if (before && IsWordChar(*before)) return false;
    const int end = start + length;
    return end >= text.size() || !IsWordChar(text[end]);
}

} // namespace

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

int FindText(const QString &text, const QString &needle, int from, bool matchCase, bool wholeWord) {
    if (needle.isEmpty() || from < 0 || from > text.size()) return -1;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    int pos = from;
    while (true) {
        const int p = int(text.indexOf(needle, pos, cs));
        if (p < 0) return -1;
        if (!wholeWord) return p;
        const QChar *before = p > 0 ? &text.constData()[p - 1] : nullptr;
        if (BoundaryOk(text, p, int(needle.size()), before)) return p;
        pos = p + 1;
    }
}

QVector<int> FindAllForReplace(const QString &text, const QString &needle,
                               const QString &replacement, int from, bool matchCase,
                               bool wholeWord) {
    QVector<int> out;
    if (needle.isEmpty() || from < 0 || from > text.size()) return out;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int len = int(needle.size());
    int pos = from;
    int lastEnd = -1;
    // The character just before lastEnd once the earlier replacements are
    // made (none when the text there is empty).
    QChar beforeEnd;
    bool hasBeforeEnd = false;
    while (true) {
        const int p = int(text.indexOf(needle, pos, cs));
        if (p < 0) break;
        QChar before;
        bool hasBefore = false;
        if (p == lastEnd) {
            before = beforeEnd;
            hasBefore = hasBeforeEnd;
        } else if (p > 0) {
            before = text[p - 1];
            hasBefore = true;
        }
        if (wholeWord && !BoundaryOk(text, p, len, hasBefore ? &before : nullptr)) {
            pos = p + 1;
            continue;
        }
        out.append(p);
        if (!replacement.isEmpty()) {
            beforeEnd = replacement.back();
            hasBeforeEnd = true;
        } else {
            beforeEnd = before;
            hasBeforeEnd = hasBefore;
        }
        lastEnd = p + len;
        pos = lastEnd;
    }
    return out;
}

namespace {

bool IsHex(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool HexRun(const QString &p, int from, int count) {
    if (from + count > p.size()) return false;
    for (int i = from; i < from + count; ++i)
        if (!IsHex(p[i])) return false;
    return true;
}

// The adapted pattern, with the position in the user's pattern that each of
// its characters came from.
class Adapted {
public:
    explicit Adapted(int reserve) {
        text.reserve(reserve);
        origin.reserve(reserve);
    }
    void add(const QString &s, int from) {
        text += s;
        for (int i = 0; i < s.size(); ++i)
            origin.append(from);
    }
    void add(QChar c, int from) {
        text += c;
        origin.append(from);
    }
    QString text;
    QVector<int> origin;
};

// One escape at p[i] == '\\' (i + 1 < size); returns the index of its last
// character. \uXXXX becomes \x{XXXX}; \u and \x without their hex digits
// stand for the letter itself, as in the ECMAScript dialect (the engine
// would refuse the first and read the second as a NUL).
int AdaptEscape(const QString &p, int i, Adapted &out) {
    const QChar e = p[i + 1];
    if (e == u'u') {
        if (HexRun(p, i + 2, 4)) {
            out.add(QStringLiteral("\\x{") + p.mid(i + 2, 4) + QLatin1Char('}'), i);
            return i + 5;
        }
        out.add(QChar(u'u'), i);
        return i + 1;
    }
    if (e == u'x' && !HexRun(p, i + 2, 2)) {
        out.add(QChar(u'x'), i);
        return i + 1;
    }
    out.add(QString(p[i]) + e, i);
    return i + 1;
}

} // namespace

QString AdaptPattern(const QString &pattern, QVector<int> *origin) {
    Adapted out(int(pattern.size() + kNewlinePrefix.size() + 8));
    out.add(kNewlinePrefix, 0);
    bool inClass = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\\' && i + 1 < pattern.size()) {
            i = AdaptEscape(pattern, i, out);
            continue;
        }
        if (inClass) {
            if (c == u']') inClass = false;
            out.add(c, i);
            continue;
        }
        if (c == u'[') {
            // A "]" right after "[" or "[^" closes the class: "[]" matches
            // nothing and "[^]" any character, line breaks included.
            if (i + 1 < pattern.size() && pattern[i + 1] == u']') {
                out.add(QStringLiteral("(?!)"), i);
                ++i;
                continue;
            }
            if (i + 2 < pattern.size() && pattern[i + 1] == u'^' && pattern[i + 2] == u']') {
                out.add(QStringLiteral("[\\s\\S]"), i);
                i += 2;
                continue;
            }
            inClass = true;
            out.add(c, i);
            if (i + 1 < pattern.size() && pattern[i + 1] == u'^') {
                ++i;
                out.add(pattern[i], i);
            }
            continue;
        }
        if (c == u'$') {
            out.add(QStringLiteral("\\z"), i);
            continue;
        }
        out.add(c, i);
    }
    if (origin) *origin = out.origin;
    return out.text;
}

bool FindRegExp(const QString &text, const QString &pattern, bool ignoreCase, int selStart,
                int selLength, Match *found, QString *error) {
    if (error) error->clear();
    QRegularExpression::PatternOptions opts = QRegularExpression::NoPatternOption;
    if (ignoreCase) opts |= QRegularExpression::CaseInsensitiveOption;
    QVector<int> origin;
    const BoundedRegex re(AdaptPattern(pattern, &origin), opts);
    if (!re.isValid()) {
        if (error) {
            // The place in the user's pattern, counted from 1.
            const int offset = int(re.patternErrorOffset());
            const int at =
                offset >= 0 && offset < origin.size() ? origin[offset] : int(pattern.size());
            *error = QStringLiteral("Expressão regular inválida (posição %1): %2")
                         .arg(at + 1)
                         .arg(re.errorString());
        }
        return false;
    }
    bool hit = false;
    const RegexOutcome outcome = re.forEach(text, [&](const QRegularExpressionMatch &m) {
        const int s = int(m.capturedStart());
        // Forward only: a match at the very start counts when the caret is
        // there with nothing selected.
        if (s > selStart || (s == 0 && selStart == 0 && selLength == 0)) {
            if (found) {
                found->start = s;
                found->length = int(m.capturedLength());
            }
            hit = true;
            return false;
        }
        return true;
    });
    if (outcome == RegexOutcome::TooComplex) {
        if (error) *error = RegexTooComplexText();
        return false;
    }
    return hit;
}

} // namespace corvel::control
