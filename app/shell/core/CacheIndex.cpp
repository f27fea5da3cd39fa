#include "CacheIndex.h"

#include "Folders.h"
#include "IniDocument.h"

#include <QFileInfo>

namespace corvel {

namespace {

QString IndexPath(const QString &path) {
    return path.isEmpty() ? CacheIndexPath() : path;
}

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

QString CacheStateText(int selStart, int selLength, bool saved) {
    return QString::number(selStart) + QLatin1Char(',') + QString::number(selLength) +
           QLatin1Char(',') + (saved ? QStringLiteral("True") : QStringLiteral("False"));
}

CacheState ParseCacheState(const QString &text) {
    CacheState s;
    if (!text.contains(QLatin1Char(','))) return s;
    const QStringList parts = text.split(QLatin1Char(','));
    s.selStart = qMax(0, parts.value(0).trimmed().toInt());
    s.selLength = qMax(0, parts.value(1).trimmed().toInt());
    s.saved = parts.value(2).trimmed() == QLatin1String("True");
    return s;
}

QString FileDateText(const QDateTime &modified) {
    return modified.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

QString FileInfoText(const QString &path) {
    const QFileInfo fi(path);
    if (path.isEmpty() || !fi.exists() || fi.isDir()) return QString();
    return QString::number(fi.size()) + QLatin1Char(',') + FileDateText(fi.lastModified());
}

FileInfoParts ParseFileInfo(const QString &info) {
    FileInfoParts p;
    const int comma = info.indexOf(QLatin1Char(','));
    if (comma < 0) return p;
    p.valid = true;
    p.size = info.left(comma).trimmed();
    p.date = info.mid(comma + 1).trimmed();
    return p;
}

bool WriteCacheEntry(const QString &nnn, const QString &file, const QString &copy,
                     const QString &configuration, const QString &indexPath) {
    const QString path = IndexPath(indexPath);
    IniDocument doc = IniDocument::load(path);
    doc.setValue(QLatin1String(kIdxArquivo), nnn, file);
    doc.setValue(QLatin1String(kIdxTemporario), nnn, copy);
    doc.setValue(QLatin1String(kIdxConfig), nnn, configuration);
    if (file.isEmpty()) {
        doc.setValue(QLatin1String(kIdxInfo), nnn, QString());
    } else {
        const QString info = FileInfoText(file);
        if (!info.isEmpty()) doc.setValue(QLatin1String(kIdxInfo), nnn, info);
    }
    return doc.save(path);
}

QVector<CacheEntry> ReadCacheIndex(const QString &indexPath) {
    const IniDocument doc = IniDocument::load(IndexPath(indexPath));
    QVector<CacheEntry> entries;
    const QStringList keys = doc.keys(QLatin1String(kIdxTemporario));
    for (const QString &key : keys) {
        CacheEntry e;
        e.nnn = key.trimmed();
        e.copy = doc.value(QLatin1String(kIdxTemporario), key).trimmed();
        e.file = doc.value(QLatin1String(kIdxArquivo), key).trimmed();
        e.configuration = doc.value(QLatin1String(kIdxConfig), key).trimmed();
        e.info = doc.value(QLatin1String(kIdxInfo), key).trimmed();
        entries.append(e);
    }
    return entries;
}

bool WriteCacheIndex(const QVector<CacheEntry> &entries, const QString &indexPath) {
    IniDocument doc;
    for (const CacheEntry &e : entries) {
        doc.setValue(QLatin1String(kIdxArquivo), e.nnn, e.file);
        doc.setValue(QLatin1String(kIdxTemporario), e.nnn, e.copy);
        doc.setValue(QLatin1String(kIdxConfig), e.nnn, e.configuration);
        doc.setValue(QLatin1String(kIdxInfo), e.nnn, e.info);
    }
    return doc.save(IndexPath(indexPath));
}

bool IsPlainFileName(const QString &name) {
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\')) && name != QLatin1String(".") &&
           name != QLatin1String("..");
}

QString FormatBytes(qint64 bytes) {
    const bool negative = bytes < 0;
    QString digits = QString::number(negative ? -bytes : bytes);
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char('.'));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString ChangedFileMessage(const QString &file, const QString &info, const QString &diskSize,
                           const QString &diskDate) {
    const FileInfoParts cached = ParseFileInfo(info);
    const bool sizeDiffers = cached.size != diskSize;
    const bool dateDiffers = cached.date != diskDate;
    if (cached.valid && !sizeDiffers && !dateDiffers) return QString();

    QString text = QStringLiteral("O arquivo ") + file +
                   QStringLiteral(" foi alterado por outro programa após a última gravação feita "
                                  "pelo Corvel. Isto poderá ocasionar perda das últimas "
                                  "atualizações externas feitas no arquivo. Abaixo, os dados "
                                  "referentes aos arquivos:") +
                   kCrLf + kCrLf;
    // A part the entry lacks (an old or damaged index) is said to be
    // unknown, never shown as a blank.
    const QString unknown = QStringLiteral("desconhecido");
    if (dateDiffers) {
        text += QStringLiteral("Data do arquivo gerado no Corvel: \t") +
                (cached.date.isEmpty() ? unknown : cached.date) + kCrLf +
                QStringLiteral("Data do arquivo existente em disco: \t") + diskDate + kCrLf + kCrLf;
    }
    if (sizeDiffers) {
        const auto shown = [&unknown](const QString &size) {
            bool ok = false;
            const qint64 n = size.toLongLong(&ok);
            return ok && n >= 0 ? FormatBytes(n) + QStringLiteral(" bytes") : unknown;
        };
        text += QStringLiteral("Tamanho do arquivo gerado no Corvel: \t") + shown(cached.size) +
                kCrLf + QStringLiteral("Tamanho do arquivo existente em disco: \t") +
                shown(diskSize) + kCrLf + kCrLf;
    }
    text += QStringLiteral("Você deseja carregar o arquivo existente no cache do Corvel?") + kCrLf +
            kCrLf + QStringLiteral("Clique 'Sim' para carregar o arquivo gravado pelo Corvel") +
            kCrLf + QStringLiteral("Clique 'Não' para carregar o arquivo no disco (") + file +
            QStringLiteral(").");
    return text;
}

} // namespace corvel
