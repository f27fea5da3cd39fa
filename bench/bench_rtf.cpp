// Times the RTF model over the 512,000-character corpus page: reading the
// colouriser's RTF of it (string and byte forms), writing the coloured
// document back as RTF, and reading that again. Prints medians in ms.
// Then hostile input, each of which must read in under a second: a font
// table of 300,000 entries (also with alternating code pages and every font
// used), a colour table of 300,000, a style sheet of 300,000, 100,000 nested
// groups and a 10 MB control word and parameter.
#include "ColorizerRtf.h"
#include "ControlHost.h"
#include "RtfDocument.h"
#include "TextCodec.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <time.h>
#include <vector>

using namespace corvel;

namespace {

double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Median wall time of several runs; *cpu gets the median CPU time of this
// thread (steadier on a loaded machine).
double Median(int runs, const std::function<void()> &f, double *cpu) {
    std::vector<double> ms, cpuMs;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const double c0 = ThreadCpuMs();
        t.start();
        f();
        ms.push_back(t.nsecsElapsed() / 1e6);
        cpuMs.push_back(ThreadCpuMs() - c0);
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpuMs.begin(), cpuMs.end());
    *cpu = cpuMs[cpuMs.size() / 2];
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(CORVEL_CORPUS_DIR "/real_500k.crlf.html");
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
        return 1;
    }
    const QString text = DecodeText(f.readAll()).text;
    const int runs = 21;

    const RtfTemplate t =
        BuildRtfTemplate(QStringLiteral("Courier New"), 22,
                         {RtfColorEntry(0), RtfColorEntry(16711680), RtfColorEntry(12582912),
                          RtfColorEntry(40960), RtfColorEntry(0)});
    const QString rtf = t.head + ColorizeBody(text, 22) + t.closing + t.tail;
    const QByteArray rtfBytes = rtf.toUtf8();

    rtf::Document doc;
    double cReadText, cReadBytes, cWrite, cReadOwn;
    const double readText = Median(
        runs, [&] { rtf::ReadText(rtf, &doc); }, &cReadText);
    const double readBytes = Median(
        runs, [&] { rtf::Read(rtfBytes, &doc); }, &cReadBytes);
    QString expected = text;
    expected.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QByteArray written;
    const double write = Median(
        runs, [&] { written = rtf::Write(doc); }, &cWrite);
    rtf::Document back;
    const double readOwn = Median(
        runs, [&] { rtf::Read(written, &back); }, &cReadOwn);

    std::printf("document: %lld chars, colouriser RTF %lld chars, %lld runs, %lld formats\n",
                (long long)text.size(), (long long)rtf.size(), (long long)doc.ranges.size(),
                (long long)doc.formats.size());
    std::printf("text kept: colouriser %s, own round trip %s\n",
                doc.text == expected ? "yes" : "NO", back.text == expected ? "yes" : "NO");
    std::printf("median of %d runs (ms)             wall      cpu\n", runs);
    std::printf("  ReadText(colouriser RTF)   %8.2f %8.2f\n", readText, cReadText);
    std::printf("  Read(colouriser RTF bytes) %8.2f %8.2f\n", readBytes, cReadBytes);
    std::printf("  Write(coloured document)   %8.2f %8.2f  (%lld bytes)\n", write, cWrite,
                (long long)written.size());
    std::printf("  Read(own RTF)              %8.2f %8.2f\n", readOwn, cReadOwn);

    const int n = 300000;
    QByteArray fonts = "{\\rtf1\\ansi\\deff0{\\fonttbl";
    QByteArray mixed = fonts;
    QByteArray colours = "{\\rtf1\\ansi{\\colortbl;";
    QByteArray styles = "{\\rtf1\\ansi{\\stylesheet";
    for (int i = 0; i < n; ++i) {
        const QByteArray k = QByteArray::number(i);
        fonts += "{\\f" + k + "\\fnil\\fcharset0 Fonte " + k + ";}";
        mixed += "{\\f" + k + "\\fcharset" + (i % 2 ? "128" : "0") + " F\\'82\\'a0" + k + ";}";
        colours += "\\red" + QByteArray::number(i % 256) + "\\green1\\blue2;";
        styles += "{\\s" + k + "\\f1 Estilo " + k + ";}";
    }
    fonts += "}\\f1 Texto \\f299999 fim\\par}";
    mixed += "}";
    for (int i = 0; i < n; ++i)
        mixed += "\\f" + QByteArray::number(i) + " \\'82\\'a0";
    mixed += "\\par}";
    colours += "}\\cf3 Texto \\cf299999 fim\\par}";
    styles += "}Texto\\par}";
    const QByteArray nested =
        "{\\rtf1 " + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "}";
    const QByteArray longWord = "{\\rtf1 \\" + QByteArray(10 * 1000 * 1000, 'a') + " x}";
    const QByteArray longNumber = "{\\rtf1 \\f" + QByteArray(10 * 1000 * 1000, '9') + " x}";
    const struct {
        const char *name;
        const QByteArray &rtf;
        int textSize;
    } hostile[] = {
        {"font table, 300,000 entries", fonts, 9},
        {"  the same, code pages mixed, all used", mixed, n + n / 2},
        {"colour table, 300,000 entries", colours, 9},
        {"style sheet, 300,000 entries", styles, 5},
        {"100,000 nested groups", nested, 1},
        {"10 MB control word", longWord, 1},
        {"10 MB parameter", longNumber, 1},
    };
    bool hostileOk = true;
    std::printf("hostile input (each under 1 s)    bytes       wall      cpu\n");
    for (const auto &h : hostile) {
        rtf::Document d;
        double cpu;
        const double wall = Median(
            3, [&] { rtf::Read(h.rtf, &d); }, &cpu);
        const bool right = d.text.size() == h.textSize;
        std::printf("  %-38s %10lld %8.1f %8.1f%s\n", h.name, (long long)h.rtf.size(), wall, cpu,
                    right ? "" : "  TEXT WRONG");
        hostileOk = hostileOk && right && wall < 1000;
    }
    // The font table through the editor component, as formatted text pasted
    // or a temporary copy read back would go.
    SetControlLibraryPath(QCoreApplication::applicationDirPath() +
                          QStringLiteral("/libCorvelControl.so"));
    QString error;
    if (ICorvelEdit *ed = CreateCorvelEdit(nullptr, &error)) {
        const QString rtfText = QString::fromLatin1(fonts);
        double cpu;
        const double wall = Median(
            3, [&] { ed->setTextoRTF(rtfText); }, &cpu);
        const bool right = ed->Texto() == QStringLiteral("Texto fim");
        std::printf("  %-38s %10lld %8.1f %8.1f%s\n", "font table into the editor",
                    (long long)fonts.size(), wall, cpu, right ? "" : "  TEXT WRONG");
        hostileOk = hostileOk && right && wall < 1000;
        delete ed->widget();
    } else {
        std::fprintf(stderr, "no editor: %s\n", qPrintable(error));
        hostileOk = false;
    }
    return doc.text == expected && back.text == expected && hostileOk ? 0 : 2;
}
