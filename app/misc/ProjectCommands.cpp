#include "ProjectCommands.h"

#include "CommandIds.h"
#include "Dialogs.h"
#include "ProjectFile.h"
#include "ProjectRules.h"
#include "frmMain.h"
#include "frmProjeto.h"

#include <QAction>
#include <QFileInfo>

namespace corvel {

namespace {

ProjectHost HostOf(frmMain &m) {
    ProjectHost host;
    host.projectInUse = [&m] { return m.ProjectFile; };
    host.useProject = [&m](const QString &path) { UseProject(m, path); };
    return host;
}

const QString kUnchanged = QStringLiteral("\n\nO projeto em uso não foi alterado.");

} // namespace

void UseProject(frmMain &m, const QString &path) {
    m.ProjectFile = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    const bool on = !m.ProjectFile.isEmpty();
    m.SetStatusPanelEnabled(7, on);
    for (CommandId id : {cmd::ArquivoPrjEditar, cmd::ArquivoPrjFechar})
        if (QAction *a = m.Action(id)) a->setEnabled(on);
}

void NewProjectCommand(frmMain &m) {
    frmProjeto window(HostOf(m), &m);
    window.exec();
    m.ShowStatusMessage(QStringLiteral("Novo Projeto"));
}

void OpenProjectCommand(frmMain &m) {
    int index = 1;
    const QString chosen = Dialogs().openFile(&m, QStringLiteral("Abrir Projeto"), ProjectsFolder(),
                                              ProjectFileFilter(), &index);
    if (chosen.isEmpty()) return;
    const QString file = QFileInfo(chosen).absoluteFilePath();
    if (const ProjectProblem problem = CheckProjectFile(file)) {
        Message(&m, ProjectProblemText(problem) + kUnchanged, QStringLiteral("Abrir Projeto"),
                MsgIcon::Warning);
        return;
    }
    UseProject(m, file);
    m.ShowStatusMessage(
        QStringLiteral("O projeto \"%1\" foi iniciado.").arg(ReadProject(file).name));
}

void EditProjectCommand(frmMain &m) {
    if (m.ProjectFile.isEmpty()) return;
    // A moved folder is corrected in the window; a file that is gone or is
    // no project any more cannot be edited.
    if (const ProjectProblem problem = CheckProjectFile(m.ProjectFile, false)) {
        Message(&m, ProjectProblemText(problem) + kUnchanged, QStringLiteral("Editar Projeto"),
                MsgIcon::Warning);
        return;
    }
    frmProjeto window(HostOf(m), &m);
    window.Editar();
    window.exec();
    m.ShowStatusMessage(QStringLiteral("Editar Projeto"));
}

void CloseProjectCommand(frmMain &m) {
    UseProject(m, QString());
    Message(&m, QStringLiteral("O projeto foi fechado."), QStringLiteral("Projeto Fechado"),
            MsgIcon::Information);
    m.ShowStatusMessage(QStringLiteral("Fechar Projeto"));
}

void RegisterProjectCommands(frmMain &m) {
    m.SetHandler(cmd::ArquivoPrjNovo, [&m] { NewProjectCommand(m); });
    m.SetHandler(cmd::ArquivoPrjAbrir, [&m] { OpenProjectCommand(m); });
    m.SetHandler(cmd::ArquivoPrjEditar, [&m] { EditProjectCommand(m); });
    m.SetHandler(cmd::ArquivoPrjFechar, [&m] { CloseProjectCommand(m); });
    UseProject(m, QString());
}

} // namespace corvel
