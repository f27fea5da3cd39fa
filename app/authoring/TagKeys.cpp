// The tag keys of the main window's key preview.
#include "TagCommands.h"

#include "InsertTag.h"
#include "Settings.h"
#include "SnippetKeys.h"
#include "TagTables.h"
#include "frmMain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

using namespace corvel;

namespace {

// The keyboard focus is inside a document's editor ("HTML_nnn").
bool FocusInDocument() {
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (w->objectName().startsWith(QLatin1String("HTML_"))) return true;
    return false;
}

bool ShiftCtrlKey(frmMain &m, QKeyEvent *e) {
    const int key = e->key();
    if (IsModifierKey(key) || KeepsEditorMeaning(key)) return false;
    switch (key) {
    case Qt::Key_X:
        m.Trigger(corvel::cmd::RecortarPlano);
        return true;
    case Qt::Key_C:
        m.Trigger(corvel::cmd::CopiarPlano);
        return true;
    case Qt::Key_V:
        m.Trigger(corvel::cmd::ColarPlano);
        return true;
    case Qt::Key_F12:
        if (const auto &open = m.services().openBrowser) open(QStringLiteral("about:blank"));
        return true;
    default:
        break;
    }
    if (!(e->modifiers() & Qt::KeypadModifier)) {
        const QChar c = SnippetKeyChar(e->nativeScanCode(), key);
        if (const TagSnippet *s = c.isNull() ? nullptr : SnippetForKey(c)) {
            InsertTag(m, SnippetInsert(*s));
            m.ShowStatusMessage(QStringLiteral("CorvelKeys"));
        }
    }
    // Every other Shift+Ctrl key in a document is swallowed.
    return true;
}

} // namespace

bool HandleTagKey(frmMain &m, QKeyEvent *e) {
    if (!m.CurrentEditor()) return false;
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier |
                                                         Qt::AltModifier | Qt::MetaModifier);
    const int key = e->key();
    if (mods == Qt::ControlModifier) {
        switch (key) {
        // Key code 169 is the browser Stop key; the Refresh key beside it
        // writes the link as well.
        case Qt::Key_Stop:
        case Qt::Key_Refresh:
            InsertEmailLink(m);
            return true;
        case Qt::Key_Launch0:
            m.Trigger(corvel::cmd::TabelaLinha);
            return true;
        case Qt::Key_MediaPrevious:
            m.Trigger(corvel::cmd::InserirMeta);
            return true;
        default:
            return false;
        }
    }
    if (mods == Qt::NoModifier && key == Qt::Key_F9) {
        const bool php =
            ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("F9")) != QLatin1String("0");
        return m.Trigger(php ? corvel::cmd::Linguagem(3) : corvel::cmd::Linguagem(2));
    }
    if (mods == (Qt::ShiftModifier | Qt::ControlModifier) && FocusInDocument())
        return ShiftCtrlKey(m, e);
    return false;
}
