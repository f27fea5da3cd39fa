// A real Corvel process on an X server of its own (Xvfb), driven by xdotool:
// the shipped script lists reach the program folder at start, Shift+F9
// opens the JavaScript list, the typed shortcut chooses the template, its
// parameter is filled in, Enter inserts it, the typing goes on at the
// template's caret mark and F5 saves the file, checked on disk.
#include "RealCorvel.h"

#include <QtTest>

using namespace real_corvel;

class TestScriptsProcess : public QObject {
    Q_OBJECT
private slots:
    void insertingAScriptInARunningCorvel() {
        const QString missing = MissingTools();
        if (!missing.isEmpty()) QSKIP(qPrintable(missing));
        XServer x;
        if (!x.start()) QSKIP("Xvfb could not start a display");
        Installation corvel;
        const QString prog = corvel.prog();
        const QString file = corvel.work(QStringLiteral("pagina.js"));
        QVERIFY(WriteBytes(file, QByteArray()));
        QVERIFY2(corvel.start(x, {file}, QStringLiteral("pagina.js")), qPrintable(corvel.errors()));
        // The start copied the shipped lists into the program folder.
        for (const char *name : {"js.dat", "asp.dat", "php.dat"})
            QVERIFY(QFileInfo::exists(prog + QStringLiteral("/Scripts/") + QLatin1String(name)));

        x.keys({QStringLiteral("shift+F9")});
        const QString dialog = x.waitForWindow(QStringLiteral("^Scripts$"));
        QVERIFY2(!dialog.isEmpty(), "the scripts dialog did not open");
        QVERIFY(x.focus(dialog));
        x.type(QStringLiteral("if"));
        x.keys({QStringLiteral("Tab")});
        x.type(QStringLiteral("n > 0"));
        x.keys({QStringLiteral("Return")});
        // The dialog closes and the document takes the typing again.
        QVERIFY(WaitFor([&] { return x.windows(QStringLiteral("^Scripts$")).isEmpty(); }));
        corvel.type(x, QStringLiteral("total++;"));
        // F5 saves once the position timer has enabled the save command.
        const QByteArray expected = "if (n > 0) {\r\n   total++;\r\n}";
        QVERIFY2(corvel.saveUntil(x, file, [&](const QByteArray &b) { return b == expected; }),
                 ReadBytes(file).constData());
    }
};

QTEST_MAIN(TestScriptsProcess)
#include "tst_scripts_process.moc"
