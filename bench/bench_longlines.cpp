// Timings of the editor component on very long lines and very large files:
// a minified script of one 1,000,000- or 5,000,000-character line and a
// 50 MB file of ordinary lines. Each case opens the file (Ler, then the
// editor shown and painted), goes to the end (Ctrl+End), types a character
// there and saves (Gravar, which also writes the temporary copy), and reports
// medians and the resident memory. Run by hand (offscreen):
//   bench_longlines [line1m|line5m|big50m] [runs]
// Without a case name every case runs, each in a process of its own.
#include "CorvelEdit.h"
#include "EditSurface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <time.h>

namespace {

double Median(QVector<double> v) {
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

double CpuMs() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

long RssMiB() {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
    return -1;
}

// A minified script: statements without line breaks, a few spaces.
QByteArray MinifiedLine(int chars) {
    static const char *parts[] = {"function ",
                                  "a",
                                  "(b,c){return b+c}",
                                  "var ",
                                  "x=1,y=[1,2,3];",
                                  "if(x<y.length)",
                                  "{x++}else{y.pop()}",
                                  "\"texto\"",
                                  ";",
                                  ",",
                                  ".map(function(e){return e*2})",
                                  "document.getElementById(\"id\")"};
    QRandomGenerator rng(24);
    QByteArray out;
    out.reserve(chars + 64);
    while (out.size() < chars)
        out += parts[rng.bounded(int(sizeof(parts) / sizeof(parts[0])))];
    out.truncate(chars);
    return out;
}

// Generated table rows of 40 to 100 characters, CR LF.
QByteArray OrdinaryLines(qint64 bytes) {
    QRandomGenerator rng(50);
    QByteArray out;
    out.reserve(bytes + 256);
    for (int i = 0; out.size() < bytes; ++i)
        out += "<tr><td class=\"c" + QByteArray::number(i % 7) + "\">Linha " +
               QByteArray::number(i) + " de um arquivo gerado</td><td>" +
               QByteArray(int(rng.bounded(60)), 'x') + "</td></tr>\r\n";
    return out;
}

void Settle(CorvelEdit &ed) {
    ed.surface()->viewport()->repaint();
    QCoreApplication::processEvents();
}

void Key(CorvelEdit &ed, int key, Qt::KeyboardModifiers mods, const QString &text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(ed.surface(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(ed.surface(), &release);
}

struct Times {
    QVector<double> wall, cpu;
    void add(const std::function<void()> &run) {
        QElapsedTimer t;
        const double c0 = CpuMs();
        t.start();
        run();
        wall.append(t.nsecsElapsed() / 1e6);
        cpu.append(CpuMs() - c0);
    }
    void print(const char *name, double target) const {
        std::printf("  %-26s %9.1f ms (cpu %8.1f)  target %.0f\n", name, Median(wall), Median(cpu),
                    target);
    }
};

int RunCase(const QString &name, int runs) {
    QByteArray content;
    double tOpen = 0, tEnd = 0, tType = 0, tSave = 0;
    if (name == QLatin1String("line1m")) {
        content = MinifiedLine(1000000);
        tOpen = 1500, tEnd = 300, tType = 50, tSave = 500;
    } else if (name == QLatin1String("line5m")) {
        content = MinifiedLine(5000000);
        tOpen = 4000, tEnd = 300, tType = 300, tSave = 2000;
    } else if (name == QLatin1String("big50m")) {
        content = OrdinaryLines(50 * 1000 * 1000);
        tOpen = 6000, tEnd = 300, tType = 300, tSave = 2000;
    } else {
        std::fprintf(stderr, "unknown case %s\n", qPrintable(name));
        return 2;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.txt"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size()) return 1;
    }
    std::printf("%s: %lld bytes, %lld lines, RSS at start %ld MiB\n", qPrintable(name),
                (long long)content.size(), (long long)content.count('\n') + 1, RssMiB());

    Times open, end, typed, save;
    long rssOpen = 0, rssSaved = 0;
    bool savedRight = true;
    for (int run = 0; run < runs; ++run) {
        auto ed = std::make_unique<CorvelEdit>();
        ed->resize(1000, 700);
        ed->setQuebrarLinha(true); // the default: no wrapping at the window edge
        ed->setDiretorioTemporario(dir.path());
        ed->show();
        QCoreApplication::processEvents();
        open.add([&] {
            ed->Ler(path);
            Settle(*ed);
        });
        rssOpen = std::max(rssOpen, RssMiB());
        end.add([&] {
            Key(*ed, Qt::Key_End, Qt::ControlModifier);
            Settle(*ed);
            ed->Linha();
            ed->Coluna();
        });
        for (int k = 0; k < 5; ++k)
            typed.add([&] {
                Key(*ed, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
                Settle(*ed);
                ed->Linha();
                ed->Coluna();
            });
        save.add([&] {
            ed->Gravar(path);
            Settle(*ed);
        });
        rssSaved = std::max(rssSaved, RssMiB());
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        const QByteArray saved = f.readAll();
        savedRight = savedRight && saved == content + QByteArray(5, 'a');
        content += QByteArray(5, 'a');
    }
    open.print("open (Ler, show, paint)", tOpen);
    end.print("Ctrl+End", tEnd);
    typed.print("typed character", tType);
    save.print("save (Gravar + copy)", tSave);
    std::printf("  RSS after open %ld MiB, after save %ld MiB (file %lld MiB; target %lld)\n",
                rssOpen, rssSaved, (long long)content.size() >> 20,
                4 * ((long long)content.size() >> 20));
    std::printf("  saved file %s\n", savedRight ? "as expected" : "DIFFERS from the text!");
    return savedRight ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    if (argc > 1) return RunCase(QString::fromLocal8Bit(argv[1]), runs);
    int rc = 0;
    for (const char *c : {"line1m", "line5m", "big50m"}) {
        std::fflush(stdout);
        rc |= QProcess::execute(QCoreApplication::applicationFilePath(),
                                {QLatin1String(c), QString::number(runs)});
    }
    return rc;
}
