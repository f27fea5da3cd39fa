#pragma once
// Where things live.
//  - installation folder: the folder of the running executable (binaries, the
//    control library and the shipped data, read-only);
//  - program folder: $CORVEL_HOME, else the installation folder when it is
//    writable (a portable install or the build tree), else
//    $XDG_DATA_HOME/Corvel. "Docs", "Scripts", "Comandos" and "Projetos" live
//    under it.
#include <QString>

namespace corvel {

QString InstallationFolder();
QString ProgramFolder();
// Program folder + "/Docs/" (ends in "/").
QString CacheFolder();
// Program folder + "/Docs/DocsInfo.ini".
QString CacheIndexPath();
// Tests and embedders may pin the program folder; empty restores the rule.
void SetProgramFolderOverride(const QString &folder);

// Creates "Docs", "Scripts", "Comandos" and "Projetos" when missing (the
// program folder and "Docs" owner-only), and copies shipped "Comandos" and
// "Scripts" files that the program folder lacks, never over the user's own.
// Returns false when a folder cannot be created.
bool EnsureProgramFolders(QString *error = nullptr);

} // namespace corvel
