#pragma once
// The notepad's HTML commands as data: what each writes around the
// selection, and where the caret goes.
#include "NotepadCommands.h"
#include "TagTables.h"

#include <QVector>

namespace tessim {

struct HtmlCommand {
    CommandId id;
    corvel::TagSnippet snippet;
};
const QVector<HtmlCommand> &HtmlCommands();

// The command of an id, or nullptr.
const HtmlCommand *FindHtmlCommand(CommandId id);

} // namespace tessim
