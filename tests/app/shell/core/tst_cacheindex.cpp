#include "CacheIndex.h"
#include "Folders.h"
#include "IniDocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

using namespace corvel;

class TestCacheIndex : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString index() const { return dir.filePath(QStringLiteral("Docs/DocsInfo.ini")); }

    static void writeFile(const QString &path, const QByteArray &bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void init() {
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.filePath(QStringLiteral("Docs")));
        SetProgramFolderOverride(dir.path());
    }
    void cleanupTestCase() { SetProgramFolderOverride(QString()); }

    void stateTextRoundTrips() {
        QCOMPARE(CacheStateText(120, 0, false), QStringLiteral("120,0,False"));
        QCOMPARE(CacheStateText(5, 7, true), QStringLiteral("5,7,True"));
        const CacheState s = ParseCacheState(QStringLiteral("120,4,True"));
        QCOMPARE(s.selStart, 120);
        QCOMPARE(s.selLength, 4);
        QVERIFY(s.saved);
    }

    void malformedStateReadsAsStartUnsaved() {
        for (const QString &bad : {QString(), QStringLiteral("17"), QStringLiteral("abc"),
                                   QStringLiteral("x,y,z"), QStringLiteral("-5,-2,true")}) {
            const CacheState s = ParseCacheState(bad);
            QCOMPARE(s.selStart, 0);
            QCOMPARE(s.selLength, 0);
            QVERIFY2(!s.saved, qPrintable(bad)); // only the exact "True" counts
        }
    }

    void entryWithFileRecordsSizeAndDate() {
        const QString file = dir.filePath(QStringLiteral("pagina.html"));
        writeFile(file, QByteArray(5230, 'x'));
        QVERIFY(WriteCacheEntry(QStringLiteral("002"), file, QStringLiteral("12345678.ctm"),
                                QStringLiteral("3,0,True")));
        const QVector<CacheEntry> entries = ReadCacheIndex();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].nnn, QStringLiteral("002"));
        QCOMPARE(entries[0].file, file);
        QCOMPARE(entries[0].copy, QStringLiteral("12345678.ctm"));
        QCOMPARE(entries[0].configuration, QStringLiteral("3,0,True"));
        const FileInfoParts info = ParseFileInfo(entries[0].info);
        QVERIFY(info.valid);
        QCOMPARE(info.size, QStringLiteral("5230"));
        QCOMPARE(info.date, FileDateText(QFileInfo(file).lastModified()));
    }

    void closedEntryEmptiesEveryValueAndVanishedFileKeepsInfo() {
        const QString file = dir.filePath(QStringLiteral("a.txt"));
        writeFile(file, "abc");
        WriteCacheEntry(QStringLiteral("001"), file, QStringLiteral("1.ctm"), QStringLiteral(""));
        const QString before = ReadCacheIndex()[0].info;
        QFile::remove(file);
        // The file is gone: the first three values are written, the
        // information keeps what it had.
        WriteCacheEntry(QStringLiteral("001"), file, QStringLiteral("2.ctm"),
                        QStringLiteral("1,0,False"));
        QCOMPARE(ReadCacheIndex()[0].copy, QStringLiteral("2.ctm"));
        QCOMPARE(ReadCacheIndex()[0].info, before);
        WriteCacheEntry(QStringLiteral("001"), QString(), QString(), QString());
        const CacheEntry e = ReadCacheIndex()[0];
        QVERIFY(e.file.isEmpty() && e.copy.isEmpty() && e.configuration.isEmpty() &&
                e.info.isEmpty());
    }

    void entriesComeInTheOrderOfTheCopySection() {
        // Hand-written index: sections in another order, keys shuffled.
        writeFile(index(), "[Arquivo]\r\n003=/x/c.html\r\n001=\r\n[Temporario]\r\n003=c.ctm\r\n"
                           "001=a.ctm\r\n002=\r\n[TemporarioConfig]\r\n001=4,1,False\r\n");
        const QVector<CacheEntry> e = ReadCacheIndex();
        QCOMPARE(e.size(), 3);
        QCOMPARE(e[0].nnn, QStringLiteral("003"));
        QCOMPARE(e[0].file, QStringLiteral("/x/c.html"));
        QCOMPARE(e[1].configuration, QStringLiteral("4,1,False"));
        QVERIFY(e[2].copy.isEmpty());
        QVERIFY(e[0].info.isEmpty());
    }

    void aFailedWriteLeavesTheOldIndex() {
        WriteCacheEntry(QStringLiteral("001"), QString(), QStringLiteral("a.ctm"), QString());
        QFile f(index());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        // A file size limit just above the old index fails the longer write,
        // as a full disk does.
        struct rlimit old;
        getrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old;
        small.rlim_cur = before.size() + 8;
        setrlimit(RLIMIT_FSIZE, &small);
        const bool wrote =
            WriteCacheEntry(QStringLiteral("002"), QStringLiteral("/some/long/path.html"),
                            QStringLiteral("b.ctm"), QStringLiteral("1,1,True"));
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!wrote);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void wholeIndexRewrite() {
        QVector<CacheEntry> list{{QStringLiteral("001"), QString(), QStringLiteral("a.ctm"),
                                  QStringLiteral("0,0,False"), QString()},
                                 {QStringLiteral("004"), QStringLiteral("/d/x.htm"),
                                  QStringLiteral("b.ctm"), QStringLiteral("1,2,True"),
                                  QStringLiteral("10,01/01/2020 10:00:00")}};
        QVERIFY(WriteCacheIndex(list));
        const QVector<CacheEntry> back = ReadCacheIndex();
        QCOMPARE(back.size(), 2);
        QCOMPARE(back[1].info, QStringLiteral("10,01/01/2020 10:00:00"));
        QCOMPARE(back[1].file, QStringLiteral("/d/x.htm"));
    }

    void plainFileNames() {
        QVERIFY(IsPlainFileName(QStringLiteral("01234567.ctm")));
        QVERIFY(!IsPlainFileName(QString()));
        QVERIFY(!IsPlainFileName(QStringLiteral("../x.ctm")));
        QVERIFY(!IsPlainFileName(QStringLiteral("/etc/passwd")));
        QVERIFY(!IsPlainFileName(QStringLiteral("..")));
    }

    void bytesUseDotsForThousands() {
        QCOMPARE(FormatBytes(0), QStringLiteral("0"));
        QCOMPARE(FormatBytes(999), QStringLiteral("999"));
        QCOMPARE(FormatBytes(5230), QStringLiteral("5.230"));
        QCOMPARE(FormatBytes(307201), QStringLiteral("307.201"));
        QCOMPARE(FormatBytes(1234567890), QStringLiteral("1.234.567.890"));
    }

    void changedFileMessageNamesOnlyWhatDiffers() {
        const QString info = QStringLiteral("5230,07/12/2026 15:20:51");
        QVERIFY(ChangedFileMessage(QStringLiteral("/a.htm"), info, QStringLiteral("5230"),
                                   QStringLiteral("07/12/2026 15:20:51"))
                    .isEmpty());
        const QString sizeOnly =
            ChangedFileMessage(QStringLiteral("/a.htm"), info, QStringLiteral("6001"),
                               QStringLiteral("07/12/2026 15:20:51"));
        QVERIFY(sizeOnly.contains(
            QStringLiteral("Tamanho do arquivo gerado no Corvel: \t5.230 bytes\r\n"
                           "Tamanho do arquivo existente em disco: \t6.001 bytes")));
        QVERIFY(!sizeOnly.contains(QStringLiteral("Data do arquivo")));
        QVERIFY(sizeOnly.startsWith(QStringLiteral("O arquivo /a.htm foi alterado")));
        QVERIFY(sizeOnly.endsWith(
            QStringLiteral("Clique 'Não' para carregar o arquivo no disco (/a.htm).")));
        const QString dateOnly =
            ChangedFileMessage(QStringLiteral("/a.htm"), info, QStringLiteral("5230"),
                               QStringLiteral("08/12/2026 09:00:00"));
        QVERIFY(dateOnly.contains(
            QStringLiteral("Data do arquivo existente em disco: \t08/12/2026 09:00:00")));
        QVERIFY(!dateOnly.contains(QStringLiteral("Tamanho")));
    }

    // A cached date or size the entry lacks is named unknown, never left
    // blank; the part the entry has is shown as usual.
    void unknownCachedPartsAreSaid_data() {
        QTest::addColumn<QString>("info");
        QTest::addColumn<QStringList>("lines");
        const QString unknownSize =
            QStringLiteral("Tamanho do arquivo gerado no Corvel: \tdesconhecido\r\n");
        const QString unknownDate =
            QStringLiteral("Data do arquivo gerado no Corvel: \tdesconhecido\r\n");
        QTest::newRow("no size") << QStringLiteral(",07/12/2026 15:20:51")
                                 << QStringList{unknownSize};
        QTest::newRow("no date") << QStringLiteral("5230,") << QStringList{unknownDate};
        QTest::newRow("no comma") << QStringLiteral("garbage")
                                  << QStringList{unknownSize, unknownDate};
        QTest::newRow("empty") << QString() << QStringList{unknownSize, unknownDate};
        QTest::newRow("size not a number")
            << QStringLiteral("12kb,07/12/2026 15:20:51") << QStringList{unknownSize};
    }
    void unknownCachedPartsAreSaid() {
        QFETCH(QString, info);
        QFETCH(QStringList, lines);
        const QString text =
            ChangedFileMessage(QStringLiteral("/a.htm"), info, QStringLiteral("6001"),
                               QStringLiteral("08/12/2026 09:00:00"));
        for (const QString &l : lines)
            QVERIFY2(text.contains(l), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral(": \t\r")) &&
                     !text.contains(QStringLiteral(": \t bytes")),
                 qPrintable(text));
        QVERIFY(
            text.contains(QStringLiteral("Tamanho do arquivo existente em disco: \t6.001 bytes")) ||
            !text.contains(QStringLiteral("Tamanho")));
    }

    void informationWithoutCommaCountsAsChanged() {
        // A damaged entry must lead to the question, never to a silent load.
        QVERIFY(!ChangedFileMessage(QStringLiteral("/a.htm"), QStringLiteral("garbage"),
                                    QStringLiteral("5"), QStringLiteral("01/01/2020 00:00:00"))
                     .isEmpty());
        QVERIFY(!ChangedFileMessage(QStringLiteral("/a.htm"), QString(), QStringLiteral("5"),
                                    QStringLiteral("01/01/2020 00:00:00"))
                     .isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCacheIndex)
#include "tst_cacheindex.moc"
