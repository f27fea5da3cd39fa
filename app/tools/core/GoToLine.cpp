#include "GoToLine.h"

#include <cmath>

namespace corvel {

namespace {
bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}
bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

double LeadingNumber(const QString &text) {
    // Blanks anywhere inside the number are ignored ("1 2" reads 12).
    QString digits;
    bool signSeen = false, pointSeen = false, anyDigit = false;
    for (const QChar c : text) {
        if (IsBlank(c)) continue;
        if (!signSeen && !anyDigit && !pointSeen &&
            (c == QLatin1Char('-') || c == QLatin1Char('+'))) {
            signSeen = true;
            digits += c;
        } else if (IsAsciiDigit(c)) {
            anyDigit = true;
            digits += c;
        } else if (c == QLatin1Char('.') && !pointSeen) {
            pointSeen = true;
            digits += c;
        } else {
            break;
        }
        // A sign may only lead.
        signSeen = true;
        if (digits.size() > 40) break;
    }
    if (!anyDigit) return 0;
    bool ok = false;
    const double v = digits.toDouble(&ok);
    return ok ? v : 0;
}

bool GoToLineTarget(const QString &answer, int *line) {
    const double n = LeadingNumber(answer);
    if (!(std::fabs(n) >= 1 && std::fabs(n) <= 65000)) return false;
    *line = static_cast<int>(std::nearbyint(n));
    return true;
}

QString GoToLinePrompt(int lineCount) {
    return QStringLiteral("Ir para qual linha? (1-") + QString::number(lineCount) +
           QLatin1Char(')');
}

} // namespace corvel
