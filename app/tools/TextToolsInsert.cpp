#include "InsertTag.h"
#include "TextTools.h"
#include "frmMain.h"

namespace corvel::texttools {

// The inserts write their text as a tag with no closing part: in the user's
// tag case, the caret after it.
void InsertAtCaret(frmMain &m, const QString &text) {
    InsertTagText(m, text);
}

} // namespace corvel::texttools
