// Project files: the class list encoding, writing a new project over an old
// file and updating the one in use, and the checks that keep a damaged,
// oversized or outdated project from being used or saved.
#include "ProjectFile.h"
#include "ProjectRules.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvel;
Q_DECLARE_METATYPE(ProjectFault)

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
    const QString m_file = m_dir.filePath("p.prj");

private slots:
    void classes_data() {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("readBack");
        QTest::newRow("comma inside an item") << QStringList{"a,b"} << "ab" << QStringList{"ab"};
        QTest::newRow("blanks around")
            << QStringList{"  x  ", "y"} << "x,y" << QStringList{"x", "y"};
        QTest::newRow("blanks left by the comma")
            << QStringList{" a , b "} << "a  b" << QStringList{"a  b"};
        QTest::newRow("empty items keep their place")
            << QStringList{"a", "", "b", " "} << "a,,b," << QStringList{"a", "", "b", ""};
        QTest::newRow("no items: no classes") << QStringList{} << "" << QStringList{};
    }
    void classes() {
        QFETCH(QStringList, items);
        QFETCH(QString, stored);
        QFETCH(QStringList, readBack);
        QCOMPARE(EncodeClasses(items), stored);
        QCOMPARE(DecodeClasses(stored), readBack);
    }

    // A new project replaces what the chosen file held (old classes must not
    // become the new project's); the project in use is updated in place, and
    // an emptied class list clears its key.
    void write_data() {
        QTest::addColumn<bool>("update");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new project")
            << false << QByteArray("[Projeto]\nNome=Novo\nPrincipal=\nImagens=\n");
        QTest::newRow("project in use")
            << true
            << QByteArray("; notas\r\n[Projeto]\r\nNome=Novo\r\nPrincipal=\r\nImagens=\r\n"
                          "[Outra]\r\nx=1\r\n");
    }
    void write() {
        QFETCH(bool, update);
        QFETCH(QByteArray, after);
        QVERIFY(WriteAll(m_file, "; notas\r\n[Projeto]\r\nNome=Velho\r\nClasses=a,b\r\n"
                                 "[Outra]\r\nx=1\r\n"));
        QVERIFY(WriteProject(m_file, Project{" Novo ", "", "", {}},
                             update ? ProjectWrite::Update : ProjectWrite::Replace));
        QCOMPARE(ReadAll(m_file), after);
    }

    // A key written twice in the file reads as its first line; saving the
    // project back keeps what was read, and an emptied class list does not
    // bring back the second line's classes.
    void duplicateKeysSaveWhatWasRead_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QStringList>("classes");
        QTest::newRow("first classes empty")
            << QByteArray("[Projeto]\nNome=P\nClasses=\nClasses=a,b\n") << QStringList();
        QTest::newRow("both hold classes")
            << QByteArray("[Projeto]\nClasses=x\nNome=P\nClasses=a,b\n") << QStringList{"x"};
    }
    void duplicateKeysSaveWhatWasRead() {
        QFETCH(QByteArray, before);
        QFETCH(QStringList, classes);
        QVERIFY(WriteAll(m_file, before));
        const Project read = ReadProject(m_file);
        QCOMPARE(read.classes, classes);
        QVERIFY(WriteProject(m_file, read, ProjectWrite::Update));
        QCOMPARE(ReadProject(m_file).classes, classes);
        Project emptied = read;
        emptied.classes.clear();
        QVERIFY(WriteProject(m_file, emptied, ProjectWrite::Update));
        QCOMPARE(ReadProject(m_file).classes, QStringList());
        QVERIFY(!ReadAll(m_file).contains("Classes"));
    }

    void writtenValuesReadBack() {
        // Line breaks would start new keys: they become blanks.
        QVERIFY(WriteProject(m_file,
                             Project{"a\n[Projeto]\nPrincipal=/etc", "/var/www", "", {"x\ry"}},
                             ProjectWrite::Replace));
        const Project back = ReadProject(m_file);
        QCOMPARE(back.name, QString("a [Projeto] Principal=/etc"));
        QCOMPARE(back.mainFolder, QString("/var/www"));
        QCOMPARE(back.classes, QStringList({"x y"}));
    }

    void failedWriteIsReported() {
        // The target is a folder: nothing can replace it, and it stays.
        QVERIFY(QDir().mkpath(m_dir.filePath("pasta.prj/dentro")));
        QString error;
        QVERIFY(
            !WriteProject(m_dir.filePath("pasta.prj"), Project{}, ProjectWrite::Replace, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(m_dir.filePath("pasta.prj/dentro")).isDir());
    }

    void checkProjectFile_data() {
        QTest::addColumn<QByteArray>("bytes"); // "<none>": no file
        QTest::addColumn<bool>("checkFolders");
        QTest::addColumn<ProjectFault>("fault");
        const QByteArray site = m_dir.path().toUtf8();
        const ProjectFault none = ProjectFault::None;
        QTest::newRow("usable") << "[Projeto]\nPrincipal=" + site + "\n" << true << none;
        QTest::newRow("without Principal") << QByteArray("[projeto]\nNome=S\n") << true << none;
        QTest::newRow("Windows-1252")
            << QByteArray("[Projeto]\nNome=Se\xe7\xe3o\n") << true << none;
        QTest::newRow("no file") << QByteArray("<none>") << true << ProjectFault::NotFound;
        QTest::newRow("other INI")
            << QByteArray("[Editor]\nx=1\n") << true << ProjectFault::NoSection;
        QTest::newRow("binary") << QByteArray("[Projeto]\n\0\1", 12) << true
                                << ProjectFault::NotText;
        QTest::newRow("huge") << "[Projeto]\n" + QByteArray(kMaxProjectFileSize, ';') << true
                              << ProjectFault::TooLarge;
        QTest::newRow("image folder gone") << "[Projeto]\nImagens=" + site + "/x\n"
                                           << true << ProjectFault::FolderMissing;
        QTest::newRow("folder names a file") << "[Projeto]\nPrincipal=" + site + "/p.prj\n"
                                             << true << ProjectFault::FolderMissing;
        QTest::newRow("relative folder")
            << QByteArray("[Projeto]\nPrincipal=site\n") << true << ProjectFault::FolderNotFull;
        QTest::newRow("folders left to the editing") << "[Projeto]\nPrincipal=" + site + "/x\n"
                                                     << false << none;
    }
    void checkProjectFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, checkFolders);
        QFETCH(ProjectFault, fault);
        QFile::remove(m_file);
        if (bytes != "<none>") QVERIFY(WriteAll(m_file, bytes));
        const ProjectProblem problem = CheckProjectFile(m_file, checkFolders);
        QCOMPARE(problem.fault, fault);
        // The message names what is wrong: the folder, else the file.
        if (problem)
            QVERIFY(ProjectProblemText(problem).contains(problem.value.isEmpty() ? m_file
                                                                                 : problem.value));
        QCOMPARE(CheckProjectFile("/dev/null").fault, ProjectFault::NotAFile);
    }

    void checkForSave_data() {
        QTest::addColumn<QString>("mainFolder");
        QTest::addColumn<int>("classLength");
        QTest::addColumn<QString>("inText"); // "": accepted
        QTest::newRow("existing folder") << m_dir.path() << kMaxProjectValue << "";
        QTest::newRow("typed folder not there") << m_dir.path() + "/n" << 1 << "pasta principal";
        QTest::newRow("relative folder") << "www" << 1 << "caminho completo";
        // A longer list would come back cut when read.
        QTest::newRow("classes too long") << "" << kMaxProjectValue + 1 << "Classes pré-definidas";
    }
    void checkForSave() {
        QFETCH(QString, mainFolder);
        QFETCH(int, classLength);
        QFETCH(QString, inText);
        const ProjectProblem p =
            CheckProjectForSave(Project{"S", mainFolder, "", {QString(classLength, 'c')}});
        QCOMPARE(bool(p), !inText.isEmpty());
        QVERIFY(ProjectProblemText(p).contains(inText));
    }
};

QTEST_GUILESS_MAIN(tst_project_file)
#include "tst_project_file.moc"
