#pragma once
// The notepad's fixed texts and the small rules around them: the window
// caption, the file dialog filter, the printed lines, the colour written by
// "Escrever Cor" and the preview address.
#include <QString>
#include <QStringList>
#include <QUrl>

namespace tessim {

// "Tessim" for a document without a file, else "Tessim - [" + path + "]".
QString WindowCaption(const QString &path);

// The open and save dialogs' filter, one entry per "name|patterns" pair of
// the classic list, in Qt's form ("Name (*.a *.b);;...").
QString FileDialogFilter();
// The entry preselected in the dialogs (1-based): all files.
constexpr int kAllFilesFilter = 4;

// The printed lines of a text: split at its line breaks (CR LF, and a lone
// LF or CR too), a line of 86 characters or more cut into pieces of 85, each
// piece after one space. A piece never ends between the two halves of a
// character outside the basic plane.
QStringList PrintLines(const QString &text);
constexpr int kPrintPiece = 85;

// "#RRGGBB" of a colour red + 256*green + 65536*blue.
QString HtmlColourText(int colour);

// The address the browser opens for a saved file (absolute, percent-encoded
// where the path needs it).
QUrl PreviewUrl(const QString &path);

// The save question, for the commands that change the document and for the
// hand-over to Corvel.
QString SaveQuestionText(bool handOver);

// The about box's text for a version "major.minor.revision" and a site.
QString AboutText(const QString &version, const QString &site);

} // namespace tessim
