// Tessim's start-up time: from starting the program to its shown window with
// an empty document and its first events run (the program reports that
// moment and ends when TESSIM_STARTUP_PROBE is set). The wall time seen from
// here includes process creation and the dynamic loader.
//
// Usage: bench_tessim [runs]   (offscreen unless QT_QPA_PLATFORM says otherwise)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 21;
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/Tessim");
    QList<double> wall, inside, cpu;
    const auto childCpu = [] {
        rusage u{};
        getrusage(RUSAGE_CHILDREN, &u);
        return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
               (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
    };
    for (int i = 0; i <= runs; ++i) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TESSIM_STARTUP_PROBE"), QStringLiteral("1"));
        QProcess p;
        p.setProcessEnvironment(env);
        const double cpuBefore = childCpu();
        QElapsedTimer t;
        t.start();
        p.start(program, {});
        if (!p.waitForReadyRead(30000)) {
            std::fprintf(stderr, "no report from %s\n", qPrintable(program));
            return 1;
        }
        const double ms = t.nsecsElapsed() / 1e6;
        const QByteArray line = p.readAllStandardOutput().trimmed();
        p.waitForFinished(30000);
        if (i == 0) continue; // the first run warms the file cache
        cpu << childCpu() - cpuBefore;
        wall << ms;
        inside << line.mid(line.indexOf(' ') + 1).toDouble();
    }
    std::sort(wall.begin(), wall.end());
    std::sort(inside.begin(), inside.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("Tessim start to shown window, %d runs: median %.1f ms (min %.1f, max %.1f); "
                "inside the program: median %.1f ms; processor time: median %.1f ms\n",
                int(wall.size()), wall[wall.size() / 2], wall.first(), wall.last(),
                inside[inside.size() / 2], cpu[cpu.size() / 2]);
    return 0;
}
