#pragma once
// Expanding a script template into the text inserted at the caret.
//
// Placeholders of a template: "<#P1#>" to "<#P4#>" the values typed for the
// four parameters, "<#T#>" one indentation step, "<#E#>" a space that
// survives the trimming of the end, "<#C#>" where the caret ends, and "<##>"
// a line break (the stored form). Line breaks of the result are CR LF and
// every line after the first is indented to the caret's column.
#include <QString>
#include <QStringList>

namespace corvel {

struct ScriptExpansion {
    QString text;      // the text to insert
    int caretBack = 0; // how many characters before its end the caret goes
};

// The indentation step: a tab with realTab, else `spaces` spaces.
QString ScriptIndentStep(bool realTab, int spaces);

// output: the stored template ("Saida"); values: the texts of the parameter
// boxes in order (missing ones count as empty); column: the caret's column,
// from 1.
//  - An empty value takes its placeholder away; when the template has no
//    "<#C#>" yet, the first empty parameter becomes the caret's place.
//  - Without a caret mark, a line that is empty apart from the indentation
//    to the column takes the caret (at its end); otherwise it goes to the end.
//  - Values are inserted as typed: placeholder-like text inside a value is
//    left alone.
ScriptExpansion ExpandScript(const QString &output, const QStringList &values, int column,
                             const QString &indentStep);

} // namespace corvel
