#include "ProjectFile.h"

#include "Folders.h"
#include "IniDocument.h"
#include "IniFiles.h"

namespace corvel {

namespace {

const char *const kName = "Nome";
const char *const kMain = "Principal";
const char *const kImages = "Imagens";
const char *const kClasses = "Classes";

QString OneLine(QString value) {
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

QString ProjectSection() {
    return QStringLiteral("Projeto");
}

QString EncodeClasses(const QStringList &items) {
    QString out;
    for (QString item : items) {
        item.remove(QLatin1Char(','));
        out += item.trimmed() + QLatin1Char(',');
    }
    out.chop(1);
    return out.trimmed();
}

QStringList DecodeClasses(const QString &value) {
    if (value.isEmpty()) return {};
    return value.split(QLatin1Char(','));
}

Project ReadProject(const QString &path) {
    Project p;
    const QString s = ProjectSection();
    p.name = ReadIniValue(s, QLatin1String(kName), path);
    p.mainFolder = ReadIniValue(s, QLatin1String(kMain), path);
    p.imageFolder = ReadIniValue(s, QLatin1String(kImages), path);
    p.classes = DecodeClasses(ReadIniValue(s, QLatin1String(kClasses), path));
    return p;
}

bool WriteProject(const QString &path, const Project &project, ProjectWrite mode, QString *error) {
    IniDocument doc = mode == ProjectWrite::Update ? IniDocument::load(path) : IniDocument();
    const QString s = ProjectSection();
    doc.setValue(s, QLatin1String(kName), OneLine(project.name.trimmed()));
    doc.setValue(s, QLatin1String(kMain), OneLine(project.mainFolder.trimmed()));
    doc.setValue(s, QLatin1String(kImages), OneLine(project.imageFolder.trimmed()));
    if (!project.classes.isEmpty())
        doc.setValue(s, QLatin1String(kClasses), OneLine(EncodeClasses(project.classes)));
    else
        doc.removeKey(s, QLatin1String(kClasses));
    return doc.save(path, error);
}

QString ProjectsFolder() {
    return ProgramFolder() + QStringLiteral("/Projetos/");
}

QString ProjectFileFilter() {
    return QStringLiteral("Projetos (*.prj);;Todos os Arquivos (*)");
}

} // namespace corvel
