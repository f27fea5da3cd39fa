// Timings of the editor component on the 512k corpus page: plain text in and
// out, coloured rich text in and out, temporary copies, one typed character,
// and resident memory. Run by hand (offscreen): bench_control [file]
#include "CorvelEdit.h"
#include "EditSurface.h"
#include "RtfDocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QRegularExpression>
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
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// CPU time of the last Time() call (median): on a busy machine the wall
// time also counts the waits for a core.
double g_cpu = 0;

// Milliseconds of `run`, median of n runs; `before` runs untimed first.
double Time(int n, const std::function<void()> &run, const std::function<void()> &before = {}) {
    QVector<double> ms, cpu;
    for (int i = 0; i < n; ++i) {
        if (before) before();
        QElapsedTimer t;
        const double c0 = CpuMs();
        t.start();
        run();
        ms.append(t.nsecsElapsed() / 1e6);
        cpu.append(CpuMs() - c0);
    }
    g_cpu = Median(cpu);
    return Median(ms);
}

// "wall ms (cpu ms)" of the last measurement.
struct Result {
    double wall, cpu;
};
Result Last(double wall) {
    return {wall, g_cpu};
}

void Settle() {
    QCoreApplication::processEvents();
}

long RssKiB() {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// What the colouriser makes of a page: one colour run per tag name and one
// per attribute (name and value), as RTF from the document model.
corvel::rtf::Document Coloured(const QString &text, int *runs) {
    corvel::rtf::Document doc;
    doc.text = QString(text).remove(u'\r');
    for (int c : {0x800000, 0x0000FF, 0x008000, 0x808080}) {
        corvel::rtf::CharFormat f;
        f.font = "Courier New";
        f.pointSize = 10;
        f.color = c;
        doc.formats.append(f);
    }
    static const QRegularExpression tag("<[!/?]?[A-Za-z][^>]*>");
    static const QRegularExpression attr(
        "\\s([A-Za-z_:][-\\w:.]*)(\\s*=\\s*(\"[^\"]*\"|'[^']*'|[^\\s>]+))?");
    auto it = tag.globalMatch(doc.text);
    while (it.hasNext()) {
        const auto m = it.next();
        const int s = int(m.capturedStart()), len = int(m.capturedLength());
        const QString body = m.captured();
        int nameEnd = 1;
        while (nameEnd < len && !body[nameEnd].isSpace() && body[nameEnd] != u'>')
            ++nameEnd;
        doc.ranges.append({s, nameEnd, 0});
        int last = s + nameEnd;
        auto ai = attr.globalMatch(body, nameEnd);
        while (ai.hasNext()) {
            const auto a = ai.next();
            const int as = s + int(a.capturedStart());
            if (as < last) continue;
            doc.ranges.append({as, int(a.capturedLength()), 1});
            last = as + int(a.capturedLength());
        }
        if (last < s + len) doc.ranges.append({last, s + len - last, 0});
    }
    *runs = int(doc.ranges.size());
    return doc;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(CORVEL_CORPUS_DIR "/real_500k.crlf.html");
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QString text = QString::fromUtf8(f.readAll());
    const long rssStart = RssKiB();

    CorvelEdit ed;
    ed.resize(1000, 700);
    ed.show();
    Settle();
    const bool noWrap = qEnvironmentVariableIntValue("BENCH_NOWRAP") != 0;
    ed.setQuebrarLinha(noWrap);
    std::printf("%s: %lld characters, %s\n", qPrintable(path), (long long)text.size(),
                noWrap ? "no wrap" : "wrap at the window edge");

    const Result put = Last(Time(7, [&] {
        ed.setTexto(text);
        Settle();
    }));
    QString got;
    const Result get = Last(Time(
        7, [&] { got = ed.Texto(); },
        [&] {
            // A change, so that the text is really built.
            ed.setSelInicio(0);
            ed.setSelTexto(QString());
            ed.setSelTexto("x");
            ed.setSelInicio(0);
            ed.setSelTamanho(1);
            ed.setSelTexto(QString());
        }));
    if (got != text) std::printf("  Texto differs from the file!\n");

    int runs = 0;
    const QString rtf = QString::fromLatin1(corvel::rtf::Write(Coloured(text, &runs)));
    const Result rtfPut = Last(Time(7, [&] {
        ed.setTextoRTF(rtf);
        Settle();
    }));
    if (ed.Texto() != text) std::printf("  text after TextoRTF differs!\n");
    // The share of the RTF reader in the put.
    const Result rtfParse = Last(Time(7, [&] {
        corvel::rtf::Document d;
        corvel::rtf::ReadText(rtf, &d);
    }));
    QString rtfOut;
    const Result rtfGet = Last(Time(7, [&] { rtfOut = ed.TextoRTF(); }));

    QTemporaryDir dir;
    ed.setDiretorioTemporario(dir.path());
    const Result tempWrite = Last(Time(7, [&] { ed.GravarTemporario(); }));
    const QString name = ed.ArquivoTemporario();
    const Result tempRead = Last(Time(7, [&] {
        ed.LerTemporario(name);
        Settle();
    }));
    if (ed.Texto() != text) std::printf("  text after LerTemporario differs!\n");

    // One character typed in the middle of the coloured document, with the
    // caret position update that follows every key.
    ed.setSelInicio(ed.Tamanho() / 2);
    ed.surface()->setFocus();
    Settle();
    const Result typed = Last(Time(21, [&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
        QCoreApplication::sendEvent(ed.surface(), &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a");
        QCoreApplication::sendEvent(ed.surface(), &release);
        Settle();
    }));
    // The host reads the caret's line and column after every key (its
    // 120 ms timer); with wrapping that walks the blocks before the caret.
    const Result linha = Last(Time(
        21, [&] { ed.Linha(); },
        [&] {
            static int step = 0;
            ed.setSelInicio(ed.Tamanho() / 2 + (++step % 2) * 200);
        }));
    const long rss = RssKiB();
    // Going to the last line lays out every block when lines wrap.
    const Result lastLine = Last(Time(1, [&] { ed.IrParaLinha(ed.ContarLinhas()); }));
    const long rssAll = RssKiB();

    // The page made one line (the "remove line breaks" filter): the text put
    // into the hidden editor, the editor shown again, the caret placed, and
    // the first paint; with and without wrapping.
    const QString oneLine = QString(text).remove(QStringLiteral("\r\n"));
    // Wall and thread CPU milliseconds of each step, medians of 5 runs.
    struct LongLine {
        double wall[5], cpu[5];
    };
    auto longLine = [&](bool noWrapMode, const QString &before) {
        ed.setQuebrarLinha(noWrapMode);
        QVector<double> wall[5], cpu[5];
        for (int i = 0; i < 5; ++i) {
            ed.setTexto(before);
            Settle();
            QElapsedTimer t;
            t.start();
            const double c0 = CpuMs();
            double w[5], c[5];
            auto mark = [&](int k) {
                w[k] = t.nsecsElapsed() / 1e6;
                c[k] = CpuMs() - c0;
            };
            ed.setVisivel(false);
            ed.setTexto(oneLine);
            mark(0);
            ed.setVisivel(true);
            mark(1);
            ed.setSelInicio(1000);
            ed.setSelTamanho(0);
            mark(2);
            ed.surface()->viewport()->repaint();
            Settle();
            mark(3);
            for (int k = 0; k < 4; ++k) {
                wall[k].append(k ? w[k] - w[k - 1] : w[0]);
                cpu[k].append(k ? c[k] - c[k - 1] : c[0]);
            }
            wall[4].append(w[3]);
            cpu[4].append(c[3]);
        }
        LongLine r;
        for (int k = 0; k < 5; ++k) {
            r.wall[k] = Median(wall[k]);
            r.cpu[k] = Median(cpu[k]);
        }
        return r;
    };
    // Before: the page itself, or a short text (the vertical scroll bar then
    // appears with the long line, which narrows the text).
    const LongLine wrapped = longLine(false, text);
    const LongLine wrappedShort = longLine(false, QStringLiteral("<p>curto</p>"));
    const LongLine unwrapped = longLine(true, text);
    ed.setQuebrarLinha(noWrap);

    std::printf("colour runs: %d, RTF %lld bytes\n", runs, (long long)rtf.size());
    std::printf("Texto put        %8.2f ms (cpu %6.2f) (target 40)\n", put.wall, put.cpu);
    std::printf("Texto get        %8.2f ms (cpu %6.2f) (target 20)\n", get.wall, get.cpu);
    std::printf("TextoRTF put     %8.2f ms (cpu %6.2f) (target 120)\n", rtfPut.wall, rtfPut.cpu);
    std::printf("  of which reading the RTF %8.2f ms (cpu %6.2f)\n", rtfParse.wall, rtfParse.cpu);
    std::printf("TextoRTF get     %8.2f ms (cpu %6.2f) (target 60)\n", rtfGet.wall, rtfGet.cpu);
    std::printf("GravarTemporario %8.2f ms (cpu %6.2f) (target 150)\n", tempWrite.wall,
                tempWrite.cpu);
    std::printf("LerTemporario    %8.2f ms (cpu %6.2f) (target 150)\n", tempRead.wall,
                tempRead.cpu);
    std::printf("typed character  %8.3f ms (cpu %6.3f) (target 1)\n", typed.wall, typed.cpu);
    std::printf("Linha after a move %6.3f ms\n", linha.wall);
    std::printf("IrParaLinha(last) %7.2f ms, RSS then %.1f MiB\n", lastLine.wall, rssAll / 1024.0);
    for (const auto &[name, r] :
         {std::pair{"wrapped", wrapped}, std::pair{"wrapped, short text before", wrappedShort},
          std::pair{"not wrapped", unwrapped}}) {
        std::printf("one %lld-character line, %s (target 300):\n", (long long)oneLine.size(), name);
        const char *steps[5] = {"put (hidden)", "show", "caret", "first paint", "total"};
        for (int k = 0; k < 5; ++k)
            std::printf("  %-13s %8.2f ms (cpu %6.2f)\n", steps[k], r.wall[k], r.cpu[k]);
    }
    std::printf("RSS              %8.1f MiB (start %.1f MiB; target 45)\n", rss / 1024.0,
                rssStart / 1024.0);
    return 0;
}
