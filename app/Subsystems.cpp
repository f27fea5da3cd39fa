#include "Subsystems.h"

#include "frmMain.h"

// Each subsystem attaches its own menu commands, keys and load steps.
void RegisterSubsystems(frmMain &m) {
    (void)m;
}
