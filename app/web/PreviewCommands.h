#pragma once
// The preview command: shows the current document in the desktop's default
// browser, in a browser program the user chose, or in the internal browser.
// "Preview" "1" saves the document and shows the saved file; otherwise the
// text as it stands in the window goes to the preview file.
#include <QString>

class BrowserInterno;
class frmMain;

namespace corvel {

// The path to show for the current document, or "" when there is nothing to
// show (no document, a save as that was cancelled or a save that failed, a
// preview file that could not be written: its message was shown).
QString PreparePreviewFile(frmMain &m);

// The preview command (F12, the Arquivo menu, the toolbar).
void PreviewCommand(frmMain &m);

// The three viewers.
void OpenInDefaultBrowser(frmMain &m, const QString &path);
void OpenInSpecificBrowser(frmMain &m, const QString &path);
// Creates the internal browser when there is none; shows its address bar
// only for "about:blank". Previewing again the document it shows reloads
// the page where the reader left it.
void OpenInInternalBrowser(frmMain &m, const QString &path);

// The internal browser of the window, or nullptr when there is none.
BrowserInterno *InternalBrowser(frmMain &m);
// Drops the internal browser: the next preview starts a new one.
void ReleaseInternalBrowser(frmMain &m);
// Closes the internal browser (at the window's unload).
void CloseInternalBrowser(frmMain &m);

} // namespace corvel

// Attaches the preview command, the blank browser key and the browser's
// closing at unload.
void RegisterPreviewCommands(frmMain &m);
