#include "ProjectRules.h"

#include "IniDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace corvel {

namespace {

const char *const kMainField = "Pasta principal do site";
const char *const kImageField = "Pasta de imagens do site";

ProjectProblem FolderProblem(const QString &folder, const char *field) {
    ProjectProblem p;
    if (folder.isEmpty()) return p;
    p.field = QString::fromUtf8(field);
    p.value = folder;
    if (!QDir::isAbsolutePath(folder))
        p.fault = ProjectFault::FolderNotFull;
    else if (!QFileInfo(folder).isDir())
        p.fault = ProjectFault::FolderMissing;
    return p;
}

ProjectProblem FoldersProblem(const QString &mainFolder, const QString &imageFolder) {
    const ProjectProblem main = FolderProblem(mainFolder, kMainField);
    return main ? main : FolderProblem(imageFolder, kImageField);
}

} // namespace

ProjectProblem CheckProjectFile(const QString &path, bool checkFolders) {
    ProjectProblem p;
    p.file = path;
    const QFileInfo info(path);
    if (!info.exists()) {
        p.fault = ProjectFault::NotFound;
        return p;
    }
    if (!info.isFile()) {
        p.fault = ProjectFault::NotAFile;
        return p;
    }
    if (info.size() > kMaxProjectFileSize) {
        p.fault = ProjectFault::TooLarge;
        return p;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        p.fault = ProjectFault::Unreadable;
        return p;
    }
    // The size may have changed since it was asked: read no more than the
    // limit allows, and one byte to tell.
    const QByteArray bytes = f.read(kMaxProjectFileSize + 1);
    if (f.error() != QFile::NoError) {
        p.fault = ProjectFault::Unreadable;
        return p;
    }
    if (bytes.size() > kMaxProjectFileSize) {
        p.fault = ProjectFault::TooLarge;
        return p;
    }
    if (bytes.contains('\0')) {
        p.fault = ProjectFault::NotText;
        return p;
    }
    const IniDocument doc = IniDocument::fromBytes(bytes);
    bool found = false;
    for (const QString &s : doc.sections())
        found = found || s.compare(ProjectSection(), Qt::CaseInsensitive) == 0;
    if (!found) {
        p.fault = ProjectFault::NoSection;
        return p;
    }
    if (!checkFolders) return p;
    ProjectProblem folders =
        FoldersProblem(doc.value(ProjectSection(), QStringLiteral("Principal")).trimmed(),
                       doc.value(ProjectSection(), QStringLiteral("Imagens")).trimmed());
    folders.file = path;
    return folders;
}

ProjectProblem CheckProjectForSave(const Project &project) {
    const struct {
        const char *field;
        QString value;
    } values[] = {
        {"Nome do Projeto", project.name.trimmed()},
        {kMainField, project.mainFolder.trimmed()},
        {kImageField, project.imageFolder.trimmed()},
        {"Classes pré-definidas", EncodeClasses(project.classes)},
    };
    for (const auto &v : values) {
        if (v.value.size() > kMaxProjectValue) {
            ProjectProblem p;
            p.fault = ProjectFault::ValueTooLong;
            p.field = QString::fromUtf8(v.field);
            return p;
        }
    }
    return FoldersProblem(project.mainFolder.trimmed(), project.imageFolder.trimmed());
}

QString ProjectProblemText(const ProjectProblem &p) {
    const QString file = QDir::toNativeSeparators(p.file);
    switch (p.fault) {
    case ProjectFault::None:
        break;
    case ProjectFault::NotFound:
        return QStringLiteral("O arquivo de projeto não foi encontrado:\n%1").arg(file);
    case ProjectFault::NotAFile:
        return QStringLiteral("O caminho indicado não é um arquivo de projeto:\n%1").arg(file);
    case ProjectFault::TooLarge:
        return QStringLiteral("O arquivo é grande demais para ser um projeto do Corvel "
                              "(o máximo são %1 KB):\n%2")
            .arg(kMaxProjectFileSize / 1024)
            .arg(file);
    case ProjectFault::Unreadable:
        return QStringLiteral("Não foi possível ler o arquivo de projeto. Verifique se você tem "
                              "permissão de leitura:\n%1")
            .arg(file);
    case ProjectFault::NotText:
    case ProjectFault::NoSection:
        return QStringLiteral("O arquivo não é um projeto do Corvel válido (falta a seção "
                              "[Projeto] ou ele está corrompido):\n%1")
            .arg(file);
    case ProjectFault::FolderNotFull:
        return QStringLiteral("A %1 precisa ser um caminho completo, começando por \"/\":\n%2")
            .arg(p.field.toLower(), p.value);
    case ProjectFault::FolderMissing:
        return QStringLiteral("A %1 não existe (ela já deve estar criada):\n%2")
            .arg(p.field.toLower(), p.value);
    case ProjectFault::ValueTooLong:
        return QStringLiteral("O conteúdo de \"%1\" é longo demais: o projeto aceita no máximo "
                              "%2 caracteres em cada campo.")
            .arg(p.field)
            .arg(kMaxProjectValue);
    }
    return QString();
}

} // namespace corvel
