#pragma once
// Regular expressions typed by the user, run with a bounded amount of work.
// An expression such as "(a|aa)+b" can backtrack for minutes over a large
// text; here every search stops after a fixed budget of engine steps and
// says so, instead of freezing the editor or passing the stop off as "not
// found".
//
// How the budget holds: the engine's step limit counts the steps of one
// start position only, so over a long text a pattern that stays just under
// it at every position could still run for minutes. A search therefore
// tries the start positions in windows (one engine call anchored at the
// window's first position covers the whole window), and the step limit
// bounds each window. A text of n characters costs at most about
// n / kWindow calls of kMatchLimit steps.
#include <QRegularExpression>
#include <QString>

#include <functional>

namespace corvel {

enum class RegexOutcome {
    Match,
    NoMatch,
    TooComplex, // the step, memory or stack limit was reached
};

// The message shown when a search or replace stops at the limit.
QString RegexTooComplexText();

class BoundedRegex {
public:
    // Start positions one engine call covers, and the steps it may take.
    static constexpr int kWindow = 128;
    static constexpr int kMatchLimit = 200000;
    // Memory for backtracking when the engine runs without its compiler, KiB.
    static constexpr int kHeapLimitKiB = 65536;

    explicit BoundedRegex(const QString &pattern, QRegularExpression::PatternOptions options = {});

    // Validity and errors are those of the pattern as given; the offset is
    // in the given pattern.
    bool isValid() const { return m_plain.isValid(); }
    QString errorString() const { return m_plain.errorString(); }
    qsizetype patternErrorOffset() const { return m_plain.patternErrorOffset(); }
    int captureCount() const { return m_plain.captureCount(); }

    // The first match that begins at or after from.
    RegexOutcome match(const QString &text, qsizetype from, QRegularExpressionMatch *m) const;

    // Every match in order, as a global search walks them: the next search
    // starts where a match ended, and after an empty match a non-empty one
    // at the same place is tried before moving on. visit returns false to
    // stop early (the result is then Match).
    RegexOutcome forEach(const QString &text,
                         const std::function<bool(const QRegularExpressionMatch &)> &visit) const;

    // The leading "(*...)" options of a pattern, without resource limits
    // (a pattern cannot raise them); the rest of the pattern in *rest.
    static QString StartOptions(const QString &pattern, QString *rest, bool *crlfNewline);

private:
    RegexOutcome search(const QString &text, qsizetype from, QRegularExpressionMatch *m,
                        qint64 *spentNs) const;

    QRegularExpression m_plain;    // the pattern itself (validity, groups)
    QRegularExpression m_windowed; // tries the start positions of a window
    QRegularExpression m_nonEmpty; // anchored, refuses an empty match
    bool m_crlf = false;           // a line break may be CR LF
    bool m_windowedFallback = false;
};

} // namespace corvel
