#include "SearchHistory.h"

#include "Settings.h"

namespace corvel {

namespace {
const char kSection[] = "Historico";
QString g_lastSearchText;

// Leading and trailing spaces go; tabs and line breaks are part of a text.
QString TrimSpaces(const QString &v) {
    qsizetype b = 0, e = v.size();
    while (b < e && v.at(b) == QLatin1Char(' '))
        ++b;
    while (e > b && v.at(e - 1) == QLatin1Char(' '))
        --e;
    return v.mid(b, e - b);
}
} // namespace

QString SearchHistorySeparator() {
    return QStringLiteral("<#>");
}

QString SearchHistoryKey(int k) {
    return QStringLiteral("Search") + QString::number(k);
}

QString SearchPartOf(const QString &entry) {
    const qsizetype at = entry.indexOf(SearchHistorySeparator());
    return at < 0 ? entry : entry.left(at);
}

QString ReplacementPartOf(const QString &entry) {
    const QString sep = SearchHistorySeparator();
    const qsizetype at = entry.indexOf(sep);
    if (at < 0) return QString();
    const qsizetype from = at + sep.size();
    const qsizetype next = entry.indexOf(sep, from);
    return next < 0 ? entry.mid(from) : entry.mid(from, next - from);
}

QStringList ReadSearchHistory() {
    QStringList entries;
    entries.reserve(kSearchHistorySize);
    for (int k = 1; k <= kSearchHistorySize; ++k)
        entries << ReadSetting(QString::fromLatin1(kSection), SearchHistoryKey(k));
    return entries;
}

void WriteSearchHistory(const QStringList &entries) {
    // Every write rewrites the store: values that did not change are left
    // alone (repeating the newest search changes nothing).
    const QStringList old = ReadSearchHistory();
    for (int k = 1; k <= kSearchHistorySize; ++k) {
        const QString v = k <= entries.size() ? entries.at(k - 1) : QString();
        if (v != old.at(k - 1)) WriteSetting(QString::fromLatin1(kSection), SearchHistoryKey(k), v);
    }
}

QStringList WithSearchAdded(const QStringList &stored, const QString &search,
                            const QString &replacement) {
    // Slots 1..31 as indexes 0..30: the new entry in slot 1, stored entry k in
    // slot k + 1.
    QStringList slot;
    slot.reserve(kSearchHistorySize + 1);
    slot << search + SearchHistorySeparator() + replacement;
    for (int k = 0; k < kSearchHistorySize; ++k)
        slot << (k < stored.size() ? TrimSpaces(stored.at(k)) : QString());

    const QString wanted = search.toUpper();
    int found = -1;
    for (int i = 1; i <= kSearchHistorySize; ++i) {
        const QString &v = slot.at(i);
        if (v.contains(SearchHistorySeparator()) && SearchPartOf(v).toUpper() == wanted) found = i;
    }
    // Taking the older entry with the same search text out keeps the order
    // of the others; without one the oldest entry falls off the end.
    if (found >= 0) slot.removeAt(found);
    while (slot.size() > kSearchHistorySize)
        slot.removeLast();
    return slot;
}

void AddSearchHistory(const QString &search, const QString &replacement) {
    WriteSearchHistory(WithSearchAdded(ReadSearchHistory(), search, replacement));
}

SearchHistoryLists SearchHistoryItems(const QStringList &stored) {
    SearchHistoryLists lists;
    const QString sep = SearchHistorySeparator();
    for (const QString &value : stored) {
        if (value.isEmpty()) continue;
        lists.searches << SearchPartOf(value);
        if (!value.contains(sep)) continue;
        const QString r = ReplacementPartOf(value);
        if (!r.isEmpty() && !lists.replacements.contains(r, Qt::CaseSensitive))
            lists.replacements << r;
    }
    return lists;
}

bool StoredReplacementFor(const QStringList &stored, const QString &search, QString *replacement) {
    for (const QString &value : stored) {
        if (SearchPartOf(value) == search) {
            *replacement = ReplacementPartOf(value);
            return true;
        }
    }
    return false;
}

QString LastSearchText() {
    return g_lastSearchText;
}

void SetLastSearchText(const QString &text) {
    g_lastSearchText = text;
}

} // namespace corvel
