// Colourising and font standardisation of the 500 kB corpus page, end to end
// as the user sees it: the command from its start until the document has been
// painted. Prints the median of each phase over several runs.
//
//   bench_colouriser [file] [runs]      (QT_QPA_PLATFORM=offscreen or xcb)
#include "Colouriser.h"
#include "ControlHost.h"
#include "Folders.h"
#include "Settings.h"
#include "frmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Series {
    std::vector<double> copyIn, passes, rtfLoad, painting, rtfOut, copyBack, command, shown;
    void Add(const ColorizeTimings &t, double shownMs) {
        copyIn.push_back(t.copyIn);
        passes.push_back(t.passes);
        rtfLoad.push_back(t.rtfLoad);
        painting.push_back(t.painting);
        rtfOut.push_back(t.rtfOut);
        copyBack.push_back(t.copyBack);
        command.push_back(t.total);
        shown.push_back(shownMs);
    }
    void Print(const char *title, bool colouriser) const {
        std::printf("%s (median of %zu runs, ms)\n", title, shown.size());
        if (colouriser) {
            std::printf("  text into work editor  %8.1f\n", Median(copyIn));
            std::printf("  four passes            %8.1f\n", Median(passes));
            std::printf("  RTF load (work editor) %8.1f\n", Median(rtfLoad));
            std::printf("  comment/script paint   %8.1f\n", Median(painting));
            std::printf("  RTF out (work editor)  %8.1f\n", Median(rtfOut));
            std::printf("  RTF into document      %8.1f\n", Median(copyBack));
        } else {
            std::printf("  four passes            %8.1f\n", Median(passes));
            std::printf("  RTF load (document)    %8.1f\n", Median(copyBack));
        }
        std::printf("  command total          %8.1f\n", Median(command));
        std::printf("  until painted          %8.1f\n", Median(shown));
    }
};

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(CORVEL_CORPUS_DIR "/real_500k.crlf.html");
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 9;
    QTemporaryDir dir;
    corvel::SetSettingsFileOverride(dir.filePath(QStringLiteral("Corvel.ini")));
    corvel::SetProgramFolderOverride(dir.path());
    corvel::SetControlLibraryPath(QCoreApplication::applicationDirPath() +
                                  QStringLiteral("/libCorvelControl.so"));
    ApplyDefaultSettings(true);

    frmMain m;
    RegisterColouriser(m);
    m.resize(1000, 700);
    m.show();
    ICorvelEdit *ed = m.CreateDocument();
    if (!ed) {
        std::fprintf(stderr, "no editor (is libCorvelControl.so beside the program?)\n");
        return 1;
    }
    const QString error = ed->Ler(file);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(file), qPrintable(error));
        return 1;
    }
    const QString text = ed->Texto();
    std::printf("%s: %lld characters\n", qPrintable(QFileInfo(file).fileName()),
                (long long)text.size());

    auto timed = [&](void (*command)(frmMain &), Series *s) {
        ed->setTexto(text);
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        command(m);
        ed->widget()->repaint();
        QCoreApplication::processEvents();
        const double shown = clock.nsecsElapsed() / 1e6;
        if (ed->Texto() != text) std::printf("  !! text changed\n");
        s->Add(LastColorizeTimings(), shown);
    };
    Series colour, font;
    timed(ColorizeCommand, &colour); // warm-up
    colour = Series();
    for (int i = 0; i < runs; ++i)
        timed(ColorizeCommand, &colour);
    colour.Print("Colourise", true);
    timed(StandardizeFontCommand, &font);
    font = Series();
    for (int i = 0; i < runs; ++i)
        timed(StandardizeFontCommand, &font);
    font.Print("Font standardisation", false);
    return 0;
}
