#include "FindOptions.h"
#include "SearchHistory.h"
#include "Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvel;

class TestSearchHistory : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    static QStringList Entries(std::initializer_list<const char *> values) {
        QStringList l;
        for (const char *v : values)
            l << QString::fromUtf8(v);
        while (l.size() < kSearchHistorySize)
            l << QString();
        return l;
    }

private slots:
    void init() {
        QFile::remove(dir.filePath("Corvel.ini"));
        SetSettingsFileOverride(dir.filePath("Corvel.ini"));
    }

    void entryParts() {
        QCOMPARE(SearchPartOf("table<#>x"), QString("table"));
        QCOMPARE(ReplacementPartOf("table<#>x"), QString("x"));
        QCOMPARE(SearchPartOf("table"), QString("table"));
        QCOMPARE(ReplacementPartOf("table"), QString());
        QCOMPARE(ReplacementPartOf("a<#>"), QString());
        // Only the second piece is the replacement.
        QCOMPARE(SearchPartOf("a<#>b<#>c"), QString("a"));
        QCOMPARE(ReplacementPartOf("a<#>b<#>c"), QString("b"));
        QCOMPARE(SearchHistoryKey(1), QString("Search1"));
        QCOMPARE(SearchHistoryKey(30), QString("Search30"));
    }

    void sameSearchInOtherCaseReplacesOlderEntryKeepingOrder() {
        const QStringList stored = Entries({"um<#>1", "table<#>x", "dois<#>2", "TABLE<#>y"});
        const QStringList out = WithSearchAdded(stored, "Table", "z");
        QCOMPARE(out.size(), kSearchHistorySize);
        // The last matching slot is the one that goes; an earlier one stays.
        QCOMPARE(out.mid(0, 5), QStringList({"Table<#>z", "um<#>1", "table<#>x", "dois<#>2", ""}));

        const QStringList once =
            WithSearchAdded(Entries({"a<#>", "table<#>x", "b<#>"}), "Table", "");
        QCOMPARE(once.mid(0, 4), QStringList({"Table<#>", "a<#>", "b<#>", ""}));
    }

    void storedValuesLoseSpacesOnly() {
        const QStringList out =
            WithSearchAdded(Entries({"  a<#>b  ", "\tc<#>d\t", " "}), "new", "");
        QCOMPARE(out.mid(0, 5), QStringList({"new<#>", "a<#>b", "\tc<#>d\t", "", ""}));
    }

    void entryWithoutSeparatorIsNotTakenOut() {
        const QStringList out = WithSearchAdded(Entries({"table", "b<#>"}), "table", "r");
        QCOMPARE(out.mid(0, 4), QStringList({"table<#>r", "table", "b<#>", ""}));
    }

    void storedValuesAreTrimmed() {
        const QStringList out = WithSearchAdded(Entries({"  a<#>b  ", " x<#> "}), "X", "");
        QCOMPARE(out.mid(0, 3), QStringList({"X<#>", "a<#>b", ""}));
    }

    void thirtyFirstSearchPushesOldestOut() {
        for (int i = 1; i <= 30; ++i)
            AddSearchHistory(QString("s%1").arg(i), QString("r%1").arg(i));
        QCOMPARE(ReadSetting("Historico", "Search1"), QString("s30<#>r30"));
        QCOMPARE(ReadSetting("Historico", "Search30"), QString("s1<#>r1"));
        AddSearchHistory("s31", "");
        QCOMPARE(ReadSetting("Historico", "Search1"), QString("s31<#>"));
        QCOMPARE(ReadSetting("Historico", "Search2"), QString("s30<#>r30"));
        QCOMPARE(ReadSetting("Historico", "Search30"), QString("s2<#>r2"));
        QCOMPARE(ReadSetting("Historico", "Search31"), QString());
        // A repeat of an entry in the middle keeps thirty entries, none lost.
        AddSearchHistory("S15", "novo");
        const QStringList h = ReadSearchHistory();
        QCOMPARE(h.first(), QString("S15<#>novo"));
        QCOMPARE(h.count(QString("s15<#>r15")), 0);
        QCOMPARE(h.last(), QString("s2<#>r2"));
        QCOMPARE(h.count(QString()), 0);
    }

    void dropDownItems() {
        const SearchHistoryLists l = SearchHistoryItems(
            Entries({"a<#>x", "", "b<#>", "c<#>x", "d", "e<#>X", "<#>y", "f<#>x<#>z"}));
        QCOMPARE(l.searches, QStringList({"a", "b", "c", "d", "e", "", "f"}));
        QCOMPARE(l.replacements, QStringList({"x", "X", "y"}));
    }

    void lookupIsExactAndFirstWins() {
        const QStringList h = Entries({"Table<#>1", "table<#>2", "table<#>3", "solo"});
        QString r = "keep";
        QVERIFY(!StoredReplacementFor(h, "TABLE", &r));
        QCOMPARE(r, QString("keep"));
        QVERIFY(StoredReplacementFor(h, "table", &r));
        QCOMPARE(r, QString("2"));
        QVERIFY(StoredReplacementFor(h, "solo", &r));
        QCOMPARE(r, QString());
    }

    void valuesWithSpecialCharactersRoundTrip() {
        AddSearchHistory("a=b;c [x]", "\"q\" \\ é");
        QCOMPARE(ReadSearchHistory().first(), QString("a=b;c [x]<#>\"q\" \\ é"));
    }

    void optionsAreOneOrZero() {
        QVERIFY(!ReadFindOption("ProcSens"));
        WriteFindOption("ProcSens", true);
        QCOMPARE(ReadSetting("Configuracao", "ProcSens"), QString("1"));
        QVERIFY(ReadFindOption("ProcSens"));
        WriteFindOption("ProcSens", false);
        QCOMPARE(ReadSetting("Configuracao", "ProcSens"), QString("0"));
        WriteSetting("Configuracao", "ProcMover", "True");
        QVERIFY(!ReadFindOption("ProcMover"));
    }

    void lastSearchTextLivesInMemory() {
        SetLastSearchText("abc");
        QCOMPARE(LastSearchText(), QString("abc"));
        SetLastSearchText(QString());
        QVERIFY(LastSearchText().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSearchHistory)
#include "tst_searchhistory.moc"
