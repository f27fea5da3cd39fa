// The script list files and the rules of the script dialogs: reading,
// writing, removing (never losing the other scripts), shortcut matching and
// the checks before a save.
#include "ScriptFile.h"
#include "ScriptRules.h"

#include <QtTest>

using namespace corvel;

namespace {

QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QStringList Shortcuts(const QVector<ScriptListRow> &rows) {
    QStringList out;
    for (const ScriptListRow &r : rows)
        out << r.shortcut;
    return out;
}

const QByteArray kThree = "[A]\nDescricao=Primeiro\nParametros=x\nSaida=um<##>dois\nOutra=1\n"
                          "[B]\nDescricao=Segundo\nParametros=\nSaida=b\n"
                          "[C]\nDescricao=Terceiro\nParametros=p,q\nSaida=c\n";

} // namespace

class TestScriptFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path;

private slots:
    void init() {
        path = dir.filePath(QStringLiteral("Scripts/js.dat"));
        QDir().mkpath(dir.filePath(QStringLiteral("Scripts")));
        QFile::remove(path);
        QFile::remove(dir.filePath(QStringLiteral("Scripts/js.new")));
    }

    void filePathLowersOnlyTheName() {
        QCOMPARE(ScriptFilePath("/Home/Prog", "PHP"), QString("/Home/Prog/Scripts/php.dat"));
    }

    void listReading_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("shortcuts");
        QTest::addColumn<int>("status");
        const int ok = int(ScriptFileStatus::Ok);
        QTest::newRow("order of the file") << kThree << QStringList{"A", "B", "C"} << ok;
        QTest::newRow("no sections") << QByteArray("Descricao=x\n") << QStringList() << ok;
        QTest::newRow("empty and repeated names left out")
            << QByteArray("[]\nDescricao=x\n[ab]\nDescricao=1\n[AB]\nDescricao=2\n[c]\n")
            << QStringList{"ab", "c"} << ok;
        QTest::newRow("NUL bytes") << QByteArray("[A]\nDescricao=\0x\n", 16) << QStringList()
                                   << int(ScriptFileStatus::Corrupt);
    }
    void listReading() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, shortcuts);
        QFETCH(int, status);
        QVERIFY(WriteAll(path, bytes));
        ScriptFileStatus got = ScriptFileStatus::Ok;
        QCOMPARE(Shortcuts(ReadScriptList(path, &got)), shortcuts);
        QCOMPARE(int(got), status);
    }

    void missingAndUnreadableFiles() {
        ScriptFileStatus st = ScriptFileStatus::Corrupt;
        QVERIFY(ReadScriptList(path, &st).isEmpty());
        QCOMPARE(st, ScriptFileStatus::Ok); // missing: an empty list
        QVERIFY(QDir().mkpath(path));       // a folder where the file should be
        QVERIFY(ReadScriptList(path, &st).isEmpty());
        QCOMPARE(st, ScriptFileStatus::Unreadable);
        QVERIFY(!WriteScript(path, {"X", "d", {}, "o"}));
        QCOMPARE(RemoveScript(path, "X"), RemoveOutcome::Failed);
        QDir(path).removeRecursively();
    }

    void writeAndReadBack() {
        ScriptEntry e{"AB", "Descrição\ncom quebra", {"Nome", "", "Idade"}, "a\nb\r\nc\rd"};
        QVERIFY(WriteScript(path, e));
        QCOMPARE(ReadAll(path),
                 QByteArray("[AB]\nDescricao=Descriçãocom quebra\nParametros=Nome,Idade\n"
                            "Saida=a<##>b<##>c<##>d\n"));
        bool found = false;
        const ScriptEntry back = ReadScript(path, "ab", &found);
        QVERIFY(found);
        QCOMPARE(back.parameters, QStringList({"Nome", "Idade"}));
        QCOMPARE(StoredToTemplate(back.output), QString("a\r\nb\r\nc\r\nd"));
        ReadScript(path, "ZZ", &found);
        QVERIFY(!found);
    }

    void updateInPlaceKeepsTheRest() {
        QVERIFY(
            WriteAll(path, "; scripts\r\n[ab]\r\nDescricao=old\r\nExtra=1\r\n[C]\r\nSaida=c\r\n"));
        QVERIFY(WriteScript(path, {"AB", "new", {"p"}, "x"}));
        QCOMPARE(ReadAll(path), QByteArray("; scripts\r\n[ab]\r\nDescricao=new\r\nExtra=1\r\n"
                                           "Parametros=p\r\nSaida=x\r\n[C]\r\nSaida=c\r\n"));
    }

    void longValuesStayWhole() {
        const QString big(5000, QLatin1Char('x'));
        QVERIFY(WriteScript(path, {"L", "d", {}, big}));
        QVERIFY(WriteScript(path, {"M", "d", {}, "m"}));
        QCOMPARE(RemoveScript(path, "M"), RemoveOutcome::Removed);
        QCOMPARE(ReadScript(path, "L").output, big);
    }

    void remove_data() {
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("middle of three")
            << "B" << int(RemoveOutcome::Removed)
            << QByteArray("[A]\nDescricao=Primeiro\nParametros=x\nSaida=um<##>dois\n"
                          "[C]\nDescricao=Terceiro\nParametros=p,q\nSaida=c\n");
        QTest::newRow("first, named in another case")
            << "a" << int(RemoveOutcome::Removed)
            << QByteArray("[B]\nDescricao=Segundo\nParametros=\nSaida=b\n"
                          "[C]\nDescricao=Terceiro\nParametros=p,q\nSaida=c\n");
        QTest::newRow("unknown") << "Z" << int(RemoveOutcome::NotFound) << kThree;
    }
    void remove() {
        QFETCH(QString, shortcut);
        QFETCH(int, outcome);
        QFETCH(QByteArray, after);
        QVERIFY(WriteAll(path, kThree));
        QCOMPARE(int(RemoveScript(path, shortcut)), outcome);
        QCOMPARE(ReadAll(path), after);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("Scripts/js.new"))));
    }

    void removingTheLastDeletesTheFile() {
        QVERIFY(WriteAll(path, "[A]\nDescricao=x\n"));
        QCOMPARE(RemoveScript(path, "A"), RemoveOutcome::FileRemoved);
        QVERIFY(!QFileInfo::exists(path));
    }

    void failedRewriteLeavesTheOldFile() {
        QVERIFY(WriteAll(path, kThree));
        // The new file cannot be made: a folder holds its name.
        const QString blocker = dir.filePath(QStringLiteral("Scripts/js.new"));
        QVERIFY(QDir().mkpath(blocker + QStringLiteral("/x")));
        QString error;
        QCOMPARE(RemoveScript(path, "B", &error), RemoveOutcome::Failed);
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadAll(path), kThree);
        QDir(blocker).removeRecursively();
    }

    void removeKeepsTheEncoding() {
        const QByteArray cp1252 = "[A]\r\nDescricao=Fun\xe7\xe3o\r\n[B]\r\nDescricao=b\r\n";
        QVERIFY(WriteAll(path, cp1252));
        QCOMPARE(ReadScriptList(path).first().description, QString("Função"));
        QCOMPARE(RemoveScript(path, "B"), RemoveOutcome::Removed);
        QCOMPARE(ReadAll(path),
                 QByteArray("[A]\r\nDescricao=Fun\xe7\xe3o\r\nParametros=\r\nSaida=\r\n"));
    }

    void parameters_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty middle box") << QStringList{"Nome", "", "Idade", ""} << "Nome,Idade";
        QTest::newRow("none") << QStringList{"", "", "", ""} << "";
        QTest::newRow("all four") << QStringList{"a", "b", "c", "d"} << "a,b,c,d";
    }
    void parameters() {
        QFETCH(QStringList, names);
        QFETCH(QString, stored);
        QCOMPARE(JoinScriptParameters(names), stored);
        QStringList used;
        for (const QString &n : names)
            if (!n.isEmpty()) used << n;
        QCOMPARE(SplitScriptParameters(stored), used);
    }

    // A line break typed or pasted into a parameter box never starts a line
    // of its own in the file (it would read as another key).
    void parameterNamesStayOnOneLine_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("readBack");
        QTest::newRow("break inside a name")
            << QStringList{"Nom\ne", "Idade"} << QStringList{"Nome", "Idade"};
        QTest::newRow("break before a key")
            << QStringList{"a\r\nSaida=x"} << QStringList{"aSaida=x"};
    }
    void parameterNamesStayOnOneLine() {
        QFETCH(QStringList, names);
        QFETCH(QStringList, readBack);
        QVERIFY(WriteScript(path, {"P", "d", names, "o"}));
        const ScriptEntry back = ReadScript(path, "P");
        QCOMPARE(back.parameters, readBack);
        QCOMPARE(back.output, QString("o"));
        QCOMPARE(ReadAll(path).count('\n'), 4);
    }

    void shortcutRow_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("row");
        QTest::newRow("lower case") << "ab" << 1;
        QTest::newRow("blanks around") << "  ab " << 1;
        QTest::newRow("prefix only") << "a" << -1;
        QTest::newRow("first of equals") << "X" << 2;
        QTest::newRow("nothing typed") << "" << -1;
    }
    void shortcutRow() {
        QFETCH(QString, typed);
        QFETCH(int, row);
        QCOMPARE(FindShortcutRow(typed, {"ABC", "AB", "X ", "X"}), row);
    }

    void check_data() {
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("parameter");
        QTest::addColumn<bool>("isNew");
        QTest::addColumn<int>("fault");
        const auto F = [](ScriptFault f) { return int(f); };
        QTest::newRow("2X refused") << "2X"
                                    << "d"
                                    << "c"
                                    << "" << true << F(ScriptFault::LeadingNumber);
        QTest::newRow("X2 accepted") << "X2"
                                     << "d"
                                     << "c"
                                     << "" << true << F(ScriptFault::None);
        QTest::newRow("0X accepted") << "0X"
                                     << "d"
                                     << "c"
                                     << "" << true << F(ScriptFault::None);
        QTest::newRow("in use in another case") << "AB"
                                                << "d"
                                                << "c"
                                                << "" << true << F(ScriptFault::ShortcutInUse);
        QTest::newRow("description first") << ""
                                           << ""
                                           << ""
                                           << "" << true << F(ScriptFault::NoDescription);
        QTest::newRow("blank content") << ""
                                       << "d"
                                       << " \n "
                                       << "" << true << F(ScriptFault::NoContent);
        QTest::newRow("no shortcut") << ""
                                     << "d"
                                     << "c"
                                     << "" << true << F(ScriptFault::NoShortcut);
        QTest::newRow("edit needs no shortcut") << ""
                                                << "d"
                                                << "c"
                                                << "" << false << F(ScriptFault::None);
        QTest::newRow("edit of a used shortcut") << "AB"
                                                 << "d"
                                                 << "c"
                                                 << "" << false << F(ScriptFault::None);
        QTest::newRow("section bracket") << "A]"
                                         << "d"
                                         << "c"
                                         << "" << true << F(ScriptFault::ShortcutCharacter);
        QTest::newRow("comma") << "A,B"
                               << "d"
                               << "c"
                               << "" << true << F(ScriptFault::ShortcutCharacter);
        QTest::newRow("accented letters") << "FUNÇÃO"
                                          << "d"
                                          << "c"
                                          << "" << true << F(ScriptFault::None);
        QTest::newRow("comma in a parameter") << "P"
                                              << "d"
                                              << "c"
                                              << "a,b" << true << F(ScriptFault::ParameterComma);
    }
    void check() {
        QFETCH(QString, shortcut);
        QFETCH(QString, description);
        QFETCH(QString, content);
        QFETCH(QString, parameter);
        QFETCH(bool, isNew);
        QFETCH(int, fault);
        // The file holds "[ab]": a section name compares without regard to case.
        QVERIFY(WriteAll(path, "[ab]\nDescricao=existente\n[E]\nDescricao=\n"));
        const auto inUse = [this](const QString &s) {
            bool found = false;
            return !ReadScript(path, s, &found).description.isEmpty() && found;
        };
        const ScriptDraft d{shortcut, description, content, {parameter}};
        QCOMPARE(int(CheckScript(d, isNew, inUse)), fault);
    }
};

QTEST_GUILESS_MAIN(TestScriptFile)
#include "tst_scriptfile.moc"
