#include "NotepadText.h"

#include "Colours.h"

#include <QFileInfo>

namespace tessim {

QString WindowCaption(const QString &path) {
    if (path.isEmpty()) return QStringLiteral("Tessim");
    return QStringLiteral("Tessim - [") + path + QLatin1Char(']');
}

QString FileDialogFilter() {
    // The classic list: name and patterns alternate, separated by "|".
    static const char kClassic[] =
        "Hipertexto (*.htm;*.html)|*.htm;*.html|Linguagem (*.asp;*.php;*.cfm)|*.asp;*.php;*.cfm|"
        "Texto (*.txt)|*.txt|Todos os Arquivos|*.*";
    const QStringList parts = QString::fromUtf8(kClassic).split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        // The name already lists its patterns in the classic form; Qt takes
        // the patterns from the parentheses, so they are written once, Qt's way.
        const int paren = name.indexOf(QLatin1String(" ("));
        if (paren >= 0) name.truncate(paren);
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'));
        for (QString &p : patterns)
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        entries << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QStringList PrintLines(const QString &text) {
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList out;
    for (const QString &line : normal.split(QLatin1Char('\n'))) {
        if (line.size() < kPrintPiece + 1) {
            out << QLatin1Char(' ') + line;
            continue;
        }
        int at = 0;
        while (at < line.size()) {
            int n = qMin<int>(kPrintPiece, int(line.size()) - at);
            if (at + n < line.size() && line[at + n - 1].isHighSurrogate()) --n;
            out << QLatin1Char(' ') + line.mid(at, n);
            at += n;
        }
    }
    return out;
}

QString HtmlColourText(int colour) {
    return QLatin1Char('#') + ColourToHtml(colour);
}

QUrl PreviewUrl(const QString &path) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
}

QString SaveQuestionText(bool handOver) {
    const QString first =
        handOver ? QStringLiteral("O documento em edição não foi gravado. Caso não grave a abra no "
                                  "Corvel, as últimas alterações não estarão disponíveis.")
                 : QStringLiteral("O documento em edição não foi gravado.");
    return first + QStringLiteral("\r\n\r\nDeseja gravar as alterações?");
}

QString AboutText(const QString &version, const QString &site) {
    return QStringLiteral("Tessim\r\nVersão ") + version +
           QStringLiteral("\r\n\r\nO bloco de notas companheiro do Corvel - ") + site;
}

} // namespace tessim
