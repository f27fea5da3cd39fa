#include "PageSkeletons.h"

namespace corvel {

namespace {
const QString CrLf = QStringLiteral("\r\n");

// A double quote typed in a field would end the attribute value early.
QString MetaLine(const QString &name, QString content) {
    content.replace(QLatin1Char('"'), QStringLiteral("&quot;"));
    return QStringLiteral("<META NAME=\"") + name + QStringLiteral("\" CONTENT=\"") + content +
           QStringLiteral("\">") + CrLf;
}
} // namespace

bool ParseTableCount(const QString &text, int *count) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 6) return false;
    int i = t.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (i == t.size()) return false;
    int value = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
        value = value * 10 + (c.unicode() - '0');
    }
    if (value > 32767) return false;
    *count = value;
    return true;
}

QString TableSkeleton(const TableSkeletonOptions &o) {
    QString unit;
    if (o.indented)
        unit = o.realTab ? QStringLiteral("\t") : QString(qMax(0, o.tabWidth), QLatin1Char(' '));
    const QString cellIndent = unit + unit;
    const QString closeCell = QStringLiteral("</TD>") + CrLf;
    QString text = o.tableTag + CrLf;
    for (int r = 1; r <= o.rows; ++r) {
        text += unit + o.rowTag + CrLf;
        for (int c = 1; c <= o.columns; ++c) {
            text += cellIndent;
            if (o.comment)
                text += QStringLiteral("<!-- Linha %1, Coluna %2 -->").arg(r).arg(c) + CrLf +
                        cellIndent;
            if (o.sameLine) {
                text += o.cellTag + closeCell;
            } else {
                text += o.cellTag + CrLf;
                if (o.blankLine) text += CrLf;
                text += cellIndent + closeCell;
            }
        }
        text += unit + QStringLiteral("</TR>") + CrLf;
    }
    text += QStringLiteral("</TABLE>") + CrLf;
    return text;
}

QString PageSkeleton(const PageSkeletonOptions &o) {
    QString text;
    if (o.documentType)
        text += QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
                               "\"http://www.w3.org/TR/html4/strict.dtd\">") +
                CrLf;
    text += QStringLiteral("<HTML>") + CrLf + QStringLiteral("<HEAD>") + CrLf;
    const QString product = QStringLiteral("Corvel %1 - ").arg(o.majorVersion) + o.siteAddress;
    text += MetaLine(QStringLiteral("Generator"), product);
    text += MetaLine(QStringLiteral("Formatter"), product);
    if (!o.author.isEmpty()) text += MetaLine(QStringLiteral("Author"), o.author);
    if (!o.description.trimmed().isEmpty())
        text += MetaLine(QStringLiteral("Description"), o.description.trimmed());
    if (!o.keywords.trimmed().isEmpty())
        text += MetaLine(QStringLiteral("Keywords"), o.keywords.trimmed());
    if (!o.title.trimmed().isEmpty())
        text += QStringLiteral("<TITLE>") + o.title.trimmed() + QStringLiteral("</TITLE>") + CrLf;
    text += QStringLiteral("</HEAD>") + CrLf + CrLf + QStringLiteral("</HTML>") + CrLf;
    return text;
}

} // namespace corvel
