#pragma once
// The "Histórico" and "Pasta Base" submenus of the Arquivo menu, rebuilt
// from the settings store after every change.
#include <QString>

class frmMain;

namespace corvel {

void RefreshHistoryMenu(frmMain &m);
void AddToHistory(frmMain &m, const QString &path);
void RefreshBaseFolderMenu(frmMain &m);
void AddBaseFolder(frmMain &m, const QString &path);

void mnuHistorico_Click(frmMain &m, int index);
void mnuHistoricoRemObsoletos_Click(frmMain &m);
void mnuHistoricoRemTodos_Click(frmMain &m);
void mnuPastaPadrao_Click(frmMain &m, int index);
void mnuPastaBaseInserir_Click(frmMain &m);
void mnuPastasObsoletas_Click(frmMain &m);
void mnuPastasRemover_Click(frmMain &m);

// Attaches the commands above to their menu items.
void RegisterHistoryCommands(frmMain &m);

} // namespace corvel
