// Start-up time: from starting a process to a shown main window with one
// empty document, splash off. The first run starts with fresh settings and an
// empty program folder (it fills the defaults and copies the shipped command
// files); the later runs start as a user's usual start does.
// Each run is a child process of this program ("--child"), which performs
// the program's start-up (translations, defaults, folders, component probe,
// main window load) and reports when the window is shown. The subsystems'
// command registration is not part of it (it lives in the program itself).
//
// Usage: bench_startup [runs]   (QT_QPA_PLATFORM=offscreen is set for runs)
#include "frmAbertura.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QProcess>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTranslator>
#include <algorithm>
#include <cstdio>

static int Child(int argc, char **argv) {
    QElapsedTimer phase;
    phase.start();
    QApplication app(argc, argv);
    const qint64 tApp = phase.restart();
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_pt_BR"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTexts);
    const qint64 tTr = phase.restart();
    corvel::StartupResult r = corvel::StartCorvel(QString(), nullptr);
    if (qEnvironmentVariableIsSet("BENCH_PHASES"))
        std::fprintf(stderr, "QApplication %lld ms, translations %lld ms, start-up %lld ms\n", tApp,
                     tTr, phase.elapsed());
    if (!r.window || !r.window->isVisible() || r.window->Tabs()->count() != 1) return 2;
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    delete r.window;
    return 0;
}

int main(int argc, char **argv) {
    if (argc > 1 && qstrcmp(argv[1], "--child") == 0) return Child(argc, argv);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 15;
    QList<double> ms;
    double first = 0;
    QTemporaryDir dir;
    for (int i = 0; i <= runs; ++i) {
        QDir().mkpath(dir.filePath(QStringLiteral("cfg/Corvel")));
        if (i == 0) {
            QFile ini(dir.filePath(QStringLiteral("cfg/Corvel/Corvel.ini")));
            ini.open(QIODevice::WriteOnly);
            ini.write("[Configuracao]\nSplash=0\n");
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("cfg")));
        env.insert(QStringLiteral("CORVEL_HOME"), dir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("CORVEL_CONTROL_PATH"),
                   QCoreApplication::applicationDirPath() + QStringLiteral("/libCorvelControl.so"));
        if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer t;
        t.start();
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child")});
        p.waitForStarted();
        double shown = -1;
        while (p.waitForReadyRead(10000)) {
            if (p.readAll().contains("shown")) {
                shown = t.nsecsElapsed() / 1e6;
                break;
            }
        }
        p.waitForFinished(10000);
        if (shown < 0) {
            std::fprintf(stderr, "run %d failed (exit %d)\n", i + 1, p.exitCode());
            return 1;
        }
        if (i == 0) {
            first = shown;
            std::printf("first run: %7.1f ms\n", shown);
            continue;
        }
        ms << shown;
        std::printf("run %2d: %7.1f ms\n", i, shown);
    }
    std::sort(ms.begin(), ms.end());
    std::printf(
        "usual start: median %.1f ms, min %.1f ms, max %.1f ms (%d runs); first run %.1f ms\n",
        ms.at(ms.size() / 2), ms.first(), ms.last(), int(ms.size()), first);
    return 0;
}
