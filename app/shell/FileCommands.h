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

// The "Erro de Gravação" message (number 9701 save, 9702 save as).
void ShowSaveError(QWidget *parent, int number, const QString &description);

// The open command: file from the dialog (OpenSource 0), PendingPath (-1) or
// history entry k.
void OpenCommand(frmMain &m);
// Save and save as; true when the document was written.
bool SaveCommand(frmMain &m);
bool SaveAsCommand(frmMain &m);
// False when the user cancelled (the document stays open).
bool CloseCommand(frmMain &m);
void NewCommand(frmMain &m);
void PrintCommand(frmMain &m);
// insert receives the file's text (the tag-insertion routine).
void InsertFileCommand(frmMain &m, const std::function<void(const QString &)> &insert);

// The editor whose file is path (letter case ignored), or nullptr.
ICorvelEdit *DocumentWithFile(frmMain &m, const QString &path);

// Printing: with a default printer the text goes there; otherwise the chooser
// runs (the print dialog, where a PDF file can be chosen). Tests replace it.
using PrinterChooser = std::function<bool(QPrinter &, QWidget *)>;
void SetPrinterChooser(PrinterChooser chooser);
// Prints ready-made print text (lines ended by CR LF) in "Courier New" 11.
bool PrintDocumentText(QPrinter &printer, const QString &printText);

// The routine that insert file hands the text to (tag insertion); set by the
// subsystem that owns it.
void SetInsertTextRoutine(std::function<void(frmMain &, const QString &)> routine);
// Inserts text into the current document through that routine; without one,
// before the selection, which stays.
void InsertFileText(frmMain &m, const QString &text);

} // namespace corvel

// Attaches the file, history and base-folder commands and the document-cache
// steps of the main window's load, timer and unload.
void RegisterFileCommands(frmMain &m);
