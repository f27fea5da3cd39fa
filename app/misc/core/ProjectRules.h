#pragma once
// What makes a project file usable, and a project fit to be saved, with the
// message the user sees when it is not.
#include "ProjectFile.h"

#include <QString>

namespace corvel {

enum class ProjectFault {
    None,
    NotFound,      // no such file
    NotAFile,      // a folder, a device, a pipe
    TooLarge,      // more than kMaxProjectFileSize bytes
    Unreadable,    // no permission, read error
    NotText,       // holds NUL bytes
    NoSection,     // no "[Projeto]" section
    FolderNotFull, // a folder that is not a full path
    FolderMissing, // a folder that does not exist (any more)
    ValueTooLong,  // a value longer than the INI readers return
};

struct ProjectProblem {
    ProjectFault fault = ProjectFault::None;
    QString file;  // the project file, when the problem is the file's
    QString field; // "Pasta principal do site", ... for a field's problem
    QString value; // the folder or value at fault
    explicit operator bool() const { return fault != ProjectFault::None; }
};

// A real project file is a few hundred bytes; anything this big is not one.
inline constexpr qint64 kMaxProjectFileSize = 64 * 1024;
// The longest value the INI readers give back whole.
inline constexpr int kMaxProjectValue = 2047;

// Checks the file before it becomes the project in use, or before the
// project in use is edited (checkFolders false: the window is where a moved
// folder gets corrected).
ProjectProblem CheckProjectFile(const QString &path, bool checkFolders = true);

// Checks what the project window is about to save: the folders must be full
// paths of existing folders (or empty) and no value may be longer than the
// readers return (a longer class list would come back cut).
ProjectProblem CheckProjectForSave(const Project &project);

// The message for the user, in Portuguese.
QString ProjectProblemText(const ProjectProblem &problem);

} // namespace corvel
