#pragma once
// Which key of the keyboard a Shift+Ctrl key press was. Qt reports the shifted
// symbol (Shift+Ctrl+1 arrives as "!" on a US keyboard), and the symbols
// differ between layouts, so the snippet keys are found by physical key: the
// X11 key code of the digit row first, then the symbol as the US and the
// Brazilian ABNT2 layouts shift it, then the US position of the key.
#include <QChar>
#include <QtGlobal>

namespace corvel {

// nativeScanCode: the X11 key code (0 when unknown); qtKey: QKeyEvent::key().
// Returns the unshifted key character as the snippet table names it ('1',
// '=', '[', 'B', ...), or a null QChar when the key is not a character key.
QChar SnippetKeyChar(quint32 nativeScanCode, int qtKey);

// Shift, Ctrl, Alt and the other modifier and lock keys: pressing one alone
// under Shift+Ctrl is no command.
bool IsModifierKey(int qtKey);

// Keys that keep their editing meaning under Shift+Ctrl: the unindentation
// of Shift+Ctrl+Tab, and selecting by words and to either end of the
// document. Up, Down, Page Up and Page Down mean nothing to the editor under
// Shift+Ctrl and are swallowed like the rest.
bool KeepsEditorMeaning(int qtKey);

} // namespace corvel
