#include "SoakChecks.h"

#include <algorithm>

namespace soak {

int TypedCharactersHeld(const QString &text, const DocumentShape &shape, const QString &typed) {
    const QString before = shape.head + shape.base;
    if (!text.startsWith(before) || !text.endsWith(shape.tail)) return -1;
    const qsizetype middle = text.size() - before.size() - shape.tail.size();
    if (middle < 0 || middle > typed.size()) return -1;
    if (QStringView(text).mid(before.size(), middle) != QStringView(typed).left(middle)) return -1;
    return int(middle);
}

qint64 LossMs(const QVector<qint64> &sentAtMs, int held, qint64 killAtMs) {
    if (held < 0 || held >= sentAtMs.size()) return 0;
    return std::max<qint64>(0, killAtMs - sentAtMs[held]);
}

double Median(QVector<qint64> values) {
    if (values.isEmpty()) return 0;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? double(values[n / 2]) : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

QString Word(int trial, int number) {
    return QStringLiteral("t%1w%2 ").arg(trial).arg(number);
}

} // namespace soak
