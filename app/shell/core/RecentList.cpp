#include "RecentList.h"

#include "Settings.h"

namespace corvel {

namespace {
QString KeyOf(const RecentListKind &kind, int i) {
    return QLatin1String(kind.keyWord) + QString::number(i);
}
} // namespace

QStringList ReadRecentList(const RecentListKind &kind) {
    QStringList items;
    for (int i = 1; i <= kind.size; ++i)
        items << ReadSetting(QLatin1String(kind.section), KeyOf(kind, i)).trimmed();
    return items;
}

void StoreRecentList(const RecentListKind &kind, const QStringList &items) {
    for (int i = 1; i <= kind.size; ++i) {
        const QString value = items.value(i - 1);
        // Only the changed keys are rewritten.
        if (ReadSetting(QLatin1String(kind.section), KeyOf(kind, i)) != value)
            WriteSetting(QLatin1String(kind.section), KeyOf(kind, i), value);
    }
}

QStringList InsertAtTop(const QStringList &entries, const QString &path, int size) {
    QStringList work;
    work << path;
    int match = -1;
    for (int i = 0; i < size; ++i) {
        const QString e = entries.value(i).trimmed();
        work << e;
        // Paths that differ in letter case name two files here, as for the
        // "already open" check.
        if (!e.isEmpty() && e == path) match = i + 1;
    }
    if (match > 0) work.removeAt(match);
    return work.mid(0, size);
}

QStringList KeepExisting(const QStringList &entries, int size,
                         const std::function<bool(const QString &)> &exists) {
    QStringList kept;
    for (int i = 0; i < size; ++i) {
        const QString e = entries.value(i);
        if (e.isEmpty()) continue;
        if (exists(e)) kept << e;
    }
    while (kept.size() < size)
        kept << QString();
    return kept;
}

void AddToRecentList(const RecentListKind &kind, const QString &path) {
    StoreRecentList(kind, InsertAtTop(ReadRecentList(kind), path, kind.size));
}

} // namespace corvel
