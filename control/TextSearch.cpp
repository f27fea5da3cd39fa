#include "TextSearch.h"

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

QString AdaptPattern(const QString &pattern) {
    QString out = kNewlinePrefix;
    out.reserve(pattern.size() + kNewlinePrefix.size() + 8);
    bool inClass = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'\\' && i + 1 < pattern.size()) {
            out += c;
            out += pattern[++i];
            continue;
        }
        if (inClass) {
            if (c == u']') inClass = false;
            out += c;
            continue;
        }
        if (c == u'[') {
            inClass = true;
            out += c;
            // A ']' first in a class is a literal member, not its end.
            if (i + 1 < pattern.size() && pattern[i + 1] == u'^') out += pattern[++i];
            if (i + 1 < pattern.size() && pattern[i + 1] == u']') out += pattern[++i];
            continue;
        }
        if (c == u'$') {
            out += QStringLiteral("\\z");
            continue;
        }
        out += c;
    }
    return out;
}

bool FindRegExp(const QString &text, const QString &pattern, bool ignoreCase, int selStart,
                int selLength, Match *found, QString *error) {
    if (error) error->clear();
    QRegularExpression::PatternOptions opts = QRegularExpression::NoPatternOption;
    if (ignoreCase) opts |= QRegularExpression::CaseInsensitiveOption;
    const QRegularExpression re(AdaptPattern(pattern), opts);
    if (!re.isValid()) {
        if (error) {
            const int at = std::max(0, int(re.patternErrorOffset()) - int(kNewlinePrefix.size()));
            *error = QStringLiteral("Expressão regular inválida (posição %1): %2")
                         .arg(at)
                         .arg(re.errorString());
        }
        return false;
    }
    QRegularExpressionMatchIterator it = re.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const int s = int(m.capturedStart());
        // Forward only: a match at the very start counts when the caret is
        // there with nothing selected.
        if (s > selStart || (s == 0 && selStart == 0 && selLength == 0)) {
            if (found) {
                found->start = s;
                found->length = int(m.capturedLength());
            }
            return true;
        }
    }
    return false;
}

} // namespace corvel::control
