#include "ChooseColour.h"

#include "Colours.h"
#include "Dialogs.h"
#include "Settings.h"

QString ChooseColour(const QString &arg, QWidget *parent, const QString &title) {
    const bool remember = arg.startsWith(QLatin1Char('*'));
    const QString number = remember ? arg.mid(1, 22) : arg;
    const int initial = int(corvel::SettingNumber(number.trimmed()) & 0xFFFFFF);
    int chosen = 0;
    if (!corvel::Dialogs().chooseColour(parent, title, initial, &chosen))
        return QStringLiteral("Cancel");
    chosen &= 0xFFFFFF;
    if (remember)
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("EscolheCor"),
                     QString::number(chosen));
    return QLatin1Char('#') + ColourToHtml(chosen);
}
