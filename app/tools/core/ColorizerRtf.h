#pragma once
// The colouriser's rich text: the document's plain text rewritten as one RTF
// document by four global replacement passes (braces and backslashes escaped,
// line breaks as \par, tags in colour 1, attribute names and values in colours
// 2 and 3), inside a fixed head and tail. Font standardisation builds its RTF
// the same way with a one-colour table.
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

namespace corvel {

// "\red" R "\green" G "\blue" B of a colour red + 256*green + 65536*blue.
QString RtfColorEntry(int colour);

// A colour setting of section "Editor" read as a number: empty or not a
// number is 0 (black).
int ColourSetting(const QString &key);

// The RTF font size in half-points of a "Tamanho" text ("11" gives 22); false
// when the text is not a number.
bool RtfHalfPoints(const QString &tamanho, int *halfPoints);

// Text from outside (a face name from the settings, a value read from a
// file) as RTF text: "\", "{" and "}" escaped, ";" (which ends a font or
// colour table entry) and other ASCII controls as \'hh, characters beyond
// ASCII as \uN with "?" as their fallback. Whatever the text holds, the RTF
// around it keeps its structure.
QString RtfEscapeText(const QString &text);

struct RtfTemplate {
    QString head;
    QString closing;
    QString tail;
};
// Head, closing and tail for face F, size N (half-points) and the colour
// entries of the colour table, in order. The face name is escaped; the colour
// entries are RTF already (RtfColorEntry).
RtfTemplate BuildRtfTemplate(const QString &face, int halfPoints, const QStringList &colours);

// Everything the colouriser reads from the settings.
struct ColorizerSettings {
    QString face;   // "Fonte"
    int halfPoints; // from "Tamanho"
    int text, tag, param, value, comment, script;
};
// false when "Tamanho" is not a number.
bool ReadColorizerSettings(ColorizerSettings *s);

// Timings of the body passes, in milliseconds (for the benchmark).
struct PassTimings {
    double escape = 0, lines = 0, tags = 0, attributes = 0, unicode = 0;
};

// The body of the RTF: the four passes over the plain text (CR LF breaks),
// with every character kept: the control words that end a tag are closed so
// that the attribute pass cannot take their delimiting space for text,
// characters beyond ASCII are written as \u escapes and ASCII controls other
// than tab, CR and LF as \'hh.
QString ColorizeBody(const QString &text, int halfPoints, PassTimings *timings = nullptr);

// Start and length of each HTML comment ("<!--" to the first "-->") and of
// each server-side block ("<%" or "<?" to the first "%>" or "?>"), left to
// right, in positions of `text`.
using TextRanges = QVector<QPair<int, int>>;
TextRanges CommentRanges(const QString &text);
TextRanges ScriptBlockRanges(const QString &text);

} // namespace corvel
