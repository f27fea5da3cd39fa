#pragma once
// The menu bar of the main window as data: one row per menu control, in
// order. A row whose name some later row names as parent becomes a submenu;
// a row captioned "-" is a separator.
#include "CommandIds.h"

#include <cstddef>

namespace corvel {

enum MenuFlags : unsigned {
    MenuNormal = 0,
    MenuDisabledAtStart = 1, // stays disabled even with a command attached
    MenuHiddenAtStart = 2,   // filled and shown at run time (history, base folders)
};

struct MenuRow {
    CommandId id;         // its Name() is the object name
    const char *caption;  // with "&" access keys; "-" for a separator
    const char *shortcut; // QKeySequence portable text, or ""
    CommandId parent;     // invalid for the menus of the menu bar
    const char *label;    // text appended after a tab at load, or ""
    unsigned flags;
};

// The rows, in menu order.
const MenuRow *MenuTable(std::size_t *count);

// The menus whose state follows whether a document exists.
const CommandId *DocumentMenus(std::size_t *count);

// The id of the menu row or toolbar command named name ("mnuHeader(1)"); an
// invalid id when no row has that name.
CommandId CommandByName(const QString &name);

} // namespace corvel
