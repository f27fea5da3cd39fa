#include "CacheIndex.h"
#include "Folders.h"
#include "IniDocument.h"
#include "Settings.h"

#include <QRandomGenerator>

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

    // Names that a plain "key=value" line cannot hold as they are.
    void awkwardNamesRoundTrip_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("line feed") << QStringLiteral("target\nZ.html");
        QTest::newRow("carriage return") << QStringLiteral("a\rb.html");
        QTest::newRow("crlf and key") << QStringLiteral("x\r\n001=/etc/passwd");
        QTest::newRow("equals") << QStringLiteral("a=b==c.html");
        QTest::newRow("bracket line") << QStringLiteral("t\n[Temporario]\n002=x.ctm");
        QTest::newRow("brackets") << QStringLiteral("[x].html");
        QTest::newRow("semicolon") << QStringLiteral("; nota.html");
        QTest::newRow("quote first") << QStringLiteral("\"q\".html");
        QTest::newRow("quote last") << QStringLiteral("q.html\"");
        QTest::newRow("lone quote") << QStringLiteral("\"");
        QTest::newRow("blanks at ends") << QStringLiteral("  nome.html \t");
        QTest::newRow("backslashes") << QStringLiteral("a\\n\\b\\");
        QTest::newRow("accents and cjk") << QStringLiteral("p\u00e1gina \u4e2d.html");
        QTest::newRow("not utf-8 bytes") << QFile::decodeName("caf\xe9\xff.html");
        QTest::newRow("bom first") << QStringLiteral("\ufeffx.html");
    }
    void awkwardNamesRoundTrip() {
        QFETCH(QString, name);
        const QString file = dir.filePath(QStringLiteral("w/")) + name;
        // Written entry by entry and as a whole index, every value reads back
        // exactly and binds to its own number only.
        QVERIFY(WriteCacheEntry(QStringLiteral("001"), file, name, name));
        QVERIFY(WriteCacheEntry(QStringLiteral("002"), QStringLiteral("/outro.html"),
                                QStringLiteral("2.ctm"), QStringLiteral("1,0,True")));
        QVector<CacheEntry> back = ReadCacheIndex();
        QCOMPARE(back.size(), 2);
        QCOMPARE(back[0].file, file);
        QCOMPARE(back[0].copy, name);
        QCOMPARE(back[0].configuration, name);
        QVERIFY(!back[0].fileDoubtful);
        QCOMPARE(back[1].file, QStringLiteral("/outro.html"));
        QCOMPARE(back[1].copy, QStringLiteral("2.ctm"));

        back[0].info = name;
        QVERIFY(WriteCacheIndex(back));
        const QVector<CacheEntry> again = ReadCacheIndex();
        QCOMPARE(again.size(), 2);
        QCOMPARE(again[0].file, file);
        QCOMPARE(again[0].info, name);
        QCOMPARE(again[1].file, QStringLiteral("/outro.html"));
        QVERIFY(!again[0].fileDoubtful && !again[1].fileDoubtful);
    }

    void randomValuesRoundTrip() {
        // Any single-line value of these characters survives the index.
        const QString alphabet = QStringLiteral(" \t\"'=[];\\/\r\nab\u00e7\u4e2d\ufeff");
        QRandomGenerator rng(12);
        QVector<CacheEntry> entries;
        for (int i = 0; i < 400; ++i) {
            CacheEntry e;
            e.nnn = QString::number(i % 999 + 1).rightJustified(3, QLatin1Char('0'));
            QString v;
            for (int n = int(rng.bounded(12)); n > 0; --n)
                v += alphabet[int(rng.bounded(alphabet.size()))];
            e.file = QLatin1Char('/') + v;
            e.copy = v;
            e.configuration = v;
            e.info = v;
            entries.append(e);
        }
        QVERIFY(WriteCacheIndex(entries));
        const QVector<CacheEntry> back = ReadCacheIndex();
        QCOMPARE(back.size(), entries.size());
        for (int i = 0; i < entries.size(); ++i) {
            QCOMPARE(back[i].file, entries[i].file);
            QCOMPARE(back[i].copy, entries[i].copy);
            QCOMPARE(back[i].configuration, entries[i].configuration);
            QCOMPARE(back[i].info, entries[i].info);
            QVERIFY(!back[i].fileDoubtful);
        }
    }

    // Indexes written by a version that kept values unencoded, and other
    // damage: an entry next to the damage is never bound to a file.
    void damagedIndexNeverBindsAFile_data() {
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<QString>("doubtful"); // entries (nnn) whose file is doubtful
        QTest::addColumn<QString>("copies");   // copy of each entry, in order, joined by ","
        const QByteArray tail = "[Temporario]\n001=1.ctm\n002=2.ctm\n";
        QTest::newRow("stray line after a name")
            << "[Arquivo]\n001=/tmp/x/target\nZ.html\n002=/b.html\n" + tail << QStringLiteral("001")
            << QStringLiteral("1.ctm,2.ctm");
        QTest::newRow("stray key after a name")
            << "[Arquivo]\n001=/tmp/x/target\nZ=1.html\n002=/b.html\n" + tail
            << QStringLiteral("001") << QStringLiteral("1.ctm,2.ctm");
        QTest::newRow("stray number key repeats an entry")
            << "[Arquivo]\n001=/tmp/x/a\n001=/etc/passwd\n002=/b.html\n" + tail
            << QStringLiteral("001") << QStringLiteral("1.ctm,2.ctm");
        QTest::newRow("stray comment") << "[Arquivo]\n001=/x/a\n;b.html\n002=/b.html\n" + tail
                                       << QStringLiteral("001") << QStringLiteral("1.ctm,2.ctm");
        QTest::newRow("stray bracket text")
            << "[Arquivo]\n001=/x/a\n[b].html\n002=/b.html\n" + tail << QStringLiteral("001")
            << QStringLiteral("1.ctm,2.ctm");
        QTest::newRow("repeated section")
            << "[Arquivo]\n001=/x/a\n[Temporario]\n002=/b.html\n" + tail
            << QString() << QStringLiteral("/b.html"); // the real section is the repeat
        QTest::newRow("unknown section")
            << "[Arquivo]\n001=/x/a\n[Outra]\n002=/b.html\n" + tail << QStringLiteral("001")
            << QStringLiteral("1.ctm,2.ctm");
        QTest::newRow("relative name") << "[Arquivo]\n001=x/a.html\n002=/b.html\n" + tail
                                       << QStringLiteral("001") << QStringLiteral("1.ctm,2.ctm");
        QTest::newRow("stray line after a copy")
            << QByteArray("[Arquivo]\n001=/a\n002=/b\n[Temporario]\n001=1.ctm\nx\n002=2.ctm\n")
            << QString() << QStringLiteral(",2.ctm");
        QTest::newRow("sound index") << "[Arquivo]\n001=/x/a\n\n002=/b.html\n" + tail << QString()
                                     << QStringLiteral("1.ctm,2.ctm");
    }
    void damagedIndexNeverBindsAFile() {
        QFETCH(QByteArray, index);
        QFETCH(QString, doubtful);
        QFETCH(QString, copies);
        const QVector<CacheEntry> entries = ParseCacheIndex(index);
        QStringList gotDoubtful, gotCopies;
        for (const CacheEntry &e : entries) {
            if (e.fileDoubtful) gotDoubtful << e.nnn;
            gotCopies << e.copy;
        }
        QCOMPARE(gotDoubtful.join(QLatin1Char(',')), doubtful);
        QCOMPARE(gotCopies.join(QLatin1Char(',')), copies);
    }

    void indexIsPrivate() {
        WriteCacheEntry(QStringLiteral("001"), QString(), QStringLiteral("a.ctm"), QString());
        QCOMPARE(QFile::permissions(index()) & 0x0077, QFileDevice::Permissions());
        QVERIFY(WriteCacheIndex({}));
        QCOMPARE(QFile::permissions(index()) & 0x0077, QFileDevice::Permissions());
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
