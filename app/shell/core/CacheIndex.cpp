#include "CacheIndex.h"

#include "Folders.h"
#include "IniDocument.h"
#include "Settings.h"
#include "TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace corvel {

namespace {

QString IndexPath(const QString &path) {
    return path.isEmpty() ? CacheIndexPath() : path;
}

const QString kCrLf = QStringLiteral("\r\n");

// The four sections, in the order a whole index is written.
const char *const kSections[] = {kIdxArquivo, kIdxTemporario, kIdxConfig, kIdxInfo};
enum { kFile, kCopy, kConfig, kInfo, kSectionCount };

int SectionIndex(QStringView name) {
    for (int i = 0; i < kSectionCount; ++i)
        if (name.compare(QLatin1String(kSections[i]), Qt::CaseInsensitive) == 0) return i;
    return -1;
}

// Document numbers: three digits as written, any number of them accepted.
bool IsEntryKey(QStringView key) {
    if (key.isEmpty() || key.size() > 9) return false;
    for (const QChar c : key)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

QString Stored(const QString &value) {
    return EncodeSettingValue(value);
}

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
    doc.setValue(QLatin1String(kIdxArquivo), nnn, Stored(file));
    doc.setValue(QLatin1String(kIdxTemporario), nnn, Stored(copy));
    doc.setValue(QLatin1String(kIdxConfig), nnn, Stored(configuration));
    if (file.isEmpty()) {
        doc.setValue(QLatin1String(kIdxInfo), nnn, QString());
    } else {
        const QString info = FileInfoText(file);
        if (!info.isEmpty()) doc.setValue(QLatin1String(kIdxInfo), nnn, Stored(info));
    }
    return doc.save(path, nullptr, IniDocument::OwnerOnly);
}

QVector<CacheEntry> ReadCacheIndex(const QString &indexPath) {
    QFile f(IndexPath(indexPath));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return ParseCacheIndex(f.readAll());
}

QVector<CacheEntry> ParseCacheIndex(const QByteArray &bytes) {
    struct Slot {
        QString value;
        bool doubtful = false;
    };
    QHash<QString, Slot> values[kSectionCount];
    QStringList order; // keys of the copy section, in file order
    bool seen[kSectionCount] = {};
    bool structureDamaged = false;
    int section = -1; // outside the four sections
    int lastSection = -1;
    QString lastKey;
    // A line the index writer never writes: it belongs to the value before
    // it (a name with a line break written by an older version), so that
    // value cannot be trusted.
    const auto stray = [&]() {
        if (lastSection >= 0) values[lastSection][lastKey].doubtful = true;
    };

    const QString text = DecodeText(bytes).text;
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start <= n) {
        qsizetype end = start;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        const QStringView line = QStringView(text).mid(start, end - start);
        start = end + 1;
        if (end >= n) start = n + 1;
        const QStringView t = line.trimmed();
        if (t.isEmpty()) continue;
        if (t.front() == QLatin1Char('[')) {
            if (t.back() != QLatin1Char(']')) {
                stray();
                continue;
            }
            const int idx = SectionIndex(t.mid(1, t.size() - 2).trimmed());
            if (idx < 0 || seen[idx]) {
                structureDamaged = true;
                section = -1;
            } else {
                seen[idx] = true;
                section = idx;
            }
            lastSection = -1;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        const QStringView key = eq < 0 ? QStringView() : line.left(eq).trimmed();
        if (t.front() == QLatin1Char(';') || eq < 0 || !IsEntryKey(key)) {
            stray();
            continue;
        }
        if (section < 0) continue;
        const QString k = key.toString();
        auto it = values[section].find(k);
        if (it != values[section].end()) {
            // The first value counts; a second line for the key is damage.
            stray();
            it->doubtful = true;
        } else {
            values[section].insert(k, Slot{DecodeSettingValue(line.mid(eq + 1).toString()), false});
            if (section == kCopy) order.append(k);
        }
        lastSection = section;
        lastKey = k;
    }

    QVector<CacheEntry> entries;
    entries.reserve(order.size());
    for (const QString &key : std::as_const(order)) {
        CacheEntry e;
        e.nnn = key;
        const Slot copy = values[kCopy].value(key);
        const Slot file = values[kFile].value(key);
        const Slot config = values[kConfig].value(key);
        const Slot info = values[kInfo].value(key);
        if (!copy.doubtful) e.copy = copy.value;
        e.file = file.value;
        e.fileDoubtful = !e.file.isEmpty() && (file.doubtful || structureDamaged ||
                                               !e.file.startsWith(QLatin1Char('/')));
        if (!config.doubtful) e.configuration = config.value;
        if (!info.doubtful) e.info = info.value;
        entries.append(e);
    }
    return entries;
}

bool WriteCacheIndex(const QVector<CacheEntry> &entries, const QString &indexPath) {
    // Built as text in one pass (setting values one by one would search the
    // growing file for every key).
    QString text;
    for (int s = 0; s < kSectionCount; ++s) {
        text += QLatin1Char('[') + QLatin1String(kSections[s]) + QStringLiteral("]\n");
        for (const CacheEntry &e : entries) {
            const QString &value = s == kFile     ? e.file
                                   : s == kCopy   ? e.copy
                                   : s == kConfig ? e.configuration
                                                  : e.info;
            text += e.nnn + QLatin1Char('=') + Stored(value) + QLatin1Char('\n');
        }
    }
    return IniDocument::fromBytes(text.toUtf8())
        .save(IndexPath(indexPath), nullptr, IniDocument::OwnerOnly);
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
