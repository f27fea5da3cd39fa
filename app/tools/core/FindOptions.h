#pragma once
// The four persistent options of the find and replace dialog, in section
// "Configuracao": "ProcSens" (case must match), "ProcInteiras" (whole
// words), "ProcInicio" (try again from the start of the document) and
// "ProcMover" (keep the dialog at the top right of the screen).
#include <QString>

namespace corvel {

// True exactly when the stored value is "1".
bool ReadFindOption(const QString &key);
// Writes "1" or "0".
void WriteFindOption(const QString &key, bool on);

} // namespace corvel
