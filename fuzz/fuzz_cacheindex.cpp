// The document cache index: any bytes read as an index give entries that a
// rewrite stores and reads back exactly; each entry's parts parse to values
// in range; the changed-file question never shows a blank where a value is.
#include "CacheIndex.h"
#include "FuzzSupport.h"

using namespace corvel;

namespace {

bool SameEntries(const QVector<CacheEntry> &a, const QVector<CacheEntry> &b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].nnn != b[i].nnn || a[i].file != b[i].file || a[i].copy != b[i].copy ||
            a[i].configuration != b[i].configuration || a[i].info != b[i].info)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QVector<CacheEntry> entries = ParseCacheIndex(bytes);
    QStringList keys;
    for (const CacheEntry &e : entries) {
        FUZZ_CHECK(!e.nnn.isEmpty() && !keys.contains(e.nnn));
        keys << e.nnn;
        const CacheState s = ParseCacheState(e.configuration);
        FUZZ_CHECK(s.selStart >= 0 && s.selLength >= 0);
        (void)IsPlainFileName(e.copy);
        const FileInfoParts info = ParseFileInfo(e.info);
        if (!e.file.isEmpty()) {
            const QString m = ChangedFileMessage(e.file, e.info, QStringLiteral("10"),
                                                 QStringLiteral("01/01/2026 00:00:00"));
            FUZZ_CHECK(m.isEmpty() == (info.valid && info.size == QLatin1String("10") &&
                                       info.date == QLatin1String("01/01/2026 00:00:00")));
        }
        // The state a restore writes back reads as itself.
        const QString state = CacheStateText(s.selStart, s.selLength, s.saved);
        const CacheState again = ParseCacheState(state);
        FUZZ_CHECK(again.selStart == s.selStart && again.selLength == s.selLength &&
                   again.saved == s.saved);
    }

    // What was read survives a rewrite of the whole index, and an entry
    // written over it replaces just that entry.
    const QString path = fuzz::ScratchPath("cacheindex");
    FUZZ_CHECK(WriteCacheIndex(entries, path));
    const QVector<CacheEntry> reread = ReadCacheIndex(path);
    FUZZ_CHECK(SameEntries(entries, reread));
    for (const CacheEntry &e : reread)
        FUZZ_CHECK(!e.fileDoubtful || !e.file.startsWith(QLatin1Char('/')));
    if (!entries.isEmpty()) {
        const CacheEntry &first = entries.first();
        const QString copy = QString::fromLatin1(bytes.right(12));
        FUZZ_CHECK(WriteCacheEntry(first.nnn, QString(), copy, QStringLiteral("1,2,True"), path));
        QVector<CacheEntry> expected = entries;
        expected.first().file.clear();
        expected.first().copy = copy;
        expected.first().configuration = QStringLiteral("1,2,True");
        expected.first().info.clear();
        FUZZ_CHECK(SameEntries(expected, ReadCacheIndex(path)));
    }
    QFile::remove(path);
    return 0;
}
