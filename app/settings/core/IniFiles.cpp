#include "IniFiles.h"

#include "Folders.h"
#include "IniDocument.h"

using corvel::IniDocument;

namespace {

QString ResolveIniPath(const QString &file) {
    return file.isEmpty() ? corvel::CacheIndexPath() : file;
}

constexpr int kMaxIniValue = 2047;

} // namespace

QString ReadIniValue(const QString &section, const QString &key, const QString &file) {
    const IniDocument doc = IniDocument::load(ResolveIniPath(file));
    return doc.value(section, key).trimmed().left(kMaxIniValue);
}

bool WriteIniValue(const QString &section, const QString &key, const QString &value,
                   const QString &file) {
    const QString path = ResolveIniPath(file);
    IniDocument doc = IniDocument::load(path);
    doc.setValue(section, key, value);
    return doc.save(path);
}

QString ListIniSections(const QString &file) {
    return IniDocument::load(ResolveIniPath(file)).sections().join(QLatin1Char(','));
}
