// Start-up restore of the document cache: 20 documents of about 100 KB each
// (copies of the 100k corpus page, each with its file on disk) come back from
// their temporary copies. Prints the median of several starts.
#include "BenchInstallation.h"
#include "CacheRecovery.h"
#include "ControlHost.h"
#include "FileCommands.h"
#include "Folders.h"
#include "Settings.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

int main(int argc, char **argv) {
    bench::UseOffscreenUnlessAsked();
    QApplication app(argc, argv);
    bench::UseBuiltControl();
    bench::Installation install;
    QTemporaryDir &dir = install.dir;
    WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoColor"), QStringLiteral("0"));

    QFile corpus(QStringLiteral(CORVEL_CORPUS_DIR "/real_100k.crlf.html"));
    if (!corpus.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "corpus file missing\n");
        return 1;
    }
    const QByteArray page = corpus.readAll();
    const int kDocs = 20;

    {
        // One run that opens the files, edits them and is cut off after
        // writing the copies and the index.
        frmMain prep;
        RegisterFileCommands(prep);
        prep.Form_Load(QString());
        for (int i = 0; i < kDocs; ++i) {
            const QString path = dir.filePath(QStringLiteral("page%1.html").arg(i));
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(page);
            f.close();
            prep.OpenFile(path);
            ICorvelEdit *ed = prep.CurrentEditor();
            ed->setSelInicio(100);
            ed->setSelTexto(QStringLiteral("<!-- editado -->"));
            corvel::WriteTemporaryCopy(ed);
            corvel::WriteEditorCacheEntry(prep, ed);
        }
        std::printf("documents prepared: %d of %lld bytes\n", int(prep.Documents().size()),
                    (long long)page.size());
    }
    const QString index = corvel::CacheIndexPath();
    const QString saved = dir.filePath(QStringLiteral("DocsInfo.saved"));
    QFile::copy(index, saved);

    QVector<qint64> startMs, restoreMs;
    for (int run = 0; run < 7; ++run) {
        QFile::remove(index);
        QFile::copy(saved, index);
        frmMain m;
        RegisterFileCommands(m);
        qint64 restore = 0;
        std::function<void()> inner = m.hooks().restoreDocuments;
        m.hooks().restoreDocuments = [&] {
            QElapsedTimer t;
            t.start();
            inner();
            restore = t.elapsed();
        };
        QElapsedTimer t;
        t.start();
        m.Form_Load(QString());
        startMs << t.elapsed();
        restoreMs << restore;
        if (m.Documents().size() != kDocs) {
            std::fprintf(stderr, "restored %d documents\n", int(m.Documents().size()));
            return 1;
        }
    }
    std::sort(startMs.begin(), startMs.end());
    std::sort(restoreMs.begin(), restoreMs.end());
    std::printf("restore of %d documents: median %lld ms (min %lld, max %lld)\n", kDocs,
                (long long)restoreMs[restoreMs.size() / 2], (long long)restoreMs.first(),
                (long long)restoreMs.last());
    std::printf("whole main-window load: median %lld ms\n", (long long)startMs[startMs.size() / 2]);
    return 0;
}
