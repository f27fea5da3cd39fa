// A real Corvel process on an X server of its own: typed text survives a
// kill that comes right after a pause in the typing, and a file that
// another program replaces while Corvel has it open is asked about (with
// unsaved edits) or reloaded (without), with the files checked on disk.
#include "CacheIndex.h"
#include "RealCorvel.h"

#include <QtTest>
#include <cstdio>

using namespace real_corvel;

namespace {

void ReplaceByRename(const QString &path, const QByteArray &bytes) {
    QVERIFY(WriteBytes(path + QStringLiteral(".tmp"), bytes));
    QVERIFY(::rename(QFile::encodeName(path + QStringLiteral(".tmp")).constData(),
                     QFile::encodeName(path).constData()) == 0);
}

QString CopyOf(Installation &inst, const QString &file) {
    for (const corvel::CacheEntry &e :
         corvel::ReadCacheIndex(inst.path(QStringLiteral("prog/Docs/DocsInfo.ini"))))
        if (e.file == file) return e.copy;
    return QString();
}

} // namespace

class TestDiskWatchProcess : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        const QString missing = MissingTools();
        if (!missing.isEmpty()) QSKIP(qPrintable(missing));
    }

    void crashAfterAPauseKeepsTheTypedText() {
        XServer x;
        QVERIFY(x.start());
        Installation inst;
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoSave"),
                     QStringLiteral("1"));
        const QString file = inst.work(QStringLiteral("pausa.html"));
        QVERIFY(WriteBytes(file, "<p>inicio</p>"));
        QVERIFY(inst.start(x, {file}, QStringLiteral("pausa.html")));
        QVERIFY(inst.probeInput(x, file));
        const QByteArray saved = ReadBytes(file);
        x.xdotool({QStringLiteral("key"), QStringLiteral("ctrl+End")});
        x.xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("60"),
                   QStringLiteral("digitado antes da pausa")});
        // The pause: the auto-save tick (a minute) cannot have run, only the
        // idle write.
        QTest::qWait(3000);
        inst.stop();
        QCOMPARE(ReadBytes(file), saved); // the user's file is not touched
        const QString copy = CopyOf(inst, file);
        QVERIFY(!copy.isEmpty());
        QVERIFY(ReadBytes(inst.path(QStringLiteral("prog/Docs/")) + copy)
                    .contains("digitado antes da pausa"));
        // The next start brings the text back; saving puts it in the file.
        QVERIFY(inst.start(x, {}, QStringLiteral("pausa.html")));
        QVERIFY(inst.saveUntil(
            x, file, [](const QByteArray &b) { return b.endsWith("Zdigitado antes da pausa"); }));
    }

    void fileChangedOutsideIsAskedOrReloaded() {
        XServer x;
        QVERIFY(x.start());
        Installation inst;
        const QString file = inst.work(QStringLiteral("externo.html"));
        QVERIFY(WriteBytes(file, "<p>inicio</p>"));
        QVERIFY(inst.start(x, {file}, QStringLiteral("externo.html")));
        QVERIFY(inst.probeInput(x, file));

        // Unsaved edits, then another program replaces the file: one
        // question; Enter takes its default, Corvel's version.
        x.xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("60"),
                   QStringLiteral("MEU")});
        QTest::qWait(500);
        ReplaceByRename(file, "<p>de fora</p>");
        QString box;
        QVERIFY(WaitFor([&] {
            box = x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                             QStringLiteral("--name"), QStringLiteral("Arquivo Alterado no Disco")})
                      .section(QLatin1Char('\n'), 0, 0);
            return !box.isEmpty();
        }));
        x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), box});
        x.xdotool({QStringLiteral("key"), QStringLiteral("Return")});
        QVERIFY(WaitFor([&] {
            return x
                .xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                          QStringLiteral("--name"), QStringLiteral("Arquivo Alterado no Disco")})
                .isEmpty();
        }));
        // Without a window manager the keyboard focus does not go back by
        // itself once the box is gone.
        const QString main = x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--name"), QStringLiteral("externo.html")})
                                 .section(QLatin1Char('\n'), 0, 0);
        QVERIFY(!main.isEmpty());
        x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), main});
        // The save then writes Corvel's text without asking again.
        QVERIFY2(inst.saveUntil(x, file, [](const QByteArray &b) { return b.endsWith("ZMEU"); }),
                 ReadBytes(file).constData());
        QVERIFY(!ReadBytes(file).contains("de fora"));

        // No unsaved edits: the document follows the file by itself.
        ReplaceByRename(file, "<p>de fora 2</p>");
        QTest::qWait(3000);
        x.xdotool({QStringLiteral("key"), QStringLiteral("ctrl+End"), QStringLiteral("Q")});
        QVERIFY2(
            inst.saveUntil(x, file, [](const QByteArray &b) { return b == "<p>de fora 2</p>Q"; }),
            ReadBytes(file).constData());
        QVERIFY(inst.running());
    }
};

QTEST_MAIN(TestDiskWatchProcess)
#include "tst_disk_watch_process.moc"
