#pragma once
// The document cache index "DocsInfo.ini" in the cache folder: per document
// number nnn, the document's file, its temporary copy, its caret state and
// the file's size and date as last written. Every change of the index is one
// atomic rewrite of the file, so a crash never leaves it half-written. Values
// are kept with the settings store's value encoding, so a file name with line
// breaks, "=", "[", ";", quotes or blanks at either end reads back exactly.
#include <QDateTime>
#include <QString>
#include <QVector>

namespace corvel {

inline const char *kIdxArquivo = "Arquivo";
inline const char *kIdxTemporario = "Temporario";
inline const char *kIdxConfig = "TemporarioConfig";
inline const char *kIdxInfo = "ArquivoInfo";

// "SelInicio,SelTamanho,True|False".
QString CacheStateText(int selStart, int selLength, bool saved);

struct CacheState {
    int selStart = 0;
    int selLength = 0;
    bool saved = false;
};
// Reads a configuration text; one that is empty or has no "," reads as
// "0,0,False". Parts that are no number read as 0.
CacheState ParseCacheState(const QString &text);

// Modification date and time of a file as the index keeps it
// ("07/12/2026 15:20:51").
QString FileDateText(const QDateTime &modified);
// "size,date" of a file, or an empty string when it does not exist.
QString FileInfoText(const QString &path);

struct FileInfoParts {
    bool valid = false; // false: empty or no ","
    QString size;       // decimal text
    QString date;
};
FileInfoParts ParseFileInfo(const QString &info);

// Writes the entry of document nnn: file, copy and configuration, then the
// file's "size,date" when file is not empty, or an empty value. When the
// file's facts cannot be read the information keeps its old value. One
// atomic write; false when the index could not be written (old index kept).
// indexPath empty: the cache index of the program folder.
bool WriteCacheEntry(const QString &nnn, const QString &file, const QString &copy,
                     const QString &configuration, const QString &indexPath = QString());

struct CacheEntry {
    QString nnn;
    QString file;
    QString copy;
    QString configuration;
    QString info;
    // The index is damaged around this entry's file (a stray line after it,
    // a repeated or unknown section, a name that is no full path): the file
    // named may not be the document's, so the document is bound to none.
    bool fileDoubtful = false;
};
// The entries of an index in the order of its "Temporario" section (values
// decoded, absent ones empty). A missing or unreadable index gives none. One
// pass over the file: the time grows linearly with the number of entries.
// A copy or configuration value that the damage touches reads as empty, an
// information value as empty (so the file counts as changed).
QVector<CacheEntry> ReadCacheIndex(const QString &indexPath = QString());
QVector<CacheEntry> ParseCacheIndex(const QByteArray &bytes);

// Writes a whole index (the entries in order) atomically.
bool WriteCacheIndex(const QVector<CacheEntry> &entries, const QString &indexPath = QString());

// True when name can be a temporary copy in the cache folder: a plain file
// name, no folder part.
bool IsPlainFileName(const QString &name);

// A byte count with the thousands separated by "." ("5.230").
QString FormatBytes(qint64 bytes);

// The "Data e/ou Tamanho Diferente" question for a file that changed on disk
// since the entry was written; empty when size and date still match.
QString ChangedFileMessage(const QString &file, const QString &info, const QString &diskSize,
                           const QString &diskDate);

} // namespace corvel
