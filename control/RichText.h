#pragma once
// Converting between the editor's document and the RTF document model.
#include "RtfDocument.h"

class QTextCursor;
class QTextDocument;

namespace corvel::control {

// The text and per-run display formatting of the document between two
// positions (to = -1: the end). Breaks become "\n".
rtf::Document FromTextDocument(const QTextDocument *doc, int from = 0, int to = -1);

// Inserts a document at the cursor (replacing its selection). Runs are
// inserted with their formats in one pass; the caller decides about undo and
// edit blocks.
void InsertRtfDocument(QTextCursor &cursor, const rtf::Document &doc);

} // namespace corvel::control
