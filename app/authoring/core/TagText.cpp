#include "TagText.h"

#include "Settings.h"

namespace corvel {

TagOptions ReadTagOptions() {
    const QString section = QStringLiteral("Configuracao");
    TagOptions o;
    o.wrapSelection = ReadSetting(section, QStringLiteral("IntSelecao")) == QLatin1String("1");
    o.keepSelection = ReadSetting(section, QStringLiteral("MantemSel")) == QLatin1String("1");
    o.lowerCase = ReadSetting(section, QStringLiteral("Maiusculo")) == QLatin1String("0");
    o.quoteStyle = ReadSetting(section, QStringLiteral("Aspas"));
    return o;
}

QString ApplyQuoteStyle(const QString &text, const QString &style) {
    QString replacement;
    if (style == QLatin1String("1"))
        replacement = QStringLiteral("\"\"");
    else if (style == QLatin1String("2"))
        replacement = QStringLiteral("'");
    else if (style == QLatin1String("3"))
        replacement = QStringLiteral("\\\"");
    else
        return text;
    QString out = text;
    out.replace(QLatin1Char('"'), replacement);
    return out;
}

QString StyleTagText(const QString &text, const TagOptions &o, bool applyCase) {
    return ApplyQuoteStyle(o.lowerCase && applyCase ? text.toLower() : text, o.quoteStyle);
}

int StyledCaretBack(const QString &openText, const QString &closeText, int caretBack,
                    bool separateLines, const TagOptions &o, bool applyCase) {
    if (caretBack <= 0) return caretBack;
    const int inClose = qMin(caretBack, int(closeText.size()));
    int back = int(StyleTagText(closeText.right(inClose), o, applyCase).size());
    int rest = caretBack - inClose;
    // Inline, a longer distance reaches into the opening text; on separate
    // lines it runs through the unstyled line breaks and padding.
    if (!separateLines && rest > 0) {
        const int inOpen = qMin(rest, int(openText.size()));
        back += int(StyleTagText(openText.right(inOpen), o, applyCase).size());
        rest -= inOpen;
    }
    return back + rest;
}

TagInsertResult PlanTagInsert(const TagInsertRequest &r) {
    static const QString crlf = QStringLiteral("\r\n");
    TagInsertResult res;
    const bool wrapped = !r.wrapped.isEmpty();
    if (!r.separateLines) {
        res.text = r.openText + r.wrapped + r.closeText;
        const int end = r.selStart + int(res.text.size());
        res.selStart = end;
        if (!wrapped) {
            // The caret goes back into the construct, unless that would pass
            // the start of the document.
            if (end > r.caretBack) res.selStart = end - r.caretBack;
        } else if (r.keepSelection) {
            res.selStart = r.selStart + int(r.openText.size());
            res.selLength = int(r.wrapped.size());
        }
        return res;
    }
    const QString pad(qMax(0, r.column - 1), QLatin1Char(' '));
    if (!wrapped) {
        if (r.innerLine)
            res.text = r.openText + crlf + pad + crlf + pad + r.closeText;
        else
            res.text = r.openText + crlf + pad + r.closeText;
        const int end = r.selStart + int(res.text.size());
        res.selStart = qMax(0, end - (r.column + r.caretBack));
        // A caret counted back into the middle of a CR LF goes before the CR:
        // the end of the inner line.
        const int i = res.selStart - r.selStart;
        if (i > 0 && i < res.text.size() && res.text[i] == QLatin1Char('\n') &&
            res.text[i - 1] == QLatin1Char('\r'))
            --res.selStart;
        return res;
    }
    res.text = r.openText + crlf + pad + r.wrapped + crlf + pad + r.closeText;
    res.selStart = r.selStart + int(res.text.size());
    if (r.keepSelection) {
        res.selStart = r.selStart + int(r.openText.size() + crlf.size() + pad.size());
        res.selLength = int(r.wrapped.size());
    }
    return res;
}

} // namespace corvel
