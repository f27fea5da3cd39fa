#include "Startup.h"

#include "AppInfo.h"
#include "Commands.h"
#include "ControlHost.h"
#include "Dialogs.h"
#include "frmTessim.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

namespace tessim {

namespace {

QString SiteSentence() {
    return QStringLiteral(" Mais informações no site ") + corvel::SiteAddress() +
           QStringLiteral(".");
}

} // namespace

QString CommandLineFile(const QStringList &arguments) {
    const QString joined = arguments.mid(1).join(QLatin1Char(' '));
    if (joined.trimmed().isEmpty()) return QString();
    return QDir::cleanPath(QFileInfo(joined).absoluteFilePath());
}

int RunTessim(QApplication &app) {
    QElapsedTimer started;
    started.start();
    const bool phases = qEnvironmentVariableIsSet("TESSIM_PHASES");
    frmTessim w;
    if (phases) std::fprintf(stderr, "window %.1f ms\n", started.nsecsElapsed() / 1e6);
    QString error;
    const bool ready = w.Init(&error);
    if (phases) std::fprintf(stderr, "editor and menus %.1f ms\n", started.nsecsElapsed() / 1e6);
    if (!ready) {
        corvel::Message(
            nullptr,
            QStringLiteral("O arquivo %1, essencial para a execução do aplicativo, não foi "
                           "encontrado ou não pode ser carregado. Tente reinstalar o programa.")
                    .arg(QFileInfo(corvel::ControlLibraryPath()).fileName()) +
                SiteSentence() + QStringLiteral("\r\n\r\nO Tessim será finalizado agora."),
            QStringLiteral("Erro Crítico"), corvel::MsgIcon::Critical);
        return 1;
    }
    w.show();
    w.Editor()->Foco();
    if (phases) std::fprintf(stderr, "shown %.1f ms\n", started.nsecsElapsed() / 1e6);
    const QString file = CommandLineFile(app.arguments());
    if (!file.isEmpty()) OpenPath(w, file);
    // The start-up benchmark: the time until the window is shown and its
    // first events have run, then the program ends.
    if (qEnvironmentVariableIsSet("TESSIM_STARTUP_PROBE")) {
        QTimer::singleShot(0, &w, [&w, &started] {
            std::printf("tessim-shown %.3f\n", started.nsecsElapsed() / 1e6);
            std::fflush(stdout);
            w.Editor()->setAlterado(false);
            QApplication::quit();
        });
    }
    return app.exec();
}

} // namespace tessim
