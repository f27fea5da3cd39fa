#pragma once
// InsertTag: the one routine through which commands write markup into the
// current document. It writes openText and closeText around the selection
// (or in its place), in the user's tag case and quote style, optionally on
// separate lines indented to the caret's column, and places the caret or the
// selection afterwards. The whole insertion is one undoable edit.
#include <QString>

class frmMain;

// openText and closeText are rewritten (case, quotes) and the caller sees the
// rewritten texts. Does nothing without a current, visible document.
void InsertTag(frmMain &m, QString &openText, QString &closeText, int caretBack, bool separateLines,
               bool innerLine, bool applyCase, bool discardSelection);
void InsertTag(frmMain &m, const QString &openText, const QString &closeText, int caretBack,
               bool separateLines, bool innerLine, bool applyCase, bool discardSelection);

// The same on the main window of the running program.
void InsertTag(QString &openText, QString &closeText, int caretBack, bool separateLines,
               bool innerLine, bool applyCase, bool discardSelection);
void InsertTag(const QString &openText, const QString &closeText, int caretBack, bool separateLines,
               bool innerLine, bool applyCase, bool discardSelection);
