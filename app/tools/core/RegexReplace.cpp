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

QString RegexReplaceAll(const QRegularExpression &re, const QString &replacement,
                        const QString &text) {
    const QVector<Piece> pieces = ParseReplacement(replacement, re.captureCount());
    QString out;
    qsizetype last = 0;
    bool reserved = false;
    QRegularExpressionMatchIterator it = re.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (!reserved) {
            out.reserve(text.size() + text.size() / 4);
            reserved = true;
        }
        out.append(QStringView(text).mid(last, m.capturedStart(0) - last));
        for (const Piece &p : pieces) {
            if (p.group < 0)
                out.append(p.literal);
            else
                out.append(m.capturedView(p.group));
        }
        last = m.capturedEnd(0);
    }
    if (!reserved) return text;
    out.append(QStringView(text).mid(last));
    return out;
}

QString RegexReplaceAll(const QString &pattern, const QString &replacement, const QString &text,
                        bool *ok) {
    const QRegularExpression re(pattern, QRegularExpression::CaseInsensitiveOption);
    if (ok) *ok = re.isValid();
    if (!re.isValid()) return text;
    return RegexReplaceAll(re, replacement, text);
}

} // namespace corvel
