#include "FileRules.h"

#include <QDir>
#include <QFileInfo>

namespace corvel {

QString FileDialogFilter() {
    return QStringLiteral("Hipertexto (*.htm *.html);;Linguagem (*.asp *.php *.cfm);;"
                          "Texto (*.txt);;Todos os Arquivos (*)");
}

bool IsCancelledFileName(const QString &name) {
    return name.isEmpty() || name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

QString FolderWithSlash(const QString &file) {
    QString folder = QFileInfo(file).absolutePath();
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}

QString PrintText(const QString &text) {
    const QString crlf = QStringLiteral("\r\n");
    QString out;
    const QStringList lines = text.split(crlf);
    for (QString line : lines) {
        while (line.size() >= 86) {
            out += QLatin1Char(' ') + line.left(85) + crlf;
            line = line.mid(85);
        }
        out += QLatin1Char(' ') + line + crlf;
    }
    return out;
}

QString WithoutCarriageReturns(const QString &text) {
    QString t = text;
    t.remove(QLatin1Char('\r'));
    return t;
}

} // namespace corvel
