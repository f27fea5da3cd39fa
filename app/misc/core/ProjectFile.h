#pragma once
// Project files: a web site's name, main folder, image folder and predefined
// style classes, kept as section "Projeto" of a small INI file (".prj") in the
// "Projetos" folder of the program folder.
#include <QString>
#include <QStringList>

namespace corvel {

struct Project {
    QString name;        // "Nome"
    QString mainFolder;  // "Principal"
    QString imageFolder; // "Imagens"
    QStringList classes; // "Classes"
};

// The section and its keys.
QString ProjectSection();

// "Classes": each item with every "," removed and then trimmed, joined by
// ","; the whole trimmed. Items that end up empty keep their place.
QString EncodeClasses(const QStringList &items);
// The stored value split at ","; nothing for an empty value.
QStringList DecodeClasses(const QString &value);

// Reads the project's values (trimmed; "" for what the file lacks).
Project ReadProject(const QString &path);

// How WriteProject treats a file that is already there.
enum class ProjectWrite {
    // A new project over a file the user agreed to overwrite: the file holds
    // the project only.
    Replace,
    // The project being edited: its keys change in place, the rest of the
    // file stays; an empty class list clears "Classes".
    Update,
};

// Writes the project in one atomic replacement of the file. Line breaks in
// the values become blanks (they would start new lines of the file). False,
// with the reason in *error, when it could not write; the old file is then
// untouched.
bool WriteProject(const QString &path, const Project &project, ProjectWrite mode,
                  QString *error = nullptr);

// Program folder + "/Projetos/".
QString ProjectsFolder();
// The filter of the project file dialogs.
QString ProjectFileFilter();

} // namespace corvel
