#pragma once
// Numbers and amounts of money written out in Brazilian Portuguese words, and
// the reading of numbers typed the Brazilian way ("12,50", "1.000,5").
#include <QString>

namespace corvel {

// A decimal number read from text, kept exactly as typed (no binary
// rounding): digits of the integer part without leading zeros ("" for zero)
// and the decimal digits.
struct DecimalNumber {
    bool negative = false;
    QString integer;
    QString fraction;
    bool isZero() const;
};

// Reads a number written with "," as the decimal separator and, optionally,
// "." between groups of three integer digits ("1.000,5", "-12,50", "+3",
// ",5"). Blanks around the number are ignored. Anything else (letters, "12.50",
// "1.00,5", an empty text) is refused.
bool ParseBrazilianNumber(const QString &text, DecimalNumber *out);
bool ParseBrazilianNumber(const QString &text, double *out);

// The error texts of NumberToWords; both begin with "(".
QString NumberWordsRangeError(); // "(Valor Inválido ou Fora do Limite)"
QString NumberWordsFailure();    // "(Erro de Geração)"

// The amount in reais and centavos, in lower case ("um real ", "um real e um
// centavo", "zero reais"). The words of the integer groups keep their trailing
// space. Amounts whose size is above 9999999 give NumberWordsRangeError(); the
// sign is dropped. Centavos are rounded to two decimals, halves away from zero.
QString NumberToWords(const DecimalNumber &value);
// The text is read with ParseBrazilianNumber: an empty text is out of range,
// text that is not a number gives NumberWordsFailure().
QString NumberToWords(const QString &value);

// What the money command writes for an answer: the words without the
// surrounding blanks, or an error text beginning with "(".
QString MoneyAnswerWords(const QString &answer);
// What the number command writes for an answer: the integer part of the
// number (rounded towards minus infinity), in words without the currency
// words ("um", "um milhão", "zero"), or an error text beginning with "(".
QString WholeNumberAnswerWords(const QString &answer);

} // namespace corvel
