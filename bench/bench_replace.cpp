// Replace all over the 512,000-character corpus document: every "e" by "ee"
// (about 41,000 occurrences, case ignored) and every blank by two (about
// 59,000), through the dialog's replace-all on a real editor. Prints the
// median of several runs (argument 1: runs; argument 2 "shown": the editor
// on screen) and checks the result against a plain string
// replacement.
// Then regular expressions, ordinary and runaway, through the editor's
// search (as the dialog's "Procura RegExp" runs it) and through
// RegexReplaceAll: wall and CPU time of each and what it reported; every one
// must end within about a second.
#include "BoundedRegex.h"
#include "ControlHost.h"
#include "RegexReplace.h"
#include "frmProcurar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <time.h>
#include <vector>

namespace {

QString ReadCorpus(const QString &name) {
    // CORVEL_CORPUS_DIR in the environment overrides the build's folder.
    QFile f(qEnvironmentVariable("CORVEL_CORPUS_DIR", QStringLiteral(CORVEL_CORPUS_DIR)) +
            QLatin1Char('/') + name);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(f.readAll());
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

bool Run(ICorvelEdit *ed, const QString &text, const QString &find, const QString &repl, int runs) {
    QString expected = text;
    expected.replace(find, repl, Qt::CaseInsensitive);
    const qsizetype count = text.count(find, Qt::CaseInsensitive);
    std::vector<double> times;
    bool ok = true;
    for (int i = 0; i < runs; ++i) {
        ed->setTexto(text);
        ed->setSelInicio(int(text.size() / 2)); // wrap covers both halves
        ed->setSelTamanho(0);
        QElapsedTimer t;
        t.start();
        corvel::ReplaceAllOccurrences(ed, find, repl, false, false, true);
        QCoreApplication::processEvents(); // repaint included
        times.push_back(t.nsecsElapsed() / 1e6);
        if (ed->Texto() != expected) ok = false;
    }
    std::printf("replace all \"%s\" -> \"%s\": %lld occurrences, median %.1f ms (min %.1f, max "
                "%.1f, %d runs)%s\n",
                qPrintable(find), qPrintable(repl), static_cast<long long>(count), Median(times),
                *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()), runs, ok ? "" : "  RESULT WRONG");
    return ok;
}

double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

QString Runs(const QString &piece, int size, const QString &tail) {
    QString s;
    while (s.size() < size)
        s += piece;
    return s + tail;
}

// One regular expression over one text: the editor's search from the start
// and a replace-all. Returns false when either took a second or more.
bool RunRegex(ICorvelEdit *ed, const char *name, const QString &pattern, const QString &text) {
    ed->setTexto(text);
    ed->setSelInicio(0);
    ed->setSelTamanho(0);
    QElapsedTimer t;
    double c0 = CpuMs();
    t.start();
    const bool found = ed->ProcurarRegExp(pattern, true);
    const double findWall = t.nsecsElapsed() / 1e6, findCpu = CpuMs() - c0;
    const QString findWhat = found                                               ? "match"
                             : ed->UltimoErro() == corvel::RegexTooComplexText() ? "too complex"
                                                                                 : "no match";
    bool ok = true, tooComplex = false;
    c0 = CpuMs();
    t.restart();
    const QString replaced =
        corvel::RegexReplaceAll(pattern, QStringLiteral("<$&>"), text, &ok, &tooComplex);
    const double replWall = t.nsecsElapsed() / 1e6, replCpu = CpuMs() - c0;
    const QString replWhat =
        tooComplex ? "too complex, text unchanged"
        : ok       ? QStringLiteral("%1 chars more").arg(replaced.size() - text.size())
                   : "invalid";
    std::printf("  %-34s %7lld chars  find %8.1f ms wall %8.1f cpu (%s); replace all %8.1f ms "
                "wall %8.1f cpu (%s)\n",
                name, static_cast<long long>(text.size()), findWall, findCpu, qPrintable(findWhat),
                replWall, replCpu, qPrintable(replWhat));
    return findWall < 1000 && replWall < 1000 && (!tooComplex || replaced == text);
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    corvel::SetControlLibraryPath(QCoreApplication::applicationDirPath() +
                                  QStringLiteral("/libCorvelControl.so"));
    QString error;
    ICorvelEdit *ed = corvel::CreateCorvelEdit(nullptr, &error);
    if (!ed) {
        std::fprintf(stderr, "no editor: %s\n", qPrintable(error));
        return 1;
    }
    const QString text = ReadCorpus(QStringLiteral("real_500k.crlf.html"));
    if (text.size() != 512000) {
        std::fprintf(stderr, "corpus not found\n");
        return 1;
    }
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    // "shown": the editor on screen, as in the program (layout included).
    if (argc > 2 && QByteArray(argv[2]) == "shown") {
        ed->widget()->resize(1000, 700);
        ed->widget()->show();
        QCoreApplication::processEvents();
    }
    bool ok = Run(ed, text, QStringLiteral("e"), QStringLiteral("ee"), runs);
    ok = Run(ed, text, QStringLiteral(" "), QStringLiteral("  "), runs) && ok;

    std::printf("regular expressions (each under 1 s):\n");
    const QString oneRun = "<p>" + QString(296000, 'a') + "</p>";
    const QString shortRuns = Runs("<p>" + QString(24, 'a') + "</p>\r\n", 296000, "b");
    const QString bigRuns = Runs("<p>" + QString(24, 'a') + "</p>\r\n", 1000000, "b");
    const struct {
        const char *name;
        QString pattern;
        const QString *text;
    } cases[] = {
        {"(a|aa)+b, one run of 296 KB", "(a|aa)+b", &oneRun},
        {"(a|aa)+b, short runs, 296 KB", "(a|aa)+b", &shortRuns},
        {"(a|aa)+b, short runs, 1 MB", "(a|aa)+b", &bigRuns},
        {"(a+a+)+b, asks a higher limit", "(*LIMIT_MATCH=2000000000)(a+a+)+b", &shortRuns},
        {"<[^>]+>\\d over 512 K of '<'", "<[^>]+>\\d", nullptr},
        {"corpus: <td[^>]*>", "<td[^>]*>", &text},
        {"corpus: href=\"([^\"]*)\"", "href=\"([^\"]*)\"", &text},
        {"corpus: <div[\\s\\S]*?</div>", "<div[\\s\\S]*?</div>", &text},
        {"corpus: \\w+", "\\w+", &text},
        {"corpus: absent zqxj", "zqxj", &text},
    };
    const QString angles = QString(512000, QLatin1Char('<')) + QLatin1Char('>');
    for (const auto &c : cases)
        ok = RunRegex(ed, c.name, c.pattern, c.text ? *c.text : angles) && ok;
    delete ed->widget();
    return ok ? 0 : 2;
}
