#include "IniDocument.h"
#include "IniFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

class TestIniFiles : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString &name) { return dir.filePath(name); }
    void put(const QString &file, const QByteArray &bytes) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray get(const QString &file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void readsTrimmedAndCaseInsensitive() {
        const QString f = path("a.ini");
        put(f, "; comment\r\n[Sec]\r\nKey =   some value  \r\n[Other]\r\nkey=x\r\n");
        QCOMPARE(ReadIniValue("sec", "KEY", f), QString("some value"));
        QCOMPARE(ReadIniValue("OTHER", "Key", f), QString("x"));
        QCOMPARE(ReadIniValue("Sec", "missing", f), QString());
        QCOMPARE(ReadIniValue("Nope", "Key", f), QString());
        QCOMPARE(ReadIniValue("Sec", "Key", path("none.ini")), QString());
    }

    void readCutsAt2047() {
        const QString f = path("long.ini");
        put(f, "[S]\nk=" + QByteArray(3000, 'x') + "\n");
        QCOMPARE(ReadIniValue("S", "k", f).size(), 2047);
    }

    void writeKeepsRestByteForByte() {
        const QString f = path("keep.ini");
        const QByteArray before =
            "; top comment\r\n\r\n[A]\r\nx=1\r\n; inner\r\ny=2\r\n\r\n[B]\r\nz=3";
        put(f, before);
        QVERIFY(WriteIniValue("a", "X", "changed", f));
        QCOMPARE(get(f),
                 QByteArray("; top comment\r\n\r\n[A]\r\nx=changed\r\n; inner\r\ny=2\r\n\r\n"
                            "[B]\r\nz=3"));
        // A missing key goes at the end of its section, before the blank line.
        QVERIFY(WriteIniValue("A", "new", "v", f));
        QCOMPARE(get(f), QByteArray("; top comment\r\n\r\n[A]\r\nx=changed\r\n; inner\r\ny=2\r\n"
                                    "new=v\r\n\r\n[B]\r\nz=3"));
        // A missing section goes at the end of the file.
        QVERIFY(WriteIniValue("C", "k", "w", f));
        QVERIFY(get(f).endsWith("[B]\r\nz=3\r\n[C]\r\nk=w\r\n"));
        QCOMPARE(ListIniSections(f), QString("A,B,C"));
    }

    void writeCreatesFileAndLf() {
        const QString f = path("new.ini");
        QVERIFY(WriteIniValue("S", "k", "v", f));
        QCOMPARE(get(f), QByteArray("[S]\nk=v\n"));
        QCOMPARE(ListIniSections(path("none.ini")), QString());
    }

    void windows1252KeepsEncoding() {
        const QString f = path("w.ini");
        put(f, "[S]\nname=a\xe7\xe3o\nother=\x80\n"); // "ação", "€" in Windows-1252
        QCOMPARE(ReadIniValue("S", "name", f), QString::fromUtf8("ação"));
        QCOMPARE(ReadIniValue("S", "other", f), QString::fromUtf8("€"));
        QVERIFY(WriteIniValue("S", "k", QString::fromUtf8("é"), f));
        QCOMPARE(get(f), QByteArray("[S]\nname=a\xe7\xe3o\nother=\x80\nk=\xe9\n"));
    }

    void utf8BomKept() {
        const QString f = path("u.ini");
        put(f, "\xEF\xBB\xBF[S]\nk=ação\n");
        QVERIFY(WriteIniValue("S", "j", "1", f));
        QCOMPARE(get(f), QByteArray("\xEF\xBB\xBF[S]\nk=ação\nj=1\n"));
    }

    void unwritableFolderLeavesFileIntact() {
        if (geteuid() == 0) QSKIP("root writes anywhere");
        const QString sub = path("ro");
        QDir().mkpath(sub);
        const QString f = sub + "/x.ini";
        put(f, "[S]\nk=old\n");
        QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(!WriteIniValue("S", "k", "new", f));
        QCOMPARE(get(f), QByteArray("[S]\nk=old\n"));
        QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void failedWriteLeavesFileIntact() {
        // A write that cannot complete (here: the file-size limit, which
        // holds for root too) fails and leaves the old file as it was.
        const QString f = path("limit.ini");
        const QByteArray before = "[S]\nk=old\n";
        put(f, before);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &small);
        const bool ok = WriteIniValue("S", "k", QString(500, QChar('x')), f);
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!ok);
        QCOMPARE(get(f), before);
        QCOMPARE(QDir(dir.path()).entryList(QStringList() << "limit.ini*", QDir::Files).size(), 1);
    }

    void writeIntoMissingFolderFails() {
        QVERIFY(!WriteIniValue("S", "k", "v", path("no/such/dir/x.ini")));
    }

    void duplicateSectionsFirstWins() {
        const QString f = path("dup.ini");
        put(f, "[S]\nk=1\n[S]\nk=2\n");
        QCOMPARE(ReadIniValue("S", "k", f), QString("1"));
        QCOMPARE(ListIniSections(f), QString("S,S"));
    }

    // The lookup table answers every question as value() does, on files with
    // the awkward parts of the format.
    void lookupAgreesWithValue_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << QByteArray("[A]\nx=1\ny = 2 \n[B]\nx=3\n");
        QTest::newRow("duplicate section: the first only")
            << QByteArray("[A]\nx=1\n[b]\nz=9\n[a]\nx=2\ny=3\n");
        QTest::newRow("duplicate key: the first") << QByteArray("[A]\nx=1\nX=2\n x =3\n");
        QTest::newRow("comments, blanks, keys before any section")
            << QByteArray("k=0\n;c\n[A]\n;x=1\n\n  x=2=3\nnoequals\n=empty\n");
        QTest::newRow("header with spaces and text after it")
            << QByteArray("  [ Sec One ] tail\r\nKey One=v\r\n[]\r\n=q\r\n");
        QTest::newRow("accents and case") << QByteArray("[Seção]\nÍndice=1\n[SEÇÃO]\níNDICE=2\n");
    }
    void lookupAgreesWithValue() {
        QFETCH(QByteArray, bytes);
        const corvel::IniDocument doc = corvel::IniDocument::fromBytes(bytes);
        const corvel::IniDocument::Lookup lookup = doc.lookup();
        QCOMPARE(lookup.sections(), doc.sections());
        const QStringList sections = {"A",       "a", " b ",   "B",     "Sec One",
                                      "sec one", "",  "seção", "SEÇÃO", "none"};
        const QStringList keys = {"x", "X",       " y ",    "z",        "k",
                                  "",  "Key One", "índice", "noequals", "none"};
        for (const QString &sec : sections) {
            for (const QString &key : keys) {
                bool f1 = false, f2 = false;
                const QString v1 = doc.value(sec, key, &f1), v2 = lookup.value(sec, key, &f2);
                QVERIFY2(v1 == v2 && f1 == f2,
                         qPrintable(sec + "/" + key + ": " + v1 + " vs " + v2));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestIniFiles)
#include "tst_inifiles.moc"
