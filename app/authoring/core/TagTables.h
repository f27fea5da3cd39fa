#pragma once
// The tag commands of the Inserir, Formatar, Tabela, Lista, Formulário and
// Frame menus, as data: what each writes and what it shows afterwards.
#include "CommandIds.h"
#include "TagText.h"

#include <QString>
#include <QVector>

namespace corvel {

// A construct written by InsertTag.
struct TagSnippet {
    const char *openText;
    const char *closeText;
    int caretBack;
    bool separateLines;
    bool innerLine;
};

// The insertion of a snippet, in the user's tag case, wrapping the selection.
TagInsert SnippetInsert(const TagSnippet &s);

// A menu item that always writes its construct.
struct InlineTagCommand {
    CommandId menu;
    TagSnippet snippet;
    const char *status; // nullptr: no status text
};
const QVector<InlineTagCommand> &InlineTagCommands();

// A menu item that writes the bare tag when its setting allows, else opens
// the command dialog.
struct PerTagCommand {
    CommandId menu;
    const char *setting; // key in "Configuracao"
    TagSnippet direct;
    const char *comando; // command dialog name
    int helpId;
    const char *status;
    bool honoursRightControl; // right Control forces the dialog
};
const QVector<PerTagCommand> &PerTagCommands();

// A menu item that always opens the command dialog.
struct ComandoCommand {
    CommandId menu;
    const char *comando;
    int helpId;
    const char *status;
};
const QVector<ComandoCommand> &ComandoCommands();

// Per-tag rule: the bare tag is written when the setting is "1", Scroll Lock
// is off and (unless the command ignores it) the right Control key is up.
bool WritesBareTag(const QString &setting, bool scrollLock, bool rightControl,
                   bool honoursRightControl);

// The Shift+Ctrl snippet of a key character ('=', ',', '.', '[', ']', '0',
// '-', '1', '4'..'9', '/', 'B', 'J', 'N'); nullptr for any other key.
const TagSnippet *SnippetForKey(QChar key);

// The quote-style button: the style after `current` (an image key) and the
// "Aspas" value it stands for; false when `current` is none of the four.
bool NextQuoteStyle(const QString &current, QString *next, QString *aspas);
// The image key for an "Aspas" value, as the toolbar shows it at start.
QString QuoteStyleImage(const QString &aspas);

// The e-mail link of an answer to the e-mail prompt, or "" when the answer is
// not an address (empty, or without "@" or ".").
QString EmailLinkText(const QString &answer);

} // namespace corvel
