#pragma once
// The two most-recent lists of the settings store: the file history
// (section "Historico", keys "Arquivo1".."Arquivo15") and the base folders
// (section "Pasta Base", keys "Caminho1".."Caminho10", plus "Selecionada").
#include <QString>
#include <QStringList>
#include <functional>

namespace corvel {

struct RecentListKind {
    const char *section;
    const char *keyWord;
    int size;
};
inline constexpr RecentListKind kHistoryList{"Historico", "Arquivo", 15};
inline constexpr RecentListKind kBaseFolderList{"Pasta Base", "Caminho", 10};

// Entries 1..size from the store, each trimmed (always size items).
QStringList ReadRecentList(const RecentListKind &kind);
// Stores items as entries 1..size (missing ones empty).
void StoreRecentList(const RecentListKind &kind, const QStringList &items);

// Puts path at the top of entries (size items): an entry equal to it (letter
// case counts) is removed, so the others keep their order; without one, the
// last entry falls off.
QStringList InsertAtTop(const QStringList &entries, const QString &path, int size);

// The non-empty entries for which exists() holds, in order, then empty ones
// up to size.
QStringList KeepExisting(const QStringList &entries, int size,
                         const std::function<bool(const QString &)> &exists);

// Reads, inserts and stores.
void AddToRecentList(const RecentListKind &kind, const QString &path);

} // namespace corvel
