#include "ControlHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>
#include <QWidget>

namespace corvel {

namespace {

QString &PathOverride() {
    static QString p;
    return p;
}

} // namespace

QString ControlLibraryPath() {
    if (!PathOverride().isEmpty()) return PathOverride();
    const QString env = qEnvironmentVariable("CORVEL_CONTROL_PATH");
    if (!env.isEmpty()) return env;
    const QString dir =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QStringLiteral(".");
    // Beside the program in the build tree or a portable copy; in a system
    // installation in the private library folder.
    const QString beside = dir + QStringLiteral("/libCorvelControl.so");
    if (QFileInfo::exists(beside)) return beside;
    const QString installed =
        QDir::cleanPath(dir + QStringLiteral("/" CORVEL_LIB_FROM_BIN "/libCorvelControl.so"));
    return QFileInfo::exists(installed) ? installed : beside;
}

void SetControlLibraryPath(const QString &path) {
    PathOverride() = path;
}

QWidget *CreateControl(const QString &classId, QWidget *parent, QString *error) {
    const QString path = ControlLibraryPath();
    if (!QFileInfo::exists(path)) {
        if (error) *error = QStringLiteral("Arquivo não encontrado: %1").arg(path);
        return nullptr;
    }
    QPluginLoader loader(path);
    QObject *root = loader.instance();
    if (!root) {
        if (error) *error = loader.errorString();
        return nullptr;
    }
    auto *factory = qobject_cast<ICorvelControlFactory *>(root);
    if (!factory) {
        if (error) *error = QStringLiteral("Biblioteca inválida: %1").arg(path);
        return nullptr;
    }
    QWidget *w = factory->createInstance(classId, parent);
    if (!w && error) *error = QStringLiteral("Classe desconhecida: %1").arg(classId);
    return w;
}

ICorvelEdit *CreateCorvelEdit(QWidget *parent, QString *error) {
    QWidget *w = CreateControl(QStringLiteral("CorvelControl.CorvelEdit"), parent, error);
    ICorvelEdit *ed = AsCorvelEdit(w);
    if (w && !ed) {
        delete w;
        if (error) *error = QStringLiteral("Interface do editor ausente");
    }
    return ed;
}

ICorvelEdit *AsCorvelEdit(QObject *widget) {
    return widget ? qobject_cast<ICorvelEdit *>(widget) : nullptr;
}

} // namespace corvel
