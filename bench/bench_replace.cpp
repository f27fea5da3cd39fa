// Replace all over the 512,000-character corpus document: every "e" by "ee"
// (about 41,000 occurrences, case ignored) and every blank by two (about
// 59,000), through the dialog's replace-all on a real editor. Prints the
// median of several runs (argument 1: runs; argument 2 "shown": the editor
// on screen) and checks the result against a plain string
// replacement.
#include "ControlHost.h"
#include "frmProcurar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QString ReadCorpus(const QString &name) {
    QFile f(QStringLiteral(CORVEL_CORPUS_DIR) + QLatin1Char('/') + name);
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
    delete ed->widget();
    return ok ? 0 : 2;
}
