// The preview through the running program: F12 in a Corvel process on an X
// server of the test's own, with a stand-in browser program configured; and
// the internal browser started from the keyboard and closed with Corvel.
#include "RealCorvel.h"

#include <QtTest>

using real_corvel::ReadBytes;
using real_corvel::WaitFor;
using real_corvel::WriteBytes;

namespace {
void Set(const char *key, const QString &value) {
    WriteSetting(QStringLiteral("Configuracao"), QString::fromLatin1(key), value);
}
} // namespace

class tst_preview_process : public QObject {
    Q_OBJECT
    real_corvel::XServer x;

private slots:
    void initTestCase() {
        const QString missing = real_corvel::MissingTools();
        if (!missing.isEmpty()) QSKIP(qPrintable(missing));
        QVERIFY(x.start());
    }

    // F12 writes what was typed to the preview file and hands exactly its
    // path to the chosen browser.
    void f12WithAChosenBrowser() {
        real_corvel::Installation inst;
        const QString got = inst.work(QStringLiteral("args.txt"));
        const QString browser = inst.work(QStringLiteral("meu navegador"));
        QVERIFY(WriteBytes(browser, "#!/bin/sh\n{ echo \"$#\"; printf '%s\\n' \"$@\"; } > '" +
                                        QFile::encodeName(got) + "'\n"));
        QVERIFY(QFile::setPermissions(browser, QFile::ReadOwner | QFile::ExeOwner));
        Set("Preview", QStringLiteral("0"));
        Set("BrowserPadrao", QStringLiteral("0"));
        Set("CorvelBrowser", QStringLiteral("0"));
        Set("Browser", browser);
        QVERIFY(inst.start(x, {}));
        const QString preview = inst.path(QStringLiteral("prog/Docs/CorvelPreview.html"));
        // The typed text may take a moment to arrive: F12 again until the
        // preview holds it.
        x.xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"),
                   QStringLiteral("<p>ola mundo</p>")});
        bool written = false;
        for (int attempt = 0; attempt < 10 && !written && inst.running(); ++attempt) {
            QFile::remove(got);
            x.xdotool({QStringLiteral("key"), QStringLiteral("F12")});
            written = WaitFor([&] { return ReadBytes(preview) == "<p>ola mundo</p>"; }, 2000);
        }
        QVERIFY2(written, qPrintable(QString::fromUtf8(ReadBytes(preview)) + inst.errors()));
        QVERIFY(WaitFor([&] { return !ReadBytes(got).isEmpty(); }));
        QCOMPARE(QString::fromUtf8(ReadBytes(got)), QStringLiteral("1\n") + preview + "\n");
    }

    // Shift+Ctrl+F12 opens the internal browser on a blank page; Corvel's
    // exit closes it.
    void internalBrowserLivesWithCorvel() {
        if (!QFileInfo(qEnvironmentVariable("CORVEL_BIN_DIR") + QStringLiteral("/CorvelBrowser"))
                 .isExecutable())
            QSKIP("the internal browser is not built here (no Qt WebEngine)");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
        real_corvel::Installation inst;
        Set("BrowserPadrao", QStringLiteral("0"));
        Set("CorvelBrowser", QStringLiteral("1"));
        QVERIFY(inst.start(x, {}));
        const auto browserWindow = [&] {
            return x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                              QStringLiteral("--name"), QStringLiteral("^Corvel Browser$")});
        };
        x.xdotool({QStringLiteral("key"), QStringLiteral("shift+ctrl+F12")});
        QVERIFY2(WaitFor([&] { return !browserWindow().isEmpty(); }, 90000),
                 qPrintable(inst.errors()));
        QVERIFY(inst.running());
        // Corvel's exit command (Arquivo, Sair) on its window, which has no
        // unsaved file.
        const QString corvel =
            x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                       QStringLiteral("--name"), QStringLiteral("^Corvel [0-9]")})
                .section(QLatin1Char('\n'), 0, 0);
        QVERIFY(!corvel.isEmpty());
        for (int attempt = 0; attempt < 5 && inst.running(); ++attempt) {
            x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), corvel});
            x.xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("300"),
                       QStringLiteral("alt+a"), QStringLiteral("r")});
            WaitFor([&] { return !inst.running(); }, 5000);
        }
        QVERIFY(!inst.running());
        QVERIFY(WaitFor([&] { return browserWindow().isEmpty(); }, 15000));
        qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    }
};

QTEST_GUILESS_MAIN(tst_preview_process)
#include "tst_preview_process.moc"
