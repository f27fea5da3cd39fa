#include "TextTools.h"

void RegisterTextTools(frmMain &m) {
    using namespace corvel::texttools;
    RegisterFilterCommands(m);
    RegisterNumberCommands(m);
    RegisterInfoCommands(m);
    RegisterClipboardCommands(m);
    RegisterColourCommands(m);
}
