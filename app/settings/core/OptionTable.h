#pragma once
// The options dialog as data: its check boxes, the quote choices and the
// command-form combo boxes, with the setting each one shows and writes.
#include <QString>

namespace corvel {

enum class OptionPage { Geral = 0, Edicao = 1, Preview = 2, Comandos = 3 };

// How a check box reads its setting when the dialog opens.
enum class ShownWhen {
    NotZero, // checked unless the value is "0" (an absent key shows checked)
    IsOne,   // checked only on "1"
    IsZero,  // checked only on "0"
};

struct OptionFlag {
    OptionPage page;
    const char *name;    // object name
    const char *caption; // UTF-8
    const char *section;
    const char *key;
    ShownWhen shownWhen;
    const char *checkedValue;
    const char *uncheckedValue;
};

// Every check box that maps one setting, in the dialog's order.
const OptionFlag *OptionFlags(int *count);
bool ShownChecked(ShownWhen rule, const QString &value);

// The quote choices of "Aspas" ("0" to "3").
struct QuoteChoice {
    const char *name;
    const char *caption;
    const char *value;
};
const QuoteChoice *QuoteChoices(int *count);
// Index of the choice shown for a stored "Aspas": 1 to 3 for "1" to "3",
// otherwise 0 (plain quotes).
int QuoteChoiceIndex(const QString &stored);

// The command forms of "Comandos": one combo box per element.
struct TemplateRow {
    const char *key;     // setting in "Configuracao"
    const char *caption; // the element, for the label
    int items;           // 2, or 3 when the advanced definition is offered
};
const TemplateRow *TemplateRows(int *count);
// The item a combo box shows for its stored setting; -1 when the number is
// none of its items.
int TemplateItem(const QString &stored, int items);

} // namespace corvel
