#pragma once
// Plain text with display formatting, and its RTF form. Pure logic (Qt Core
// only): the editor component converts between this and its widget.
#include <QByteArray>
#include <QString>
#include <QVector>

namespace corvel::rtf {

// Display formatting of a run of characters. Empty font / zero size / colour
// -1 mean "the editor's default".
struct CharFormat {
    QString font;
    double pointSize = 0;
    int color = -1; // RGB number: red + 256*green + 65536*blue
    bool bold = false;
    bool italic = false;
    bool operator==(const CharFormat &o) const {
        return font == o.font && pointSize == o.pointSize && color == o.color && bold == o.bold &&
               italic == o.italic;
    }
    bool operator!=(const CharFormat &o) const { return !(*this == o); }
};

// ranges cover text in order without overlap; characters outside every range
// have the default format. Line breaks in text are "\n".
struct FormatRange {
    int start = 0;
    int length = 0;
    int format = 0; // index into Document::formats
};

struct Document {
    QString text;
    QVector<CharFormat> formats;
    QVector<FormatRange> ranges;
};

// RTF that keeps every character (non-ASCII as \uN escapes) and every run's
// face, size, colour, bold and italic.
QByteArray Write(const Document &doc);

// Reads RTF: this writer's output, the colouriser's template and RTF of
// formatted text from other programs. Never crashes or hangs on malformed
// input; returns false when the input is not RTF at all (doc then holds what
// could be recovered, possibly nothing).
bool Read(const QByteArray &rtf, Document *doc);

} // namespace corvel::rtf
