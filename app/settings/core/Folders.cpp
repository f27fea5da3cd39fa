#include "Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace corvel {

namespace {

QString &OverrideFolder() {
    static QString folder;
    return folder;
}

QString StripTrailingSlash(QString p) {
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p;
}

bool CopyMissingFiles(const QString &from, const QString &to) {
    QDir src(from);
    if (!src.exists()) return true;
    bool ok = true;
    const auto entries = src.entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo &fi : entries) {
        const QString target = to + QLatin1Char('/') + fi.fileName();
        if (QFileInfo::exists(target)) continue;
        if (!QFile::copy(fi.absoluteFilePath(), target))
            ok = false;
        else
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                              QFile::ReadOther);
    }
    return ok;
}

} // namespace

QString InstallationFolder() {
    if (QCoreApplication::instance())
        return StripTrailingSlash(QCoreApplication::applicationDirPath());
    return StripTrailingSlash(QDir::currentPath());
}

bool IsPortableInstallation() {
    return QFileInfo(InstallationFolder() + QStringLiteral("/Comandos")).isDir();
}

QString SharedDataFolder() {
    if (IsPortableInstallation()) return InstallationFolder();
    return QDir::cleanPath(InstallationFolder() + QStringLiteral("/" CORVEL_DATA_FROM_BIN));
}

QString PrivateProgramFolder() {
    if (IsPortableInstallation()) return InstallationFolder();
    return QDir::cleanPath(InstallationFolder() + QStringLiteral("/" CORVEL_LIB_FROM_BIN));
}

void SetProgramFolderOverride(const QString &folder) {
    OverrideFolder() = StripTrailingSlash(folder);
}

QString ProgramFolder() {
    if (!OverrideFolder().isEmpty()) return OverrideFolder();
    const QString env = qEnvironmentVariable("CORVEL_HOME");
    if (!env.isEmpty()) return StripTrailingSlash(QDir::cleanPath(env));
    // A system installation's bin folder is never the program folder, not
    // even for a user who may write there.
    const QString inst = InstallationFolder();
    if (IsPortableInstallation() && QFileInfo(inst).isWritable()) return inst;
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share");
    return StripTrailingSlash(data) + QStringLiteral("/Corvel");
}

QString CacheFolder() {
    return ProgramFolder() + QStringLiteral("/Docs/");
}

QString CacheIndexPath() {
    return CacheFolder() + QStringLiteral("DocsInfo.ini");
}

bool EnsureProgramFolders(QString *error) {
    const QString root = ProgramFolder();
    const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                           QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    if (!QDir().mkpath(root)) {
        if (error) *error = root;
        return false;
    }
    if (root != InstallationFolder()) QFile::setPermissions(root, ownerOnly);
    for (const char *sub : {"Docs", "Scripts", "Comandos", "Projetos"}) {
        const QString p = root + QLatin1Char('/') + QLatin1String(sub);
        if (!QDir().mkpath(p)) {
            if (error) *error = p;
            return false;
        }
        if (qstrcmp(sub, "Docs") == 0) QFile::setPermissions(p, ownerOnly);
        if (QCoreApplication::instance()) QCoreApplication::processEvents();
    }
    const QString data = SharedDataFolder();
    if (data != root) {
        CopyMissingFiles(data + QStringLiteral("/Comandos"), root + QStringLiteral("/Comandos"));
        CopyMissingFiles(data + QStringLiteral("/Scripts"), root + QStringLiteral("/Scripts"));
    }
    return true;
}

} // namespace corvel
