#include "FixedFormat.h"

#include "ColorizerRtf.h"

namespace tessim {

namespace {
constexpr int kHalfPoints = 2 * kFontPoints;

QString Build(const QString &text, const QStringList &colours) {
    const corvel::RtfTemplate t = corvel::BuildRtfTemplate(FontFace(), kHalfPoints, colours);
    return t.head + corvel::ColorizeBody(text, kHalfPoints) + t.closing + t.tail;
}
} // namespace

QString FontFace() {
    return QStringLiteral("Courier New");
}

QString ColouredRtf(const QString &text) {
    using corvel::RtfColorEntry;
    // Normal text, tags, attribute names, attribute values, and a last entry
    // nothing refers to.
    return Build(text, {RtfColorEntry(Rgb(0, 0, 0)), RtfColorEntry(Rgb(0, 0, 255)),
                        RtfColorEntry(Rgb(0, 0, 192)), RtfColorEntry(Rgb(0, 128, 0)),
                        RtfColorEntry(Rgb(0, 0, 0))});
}

QString StandardFontRtf(const QString &text) {
    return Build(text, {corvel::RtfColorEntry(Rgb(0, 0, 0))});
}

} // namespace tessim
