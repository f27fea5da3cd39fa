#pragma once
// The notepad has no settings: its editor font and the colours of the
// colouriser and of font standardisation are fixed.
#include <QString>

namespace tessim {

constexpr int kFontPoints = 11;
QString FontFace(); // "Courier New"

// Colours red + 256*green + 65536*blue.
constexpr int Rgb(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}
constexpr int kCommentColour = Rgb(128, 128, 128);
constexpr int kScriptColour = Rgb(128, 0, 0);

// The colouriser refuses longer texts.
constexpr int kColourLimit = 512000;

// The whole rich text of a plain text (CR LF breaks): with the markup
// coloured (text black, tags blue, attribute names dark blue, values green),
// or in the one black of font standardisation.
QString ColouredRtf(const QString &text);
QString StandardFontRtf(const QString &text);

} // namespace tessim
