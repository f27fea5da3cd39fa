// The idle write of the document cache on a design-size document: one
// pause's write (the temporary copy and the index entry) of a 512,000-
// character document that the user just typed into, and the reload of the
// same document after another program changed its file (undoable, as the
// disk watch does it). Prints the median and the worst of several runs.
#include "BenchInstallation.h"
#include "ControlHost.h"
#include "DiskWatch.h"
#include "FileCommands.h"
#include "Folders.h"
#include "IdleWrite.h"
#include "Settings.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

void Report(const char *what, QVector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %8.1f ms   worst %8.1f ms   (%d runs)\n", what, ms[ms.size() / 2],
                ms.last(), int(ms.size()));
}

} // namespace

int main(int argc, char **argv) {
    bench::UseOffscreenUnlessAsked();
    QApplication app(argc, argv);
    bench::UseBuiltControl();
    bench::Installation install;
    QTemporaryDir &dir = install.dir;
    WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoColor"), QStringLiteral("0"));
    WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoSave"), QStringLiteral("1"));

    const QString corpusDir = qEnvironmentVariableIsEmpty("CORVEL_CORPUS_DIR")
                                  ? QStringLiteral(CORVEL_CORPUS_DIR)
                                  : qEnvironmentVariable("CORVEL_CORPUS_DIR");
    QFile corpus(corpusDir + QStringLiteral("/real_500k.crlf.html"));
    if (!corpus.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "corpus file missing\n");
        return 1;
    }
    QByteArray page = corpus.readAll();
    // Exactly the design size in characters (the page is ASCII markup with
    // CR LF line ends; a little more text is added when it falls short).
    while (page.size() < 512000)
        page += "<p>mais texto para chegar ao tamanho de projeto</p>\r\n";
    page.truncate(512000);
    const QString path = dir.filePath(QStringLiteral("pagina.html"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(page);
    }

    frmMain m;
    RegisterFileCommands(m);
    m.Form_Load(QString());
    // Read directly: the open command would ask about the large file.
    ICorvelEdit *ed = m.CurrentEditor();
    if (ed && !ed->Ler(path).isEmpty()) ed = nullptr;
    auto *idle = m.findChild<corvel::IdleWrite *>();
    if (!ed || !idle) {
        std::fprintf(stderr, "document not opened\n");
        return 1;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::printf("document: %d characters\n", ed->Tamanho());

    QVector<double> write, key;
    for (int run = 0; run < 15; ++run) {
        ed->setSelInicio(1000 + run);
        QElapsedTimer k;
        k.start();
        ed->setSelTexto(QStringLiteral("x")); // a key: restarts the idle timer
        key << k.nsecsElapsed() / 1e6;
        QElapsedTimer t;
        t.start();
        const int n = idle->WriteNow();
        write << t.nsecsElapsed() / 1e6;
        if (n != 1) {
            std::fprintf(stderr, "idle write wrote %d documents\n", n);
            return 1;
        }
    }
    Report("one key typed (timer restart included)", key);
    Report("idle write: copy + index entry", write);

    QVector<double> reload;
    for (int run = 0; run < 5; ++run) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(page + QByteArray::number(run));
        f.close();
        QElapsedTimer t;
        t.start();
        const QString error = corvel::DiskWatch::Reload(ed);
        reload << t.nsecsElapsed() / 1e6;
        if (!error.isEmpty()) {
            std::fprintf(stderr, "reload failed: %s\n", qPrintable(error));
            return 1;
        }
    }
    Report("reload after an outside change (undoable)", reload);
    return 0;
}
