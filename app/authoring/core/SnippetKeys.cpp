#include "SnippetKeys.h"

#include <Qt>

namespace corvel {

namespace {

// X11 (evdev) key codes of the main block whose symbol is the same on the US
// and the ABNT2 layouts: the digit row with "-" and "=", and ",", ".".
QChar FromKeyCode(quint32 code) {
    if (code >= 10 && code <= 18) return QChar(u'1' + (code - 10));
    switch (code) {
    case 19:
        return u'0';
    case 20:
        return u'-';
    case 21:
        return u'=';
    case 59:
        return u',';
    case 60:
        return u'.';
    default:
        return QChar();
    }
}

// The key of a symbol, shifted or not, on the US and ABNT2 layouts.
QChar FromSymbol(int key) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return QChar(char16_t(key));
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return QChar(char16_t(key));
    switch (key) {
    case Qt::Key_Exclam:
        return u'1';
    case Qt::Key_At:
        return u'2';
    case Qt::Key_NumberSign:
        return u'3';
    case Qt::Key_Dollar:
        return u'4';
    case Qt::Key_Percent:
        return u'5';
    case Qt::Key_AsciiCircum:    // US Shift+6
    case Qt::Key_Dead_Diaeresis: // ABNT2 Shift+6
    case Qt::Key_diaeresis:
        return u'6';
    case Qt::Key_Ampersand:
        return u'7';
    case Qt::Key_Asterisk:
        return u'8';
    case Qt::Key_ParenLeft:
        return u'9';
    case Qt::Key_ParenRight:
        return u'0';
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return u'-';
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return u'=';
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return u',';
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return u'.';
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return u'/';
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return u'[';
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return u']';
    default:
        return QChar();
    }
}

// Last resort: the US position of a punctuation key.
QChar FromUsPosition(quint32 code) {
    switch (code) {
    case 34:
        return u'[';
    case 35:
        return u']';
    case 61:
        return u'/';
    case 97:
        return u'/'; // the ABNT2 key beside the right Shift
    default:
        return QChar();
    }
}

} // namespace

QChar SnippetKeyChar(quint32 nativeScanCode, int qtKey) {
    // Letters keep the label of the key, whatever the layout.
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return QChar(char16_t(qtKey));
    const QChar byCode = FromKeyCode(nativeScanCode);
    if (!byCode.isNull()) return byCode;
    const QChar bySymbol = FromSymbol(qtKey);
    if (!bySymbol.isNull()) return bySymbol;
    return FromUsPosition(nativeScanCode);
}

bool IsModifierKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
        return true;
    default:
        return false;
    }
}

bool KeepsEditorMeaning(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

} // namespace corvel
