// Project files: the class list encoding, writing a new project over an old
// file and updating the one in use, and the checks that keep a damaged,
// oversized or outdated project from being used or saved.
#include "ProjectFile.h"
#include "ProjectRules.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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

} // namespace

class tst_project_file : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void encodeClasses_data() {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("stored");
        QTest::newRow("comma inside an item") << QStringList{"a,b"} << "ab";
        QTest::newRow("blanks around, two items") << QStringList{"  x  ", "y"} << "x,y";
        QTest::newRow("blanks left by the comma") << QStringList{" a , b "} << "a  b";
        QTest::newRow("empty item keeps its place") << QStringList{"a", "", "b"} << "a,,b";
        QTest::newRow("empty last item") << QStringList{"x", " "} << "x,";
        QTest::newRow("item of commas only") << QStringList{",,", "b"} << ",b";
        QTest::newRow("no items") << QStringList{} << "";
        QTest::newRow("accents kept") << QStringList{"título", "ação"} << "título,ação";
    }
    void encodeClasses() {
        QFETCH(QStringList, items);
        QFETCH(QString, stored);
        QCOMPARE(EncodeClasses(items), stored);
    }

    void decodeClasses_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("empty value: no classes") << "" << QStringList{};
        QTest::newRow("one") << "menu" << QStringList{"menu"};
        QTest::newRow("empty middle") << "a,,b" << QStringList{"a", "", "b"};
    }
    void decodeClasses() {
        QFETCH(QString, stored);
        QFETCH(QStringList, items);
        QCOMPARE(DecodeClasses(stored), items);
    }

    void writeThenRead() {
        const QString file = path("site.prj");
        const Project p{"  Meu Site ", "/var/www", "", {"a,b", " x ", "y"}};
        QString error;
        QVERIFY2(WriteProject(file, p, ProjectWrite::Replace, &error), qPrintable(error));
        const Project back = ReadProject(file);
        QCOMPARE(back.name, QString("Meu Site"));
        QCOMPARE(back.mainFolder, QString("/var/www"));
        QCOMPARE(back.imageFolder, QString());
        QCOMPARE(back.classes, QStringList({"ab", "x", "y"}));
        QVERIFY(ReadAll(file).contains("Classes=ab,x,y"));
    }

    void replaceDropsWhatTheOldFileHeld() {
        // A new project saved over an old file: the old classes must not
        // come back as the new project's.
        const QString file = path("old.prj");
        QVERIFY(WriteAll(file, "; notas\n[Projeto]\nNome=Velho\nClasses=a,b\n[Outra]\nx=1\n"));
        QVERIFY(WriteProject(file, Project{"Novo", "", "", {}}, ProjectWrite::Replace));
        const QByteArray bytes = ReadAll(file);
        QVERIFY(!bytes.contains("Classes"));
        QVERIFY(!bytes.contains("Outra"));
        QVERIFY(!bytes.contains("notas"));
        QCOMPARE(ReadProject(file).name, QString("Novo"));
    }

    void updateKeepsTheRestOfTheFile() {
        const QString file = path("edit.prj");
        QVERIFY(WriteAll(file, "; notas\r\n[Projeto]\r\nNome=Velho\r\nClasses=a,b\r\n"
                               "[Outra]\r\nx=1\r\n"));
        QVERIFY(WriteProject(file, Project{"Novo", "", "", {}}, ProjectWrite::Update));
        const QByteArray bytes = ReadAll(file);
        QVERIFY(bytes.startsWith("; notas\r\n[Projeto]\r\nNome=Novo\r\n"));
        QVERIFY(bytes.endsWith("[Outra]\r\nx=1\r\n"));
        // Every class removed in the window: the file has none any more.
        QVERIFY(!bytes.contains("Classes"));
        QCOMPARE(ReadProject(file).classes, QStringList());
    }

    void lineBreaksCannotAddKeys() {
        const QString file = path("breaks.prj");
        QVERIFY(WriteProject(file, Project{"a\n[Projeto]\nPrincipal=/etc", "", "", {"x\ry"}},
                             ProjectWrite::Replace));
        const Project back = ReadProject(file);
        QCOMPARE(back.mainFolder, QString());
        QCOMPARE(back.name, QString("a [Projeto] Principal=/etc"));
        QCOMPARE(back.classes, QStringList({"x y"}));
    }

    void failedWriteLeavesTheFile() {
        const QString folder = path("ro");
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + "/p.prj";
        QVERIFY(WriteAll(file, "[Projeto]\nNome=Antigo\n"));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        if (WriteAll(folder + "/probe", "x")) QSKIP("running with rights over every folder");
        QString error;
        QVERIFY(!WriteProject(file, Project{"Novo", "", "", {}}, ProjectWrite::Update, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadAll(file), QByteArray("[Projeto]\nNome=Antigo\n"));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void checkProjectFile_data() {
        QTest::addColumn<QByteArray>("bytes"); // "<none>": no file
        QTest::addColumn<bool>("checkFolders");
        QTest::addColumn<int>("fault");
        const QByteArray site = m_dir.path().toUtf8();
        const int none = int(ProjectFault::None);
        QTest::newRow("usable") << "[Projeto]\nNome=S\nPrincipal=" + site + "\n" << true << none;
        QTest::newRow("without Principal") << QByteArray("[Projeto]\nNome=S\n") << true << none;
        QTest::newRow("section in other case") << QByteArray("[projeto]\nNome=S\n") << true << none;
        QTest::newRow("Windows-1252 name")
            << QByteArray("[Projeto]\nNome=Se\xe7\xe3o\n") << true << none;
        QTest::newRow("no file") << QByteArray("<none>") << true << int(ProjectFault::NotFound);
        QTest::newRow("empty file") << QByteArray() << true << int(ProjectFault::NoSection);
        QTest::newRow("other INI")
            << QByteArray("[Editor]\nFonte=Arial\n") << true << int(ProjectFault::NoSection);
        QTest::newRow("binary") << QByteArray("[Projeto]\nNome=\0\1\2", 18) << true
                                << int(ProjectFault::NotText);
        QTest::newRow("huge") << "[Projeto]\nNome=" + QByteArray(kMaxProjectFileSize, 'x') << true
                              << int(ProjectFault::TooLarge);
        QTest::newRow("main folder gone") << "[Projeto]\nPrincipal=" + site + "/sumiu\n"
                                          << true << int(ProjectFault::FolderMissing);
        QTest::newRow("image folder gone")
            << "[Projeto]\nPrincipal=" + site + "\nImagens=" + site + "/sumiu\n"
            << true << int(ProjectFault::FolderMissing);
        QTest::newRow("relative folder") << QByteArray("[Projeto]\nPrincipal=site\n") << true
                                         << int(ProjectFault::FolderNotFull);
        QTest::newRow("folder names a file") << "[Projeto]\nImagens=" + site + "/p.prj\n"
                                             << true << int(ProjectFault::FolderMissing);
        QTest::newRow("folders not checked for editing")
            << "[Projeto]\nPrincipal=" + site + "/sumiu\n"
            << false << none;
    }
    void checkProjectFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, checkFolders);
        QFETCH(int, fault);
        const QString file = path("p.prj");
        QFile::remove(file);
        if (bytes != "<none>") QVERIFY(WriteAll(file, bytes));
        const ProjectProblem problem = CheckProjectFile(file, checkFolders);
        QCOMPARE(int(problem.fault), fault);
        if (problem) {
            const QString text = ProjectProblemText(problem);
            QVERIFY(problem.value.isEmpty() ? text.contains(file) : text.contains(problem.value));
        }
    }

    void aFolderIsNoProjectFile() {
        QCOMPARE(CheckProjectFile(m_dir.path()).fault, ProjectFault::NotAFile);
        QCOMPARE(CheckProjectFile("/dev/null").fault, ProjectFault::NotAFile);
    }

    void checkForSave_data() {
        QTest::addColumn<QString>("mainFolder");
        QTest::addColumn<QStringList>("classes");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("inText");
        const QString site = m_dir.path();
        QTest::newRow("nothing but a name") << "" << QStringList{} << int(ProjectFault::None) << "";
        QTest::newRow("existing folder")
            << site << QStringList{"a"} << int(ProjectFault::None) << "";
        QTest::newRow("typed folder that is not there")
            << site + "/nova" << QStringList{} << int(ProjectFault::FolderMissing)
            << "pasta principal do site";
        QTest::newRow("relative folder")
            << "www" << QStringList{} << int(ProjectFault::FolderNotFull) << "caminho completo";
        // A longer list would come back cut when read.
        QTest::newRow("classes longer than a value")
            << "" << QStringList(QString(kMaxProjectValue + 1, 'c'))
            << int(ProjectFault::ValueTooLong) << "Classes pré-definidas";
        QTest::newRow("classes just fit")
            << "" << QStringList(QString(kMaxProjectValue, 'c')) << int(ProjectFault::None) << "";
    }
    void checkForSave() {
        QFETCH(QString, mainFolder);
        QFETCH(QStringList, classes);
        QFETCH(int, fault);
        QFETCH(QString, inText);
        const ProjectProblem problem = CheckProjectForSave(Project{"S", mainFolder, "", classes});
        QCOMPARE(int(problem.fault), fault);
        QVERIFY(ProjectProblemText(problem).contains(inText));
    }
};

QTEST_GUILESS_MAIN(tst_project_file)
#include "tst_project_file.moc"
