// A real Corvel process on its own X server (Xvfb), driven by xdotool: it
// opens a minified script of one 1,000,000-character line, goes to the end
// with Ctrl+End and types there, and stays responsive throughout. The
// auto-save's cache entry shows where the caret ended, and its temporary copy
// holds the line with the character at its end, not split anywhere.
#include "CacheIndex.h"
#include "FilesFixture.h"
#include "RealCorvel.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <csignal>

using namespace files_test;

namespace {

// Generous bounds for a loaded, shared machine; the benchmark holds the
// real targets.
constexpr int kOpenBoundMs = 30000;
constexpr int kEditBoundMs = 30000;

QByteArray MinifiedLine(int chars) {
    QByteArray out;
    for (int i = 0; out.size() < chars; ++i)
        out += "var a" + QByteArray::number(i % 97) + "=b(c," + QByteArray::number(i) + ");";
    out.truncate(chars);
    return out;
}

} // namespace

class TestLongLineProcess : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseControlLibrary(); }

    void millionCharacterLineStaysResponsive() {
        const QString missing = real_corvel::MissingTools();
        if (!missing.isEmpty()) QSKIP(qPrintable(missing));
        Home home;
        QDir().mkpath(home.dir.filePath(QStringLiteral("config/Corvel")));
        QDir().mkpath(home.dir.filePath(QStringLiteral("run")));
        QFile::setPermissions(home.dir.filePath(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        corvel::SetSettingsFileOverride(
            home.dir.filePath(QStringLiteral("config/Corvel/Corvel.ini")));
        ApplyDefaultSettings(true);
        for (const auto &[key, value] :
             {std::pair{"AutoSave", "1"}, std::pair{"Splash", "0"}, std::pair{"AutoColor", "0"}})
            WriteSetting(QStringLiteral("Configuracao"), QLatin1String(key), QLatin1String(value));
        const QString file = home.work(QStringLiteral("minificado.js"));
        const QByteArray line = MinifiedLine(1000000);
        QVERIFY(WriteBytes(file, line));

        real_corvel::XServer x;
        if (!x.start()) QSKIP("Xvfb could not start a display");
        real_corvel::Installation inst(home.dir.path());
        inst.setEnvironment(QStringLiteral("CORVEL_AUTOSAVE_MS"), QStringLiteral("300"));
        QVERIFY(inst.launch(x, {file}));
        QProcess &p = inst.process();

        // The large-file question, answered "Sim".
        const QString question = x.waitForWindow(QStringLiteral("Arquivo Grande"), kOpenBoundMs);
        QVERIFY2(!question.isEmpty(), "no large-file question");
        QVERIFY(x.focus(question));
        x.keys({QStringLiteral("alt+s")});
        QElapsedTimer step;
        step.start();
        QVERIFY2(inst.waitReady(x, QStringLiteral("minificado.js"), kOpenBoundMs),
                 "the document's window did not become ready");
        const qint64 openMs = step.elapsed();
        QVERIFY2(openMs < kOpenBoundMs, qPrintable(QStringLiteral("open took %1 ms").arg(openMs)));
        x.keys({QStringLiteral("ctrl+End"), QStringLiteral("Z")});

        // The auto-save records the caret after the typed character at the
        // end of the line, with the copy on disk.
        step.restart();
        const QString expected = QStringLiteral("%1,0,False").arg(line.size() + 1);
        QString copy;
        while (copy.isEmpty() && step.elapsed() < kEditBoundMs && p.state() == QProcess::Running) {
            QTest::qWait(100);
            for (const corvel::CacheEntry &e : corvel::ReadCacheIndex())
                if (e.file == file && e.configuration == expected && !e.copy.isEmpty() &&
                    QFileInfo::exists(home.docs() + e.copy))
                    copy = e.copy;
        }
        QString seen;
        for (const corvel::CacheEntry &e : corvel::ReadCacheIndex())
            seen += QStringLiteral(" [%1 | %2 | %3]").arg(e.file, e.configuration, e.copy);
        QVERIFY2(p.state() == QProcess::Running, "Corvel ended");
        QVERIFY2(!copy.isEmpty(), qPrintable(QStringLiteral("no auto-save with the caret at the "
                                                            "end within %1 ms; cache index:%2")
                                                 .arg(kEditBoundMs)
                                                 .arg(seen)));
        ::kill(pid_t(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished(10000));

        QCOMPARE(ReadBytes(file), line); // nothing saved over the file
        // The copy holds the line whole, the character at its end.
        ScriptedDialogs dialogs;
        auto m = LoadWindow();
        ICorvelEdit *ed = corvel::DocumentWithFile(*m, file);
        QVERIFY(ed);
        QCOMPARE(ed->Tamanho(), line.size() + 1);
        QVERIFY(ed->Texto() == QString::fromLatin1(line) + u'Z');
        QCOMPARE(ed->ContarLinhas(), 1);
    }
};

QTEST_MAIN(TestLongLineProcess)
#include "tst_long_line_process.moc"
