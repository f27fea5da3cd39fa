#include "RegexReplace.h"

#include <QRegularExpression>
#include <QVector>

namespace corvel {

namespace {

// A replacement split once into literal pieces and group references.
struct Piece {
    QString literal;
    int group = -1; // -1: literal
};

QVector<Piece> ParseReplacement(const QString &replacement, int groups) {
    QVector<Piece> pieces;
    QString lit;
    auto flush = [&] {
        if (!lit.isEmpty()) pieces.append({lit, -1});
        lit.clear();
    };
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement[i];
        if (c != QLatin1Char('$') || i + 1 >= replacement.size()) {
            lit += c;
            continue;
        }
        const QChar n = replacement[i + 1];
        if (n == QLatin1Char('$')) {
            lit += QLatin1Char('$');
            ++i;
        } else if (n == QLatin1Char('&')) {
            flush();
            pieces.append({QString(), 0});
            ++i;
        } else if (n.isDigit() && n != QLatin1Char('0')) {
            // Two digits when that names an existing group, else one.
            int g = n.digitValue();
            qsizetype used = 1;
            if (i + 2 < replacement.size() && replacement[i + 2].isDigit()) {
                const int g2 = g * 10 + replacement[i + 2].digitValue();
                if (g2 <= groups) {
                    g = g2;
                    used = 2;
                }
            }
            if (g <= groups) {
                flush();
                pieces.append({QString(), g});
                i += used;
            } else {
                lit += c; // "$7" without a seventh group stays as written
            }
        } else {
            lit += c;
        }
    }
    flush();
    return pieces;
}

} // namespace

namespace {

// Appends the replacement of one match.
class Replacer {
public:
    Replacer(const QString &replacement, int groups, const QString &text)
        : m_pieces(ParseReplacement(replacement, groups)), m_text(text) {}
    void add(const QRegularExpressionMatch &m) {
        if (!m_reserved) {
            m_out.reserve(m_text.size() + m_text.size() / 4);
            m_reserved = true;
        }
        m_out.append(QStringView(m_text).mid(m_last, m.capturedStart(0) - m_last));
        for (const Piece &p : m_pieces) {
            if (p.group < 0)
                m_out.append(p.literal);
            else
                m_out.append(m.capturedView(p.group));
        }
        m_last = m.capturedEnd(0);
    }
    QString result() {
        if (!m_reserved) return m_text;
        m_out.append(QStringView(m_text).mid(m_last));
        return m_out;
    }

private:
    const QVector<Piece> m_pieces;
    const QString &m_text;
    QString m_out;
    qsizetype m_last = 0;
    bool m_reserved = false;
};

} // namespace

QString RegexReplaceAll(const QRegularExpression &re, const QString &replacement,
                        const QString &text) {
    Replacer r(replacement, re.captureCount(), text);
    QRegularExpressionMatchIterator it = re.globalMatch(text);
    while (it.hasNext())
        r.add(it.next());
    return r.result();
}

RegexOutcome RegexReplaceAll(const BoundedRegex &re, const QString &replacement,
                             const QString &text, QString *result) {
    Replacer r(replacement, re.captureCount(), text);
    const RegexOutcome outcome = re.forEach(text, [&r](const QRegularExpressionMatch &m) {
        r.add(m);
        return true;
    });
    // All or nothing: a walk stopped part-way replaces nothing.
    *result = outcome == RegexOutcome::TooComplex ? text : r.result();
    return outcome;
}

QString RegexReplaceAll(const QString &pattern, const QString &replacement, const QString &text,
                        bool *ok, bool *tooComplex) {
    if (tooComplex) *tooComplex = false;
    const BoundedRegex re(pattern, QRegularExpression::CaseInsensitiveOption);
    if (ok) *ok = re.isValid();
    if (!re.isValid()) return text;
    QString result;
    if (RegexReplaceAll(re, replacement, text, &result) == RegexOutcome::TooComplex) {
        if (ok) *ok = false;
        if (tooComplex) *tooComplex = true;
    }
    return result;
}

} // namespace corvel
