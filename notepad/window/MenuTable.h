#pragma once
// The notepad's menu bar as data: one row per menu item, in order, each
// naming its command, caption, parent menu, the key text shown after its
// caption, and its handler.
#include "NotepadCommands.h"

#include <cstddef>

namespace tessim {

class frmTessim;
using Handler = void (*)(frmTessim &, CommandId);

struct MenuRow {
    CommandId id;
    const char *caption;
    CommandId parent;  // invalid for the menus of the menu bar
    const char *keys;  // shown after a tab in the caption, or ""
    Handler handler;   // nullptr for the menus of the menu bar
    bool checkable;
};

const MenuRow *MenuTable(std::size_t *count);

} // namespace tessim
