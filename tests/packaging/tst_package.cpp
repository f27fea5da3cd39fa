// The Debian package made from the build: what it holds, what it depends on,
// whether its desktop entries and AppStream data validate, whether lintian
// finds errors, and whether the installed Corvel starts with a fresh home and
// finds its private files.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

struct Run {
    int code = -1;
    QString out;
};

Run RunTool(const QString &program, const QStringList &args, int timeoutMs = 300000,
            const QString &workDir = QString(), const QProcessEnvironment &env = {}) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (!workDir.isEmpty()) p.setWorkingDirectory(workDir);
    if (!env.isEmpty()) p.setProcessEnvironment(env);
    p.start(program, args);
    Run r;
    if (!p.waitForStarted() || !p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.out = QStringLiteral("did not finish: ") + program;
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAll());
    return r;
}

bool Have(const char *tool) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty();
}

} // namespace

class TestPackage : public QObject {
    Q_OBJECT
    QTemporaryDir work;
    QString deb;  // the package file
    QString root; // where it was unpacked

private slots:
    void initTestCase() {
#ifdef CORVEL_SANITIZED_BUILD
        QSKIP("the package is made from the release build, not the sanitizer build");
#endif
        if (!Have("cpack") || !Have("dpkg-deb") || !Have("dpkg-shlibdeps"))
            QSKIP("cpack, dpkg-deb and dpkg-shlibdeps are needed to build the package");
        QVERIFY(work.isValid());
        const Run made = RunTool(QStringLiteral("cpack"),
                                 {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"),
                                  work.filePath(QStringLiteral("out"))},
                                 600000, QStringLiteral(CORVEL_BUILD_DIR));
        QVERIFY2(made.code == 0, qPrintable(made.out));
        const QStringList debs = QDir(work.filePath(QStringLiteral("out")))
                                     .entryList({QStringLiteral("corvel_*.deb")}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        deb = work.filePath(QStringLiteral("out/") + debs.first());
        root = work.filePath(QStringLiteral("root"));
        const Run x = RunTool(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, root});
        QVERIFY2(x.code == 0, qPrintable(x.out));
    }

