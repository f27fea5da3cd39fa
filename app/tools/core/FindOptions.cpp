#include "FindOptions.h"

#include "Settings.h"

namespace corvel {

bool ReadFindOption(const QString &key) {
    return ReadSetting(QStringLiteral("Configuracao"), key) == QLatin1String("1");
}

void WriteFindOption(const QString &key, bool on) {
    WriteSetting(QStringLiteral("Configuracao"), key,
                 on ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace corvel
