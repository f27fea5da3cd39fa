// The options dialog typed into a real Corvel process: F11 opens "Opções",
// each option is written to Corvel.ini (and the desktop entry to disk) the
// moment it changes, Escape closes, and the page shown last comes back unless
// it was "Comandos".
#include "DesktopEntries.h"
#include "RealCorvel.h"

#include <QtTest>

using namespace real_corvel;

class tst_options_process : public QObject {
    Q_OBJECT
    XServer x;
    QString skipWhy;

    // Opens the dialog from the main window and gives it the keyboard.
    QString openOptions() {
        const QString main =
            x.xdotool({"search", "--onlyvisible", "--name", "Corvel"}).section('\n', 0, 0);
        if (main.isEmpty()) return QString();
        x.xdotool({"windowfocus", "--sync", main});
        x.xdotool({"key", "F11"});
        QString dialog;
        WaitFor(
            [&] {
                dialog =
                    x.xdotool({"search", "--onlyvisible", "--name", "Opções"}).section('\n', 0, 0);
                return !dialog.isEmpty();
            },
            10000);
        if (!dialog.isEmpty()) x.xdotool({"windowfocus", "--sync", dialog});
        QTest::qWait(200);
        return dialog;
    }
    bool closeOptions() {
        x.xdotool({"key", "Escape"});
        return WaitFor(
            [&] {
                return x.xdotool({"search", "--onlyvisible", "--name", "Opções"}).isEmpty();
            },
            10000);
    }
    static bool SettingIs(const char *key, const char *value) {
        return WaitFor([&] { return ReadSetting("Configuracao", key) == QLatin1String(value); },
                       10000);
    }

private slots:
    void initTestCase() {
        skipWhy = MissingTools();
        if (skipWhy.isEmpty() && !x.start()) skipWhy = QStringLiteral("Xvfb could not start");
    }

    void optionsWrittenAtOnce() {
        if (!skipWhy.isEmpty()) QSKIP(qPrintable(skipWhy));
        Installation home;
        qputenv("XDG_DATA_HOME", home.path("data").toUtf8());
        QVERIFY2(home.start(x, {}), qPrintable(home.errors()));

        // Page "Geral": the first option (the splash, off in this
        // installation), then the desktop integration.
        QCOMPARE(ReadSetting("Configuracao", "Splash"), QString("0"));
        QVERIFY(!openOptions().isEmpty());
        QCOMPARE(ReadSetting("Configuracao", "OptUltTab"), QString("0"));
        x.xdotool({"key", "space"});
        QVERIFY2(SettingIs("Splash", "1"), "the splash option was not written");
        x.xdotool({"key", "--delay", "100", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab",
                   "space"});
        using corvel::DesktopEntry;
        QVERIFY(
            WaitFor([] { return corvel::DesktopEntryInstalled(DesktopEntry::EditWithCorvel); }));
        QCOMPARE(corvel::DesktopEntryProgram(DesktopEntry::EditWithCorvel), Program());
        if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty())
            QCOMPARE(QProcess::execute("desktop-file-validate",
                                       {corvel::DesktopEntryPath(DesktopEntry::EditWithCorvel)}),
                     0);
        // On to "Preview", then closed with Escape.
        x.xdotool({"key", "--delay", "100", "ctrl+Tab", "ctrl+Tab"});
        QVERIFY(SettingIs("OptUltTab", "2"));
        QVERIFY(closeOptions());

        // It reopens on "Preview": the first option there is the preview of
        // the text on screen.
        QVERIFY(!openOptions().isEmpty());
        x.xdotool({"key", "space"});
        QVERIFY2(SettingIs("Preview", "0"), "the dialog did not reopen on Preview");
        x.xdotool({"key", "ctrl+Tab"});
        QVERIFY(SettingIs("OptUltTab", "3"));
        QVERIFY(closeOptions());

        // Closed on "Comandos", it reopens on "Geral": the same keys now take
        // the desktop integration away.
        QVERIFY(!openOptions().isEmpty());
        x.xdotool({"key", "--delay", "100", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab",
                   "space"});
        QVERIFY(
            WaitFor([] { return !corvel::DesktopEntryInstalled(DesktopEntry::EditWithCorvel); }));
        QVERIFY(closeOptions());
        QVERIFY(home.running());
        QCOMPARE(ReadSetting("Configuracao", "Splash"), QString("1"));
    }
};

QTEST_MAIN(tst_options_process)
#include "tst_options_process.moc"
