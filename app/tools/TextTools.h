#pragma once
// The text tools of the main window: filters and case changes, special
// characters, numbers in words, counters and information inserts, undo and
// select all, the clipboard commands, and the colour and font commands.
#include <QString>
#include <functional>

class frmMain;
class ICorvelEdit;

// Attaches every text-tool command to its menu item.
void RegisterTextTools(frmMain &m);

namespace corvel::texttools {

// The question of the commands that rewrite the text without undo; true on
// Yes (No is the default answer).
bool ConfirmWithoutUndo(frmMain &m);

// The frame of the filters: the confirmation, busy mode, the transformation
// of the selection (or of the whole text when nothing is selected), the text
// written back, and the final status message. extraQuestion runs after the
// confirmation and may still cancel (false).
void RunTextFilter(frmMain &m, const std::function<QString(const QString &)> &transform,
                   const QString &finalMessage,
                   const std::function<bool()> &extraQuestion = nullptr);

// Writes text at the caret as the insert commands do (through the tag
// insertion, so the tag-case setting applies).
void InsertAtCaret(frmMain &m, const QString &text);

// Registration of each group of commands.
void RegisterFilterCommands(frmMain &m);
void RegisterNumberCommands(frmMain &m);
void RegisterInfoCommands(frmMain &m);
void RegisterClipboardCommands(frmMain &m);
void RegisterColourCommands(frmMain &m);

} // namespace corvel::texttools
