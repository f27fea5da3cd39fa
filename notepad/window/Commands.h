#pragma once
// The notepad's command handlers (thin: each calls the routines below) and
// the routines they share.
#include "NotepadCommands.h"

#include <QString>

namespace tessim {

class frmTessim;

// --- the file --------------------------------------------------------------
// The save question when the document is modified: false when the command
// must stop (Cancel, or the save that Yes asked for did not happen).
// *answeredYes tells whether the user chose to save.
bool AskToSave(frmTessim &w, bool handOver, bool *answeredYes = nullptr);
// Reads path into the document; false (after the error message) when it
// could not be read, the document then unchanged.
bool OpenPath(frmTessim &w, const QString &path);
// Saves to the document's file (Save As without one); false when nothing
// was saved.
bool SaveDocument(frmTessim &w);
bool SaveDocumentAs(frmTessim &w);

void NewCommand(frmTessim &w, CommandId);
void OpenCommand(frmTessim &w, CommandId);
void SaveCommand(frmTessim &w, CommandId);
void SaveAsCommand(frmTessim &w, CommandId);
void PrintCommand(frmTessim &w, CommandId);
void ExitCommand(frmTessim &w, CommandId);

// --- editing ---------------------------------------------------------------
void UndoCommand(frmTessim &w, CommandId);
void CutCommand(frmTessim &w, CommandId);
void CopyCommand(frmTessim &w, CommandId);
void PasteCommand(frmTessim &w, CommandId);
void SelectAllCommand(frmTessim &w, CommandId);
void FindCommand(frmTessim &w, CommandId);
void FindNextCommand(frmTessim &w, CommandId);
void GoToLineCommand(frmTessim &w, CommandId);

// --- markup ----------------------------------------------------------------
// Writes open + selection + close in place of the selection, the caret
// caretBack characters back when nothing was selected; with separateLines
// each part on its own line at the caret's column.
void InsertTag(frmTessim &w, const QString &open, const QString &close, int caretBack,
               bool separateLines, bool innerLine);
void HtmlTagCommand(frmTessim &w, CommandId id);
void WriteColourCommand(frmTessim &w, CommandId);
// The snippet of a Shift+Ctrl key (key as SnippetKeyChar gives it); false
// when the key has none.
bool InsertSnippetForKey(frmTessim &w, QChar key);

// --- tools and help --------------------------------------------------------
void ColouriseCommand(frmTessim &w, CommandId);
void StandardiseFontCommand(frmTessim &w, CommandId);
void PreviewCommand(frmTessim &w, CommandId);
void OpenInCorvelCommand(frmTessim &w, CommandId);
void LineWrapCommand(frmTessim &w, CommandId);
void AboutCommand(frmTessim &w, CommandId);
void SiteCommand(frmTessim &w, CommandId);

} // namespace tessim
