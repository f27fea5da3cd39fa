#pragma once
// Texts and stored forms of the options dialog and the default-look commands
// that are worth keeping apart from the widgets.
#include <QString>

namespace corvel {

// "(1 espaço)", "(4 espaços)".
QString TabWidthCaption(int spaces);
// "(0 minutos)", "(1 minuto)", "(10 minutos)".
QString AutoSaveCaption(int minutes);
// The backup extension as stored: trimmed, every "." removed.
QString BackupExtensionSetting(const QString &typed);
// The page the options dialog opens on for the stored "OptUltTab": pages 0
// to 2 reopen; anything else (the last page, a negative or a non-number)
// opens the first.
int OptionsStartPage(const QString &stored);
// "Tamanho" for a chosen font size: its integer part (9.5 gives "9"); a size
// below one point, which no editor can show, is stored as "1".
QString FontSizeSetting(double points);
// A colour setting as the RGB number a colour chooser starts on: the lenient
// number of the text; black (0) when that is not a 24-bit colour.
int ChooserStartColour(const QString &text);
// "True" / "False" of the font style keys.
QString StyleFlagText(bool on);
bool StyleFlag(const QString &text);

} // namespace corvel
