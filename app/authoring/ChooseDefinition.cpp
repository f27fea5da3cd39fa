#include "CommandDialog.h"
#include "CommandFile.h"
#include "CommandResult.h"
#include "Settings.h"

#include <QFileInfo>

QString ChooseDefinitionFile(const QString &name, bool scrollLockOn, bool rightControlDown) {
    const QString advanced = name + QStringLiteral(".tpa");
    const bool exists = QFileInfo(corvel::CommandsFolder() + advanced).isFile();
    const QString config = QStringLiteral("Configuracao");
    if (corvel::UseAdvancedDefinition(exists, ReadSetting(config, name),
                                      ReadSetting(config, QStringLiteral("ComAvancado")),
                                      scrollLockOn, rightControlDown))
        return advanced;
    return name + QStringLiteral(".tpc");
}
