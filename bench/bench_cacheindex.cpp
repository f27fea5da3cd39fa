// Reading the document-cache index: indexes of 2,000, 30,000 and 100,000
// entries are written, read back (median of 5 reads), and read by the start's
// restore (entries whose copies are gone, so only the index is worked on).
#include "BenchInstallation.h"
#include "CacheIndex.h"
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

namespace {

qint64 Median(QVector<qint64> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    bench::UseOffscreenUnlessAsked();
    QApplication app(argc, argv);
    bench::UseBuiltControl();
    bench::Installation install;
    QTemporaryDir &dir = install.dir;
    WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("NaoNovoDoc"), QStringLiteral("1"));

    for (const int n : {2000, 30000, 100000}) {
        QVector<corvel::CacheEntry> entries;
        entries.reserve(n);
        for (int i = 0; i < n; ++i) {
            corvel::CacheEntry e;
            e.nnn = QString::number(i + 1).rightJustified(3, QLatin1Char('0'));
            e.file = QStringLiteral("/home/autor/sites/projeto %1/pagina=%1.html").arg(i);
            e.copy = QStringLiteral("%1.ctm").arg(i, 8, 10, QLatin1Char('0'));
            e.configuration = QStringLiteral("120,4,False");
            e.info = QStringLiteral("5230,07/12/2026 15:20:51");
            entries.append(e);
        }
        QElapsedTimer t;
        t.start();
        corvel::WriteCacheIndex(entries);
        const qint64 writeMs = t.elapsed();
        const QString index = corvel::CacheIndexPath();
        const QString saved = dir.filePath(QStringLiteral("saved.ini"));
        QFile::remove(saved);
        QFile::copy(index, saved);

        QVector<qint64> reads;
        int count = 0;
        for (int run = 0; run < 5; ++run) {
            t.restart();
            count = int(corvel::ReadCacheIndex().size());
            reads << t.elapsed();
        }

        QVector<qint64> restores;
        for (int run = 0; run < 3; ++run) {
            QFile::remove(index);
            QFile::copy(saved, index);
            frmMain m;
            RegisterFileCommands(m);
            t.restart();
            m.hooks().restoreDocuments();
            restores << t.elapsed();
        }
        std::printf("%6d entries (%lld bytes): write %lld ms, read %lld ms (median of 5, %d "
                    "entries), restore %lld ms (median of 3)\n",
                    n, (long long)QFileInfo(saved).size(), (long long)writeMs,
                    (long long)Median(reads), count, (long long)Median(restores));
        std::fflush(stdout);
    }
    return 0;
}
