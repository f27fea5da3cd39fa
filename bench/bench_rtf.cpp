// Times the RTF model over the 512,000-character corpus page: reading the
// colouriser's RTF of it (string and byte forms), writing the coloured
// document back as RTF, and reading that again. Prints medians in ms.
#include "ColorizerRtf.h"
#include "RtfDocument.h"
#include "TextCodec.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
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
    QCoreApplication app(argc, argv);
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
    return doc.text == expected && back.text == expected ? 0 : 2;
}
