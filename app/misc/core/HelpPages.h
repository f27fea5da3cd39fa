#pragma once
// The program's help: HTML pages shipped in the folder "Ajuda" beside the
// program, one per help context number.
#include <QString>

namespace corvel {

struct HelpPage {
    int context;       // 0 is the contents page
    const char *file;  // file name in the help folder
    const char *title; // the page's heading
};

// Every page, the contents first; count receives the number of rows.
const HelpPage *HelpPages(int *count);
// The page of a context number, or nullptr for a number no page has.
const HelpPage *FindHelpPage(int context);
// The file of a context in folder; a number no page has gives the contents.
QString HelpPagePath(const QString &folder, int context);

// "Versão 5.1.0", plus " - OCX " and the control library's four-part version
// when it is known.
QString AboutVersionText(const QString &version, const QString &controlVersion);
// A version of up to four numbers as four numbers joined by "." ("5.1" gives
// "5.1.0.0"); "" when it holds no number.
QString FourPartVersion(const QString &version);

} // namespace corvel
