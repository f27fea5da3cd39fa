#pragma once
// The texts of the table wizard and of the new-page definition: whole
// skeletons built from the dialogs' fields, before the tag-insertion routine
// applies the user's case and quote style.
#include <QString>

namespace corvel {

struct TableSkeletonOptions {
    QString tableTag = QStringLiteral("<TABLE>");
    QString rowTag = QStringLiteral("<TR>");
    QString cellTag = QStringLiteral("<TD>");
    int rows = 0;
    int columns = 0;
    bool comment = false;  // "<!-- Linha r, Coluna c -->" before each cell
    bool indented = true;  // hierarchical layout
    bool blankLine = true; // an empty line inside each cell
    bool sameLine = false; // "<TD></TD>" on one line (blankLine is ignored)
    bool realTab = false;  // indent with a tab instead of spaces
    int tabWidth = 3;      // spaces per indent level
};

// The largest table the wizard writes: more cells make a text no page needs
// and that would take the editor minutes to lay out.
constexpr qint64 MaxTableCells = 65536;

// The row or column count typed by the user: a whole number from 0 to 32767
// (blanks around it allowed); false for anything else.
bool ParseTableCount(const QString &text, int *count);

// The table text, every line ending with CR LF.
QString TableSkeleton(const TableSkeletonOptions &o);

struct PageSkeletonOptions {
    bool documentType = false; // the HTML 4.01 Strict document type line
    QString author;            // "" writes no Author line
    QString description;
    QString keywords;
    QString title;
    QString siteAddress; // the product's web address
    int majorVersion = 5;
};

// The new-page skeleton, every line ending with CR LF. Blank description,
// keywords or title write no line; the others are trimmed.
QString PageSkeleton(const PageSkeletonOptions &o);

// How far the caret goes back from the end of the page skeleton: into the
// empty line between "</HEAD>" and "</HTML>".
constexpr int PageSkeletonCaretBack = 10;

} // namespace corvel
