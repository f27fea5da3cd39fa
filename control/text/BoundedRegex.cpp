#include "BoundedRegex.h"

#include <QElapsedTimer>

#include <algorithm>

namespace corvel {

namespace {

// Options that may only stand at the very start of a pattern. Anything else
// in "(*...)" form (verbs such as (*SKIP), (*FAIL), (*MARK:x)) belongs to
// the pattern proper and stays where it is.
bool IsStartOption(const QString &name) {
    static const char *const kNames[] = {
        "UTF",
        "UTF16",
        "UCP",
        "NO_AUTO_POSSESS",
        "NO_DOTSTAR_ANCHOR",
        "NO_JIT",
        "NO_START_OPT",
        "NOTEMPTY",
        "NOTEMPTY_ATSTART",
        "CR",
        "LF",
        "CRLF",
        "ANYCRLF",
        "ANY",
        "NUL",
        "BSR_ANYCRLF",
        "BSR_UNICODE",
        "LIMIT_DEPTH",
        "LIMIT_RECURSION",
        "LIMIT_HEAP",
        "LIMIT_MATCH",
    };
    for (const char *n : kNames)
        if (name == QLatin1String(n)) return true;
    return false;
}

const QRegularExpression::MatchOptions kAnchored =
    QRegularExpression::AnchorAtOffsetMatchOption |
    QRegularExpression::DontCheckSubjectStringMatchOption;

// Never start inside a surrogate pair.
qsizetype CharBoundary(const QString &text, qsizetype at) {
    if (at > 0 && at < text.size() && text[at].isLowSurrogate() && text[at - 1].isHighSurrogate())
        ++at;
    return at;
}

// The text with lone surrogates replaced (same length, same offsets): the
// engine is told the text is well formed, so it must be.
const QString &WellFormed(const QString &text, QString *copy) {
    if (QStringView(text).isValidUtf16()) return text;
    *copy = text;
    for (qsizetype i = 0; i < copy->size(); ++i) {
        const QChar c = (*copy)[i];
        if (c.isHighSurrogate() && i + 1 < copy->size() && (*copy)[i + 1].isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            (*copy)[i] = QChar(QChar::ReplacementCharacter);
        }
    }
    return *copy;
}

// A search stops when the engine calls of one search or walk together ran
// this long: the last guard for work the step limit does not count (a run of
// one character class scanned again from every start position). A walk earns
// a little more for every match it finds, so that a pattern matching every
// character of a large text is not taken for a runaway one.
constexpr qint64 kTimeBudgetNs = 600 * 1000 * 1000;
constexpr qint64 kTimePerMatchNs = 5000;

} // namespace

QString RegexTooComplexText() {
    return QStringLiteral("A expressão regular é muito complexa para este texto. Simplifique a "
                          "expressão e tente de novo.");
}

QString BoundedRegex::StartOptions(const QString &pattern, QString *rest, bool *crlfNewline) {
    QString options;
    qsizetype i = 0;
    if (crlfNewline) *crlfNewline = false;
    while (pattern.mid(i, 2) == QLatin1String("(*")) {
        const qsizetype close = pattern.indexOf(QLatin1Char(')'), i + 2);
        if (close < 0) break;
        const QString item = pattern.mid(i + 2, close - i - 2);
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        const QString name = eq < 0 ? item : item.left(eq);
        if (!IsStartOption(name)) break;
        // The limits are this class's to set: a pattern may not raise them,
        // and one that lowers them is held to the stricter bound anyway.
        if (!name.startsWith(QLatin1String("LIMIT_"))) options += pattern.mid(i, close + 1 - i);
        if (crlfNewline && (name == QLatin1String("CRLF") || name == QLatin1String("ANYCRLF") ||
                            name == QLatin1String("ANY")))
            *crlfNewline = true;
        else if (crlfNewline && (name == QLatin1String("CR") || name == QLatin1String("LF") ||
                                 name == QLatin1String("NUL")))
            *crlfNewline = false;
        i = close + 1;
    }
    if (rest) *rest = pattern.mid(i);
    return options;
}

BoundedRegex::BoundedRegex(const QString &pattern, QRegularExpression::PatternOptions options)
    : m_plain(pattern, options) {
    if (!m_plain.isValid()) return;
    QString rest;
    const QString start = StartOptions(pattern, &rest, &m_crlf);
    const QString limits =
        QStringLiteral("(*LIMIT_MATCH=%1)(*LIMIT_HEAP=%2)").arg(kMatchLimit).arg(kHeapLimitKiB);
    // \G holds the window's first position, the lazy run steps through the
    // window one character at a time, and \K makes the match begin where
    // the pattern itself begins. The pattern's own groups keep their
    // numbers. "\E" ends a quotation the pattern left open.
    m_windowed.setPatternOptions(options);
    m_windowed.setPattern(limits + start +
                          QStringLiteral("\\G[\\s\\S]{0,%1}?\\K(?:").arg(kWindow - 1) + rest +
                          QStringLiteral("\\E)"));
    if (!m_windowed.isValid() || m_windowed.captureCount() != m_plain.captureCount()) {
        // A pattern the window cannot wrap (one that ends inside a comment
        // of extended mode): its start positions are tried by the engine,
        // each still bounded by the step limit.
        m_windowed.setPattern(limits + start + QStringLiteral("(?:") + rest + QStringLiteral(")"));
        if (!m_windowed.isValid()) m_windowed.setPattern(limits + start + rest);
        m_windowedFallback = true;
    }
    m_nonEmpty.setPatternOptions(options);
    m_nonEmpty.setPattern(limits + start + QStringLiteral("(*NOTEMPTY_ATSTART)") + rest);
    m_windowed.optimize();
}

RegexOutcome BoundedRegex::match(const QString &text, qsizetype from,
                                 QRegularExpressionMatch *m) const {
    QString copy;
    qint64 spent = 0;
    return search(WellFormed(text, &copy), from, m, &spent);
}

RegexOutcome BoundedRegex::search(const QString &text, qsizetype from, QRegularExpressionMatch *m,
                                  qint64 *spentNs) const {
    if (!m_plain.isValid()) return RegexOutcome::NoMatch;
    const qsizetype n = text.size();
    qsizetype at = CharBoundary(text, std::clamp<qsizetype>(from, 0, n));
    QElapsedTimer clock;
    clock.start();
    const qint64 before = *spentNs;
    while (at <= n) {
        const QRegularExpressionMatch r =
            m_windowedFallback
                ? m_windowed.match(text, at, QRegularExpression::NormalMatch,
                                   QRegularExpression::DontCheckSubjectStringMatchOption)
                : m_windowed.match(text, at, QRegularExpression::NormalMatch, kAnchored);
        *spentNs = before + clock.nsecsElapsed();
        if (!r.isValid()) return RegexOutcome::TooComplex;
        if (r.hasMatch()) {
            if (m) *m = r;
            return RegexOutcome::Match;
        }
        if (m_windowedFallback) break;
        if (*spentNs > kTimeBudgetNs) return RegexOutcome::TooComplex;
        at = CharBoundary(text, at + kWindow);
    }
    return RegexOutcome::NoMatch;
}

RegexOutcome
BoundedRegex::forEach(const QString &subject,
                      const std::function<bool(const QRegularExpressionMatch &)> &visit) const {
    if (!m_plain.isValid()) return RegexOutcome::NoMatch;
    qint64 spent = 0;
    QString copy;
    const QString &text = WellFormed(subject, &copy);
    const qsizetype n = text.size();
    qsizetype at = 0;
    bool afterEmpty = false;
    bool any = false;
    while (at <= n) {
        QRegularExpressionMatch r;
        if (afterEmpty) {
            // As a global search does: a non-empty match where the empty one
            // was, else the search moves on by one character (CR LF and a
            // surrogate pair count as one).
            QElapsedTimer clock;
            clock.start();
            r = m_nonEmpty.match(text, at, QRegularExpression::NormalMatch, kAnchored);
            spent += clock.nsecsElapsed();
            if (!r.isValid()) return RegexOutcome::TooComplex;
            if (!r.hasMatch()) {
                if (at >= n) break;
                const qsizetype step =
                    (m_crlf && text[at] == u'\r' && at + 1 < n && text[at + 1] == u'\n') ? 2 : 1;
                at = CharBoundary(text, at + step);
            }
        }
        if (!r.hasMatch()) {
            const RegexOutcome o = search(text, at, &r, &spent);
            if (o == RegexOutcome::TooComplex) return o;
            if (o == RegexOutcome::NoMatch) break;
        }
        any = true;
        if (!visit(r)) return RegexOutcome::Match;
        afterEmpty = r.capturedLength(0) == 0;
        at = r.capturedEnd(0);
        spent = std::max<qint64>(0, spent - kTimePerMatchNs);
        if (spent > kTimeBudgetNs) return RegexOutcome::TooComplex;
    }
    return any ? RegexOutcome::Match : RegexOutcome::NoMatch;
}

} // namespace corvel
