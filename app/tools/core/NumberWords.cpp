#include "NumberWords.h"

#include <QRegularExpression>

namespace corvel {

namespace {

const char *const kUnits[20] = {"",        "Um ",        "Dois ",      "Três ",    "Quatro ",
                                "Cinco ",  "Seis ",      "Sete ",      "Oito ",    "Nove ",
                                "Dez ",    "Onze ",      "Doze ",      "Treze ",   "Quatorze ",
                                "Quinze ", "Dezesseis ", "Dezessete ", "Dezoito ", "Dezenove "};
const char *const kTens[10] = {"",           "Dez ",      "Vinte ",   "Trinta ",  "Quarenta ",
                               "Cinqüenta ", "Sessenta ", "Setenta ", "Oitenta ", "Noventa "};
const char *const kHundreds[10] = {"",
                                   "Cento ",
                                   "Duzentos ",
                                   "Trezentos ",
                                   "Quatrocentos ",
                                   "Quinhentos ",
                                   "Seiscentos ",
                                   "Setecentos ",
                                   "Oitocentos ",
                                   "Novecentos "};

// Largest accepted size of an amount, in whole reais.
constexpr qint64 kLimit = 9999999;

QString Word(const char *const table[], int i) {
    return QString::fromUtf8(table[i]);
}

QString TwoDigitWords(int t) {
    if (t >= 20) {
        QString w = Word(kTens, t / 10);
        if (t % 10 != 0) w += QStringLiteral("e ") + Word(kUnits, t % 10);
        return w;
    }
    return Word(kUnits, t);
}

// Words of one group of three digits (0..999).
QString GroupWords(int n) {
    const int h = n / 100;
    const int t = n % 100;
    if (n >= 100) {
        if (t == 0) return h == 1 ? QStringLiteral("Cem ") : Word(kHundreds, h);
        return Word(kHundreds, h) + QStringLiteral("e ") + TwoDigitWords(t);
    }
    if (n >= 10) return TwoDigitWords(t);
    return Word(kUnits, n % 10);
}

bool AllDigits(const QString &s) {
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

// Compares the size of the number with kLimit: true when above it.
bool AboveLimit(const DecimalNumber &v) {
    if (v.integer.size() > 7) return true;
    const qint64 whole = v.integer.isEmpty() ? 0 : v.integer.toLongLong();
    if (whole > kLimit) return true;
    if (whole < kLimit) return false;
    for (QChar c : v.fraction)
        if (c != QLatin1Char('0')) return true;
    return false;
}

} // namespace

bool DecimalNumber::isZero() const {
    if (!integer.isEmpty()) return false;
    for (QChar c : fraction)
        if (c != QLatin1Char('0')) return false;
    return true;
}

bool ParseBrazilianNumber(const QString &text, DecimalNumber *out) {
    QString s = text.trimmed();
    DecimalNumber v;
    if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+'))) {
        v.negative = s.at(0) == QLatin1Char('-');
        s = s.mid(1).trimmed();
    }
    const qsizetype comma = s.indexOf(QLatin1Char(','));
    QString whole = comma < 0 ? s : s.left(comma);
    const QString fraction = comma < 0 ? QString() : s.mid(comma + 1);
    if (!AllDigits(fraction)) return false;
    if (whole.contains(QLatin1Char('.'))) {
        // Groups of three after the first, which has one to three digits.
        const QStringList groups = whole.split(QLatin1Char('.'));
        if (groups.first().isEmpty() || groups.first().size() > 3) return false;
        for (int i = 1; i < groups.size(); ++i)
            if (groups.at(i).size() != 3) return false;
        whole = groups.join(QString());
    }
    if (!AllDigits(whole)) return false;
    if (whole.isEmpty() && fraction.isEmpty()) return false;
    qsizetype lead = 0;
    while (lead < whole.size() && whole.at(lead) == QLatin1Char('0'))
        ++lead;
    v.integer = whole.mid(lead);
    v.fraction = fraction;
    if (out) *out = v;
    return true;
}

bool ParseBrazilianNumber(const QString &text, double *out) {
    DecimalNumber v;
    if (!ParseBrazilianNumber(text, &v)) return false;
    QString c = v.integer.isEmpty() ? QStringLiteral("0") : v.integer;
    if (!v.fraction.isEmpty()) c += QLatin1Char('.') + v.fraction;
    bool ok = false;
    const double d = c.toDouble(&ok);
    if (!ok) return false;
    if (out) *out = v.negative ? -d : d;
    return true;
}

QString NumberWordsRangeError() {
    return QStringLiteral("(Valor Inválido ou Fora do Limite)");
}
QString NumberWordsFailure() {
    return QStringLiteral("(Erro de Geração)");
}

QString NumberToWords(const DecimalNumber &value) {
    // The limit applies to the size of the amount, whatever its sign: past it
    // the three groups below no longer hold the amount.
    if (AboveLimit(value)) return NumberWordsRangeError();

    // Amount in centavos, rounded to two decimals (halves away from zero).
    qint64 reais = value.integer.isEmpty() ? 0 : value.integer.toLongLong();
    const QString f = value.fraction + QStringLiteral("000");
    int centavos = f.mid(0, 2).toInt();
    if (f.at(2) >= QLatin1Char('5')) ++centavos;
    if (centavos == 100) {
        centavos = 0;
        ++reais;
    }
    if (reais > kLimit) return NumberWordsRangeError();

    const int g1 = int(reais / 1000000);
    const int g2 = int(reais / 1000 % 1000);
    const int g3 = int(reais % 1000);
    const int g4 = centavos;
    const qint64 n = reais;
    const int k = g4;

    // An amount that rounds to nothing reads as zero.
    if (n == 0 && k == 0) return QStringLiteral("Zero Reais").toLower();

    QString r;
    if (n != 0) {
        if (g1 != 0)
            r += GroupWords(g1) + (g1 > 1 ? QStringLiteral("Milhões ") : QStringLiteral("Milhão "));
        if (g2 * 1000 + g3 != 0) {
            if (g2 >= 1) r += GroupWords(g2) + QStringLiteral("Mil ");
        } else {
            r += QStringLiteral("de ");
        }
        r += GroupWords(g3) + (n == 1 ? QStringLiteral("Real ") : QStringLiteral("Reais "));
        if (k != 0)
            r += QStringLiteral("e ") + GroupWords(k) +
                 (k == 1 ? QStringLiteral("Centavo") : QStringLiteral("Centavos"));
    } else {
        r = GroupWords(k) + (k == 1 ? QStringLiteral("Centavo") : QStringLiteral("Centavos"));
    }
    return r.toLower();
}

QString NumberToWords(const QString &value) {
    if (value.trimmed().isEmpty()) return NumberWordsRangeError();
    DecimalNumber v;
    if (!ParseBrazilianNumber(value, &v)) return NumberWordsFailure();
    return NumberToWords(v);
}

QString MoneyAnswerWords(const QString &answer) {
    const QString w = NumberToWords(answer);
    return w.startsWith(QLatin1Char('(')) ? w : w.trimmed();
}

QString WholeNumberAnswerWords(const QString &answer) {
    DecimalNumber v;
    if (!ParseBrazilianNumber(answer, &v)) return NumberWordsFailure();
    // Integer part, rounded towards minus infinity.
    bool hasFraction = false;
    for (QChar c : v.fraction)
        if (c != QLatin1Char('0')) hasFraction = true;
    v.fraction.clear();
    if (v.negative && hasFraction) {
        if (v.integer.size() > 15) return NumberWordsRangeError();
        v.integer = QString::number(v.integer.toLongLong() + 1);
    }
    QString w = NumberToWords(v);
    if (w.startsWith(QLatin1Char('('))) return w;
    // Only the whole word "real": " reais" must survive this first step.
    static const QRegularExpression real(QStringLiteral(" real(?!\\w)"));
    w.remove(real);
    w.remove(QStringLiteral(" de reais"));
    w.remove(QStringLiteral(" reais"));
    return w.trimmed();
}

} // namespace corvel
