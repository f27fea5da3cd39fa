#include "RecentList.h"
#include "Settings.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace corvel;

namespace {
QStringList Numbered(int n, int size) {
    QStringList l;
    for (int i = 1; i <= size; ++i)
        l << (i <= n ? QStringLiteral("/f/%1.html").arg(i) : QString());
    return l;
}
} // namespace

class TestHistoryList : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
private slots:
    void init() {
        QFile::remove(dir.filePath(QStringLiteral("s.ini")));
        SetSettingsFileOverride(dir.filePath(QStringLiteral("s.ini")));
    }
    void cleanupTestCase() { SetSettingsFileOverride(QString()); }

    void newPathGoesOnTopAndTheOldestFallsOff() {
        const QStringList full = Numbered(15, 15);
        const QStringList after = InsertAtTop(full, QStringLiteral("/new.html"), 15);
        QCOMPARE(after.size(), 15);
        QCOMPARE(after.first(), QStringLiteral("/new.html"));
        QCOMPARE(after.mid(1), full.mid(0, 14));
    }

    void reopeningAnEntryMovesItUpWithoutGaps() {
        const QStringList full = Numbered(15, 15);
        const QStringList after = InsertAtTop(full, full[6], 15);
        QCOMPARE(after[0], full[6]);
        QStringList expected = full;
        expected.removeAt(6);
        QCOMPARE(after.mid(1), expected);
    }

    // Names that differ only in letter case are two files: both stay, and
    // only the exact same name moves up.
    void letterCaseMakesTwoEntries_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("top");
        const QString f1 = QStringLiteral("/f/1.html"), f2 = QStringLiteral("/f/2.html"),
                      f3 = QStringLiteral("/f/3.html");
        QTest::newRow("upper name")
            << QStringLiteral("/F/2.HTML") << QStringList{QStringLiteral("/F/2.HTML"), f1, f2, f3};
        QTest::newRow("one letter")
            << QStringLiteral("/f/2.htmL") << QStringList{QStringLiteral("/f/2.htmL"), f1, f2, f3};
        QTest::newRow("same name") << f2 << QStringList{f2, f1, f3, QString()};
    }
    void letterCaseMakesTwoEntries() {
        QFETCH(QString, path);
        QTEST(InsertAtTop(Numbered(3, 15), path, 15).mid(0, 4), "top");
    }

    void baseFoldersCountLetterCaseToo() {
        AddToRecentList(kBaseFolderList, QStringLiteral("/site/Img"));
        AddToRecentList(kBaseFolderList, QStringLiteral("/site/img"));
        QCOMPARE(
            ReadRecentList(kBaseFolderList).mid(0, 3),
            (QStringList{QStringLiteral("/site/img"), QStringLiteral("/site/Img"), QString()}));
    }

    void partialListGrows() {
        const QStringList l = InsertAtTop(Numbered(2, 10), QStringLiteral("/x"), 10);
        QCOMPARE(l.size(), 10);
        QCOMPARE(l.mid(0, 3), (QStringList{QStringLiteral("/x"), QStringLiteral("/f/1.html"),
                                           QStringLiteral("/f/2.html")}));
    }

    void obsoleteRemovalKeepsOrder() {
        const QStringList full = Numbered(15, 15);
        const QStringList kept = KeepExisting(full, 15, [&](const QString &p) {
            return p != full[0] && p != full[2] && p != full[4];
        });
        QCOMPARE(kept.size(), 15);
        QCOMPARE(kept[0], full[1]);
        QCOMPARE(kept[1], full[3]);
        QCOMPARE(kept[11], full[14]);
        QVERIFY(kept[12].isEmpty() && kept[13].isEmpty() && kept[14].isEmpty());
    }

    void storeRoundTripWithTrimming() {
        WriteSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo2"),
                     QStringLiteral("  /b.htm  "));
        AddToRecentList(kHistoryList, QStringLiteral("/a.htm"));
        QCOMPARE(ReadSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo1")),
                 QStringLiteral("/a.htm"));
        // Old entry 1 was empty and moved down; entry 2 moved to 3, trimmed.
        QCOMPARE(ReadSetting(QStringLiteral("Historico"), QStringLiteral("Arquivo3")),
                 QStringLiteral("/b.htm"));
        QCOMPARE(ReadRecentList(kHistoryList).size(), 15);
        AddToRecentList(kBaseFolderList, QStringLiteral("/site"));
        QCOMPARE(ReadSetting(QStringLiteral("Pasta Base"), QStringLiteral("Caminho1")),
                 QStringLiteral("/site"));
    }
};

QTEST_GUILESS_MAIN(TestHistoryList)
#include "tst_history_list.moc"
