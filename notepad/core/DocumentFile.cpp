#include "DocumentFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tessim {

LineBreak DetectLineBreak(const QByteArray &bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') return LineBreak::Lf;
        if (bytes[i] == '\r')
            return i + 1 < bytes.size() && bytes[i + 1] == '\n' ? LineBreak::CrLf : LineBreak::Cr;
    }
    return LineBreak::CrLf;
}

QString DecodeDocument(const QByteArray &bytes, DocumentFormat *format) {
    const corvel::DecodedText d = corvel::DecodeText(bytes);
    format->encoding = d.encoding;
    format->lineBreak = DetectLineBreak(bytes);
    format->bytes = bytes;
    format->text = corvel::ToCrLf(d.text);
    return format->text;
}

QByteArray EncodeDocument(const QString &text, DocumentFormat *format) {
    if (text == format->text) return format->bytes;
    QString out = text;
    switch (format->lineBreak) {
    case LineBreak::CrLf:
        break;
    case LineBreak::Lf:
        out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        break;
    case LineBreak::Cr:
        out.replace(QLatin1String("\r\n"), QLatin1String("\r"));
        break;
    }
    corvel::TextEncoding used = format->encoding;
    const QByteArray bytes = corvel::EncodeText(out, format->encoding, &used);
    format->encoding = used;
    return bytes;
}

QString ReadDocumentFile(const QString &path, QString *text, DocumentFormat *format) {
    const QFileInfo fi(path);
    if (path.isEmpty()) return QStringLiteral("Nome de arquivo vazio.");
    if (!fi.exists()) return QStringLiteral("Arquivo não encontrado: ") + path;
    if (fi.isDir()) return QStringLiteral("O caminho indicado é uma pasta: ") + path;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("Não foi possível ler o arquivo ") + path + QStringLiteral(" (") +
               f.errorString() + QLatin1Char(')');
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return QStringLiteral("Não foi possível ler o arquivo ") + path + QStringLiteral(" (") +
               f.errorString() + QLatin1Char(')');
    DocumentFormat read;
    *text = DecodeDocument(bytes, &read);
    *format = read;
    return QString();
}

QString WriteDocumentFile(const QString &path, const QString &text, DocumentFormat *format) {
    if (path.isEmpty()) return QStringLiteral("Nome de arquivo vazio.");
    DocumentFormat next = *format;
    const QByteArray bytes = EncodeDocument(text, &next);
    const auto failure = [&path](const QString &reason) {
        return QStringLiteral("Não foi possível gravar o arquivo ") + path + QStringLiteral(" (") +
               reason + QLatin1Char(')');
    };
    if (QFileInfo(path).isDir()) return QStringLiteral("O caminho indicado é uma pasta: ") + path;
    QSaveFile f(path);
    // A folder where no new file can be made but the file itself is
    // writable: written in place rather than refused.
    f.setDirectWriteFallback(true);
    if (!f.open(QIODevice::WriteOnly)) return failure(f.errorString());
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        const QString reason = f.errorString();
        f.cancelWriting();
        return failure(reason);
    }
    if (!f.commit()) return failure(f.errorString());
    next.bytes = bytes;
    next.text = text;
    *format = next;
    return QString();
}

} // namespace tessim
