#pragma once
// The text arithmetic of tag insertion: tag case, quote styles and where the
// caret or the selection lands after an opening and a closing text were
// written around (or in place of) the selection. Positions count CR LF as two
// characters, as the editor does.
#include <QString>

namespace corvel {

// One insertion as a command asks for it (InsertTag).
struct TagInsert {
    QString openText;
    QString closeText;
    // The caret lands this many characters before the end of the construct
    // (counted in the texts as given).
    int caretBack = 0;
    bool separateLines = false;    // opening and closing text on lines of their own
    bool innerLine = false;        // with separateLines: an empty line between them
    bool applyCase = true;         // the user's tag case applies
    bool discardSelection = false; // replaces the selection instead of wrapping it
};

// The user's settings that shape every insertion (section "Configuracao").
struct TagOptions {
    bool wrapSelection = true; // "IntSelecao" is "1"
    bool keepSelection = true; // "MantemSel" is "1"
    bool lowerCase = false;    // "Maiusculo" is "0"
    QString quoteStyle;        // "Aspas": "1" doubled, "2" apostrophe, "3" backslash
};
TagOptions ReadTagOptions();

// Rewrites every double quote by the quote style ("1" "" , "2" ', "3" \");
// any other style leaves the text as it is.
QString ApplyQuoteStyle(const QString &text, const QString &style);

// A text as the insertion writes it: lower case when the options ask for it
// and applyCase is set, then the quote style.
QString StyleTagText(const QString &text, const TagOptions &o, bool applyCase);

// The caret distance from the end of the construct once its texts are
// styled. caretBack counts characters of the texts as given (the closing text
// first, then, inline, the opening one); a quote doubled or escaped within
// that distance moves the caret back as many characters more, so it lands at
// the same place of the construct in every quote style.
int StyledCaretBack(const QString &openText, const QString &closeText, int caretBack,
                    bool separateLines, const TagOptions &o, bool applyCase);

// What the insertion does to the document.
struct TagInsertRequest {
    QString openText;
    QString closeText;
    int caretBack = 0;
    bool separateLines = false;
    bool innerLine = false;
    QString wrapped;  // the selected text going between the tags ("" for none)
    int selStart = 0; // SelInicio before writing
    int column = 1;   // Coluna before writing, from 1
    bool keepSelection = true;
};
struct TagInsertResult {
    QString text;     // replaces the selection
    int selStart = 0; // selection afterwards
    int selLength = 0;
};
TagInsertResult PlanTagInsert(const TagInsertRequest &r);

} // namespace corvel