    void holdsTheInstallation_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("runnable");
        QTest::newRow("Corvel") << "usr/bin/Corvel" << true;
        QTest::newRow("Tessim") << "usr/bin/Tessim" << true;
        QTest::newRow("component") << "usr/lib/corvel/libCorvelControl.so" << false;
#ifdef CORVEL_HAS_INTERNAL_BROWSER
        QTest::newRow("internal browser") << "usr/lib/corvel/CorvelBrowser" << true;
#endif
        QTest::newRow("definitions") << "usr/share/corvel/Comandos" << false;
        QTest::newRow("scripts") << "usr/share/corvel/Scripts" << false;
        QTest::newRow("Corvel entry") << "usr/share/applications/example.corvel.Corvel.desktop"
                                      << false;
        QTest::newRow("Tessim entry") << "usr/share/applications/example.corvel.Tessim.desktop"
                                      << false;
        QTest::newRow("AppStream") << "usr/share/metainfo/example.corvel.Corvel.metainfo.xml"
                                   << false;
        QTest::newRow("copyright") << "usr/share/doc/corvel/copyright" << false;
        QTest::newRow("scalable icon") << "usr/share/icons/hicolor/scalable/apps/corvel.svg"
                                       << false;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            for (const char *name : {"corvel", "tessim"}) {
                const QString p = QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/%2.png")
                                      .arg(size)
                                      .arg(QLatin1String(name));
                QTest::newRow(qPrintable(p)) << p << false;
            }
    }

    void holdsTheInstallation() {
        QFETCH(QString, path);
        QFETCH(bool, runnable);
        const QFileInfo fi(root + QLatin1Char('/') + path);
        QVERIFY2(fi.exists(), qPrintable(path));
        if (runnable) QVERIFY(fi.isExecutable());
        if (fi.suffix() == QLatin1String("png")) {
            // The icon is the size its folder says.
            const QByteArray head = [&] {
                QFile f(fi.filePath());
                return f.open(QIODevice::ReadOnly) ? f.read(24) : QByteArray();
            }();
            QVERIFY(head.startsWith("\x89PNG"));
            const int width = (uchar(head[16]) << 24) | (uchar(head[17]) << 16) |
                              (uchar(head[18]) << 8) | uchar(head[19]);
            QCOMPARE(QString::number(width) + QLatin1Char('x') + QString::number(width),
                     fi.dir().path().section(QLatin1Char('/'), -2, -2));
        }
    }

    void nothingOfTheBuildTreeLeaksIn() {
        // No test programs, benchmarks or build paths in the package.
        QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next().mid(root.size());
            QVERIFY2(!f.contains(QLatin1String("tst_")) && !f.contains(QLatin1String("bench_")),
                     qPrintable(f));
        }
    }

    void dependenciesAreComputed() {
        const Run info = RunTool(QStringLiteral("dpkg-deb"),
                                 {QStringLiteral("-f"), deb, QStringLiteral("Depends")});
        QCOMPARE(info.code, 0);
        // Found by dpkg-shlibdeps in the programs, not written by hand.
        QVERIFY2(info.out.contains(QLatin1String("libc6")), qPrintable(info.out));
        QVERIFY2(info.out.contains(QLatin1String("libqt6widgets6")), qPrintable(info.out));
    }

    void entriesAndMetadataValidate_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        const QString apps = QStringLiteral("usr/share/applications/");
        QTest::newRow("Corvel entry") << "desktop-file-validate" << QStringList()
                                      << apps + "example.corvel.Corvel.desktop";
        QTest::newRow("Tessim entry") << "desktop-file-validate" << QStringList()
                                      << apps + "example.corvel.Tessim.desktop";
        QTest::newRow("AppStream") << "appstreamcli"
                                   << QStringList{QStringLiteral("validate"),
                                                  QStringLiteral("--no-net")}
                                   << "usr/share/metainfo/example.corvel.Corvel.metainfo.xml";
    }

    void entriesAndMetadataValidate() {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        if (!Have(qPrintable(tool))) QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
        const Run r = RunTool(tool, args << root + QLatin1Char('/') + file);
        QVERIFY2(r.code == 0, qPrintable(r.out));
        // The entries name programs the package holds, by their Portuguese names.
        if (file.endsWith(QLatin1String(".desktop"))) {
            QFile f(root + QLatin1Char('/') + file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(f.readAll());
            const QString exec = QRegularExpression(QStringLiteral("^Exec=(\\S+)"),
                                                    QRegularExpression::MultilineOption)
                                     .match(text)
                                     .captured(1);
            QVERIFY(QFileInfo(root + QStringLiteral("/usr/bin/") + exec).isExecutable());
            QVERIFY(text.contains(QLatin1String("Categories=Development;WebDevelopment;TextEditor;Qt;")));
            QVERIFY(text.contains(QLatin1String("MimeType=text/html;application/xhtml+xml;")));
        }
    }

    void lintianFindsNoError() {
        if (!Have("lintian")) QSKIP("lintian is not installed");
        const Run r = RunTool(QStringLiteral("lintian"),
                              {QStringLiteral("--allow-root"), QStringLiteral("--no-tag-display-limit"),
                               deb},
                              600000);
        const QStringList errors =
            r.out.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^E: ")));
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
    }

    void installedProgramStartsWithAFreshHome() {
        QTemporaryDir home;
        QProcessEnvironment env;
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("PATH"), root + QStringLiteral("/usr/bin:/usr/bin:/bin"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcess corvel;
        corvel.setProcessEnvironment(env);
        corvel.setProcessChannelMode(QProcess::MergedChannels);
        corvel.start(root + QStringLiteral("/usr/bin/Corvel"), {});
        QVERIFY(corvel.waitForStarted());
        // The user's program folder is made and the shipped definitions are
        // copied there from share/corvel: the program found its data.
        const QString folder = home.path() + QStringLiteral("/.local/share/Corvel");
        QElapsedTimer t;
        t.start();
        while (QDir(folder + QStringLiteral("/Comandos")).isEmpty(QDir::Files) &&
               corvel.state() == QProcess::Running && t.elapsed() < 30000)
            QTest::qWait(100);
        QVERIFY2(corvel.state() == QProcess::Running, corvel.readAll().constData());
        QVERIFY(QDir(folder + QStringLiteral("/Comandos")).count() > 2);
        QVERIFY(QFileInfo(folder + QStringLiteral("/Docs")).isDir());
        ::kill(pid_t(corvel.processId()), SIGTERM);
        QVERIFY(corvel.waitForFinished(20000));
        QVERIFY2(corvel.exitStatus() == QProcess::NormalExit, corvel.readAll().constData());
        // Nothing was written into the installation itself.
        QVERIFY(!QFileInfo::exists(root + QStringLiteral("/usr/bin/Docs")));
        QVERIFY(!QFileInfo::exists(root + QStringLiteral("/usr/share/corvel/Docs")));
    }
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
