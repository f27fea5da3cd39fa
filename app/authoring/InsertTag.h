#pragma once
// InsertTag: the one routine through which commands write markup into the
// current document. It writes the opening and closing texts around the
// selection (or in its place), in the user's tag case and quote style,
// optionally on separate lines indented to the caret's column, and places the
// caret or the selection afterwards. The whole insertion is one undoable edit.
#include "TagText.h"

class frmMain;

// Writes tag into the current document and returns it as written (opening
// and closing texts in the user's case and quote style). Does nothing without
// a current, visible document (the texts are still returned styled).
corvel::TagInsert InsertTag(frmMain &m, const corvel::TagInsert &tag);

// The common case: text written at the caret (or around the selection) with
// no closing part, in the user's tag case.
void InsertTagText(frmMain &m, const QString &openText);
