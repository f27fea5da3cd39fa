#include "TextFilters.h"

namespace corvel {

namespace {

const QChar kSpace = QLatin1Char(' ');
const QChar kCR = QLatin1Char('\r');
const QChar kLF = QLatin1Char('\n');

// The accent table, as pairs "accented, plain".
const char16_t kAccentPairs[] = u"ãaõoÃAÕO"                 // tilde
                                u"åaÅA"                     // ring
                                u"áaéeíióoúuÁAÉEÍIÓOÚUýyÝY" // acute
                                u"âaêeîiôoûuÂAÊEÎIÔOÛU"     // circumflex
                                u"àaèeìiòoùuÀAÈEÌIÒOÙU"     // grave
                                u"äaëeïiöoüuÄAËEÏIÖOÜUÿyŸY" // diaeresis
                                u"ñnÑNçcÇC";                // others

struct AccentMap {
    char16_t plain[0x180] = {}; // every table entry lies below U+0180
    AccentMap() {
        for (const char16_t *p = kAccentPairs; p[0] && p[1]; p += 2)
            if (p[0] < 0x180) plain[p[0]] = p[1];
    }
};

const AccentMap &Accents() {
    static const AccentMap m;
    return m;
}

// Case change of one code point; surrogate pairs are mapped as one letter.
enum class Case { Upper, Lower };

template <typename Fn> QString MapCodePoints(const QString &text, Fn fn) {
    QString out(text.size(), Qt::Uninitialized);
    QChar *o = out.data();
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = p[i];
        if (c.isHighSurrogate() && i + 1 < n && p[i + 1].isLowSurrogate()) {
            const char32_t cp = QChar::surrogateToUcs4(c, p[i + 1]);
            char32_t m = fn(cp);
            if (QChar::requiresSurrogates(m)) {
                o[i] = QChar(QChar::highSurrogate(m));
                o[i + 1] = QChar(QChar::lowSurrogate(m));
            } else {
                o[i] = c;
                o[i + 1] = p[i + 1];
            }
            ++i;
            continue;
        }
        const char32_t m = fn(c.unicode());
        o[i] = QChar::requiresSurrogates(m) ? c : QChar(char16_t(m));
    }
    return out;
}

} // namespace

QChar AccentFreeChar(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x180 && Accents().plain[u]) return QChar(Accents().plain[u]);
    return c;
}

QString RemoveDoubleSpaces(const QString &text) {
    QString out;
    out.reserve(text.size());
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == kSpace && i > 0 && p[i - 1] == kSpace) continue;
        out.append(p[i]);
    }
    return out;
}

QString RemoveLineBreaks(const QString &text, const QString &replacement) {
    QString out;
    out.reserve(text.size());
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == kCR) {
            if (i + 1 < n && p[i + 1] == kLF) ++i;
            out.append(replacement);
        } else if (p[i] == kLF) {
            out.append(replacement);
        } else {
            out.append(p[i]);
        }
    }
    return out;
}

QString RemoveAccents(const QString &text) {
    QString out(text.size(), Qt::Uninitialized);
    QChar *o = out.data();
    const QChar *p = text.constData();
    const char16_t *plain = Accents().plain;
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        const char16_t u = p[i].unicode();
        o[i] = (u < 0x180 && plain[u]) ? QChar(plain[u]) : p[i];
    }
    return out;
}

QString RemoveLeadingSpaces(const QString &text) {
    QString out;
    out.reserve(text.size());
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    bool lineStart = true;
    for (qsizetype i = 0; i < n; ++i) {
        if (lineStart && p[i] == kSpace) continue;
        lineStart = false;
        out.append(p[i]);
        if (p[i] == kCR && i + 1 < n && p[i + 1] == kLF) {
            out.append(kLF);
            ++i;
            lineStart = true;
        }
    }
    return out;
}

QString RemoveTrailingSpaces(const QString &text) {
    QString out;
    out.reserve(text.size());
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    qsizetype pending = 0; // spaces seen but not yet written
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == kSpace) {
            ++pending;
            continue;
        }
        if (p[i] == kCR && i + 1 < n && p[i + 1] == kLF) {
            pending = 0; // end of a line: its trailing spaces go
            out.append(kCR);
            out.append(kLF);
            ++i;
            continue;
        }
        if (pending) {
            out.append(QString(pending, kSpace));
            pending = 0;
        }
        out.append(p[i]);
    }
    return out; // trailing spaces of the last line are dropped too
}

QString ToUpperCase(const QString &text) {
    return MapCodePoints(text, [](char32_t c) { return QChar::toUpper(c); });
}

QString ToLowerCase(const QString &text) {
    return MapCodePoints(text, [](char32_t c) { return QChar::toLower(c); });
}

QString ToSentenceCase(const QString &text) {
    bool wordStart = true;
    return MapCodePoints(text, [&wordStart](char32_t c) -> char32_t {
        if (QChar::isSpace(c)) {
            wordStart = true;
            return c;
        }
        const char32_t m = wordStart ? QChar::toTitleCase(c) : QChar::toLower(c);
        wordStart = false;
        return m;
    });
}

QString SpacesToTabs(const QString &text, int width) {
    if (width <= 0) return text;
    QString out;
    out.reserve(text.size());
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        if (p[i] != kSpace) {
            out.append(p[i++]);
            continue;
        }
        qsizetype run = 0;
        while (i < n && p[i] == kSpace) {
            ++run;
            ++i;
        }
        for (qsizetype t = run / width; t > 0; --t)
            out.append(QLatin1Char('\t'));
        for (qsizetype s = run % width; s > 0; --s)
            out.append(kSpace);
    }
    return out;
}

QString TabsToSpaces(const QString &text, int width) {
    if (width <= 0) return text;
    const QString spaces(width, kSpace);
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char('\t'))
            out.append(spaces);
        else
            out.append(c);
    }
    return out;
}

} // namespace corvel
