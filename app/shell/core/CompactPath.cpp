#include "CompactPath.h"

QString CompactPath(const QString &path) {
    const int max = corvel::kCompactPathMax;
    const QString ellipsis = QStringLiteral("...");
    if (path.size() <= max) return path.trimmed();

    // The last component, with the separator that precedes it.
    int cut = path.lastIndexOf(QLatin1Char('/'));
    if (cut == path.size() - 1) // a trailing separator belongs to the name
        cut = path.lastIndexOf(QLatin1Char('/'), cut - 1);
    const QString name = cut >= 0 ? path.mid(cut) : path;

    if (name.size() + ellipsis.size() > max) {
        // Not even "..." plus the name fit: keep what fits of the name.
        const QString bare = cut >= 0 ? path.mid(cut + 1) : path;
        if (bare.size() <= max) return bare.trimmed();
        return (bare.left(max - ellipsis.size()) + ellipsis).trimmed();
    }
    const int head = max - ellipsis.size() - name.size();
    return (path.left(head) + ellipsis + name).trimmed();
}
