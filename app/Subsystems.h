#pragma once
class frmMain;
// Attaches the commands of every subsystem to the main window.
void RegisterSubsystems(frmMain &m);
