#pragma once
// The project in use and the commands of the "Projeto" menu: create, open,
// edit and close a project.
#include <QString>

class frmMain;

namespace corvel {

// Makes path the project in use (the status bar's project panel on, "Editar
// Atual" and "Fechar Atual" enabled); "" leaves no project in use (panel
// off, both items disabled).
void UseProject(frmMain &m, const QString &path);

void NewProjectCommand(frmMain &m);
void OpenProjectCommand(frmMain &m);
void EditProjectCommand(frmMain &m);
void CloseProjectCommand(frmMain &m);

// Attaches the four commands; no project is in use at start.
void RegisterProjectCommands(frmMain &m);

} // namespace corvel
