#include "ScriptExpansion.h"

namespace corvel {

namespace {

const QString kCaret = QStringLiteral("<#C#>");
const QString kSpace = QStringLiteral("<#E#>");
const QString kTab = QStringLiteral("<#T#>");
const QString kBreak = QStringLiteral("<##>");
const QString kCrLf = QStringLiteral("\r\n");

// A value's "<#" is held as this pair (same length) until the end, so no
// later step reads placeholders inside what the user typed.
const QString kOpen = QStringLiteral("<#");
const QString kHeldOpen = QString(QChar(0xE000)) + QLatin1Char('#');

// Spaces only, as the trimming of a template works.
QString TrimSpaces(const QString &s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == QLatin1Char(' '))
        ++b;
    while (e > b && s[e - 1] == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}

QString TrimEndSpaces(const QString &s) {
    qsizetype e = s.size();
    while (e > 0 && s[e - 1] == QLatin1Char(' '))
        --e;
    return s.left(e);
}

// Start of the first line that lies between two line breaks and holds only
// the indentation pad; its end is where the caret goes. -1 when none.
qsizetype EmptyLineCaret(const QString &s, const QString &pad) {
    qsizetype from = 0;
    for (;;) {
        const qsizetype brk = s.indexOf(kCrLf, from);
        if (brk < 0) return -1;
        const qsizetype lineStart = brk + 2;
        const qsizetype next = s.indexOf(kCrLf, lineStart);
        if (next < 0) return -1;
        if (next - lineStart == pad.size() && QStringView(s).mid(lineStart, pad.size()) == pad)
            return lineStart + pad.size();
        from = lineStart;
    }
}

} // namespace

QString ScriptIndentStep(bool realTab, int spaces) {
    if (realTab) return QStringLiteral("\t");
    return QString(qMax(0, spaces), QLatin1Char(' '));
}

ScriptExpansion ExpandScript(const QString &output, const QStringList &values, int column,
                             const QString &indentStep) {
    QString out = TrimSpaces(output);
    out.remove(kCrLf);

    for (int k = 1; k <= 4; ++k) {
        const QString p = QStringLiteral("<#P%1#>").arg(k);
        QString v = k - 1 < values.size() ? values[k - 1] : QString();
        if (!v.isEmpty())
            out.replace(p, v.replace(kOpen, kHeldOpen));
        else if (out.contains(kCaret))
            out.remove(p);
        else
            out.replace(p, kCaret); // the caret goes to the first empty parameter
    }

    out.replace(kBreak, kCrLf);
    const QString pad(qMax(0, column - 1), QLatin1Char(' '));
    out.replace(kCrLf, kCrLf + pad);
    out = TrimSpaces(out);
    out.replace(kTab, indentStep);

    // The caret as an offset from the start; -1 for the end of the text.
    qsizetype caret = EmptyLineCaret(out, pad);
    const qsizetype mark = out.indexOf(kCaret);
    if (mark >= 0) {
        caret = mark;
        out.remove(kCaret);
    }

    out = TrimEndSpaces(out);
    if (caret > out.size()) caret = out.size();

    // Each "<#E#>" before the caret moves it 4 characters nearer the start.
    for (qsizetype at = out.indexOf(kSpace); at >= 0; at = out.indexOf(kSpace, at + 1)) {
        if (caret >= 0 && at < caret) caret -= kSpace.size() - 1;
        out.replace(at, kSpace.size(), QStringLiteral(" "));
    }
    out.replace(kHeldOpen, kOpen);

    ScriptExpansion r;
    r.text = out;
    r.caretBack = caret < 0 ? 0 : int(out.size() - caret);
    return r;
}

} // namespace corvel
