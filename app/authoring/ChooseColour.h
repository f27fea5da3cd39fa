#pragma once
// The colour chooser shared by the tool commands and the command dialog.
#include <QString>

class QWidget;

// arg: a decimal colour number, or "*" followed by one (at most 22
// characters are read after the "*"); the colour dialog starts from it. With
// "*" the chosen colour is remembered in the setting "EscolheCor". Returns
// "#RRGGBB" of the chosen colour, or "Cancel". title: the chooser's caption
// ("Escolher Cor" for the tool commands).
QString ChooseColour(const QString &arg, QWidget *parent = nullptr,
                     const QString &title = QStringLiteral("Escolher Cor"));
