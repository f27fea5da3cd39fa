#pragma once
#include <QString>

namespace corvel {
// Longest text CompactPath returns.
constexpr int kCompactPathMax = 59;
} // namespace corvel

// A path shortened to at most 59 visible characters for captions and menus:
// the beginning and the file name are kept and the middle becomes "...".
// A file name too long to fit keeps its beginning and ends in "...".
QString CompactPath(const QString &path);
