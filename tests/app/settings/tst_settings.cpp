#include "Folders.h"
#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void init() {
        QFile::remove(dir.filePath("Corvel.ini"));
        corvel::SetSettingsFileOverride(dir.filePath("Corvel.ini"));
        corvel::SetProgramFolderOverride(dir.filePath("prog"));
    }

    void freshUserGetsEveryDefault() {
        ApplyDefaultSettings(false);
        int n = 0;
        const corvel::DefaultSetting *table = corvel::DefaultSettings(&n);
        QCOMPARE(n, 62);
        for (int i = 0; i < n; ++i) {
            const QString expected =
                table[i].value ? QString::fromUtf8(table[i].value) : dir.filePath("prog");
            QCOMPARE(ReadSetting(table[i].section, table[i].key), expected);
        }
        QCOMPARE(ReadSetting("Configuracao", "Usuario"), QString());
        QCOMPARE(ReadSetting("Historico", "Arquivo1"), QString());
        QCOMPARE(ReadSetting("Editor", "ClrzTag"), QString("16711680"));
        QCOMPARE(ReadSetting("Configuracao", "Quebra"), QString("1000000"));
    }

    void emptyKeyRefilledUserValueKept() {
        ApplyDefaultSettings(false);
        WriteSetting("Configuracao", "AutoSave", "");
        WriteSetting("Configuracao", "Splash", "0");
        ApplyDefaultSettings(false);
        QCOMPARE(ReadSetting("Configuracao", "AutoSave"), QString("5"));
        QCOMPARE(ReadSetting("Configuracao", "Splash"), QString("0"));
    }

    void forcedDefaultsLeaveUnlistedKeys() {
        ApplyDefaultSettings(false);
        WriteSetting("Configuracao", "Splash", "0");
        WriteSetting("Configuracao", "Usuario", "Maria");
        WriteSetting("Historico", "Arquivo1", "/tmp/a.html");
        WriteSetting("Pasta Base", "Caminho1", "/srv/site");
        ApplyDefaultSettings(true);
        QCOMPARE(ReadSetting("Configuracao", "Splash"), QString("1"));
        QCOMPARE(ReadSetting("Configuracao", "Usuario"), QString("Maria"));
        QCOMPARE(ReadSetting("Historico", "Arquivo1"), QString("/tmp/a.html"));
        QCOMPARE(ReadSetting("Pasta Base", "Caminho1"), QString("/srv/site"));
    }

    void keysMatchInAnyCase() {
        WriteSetting("Configuracao", "TABLE", "2");
        QCOMPARE(ReadSetting("configuracao", "Table"), QString("2"));
        WriteSetting("CONFIGURACAO", "table", "0");
        QCOMPARE(ReadSetting("Configuracao", "TABLE"), QString("0"));
        QFile f(corvel::SettingsFilePath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().toLower().count("table="), 1); // one key, not two
    }

    void valuesRoundTripExactly_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("blanks") << QString("  lead and trail  ");
        QTest::newRow("tab") << QString("\tx\t");
        QTest::newRow("commas") << QString("a,b,,c");
        QTest::newRow("quotes") << QString("\"quoted\"");
        QTest::newRow("lone quote") << QString("\"");
        QTest::newRow("separator") << QString("find<#>replace<#>");
        QTest::newRow("percent") << QString("100% %1 %%");
        QTest::newRow("backslashes") << QString("C:\\Pasta\\arq.html\\");
        QTest::newRow("escape look-alike") << QString("\\n is not a break");
        QTest::newRow("non-ascii") << QString::fromUtf8("ação € 日本");
        QTest::newRow("equals and brackets") << QString("[x]=y;z");
        QTest::newRow("empty") << QString();
    }
    void valuesRoundTripExactly() {
        QFETCH(QString, value);
        QVERIFY(WriteSetting("Teste", "Valor", value));
        corvel::SetSettingsFileOverride(corvel::SettingsFilePath()); // drop the cache
        QCOMPARE(ReadSetting("Teste", "Valor"), value);
    }

    void storeSurvivesAnotherWriter() {
        WriteSetting("S", "k", "1");
        // Another process rewrites the store; the next read sees it.
        QTest::qWait(20);
        QFile f(corvel::SettingsFilePath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[S]\nk=2 \n");
        f.close();
        QCOMPARE(ReadSetting("S", "k"), QString("2"));
    }

    void removeAllSettings() {
        ApplyDefaultSettings(false);
        RemoveAllSettings();
        QCOMPARE(ReadSetting("Configuracao", "Splash"), QString());
        QVERIFY(!QFile::exists(corvel::SettingsFilePath()));
    }

    void lenientNumbers() {
        QCOMPARE(corvel::SettingNumber("12"), 12LL);
        QCOMPARE(corvel::SettingNumber(" 7abc"), 7LL);
        QCOMPARE(corvel::SettingNumber("abc"), 0LL);
        QCOMPARE(corvel::SettingNumber("-3"), -3LL);
        QCOMPARE(corvel::SettingNumber(""), 0LL);
    }

    // The store holds the history of opened paths: 0600 in a 0700 folder.
    void storeIsPrivate() {
        const QString nested = dir.filePath("cfg/Corvel/Corvel.ini");
        corvel::SetSettingsFileOverride(nested);
        QVERIFY(WriteSetting("Historico", "Arquivo1", "/home/x/segredo.html"));
        QCOMPARE(QFileInfo(nested).permissions() & 0x0077, QFile::Permissions());
        QCOMPARE(QFileInfo(dir.filePath("cfg/Corvel")).permissions() & 0x0077,
                 QFile::Permissions());

        // An old store readable by everyone becomes private at the next write.
        const QString open = dir.filePath("aberto.ini");
        {
            QFile f(open);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[Configuracao]\nSplash=1\n");
        }
        QFile::setPermissions(open, QFile::Permissions(0x6644));
        corvel::SetSettingsFileOverride(open);
        QVERIFY(WriteSetting("Configuracao", "Splash", "0"));
        QCOMPARE(QFileInfo(open).permissions() & 0x0077, QFile::Permissions());
        QCOMPARE(ReadSetting("Configuracao", "Splash"), QString("0"));
    }

    void usualStoreFolderIsMadePrivate() {
        // The store's own folder in the configuration folder, left open by
        // an older version, is closed; the configuration folder is not.
        const QString config = dir.filePath("xdg");
        QVERIFY(QDir().mkpath(config + "/Corvel"));
        QFile::setPermissions(config, QFile::Permissions(0x7755));
        QFile::setPermissions(config + "/Corvel", QFile::Permissions(0x7755));
        const QByteArray before = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
        corvel::SetSettingsFileOverride(QString());
        const bool wrote = WriteSetting("Configuracao", "Splash", "1");
        qputenv("XDG_CONFIG_HOME", before);
        corvel::SetSettingsFileOverride(dir.filePath("Corvel.ini"));
        QVERIFY(wrote);
        QCOMPARE(QFileInfo(config + "/Corvel").permissions() & 0x0077, QFile::Permissions());
        QCOMPARE(QFileInfo(config + "/Corvel/Corvel.ini").permissions() & 0x0077,
                 QFile::Permissions());
        QCOMPARE(QFileInfo(config).permissions() & 0x0077, QFile::Permissions(0x0055));
    }

    void programFolders() {
        QVERIFY(corvel::EnsureProgramFolders());
        for (const char *sub : {"Docs", "Scripts", "Comandos", "Projetos"})
            QVERIFY(QFileInfo(dir.filePath("prog/") + sub).isDir());
        QCOMPARE(QFileInfo(dir.filePath("prog/Docs")).permissions() & 0x0077, QFile::Permissions());
        QCOMPARE(corvel::CacheIndexPath(), dir.filePath("prog/Docs/DocsInfo.ini"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
