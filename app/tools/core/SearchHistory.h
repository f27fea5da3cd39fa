#pragma once
// The search history of the find and replace dialog: up to 30 pairs of search
// and replacement texts in section "Historico" of the settings store, keys
// "Search1" (newest) to "Search30" (oldest), each value the search text, the
// separator "<#>" and the replacement text (possibly empty).
//
// The list operations are pure functions over the 30 stored values, so the
// dialog and the tests share them; the two store-facing functions read and
// write the settings and ignore their own failures.
#include <QString>
#include <QStringList>

namespace corvel {

constexpr int kSearchHistorySize = 30;
// "<#>": separates the search part of an entry from its replacement part.
QString SearchHistorySeparator();

// The settings key of entry k (1-based): "Search" + k.
QString SearchHistoryKey(int k);

// The part of an entry before the first separator (the whole value when it
// has none).
QString SearchPartOf(const QString &entry);
// The second piece of an entry split at the separator ("" when it has none).
QString ReplacementPartOf(const QString &entry);

// The 30 stored values, entry 1 first (absent keys read as "").
QStringList ReadSearchHistory();
// Writes 30 values as entries 1 to 30 (missing ones written as "").
void WriteSearchHistory(const QStringList &entries);

// The history after adding the pair (search, replacement) at the top:
// stored values are trimmed; the last older entry whose search part equals
// `search` regardless of case is taken out and the rest keep their order;
// otherwise the 30th entry falls off. Always 30 values.
QStringList WithSearchAdded(const QStringList &stored, const QString &search,
                            const QString &replacement);
// Reads, adds and writes back.
void AddSearchHistory(const QString &search, const QString &replacement);

// What the two drop-down lists show for the stored values: every entry's
// search part (empty values skipped), and each distinct non-empty
// replacement part once, in entry order.
struct SearchHistoryLists {
    QStringList searches;
    QStringList replacements;
};
SearchHistoryLists SearchHistoryItems(const QStringList &stored);

// The replacement stored with the first entry whose search part equals
// `search` exactly; false (and *replacement untouched) when none does.
bool StoredReplacementFor(const QStringList &stored, const QString &search, QString *replacement);

// The text of the last plain search of the program run (memory only); find
// next repeats it and the dialog offers it when it opens.
QString LastSearchText();
void SetLastSearchText(const QString &text);

} // namespace corvel
