#pragma once
// The judgements of the crash soak, apart from the driving: whether a text
// (a saved file, a temporary copy) is one of the states the document went
// through, how much typed work a state lacks, and the figures reported.
#include <QString>
#include <QVector>

namespace soak {

// A document as the soak builds it: a fixed head, the words typed so far
// (base from earlier trials, then typed in this one) and a fixed tail; the
// caret always types just before the tail.
struct DocumentShape {
    QString head;
    QString base;
    QString tail;
};

// How many characters of typed the text holds, when the text is head + base
// + the first n characters of typed + tail; -1 when it is no such text
// (truncated, mixed with another state, or changed in its fixed parts).
int TypedCharactersHeld(const QString &text, const DocumentShape &shape, const QString &typed);

// The work a kill lost: from the moment the first missing character was sent
// (sentAtMs holds one moment per typed character) to the kill; 0 when every
// typed character is held.
qint64 LossMs(const QVector<qint64> &sentAtMs, int held, qint64 killAtMs);

// The median of values (the mean of the two middle ones for an even count);
// 0 for none.
double Median(QVector<qint64> values);

// The words the soak types: letters and digits that name the trial and the
// word's number, so no two are alike and none is a prefix of another's end.
QString Word(int trial, int number);

} // namespace soak
