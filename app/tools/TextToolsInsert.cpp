#include "TextTools.h"
#include "frmMain.h"

#if __has_include("InsertTag.h")
#include "InsertTag.h"
#define CORVEL_HAS_INSERT_TAG 1
#endif

namespace corvel::texttools {

bool CanInsertAtCaret() {
#ifdef CORVEL_HAS_INSERT_TAG
    return true;
#else
    return false;
#endif
}

// The inserts write their text as a tag with no closing part: in the user's
// tag case, the caret after it.
bool InsertAtCaret(frmMain &m, const QString &text) {
#ifdef CORVEL_HAS_INSERT_TAG
    QString open = text;
    QString close;
    InsertTag(m, open, close, 0, false, false, true, false);
    return true;
#else
    (void)m;
    (void)text;
    return false;
#endif
}

} // namespace corvel::texttools
