#pragma once
// The Arquivo menu's document commands (new, open, save, save as, close,
// print, exit) and the Inserir menu's insert-file command.
#include <QString>
#include <functional>

class frmMain;
class ICorvelEdit;
class QPrinter;
class QWidget;

namespace corvel {

// Writes an editor's text to path: through Gravar (CR LF line breaks, the
// encoding the document was read in), then without carriage returns when
// setting "Linux" is "1". With backup, and setting "Backup" "1", the old file
// is first copied to its backup name. The file is replaced atomically, so a
// failure leaves the previous file intact. Returns "" or the error text.
QString SaveDocumentFile(ICorvelEdit *editor, const QString &path, bool backup);

// Before a save over path: false when the file there was changed or
// replaced by another program and the user chose not to overwrite it.
bool ConfirmSaveOver(frmMain &m, ICorvelEdit *editor, const QString &path);

// The "Erro de Gravação" message (number 9701 save, 9702 save as).
void ShowSaveError(QWidget *parent, int number, const QString &description);

// Who chose the file an open is for.
enum class OpenFrom {
    Dialog,  // the open dialog: its file type becomes the default one
    Path,    // the command line, a hand-over, a drop, another command
    History, // an item of the history menu
};
// Opens path (made absolute) in a document: a file already open is shown
// instead, a large one asks first; the file joins the history.
void OpenFile(frmMain &m, const QString &path, OpenFrom from);
// The open command: asks for the file with the open dialog, then opens it.
void OpenCommand(frmMain &m);
// Save and save as; true when the document was written.
bool SaveCommand(frmMain &m);
bool SaveAsCommand(frmMain &m);
// False when the user cancelled (the document stays open).
bool CloseCommand(frmMain &m);
void NewCommand(frmMain &m);
void PrintCommand(frmMain &m);
// The insert-file command: asks for the file, then InsertFile.
void InsertFileCommand(frmMain &m, const std::function<void(const QString &)> &insert);
// Reads path (at most 64 kbytes) and hands its text to insert (the
// tag-insertion routine); false, with the message shown, when it cannot.
bool InsertFile(frmMain &m, const QString &path,
                const std::function<void(const QString &)> &insert);

// The editor whose file is path (letter case ignored), or nullptr.
ICorvelEdit *DocumentWithFile(frmMain &m, const QString &path);

// Printing: with a default printer the text goes there; otherwise the
// window's printer chooser runs (services().choosePrinter).
// Prints ready-made print text (lines ended by CR LF) in "Courier New" 11.
bool PrintDocumentText(QPrinter &printer, const QString &printText);

// Inserts text into the current document through the window's insert
// routine (services().insertText, the tag insertion); without one, before
// the selection, which stays.
void InsertFileText(frmMain &m, const QString &text);

} // namespace corvel

// Attaches the file, history and base-folder commands and the document-cache
// steps of the main window's load, timer and unload.
void RegisterFileCommands(frmMain &m);
