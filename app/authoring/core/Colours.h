#pragma once
// Colours as the program keeps them: a number red + 256*green + 65536*blue
// (0x00BBGGRR), and their HTML form.
#include <QString>

// Six upper-case hexadecimal digits RRGGBB of a colour number. Bits above
// the 24 colour bits are ignored, so any number gives six digits.
QString ColourToHtml(qint64 colour);
