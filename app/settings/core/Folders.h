#pragma once
// Where things live.
//  - installation folder: the folder of the running executable;
//  - shipped data ("Comandos", "Scripts", help pages) and the private
//    programs and libraries: beside the executable in the build tree or a
//    portable copy; in a system installation the data is under
//    share/corvel and the private programs under lib/corvel, both found
//    relative to the executable's bin folder;
//  - program folder: $CORVEL_HOME, else the installation folder when it holds
//    the shipped data and is writable (the build tree, a portable copy), else
//    $XDG_DATA_HOME/Corvel. "Docs", "Scripts", "Comandos" and "Projetos" live
//    under it.
#include <QString>

namespace corvel {

QString InstallationFolder();
// True when the shipped data lies beside the executable (build tree or
// portable copy) rather than in a system installation's share folder.
bool IsPortableInstallation();
// The shipped data folder (read-only).
QString SharedDataFolder();
// The folder of the private helper programs (the internal browser).
QString PrivateProgramFolder();
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
