// The "Abrir com" entries: the Exec quoting reads back every path, the files
// written pass the desktop's own validator, and removal (also with all the
// settings) leaves nothing behind.
#include "DesktopEntries.h"
#include "Settings.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvel;

namespace {
QString Validate(const QString &file) {
    QProcess p;
    p.start(QStringLiteral("desktop-file-validate"), {file});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).trimmed() +
           (p.exitCode() == 0 ? QString() : QStringLiteral(" (exit %1)").arg(p.exitCode()));
}
} // namespace

class tst_desktop_entries : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    void useDataHome(const QString &path) { qputenv("XDG_DATA_HOME", path.toUtf8()); }

private slots:
    void init() {
        useDataHome(m_dir.filePath("data"));
        SetSettingsFileOverride(m_dir.filePath("Corvel.ini"));
    }

    void execArgumentReadsBack_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "/opt/corvel/Corvel";
        QTest::newRow("blanks") << "/home/ana/Meus Programas/Corvel";
        QTest::newRow("quote") << "/tmp/a\"b/Corvel";
        QTest::newRow("dollar and backtick") << "/tmp/$HOME`id`/Corvel";
        QTest::newRow("backslash") << "/tmp/a\\b/Corvel";
        QTest::newRow("percent") << "/tmp/100%f/Corvel";
        QTest::newRow("accents and symbols") << "/tmp/Edição & (cópia); 'x'/Corvel";
    }
    void execArgumentReadsBack() {
        QFETCH(QString, path);
        const QString arg = DesktopExecArgument(path);
        QVERIFY(arg.startsWith('"'));
        QCOMPARE(DesktopExecProgram(arg + " %f"), path);
        // The whole entry reads back too.
        useDataHome(m_dir.filePath("quoting"));
        QVERIFY(InstallDesktopEntry(DesktopEntry::EditWithCorvel, path));
        QCOMPARE(DesktopEntryProgram(DesktopEntry::EditWithCorvel), path);
        if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty())
            QCOMPARE(Validate(DesktopEntryPath(DesktopEntry::EditWithCorvel)), QString());
    }

    void unusablePaths_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("line break") << "/tmp/a\nb/Corvel";
        QTest::newRow("tab") << "/tmp/a\tb/Corvel";
        QTest::newRow("relative") << "bin/Corvel";
        QTest::newRow("empty") << "";
    }
    void unusablePaths() {
        QFETCH(QString, path);
        QCOMPARE(DesktopEntryText(DesktopEntry::EditWithCorvel, path), QString());
        QString error;
        QVERIFY(!InstallDesktopEntry(DesktopEntry::EditWithCorvel, path, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!DesktopEntryInstalled(DesktopEntry::EditWithCorvel));
    }

    void execValuesWrittenByHand_data() {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("program");
        QTest::newRow("unquoted") << "/usr/bin/tessim %f"
                                  << "/usr/bin/tessim";
        QTest::newRow("unquoted alone") << "tessim"
                                        << "tessim";
        QTest::newRow("quoted with four backslashes") << "\"/a\\\\\\\\b\" %U"
                                                      << "/a\\b";
        QTest::newRow("no closing quote") << "\"/usr/bin/x %f"
                                          << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void execValuesWrittenByHand() {
        QFETCH(QString, exec);
        QFETCH(QString, program);
        QCOMPARE(DesktopExecProgram(exec), program);
    }

    void folderFollowsDataHome_data() {
        QTest::addColumn<QString>("dataHome");
        QTest::addColumn<QString>("folder");
        QTest::newRow("set") << "/x/dados/"
                             << "/x/dados/applications";
        QTest::newRow("unset") << "" << QDir::homePath() + "/.local/share/applications";
        QTest::newRow("relative is ignored")
            << "dados" << QDir::homePath() + "/.local/share/applications";
    }
    void folderFollowsDataHome() {
        QFETCH(QString, dataHome);
        QFETCH(QString, folder);
        useDataHome(dataHome);
        QCOMPARE(DesktopEntriesFolder(), folder);
        QCOMPARE(DesktopEntryPath(DesktopEntry::TessimSource), folder + "/corvel-tessim.desktop");
    }

    void createdValidatedAndRemoved_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("name");
        QTest::newRow("Corvel") << int(DesktopEntry::EditWithCorvel) << "Name=Editar com o Corvel";
        QTest::newRow("Tessim") << int(DesktopEntry::TessimSource)
                                << "Name=Ver o código-fonte no Tessim";
    }
    void createdValidatedAndRemoved() {
        QFETCH(int, entry);
        QFETCH(QString, name);
        const auto e = DesktopEntry(entry);
        const QString program = m_dir.filePath("Meu Corvel/bin/Programa");
        QVERIFY(!DesktopEntryInstalled(e));
        QVERIFY(InstallDesktopEntry(e, program));
        const QString path = DesktopEntryPath(e);
        QVERIFY(path.startsWith(m_dir.filePath("data/applications/")));
        QVERIFY(DesktopEntryInstalled(e));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains(name + "\n"));
        QVERIFY(text.contains("\nMimeType=text/html;application/xhtml+xml;\n"));
        QCOMPARE(DesktopEntryProgram(e), program);
        if (QStandardPaths::findExecutable("desktop-file-validate").isEmpty())
            qInfo("desktop-file-validate is not installed: the entry is not validated");
        else
            QCOMPARE(Validate(path), QString());
        QVERIFY(RemoveDesktopEntry(e));
        QVERIFY(!QFile::exists(path));
        QVERIFY(RemoveDesktopEntry(e)); // nothing left to remove
        QCOMPARE(DesktopEntryProgram(e), QString());
    }

    void unwritableFolderIsReported() {
        QFile blocker(m_dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        useDataHome(m_dir.filePath("blocker"));
        QString error;
        QVERIFY(!InstallDesktopEntry(DesktopEntry::EditWithCorvel, "/usr/bin/Corvel", &error));
        QVERIFY(error.contains("blocker"));
    }

    void removingAllSettingsRemovesBothEntries() {
        ApplyDefaultSettings(true);
        QVERIFY(InstallDesktopEntry(DesktopEntry::EditWithCorvel, "/opt/Corvel"));
        QVERIFY(InstallDesktopEntry(DesktopEntry::TessimSource, "/opt/Tessim"));
        // Someone else's entry in the same folder stays.
        QFile other(DesktopEntriesFolder() + "/outro.desktop");
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();
        RemoveAllSettings();
        QCOMPARE(ReadSetting("Configuracao", "Splash"), QString());
        QVERIFY(!DesktopEntryInstalled(DesktopEntry::EditWithCorvel));
        QVERIFY(!DesktopEntryInstalled(DesktopEntry::TessimSource));
        QVERIFY(other.exists());
        RemoveAllSettings(); // again, with nothing to find
    }
};

QTEST_GUILESS_MAIN(tst_desktop_entries)
#include "tst_desktop_entries.moc"
