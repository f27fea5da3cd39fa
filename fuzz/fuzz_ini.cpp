// The INI files and the settings store: any bytes read as a document give
// the same bytes back; changing one value through the store's value
// encoding reads back as that value and leaves every other value as it was.
// Also the desktop entry files: the program an entry names reads back.
#include "DesktopEntries.h"
#include "FuzzSupport.h"
#include "IniDocument.h"
#include "Settings.h"

#include <QStringList>
#include <utility>
#include <vector>

using corvel::IniDocument;

namespace {

using Pair = std::pair<QString, QString>;

// Every (section, key) the document lists, first sections only (later
// sections of the same name are never reached by value()). A key that
// begins with "[" is left out: no program key does, and a value holding a
// "]" would make its line read as a section header.
std::vector<Pair> PairsOf(const IniDocument &doc) {
    std::vector<Pair> out;
    QStringList seen;
    for (const QString &s : doc.sections()) {
        if (seen.contains(s, Qt::CaseInsensitive)) continue;
        seen << s;
        for (const QString &k : doc.keys(s))
            if (!k.startsWith(QLatin1Char('['))) out.emplace_back(s, k);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const IniDocument doc = IniDocument::fromBytes(bytes);
    FUZZ_CHECK(doc.toBytes() == bytes);

    (void)corvel::DesktopExecProgram(QString::fromUtf8(bytes));
    const QString program = QLatin1Char('/') + QString::fromUtf8(bytes.left(64));
    const QString entry = corvel::DesktopEntryText(corvel::DesktopEntry::EditWithCorvel, program);
    if (!entry.isEmpty()) {
        const QString exec = IniDocument::fromBytes(entry.toUtf8())
                                 .value(QStringLiteral("Desktop Entry"), QStringLiteral("Exec"));
        FUZZ_CHECK(corvel::DesktopExecProgram(exec) == program);
    }

    // The value to store: the input's last bytes (line breaks, quotes,
    // backslashes and blanks included); the place: one of the document's
    // keys or a new one, chosen by the input's size.
    const QString value = QString::fromLatin1(bytes.right(24));
    FUZZ_CHECK(corvel::DecodeSettingValue(corvel::EncodeSettingValue(value)) == value);
    const std::vector<Pair> pairs = PairsOf(doc);
    const size_t pick = size % (pairs.size() + 1);
    const Pair target = pick < pairs.size()
                            ? pairs[pick]
                            : Pair(QStringLiteral("Configuracao"), QStringLiteral("ChaveNova"));
    std::vector<QString> before;
    for (const Pair &p : pairs)
        before.push_back(doc.value(p.first, p.second));

    IniDocument changed = doc;
    changed.setValue(target.first, target.second, corvel::EncodeSettingValue(value));
    const QByteArray changedBytes = changed.toBytes();
    // A Windows-1252 file that the change left valid UTF-8 reads back as
    // UTF-8 (see fuzz_textcodec): the values are then other texts.
    if (!corvel::IsValidUtf8(bytes) && corvel::IsValidUtf8(changedBytes)) return 0;
    const IniDocument again = IniDocument::fromBytes(changedBytes);
    bool found = false;
    FUZZ_CHECK(corvel::DecodeSettingValue(again.value(target.first, target.second, &found)) ==
               value);
    FUZZ_CHECK(found);
    for (size_t i = 0; i < pairs.size(); ++i) {
        const Pair &p = pairs[i];
        if (p.first.compare(target.first, Qt::CaseInsensitive) == 0 &&
            p.second.compare(target.second, Qt::CaseInsensitive) == 0)
            continue;
        FUZZ_CHECK(again.value(p.first, p.second) == before[i]);
    }

    // Removing the key makes it absent and touches nothing else.
    IniDocument removed = again;
    removed.removeKey(target.first, target.second);
    const IniDocument third = IniDocument::fromBytes(removed.toBytes());
    bool still = true;
    (void)third.value(target.first, target.second, &still);
    if (pick == pairs.size()) FUZZ_CHECK(!still);
    return 0;
}
