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
    double pointSize = 0; // kept to 1/100 point through Write and Read
    int color = -1;       // RGB number: red + 256*green + 65536*blue
    bool bold = false;
    bool italic = false;
    bool operator==(const CharFormat &o) const {
        return font == o.font && pointSize == o.pointSize && color == o.color && bold == o.bold &&
               italic == o.italic;
    }
    bool operator!=(const CharFormat &o) const { return !(*this == o); }
    bool isDefault() const { return *this == CharFormat(); }
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

// RTF that keeps every character (non-ASCII as \uN escapes with an ANSI
// fallback) and every run's face, size, colour, bold and italic. The result
// is plain ASCII. Ranges out of order, overlapping or past the text are
// trimmed rather than trusted. The document always ends with one paragraph
// mark that Read does not turn into a line break, so text round-trips exactly.
QByteArray Write(const Document &doc);

// Reads RTF: this writer's output, the colouriser's template and RTF of
// formatted text from other programs. Never crashes or hangs on malformed
// input (linear time, bounded nesting); returns false when the input is not
// RTF at all (it does not start with "{\rtf"; doc is then left empty and the
// caller may take the input as plain text).
// Reader's output: text with "\n" line breaks (\par, \line, \row, \page), a
// \cf index that the colour table does not define (or an empty "auto" entry)
// gives colour -1, \fs gives half points, \plain resets to the defaults. The
// final paragraph mark of the document (a \par with no text after it) adds no
// line break. Bytes above 0x7F are decoded by the document's code page
// (\ansicpg, per-font \fcharset, Windows-1252 when unknown), unless the whole
// input is valid UTF-8 with non-ASCII content, which is then read as
// characters (RTF text that went through a UTF-8 string).
bool Read(const QByteArray &rtf, Document *doc);

// The same for RTF held in a string (the TextoRTF property): characters above
// 0x7F stand for themselves, as when the colouriser places the document's
// text raw between its control words.
bool ReadText(const QString &rtf, Document *doc);

} // namespace corvel::rtf
