#pragma once
// The toolbar "Ferramentas" as data: buttons in order, separators as rows
// with an empty key. A button's key is also its tooltip and names its icon.
#include "CommandIds.h"

#include <cstddef>

namespace corvel {

struct ToolbarRow {
    const char *key;   // image key and tooltip; "" for a separator
    CommandId command; // menu item (or toolbar command) the click runs
    const char *icon;  // resource name of the picture
};

const ToolbarRow *ToolbarTable(std::size_t *count);

// The quotes button: its key follows setting "Aspas" and the quote-style
// command. Keys "Aspas Duplas", "Aspas ASP", "Aspas Simples", "Aspas PHP".
inline constexpr CommandId kQuoteCommand = cmd::CycleQuoteStyle;
// Image key of the quotes button for an "Aspas" value.
const char *QuoteButtonKey(const char *aspas);

} // namespace corvel
