// The internal browser program itself, on an X server of the test's own:
// it shows a page, reports it, drops a navigation while loading, reloads,
// and closes cleanly when told to or when Corvel goes away.
#include "BrowserProtocol.h"
#include "RealCorvel.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

using corvel::browser::Message;
using real_corvel::WaitFor;
using real_corvel::WriteBytes;

namespace {

QString Helper() {
    return qEnvironmentVariable("CORVEL_BIN_DIR") + QStringLiteral("/CorvelBrowser");
}

// One running browser program and what it said.
class Browser {
public:
    bool start(const QString &display) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // No sandbox for a root user, no GPU on the virtual screen.
        env.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"),
                   QStringLiteral("--no-sandbox --disable-gpu"));
        m_process.setProcessEnvironment(env);
        m_process.start(Helper(), {});
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_process,
                         [this] { m_events += m_reader.feed(m_process.readAllStandardOutput()); });
        QObject::connect(&m_process, &QProcess::readyReadStandardError, &m_process, [this] {
            m_errors += m_process.readAllStandardError();
            if (m_errors.size() > 8192) m_errors = m_errors.right(8192);
        });
        QElapsedTimer clock;
        clock.start();
        const bool ok = m_process.waitForStarted() && waitFor(QStringLiteral("Pronto"), 90000);
        m_startMs = clock.elapsed();
        return ok;
    }
    // What to print when a start failed: how long it waited, how the program
    // stands, what it said on either channel.
    QString why() const {
        QStringList names;
        for (const Message &m : m_events)
            names << m.name;
        return QStringLiteral("after %1 ms; %2, exit code %3; events [%4]; error output:\n%5")
            .arg(m_startMs)
            .arg(running() ? QStringLiteral("still running") : QStringLiteral("ended"))
            .arg(m_process.exitCode())
            .arg(names.join(QLatin1Char(' ')), QString::fromLocal8Bit(m_errors));
    }
    // Ended as Corvel ends it: its input closes; killed only if it stays.
    ~Browser() {
        if (m_process.state() == QProcess::NotRunning) return;
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(15000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    void send(const QByteArray &lines) { m_process.write(lines); }
    bool waitFor(const QString &name, int ms = 30000) {
        return WaitFor([&] { return count(name) > 0 || !running(); }, ms) && count(name) > 0;
    }
    int count(const QString &name) const {
        int n = 0;
        for (const Message &m : m_events)
            n += m.name == name;
        return n;
    }
    QStringList complete() const {
        QStringList a;
        for (const Message &m : m_events)
            if (m.name == QLatin1String("DocumentComplete")) a << m.arg(0);
        return a;
    }
    QList<Message> events() const { return m_events; }
    bool running() const { return m_process.state() == QProcess::Running; }
    QProcess &process() { return m_process; }

private:
    QProcess m_process;
    corvel::browser::MessageReader m_reader;
    QList<Message> m_events;
    QByteArray m_errors;
    qint64 m_startMs = 0;
};

} // namespace

class tst_browser_helper : public QObject {
    Q_OBJECT
    real_corvel::XServer x;
    QTemporaryDir dir;

    QString page(const QString &name, const QByteArray &body) {
        const QString path = dir.filePath(name);
        WriteBytes(path, "<html><head><title>Título da página</title></head><body>" + body +
                             "</body></html>");
        return path;
    }

private slots:
    void initTestCase() {
        if (!QFileInfo(Helper()).isExecutable())
            QSKIP("the internal browser is not built here (no Qt WebEngine)");
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("Xvfb and xdotool are needed to show the browser");
        QVERIFY(x.start());
    }

    void showsReloadsAndCloses() {
        Browser b;
        QVERIFY2(b.start(x.display()), qPrintable(b.why()));
        const QString first = page(QStringLiteral("um dois \"três\" $x.html"), "<p>um</p>");
        const QString second = page(QStringLiteral("segunda.html"), "<p>dois</p>");
        // Both at once: the second arrives while the first still loads.
        b.send(corvel::browser::Encode(QStringLiteral("URLBar"), {QStringLiteral("0")}) +
               corvel::browser::Encode(QStringLiteral("URL"), {first}) +
               corvel::browser::Encode(QStringLiteral("URL"), {second}));
        QVERIFY(b.waitFor(QStringLiteral("DocumentComplete")));
        QTest::qWait(1500);
        QCOMPARE(b.complete(), QStringList{first});
        // Loading ended with a progress of maximum 0.
        const QList<Message> ev = b.events();
        QCOMPARE(ev.at(ev.size() - 2), (Message{QStringLiteral("ProgressChange"),
                                                {QStringLiteral("0"), QStringLiteral("0")}}));
        // One window, titled for Corvel, over the whole screen.
        const QString window =
            x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                       QStringLiteral("--name"), QStringLiteral("^Corvel Browser$")});
        QVERIFY2(!window.isEmpty() && !window.contains(QLatin1Char('\n')), qPrintable(window));
        const QString geometry = x.xdotool({QStringLiteral("getwindowgeometry"), window});
        QVERIFY2(geometry.contains(QStringLiteral("1024x768")), qPrintable(geometry));
        // Now that it is idle, the second page goes.
        b.send(corvel::browser::Encode(QStringLiteral("URL"), {second}));
        QVERIFY(WaitFor([&] { return b.complete().size() == 2; }));
        QCOMPARE(b.complete().last(), second);
        b.send(corvel::browser::Encode(QStringLiteral("Atualizar")));
        QVERIFY(WaitFor([&] { return b.complete().size() == 3; }));
        QCOMPARE(b.complete().last(), second);
        b.send(corvel::browser::Encode(QStringLiteral("Fechar")));
        QVERIFY(b.waitFor(QStringLiteral("OnQuit")));
        QVERIFY(WaitFor([&] { return !b.running(); }, 15000));
        QCOMPARE(b.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(b.process().exitCode(), 0);
        QCOMPARE(b.count(QStringLiteral("Erro")), 0);
    }

    // A reload keeps the page where the reader left it.
    void reloadKeepsTheScrollPosition() {
        if (QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty())
            QSKIP("ImageMagick's import is needed to look at the screen");
        const auto screen = [&] {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("DISPLAY"), x.display());
            p.setProcessEnvironment(env);
            p.start(QStringLiteral("import"),
                    {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("rgb:-")});
            p.waitForFinished(20000);
            return p.readAllStandardOutput();
        };
        Browser b;
        QVERIFY2(b.start(x.display()), qPrintable(b.why()));
        QByteArray lines;
        for (int i = 0; i < 400; ++i)
            lines += "<p>Linha " + QByteArray::number(i) + "</p>";
        const QString longPage = page(QStringLiteral("longa.html"), lines);
        b.send(corvel::browser::Encode(QStringLiteral("URL"), {longPage}));
        QVERIFY(b.waitFor(QStringLiteral("DocumentComplete")));
        QTest::qWait(500);
        const QByteArray top = screen();
        const QString window = x.xdotool({QStringLiteral("search"), QStringLiteral("--name"),
                                          QStringLiteral("^Corvel Browser$")});
        x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        x.xdotool({QStringLiteral("mousemove"), QStringLiteral("500"), QStringLiteral("400"),
                   QStringLiteral("click"), QStringLiteral("1")});
        x.xdotool({QStringLiteral("key"), QStringLiteral("End")});
        QByteArray scrolled;
        QVERIFY(WaitFor([&] { return (scrolled = screen()) != top; }));
        QTest::qWait(500);
        scrolled = screen();
        b.send(corvel::browser::Encode(QStringLiteral("Atualizar")));
        QVERIFY(WaitFor([&] { return b.complete().size() == 2; }));
        QVERIFY(WaitFor([&] { return screen() == scrolled; }, 5000));
        QVERIFY(screen() != top);
    }

    // Corvel's end closes: the window goes, and says so.
    void endsWithCorvel() {
        Browser b;
        QVERIFY2(b.start(x.display()), qPrintable(b.why()));
        b.send(corvel::browser::Encode(QStringLiteral("URLBar"), {QStringLiteral("1")}) +
               corvel::browser::Encode(QStringLiteral("URL"), {QStringLiteral("about:blank")}));
        QVERIFY(b.waitFor(QStringLiteral("DocumentComplete")));
        QCOMPARE(b.complete(), QStringList{QStringLiteral("about:blank")});
        b.process().closeWriteChannel();
        QVERIFY(WaitFor([&] { return !b.running(); }, 15000));
        QCOMPARE(b.process().exitCode(), 0);
        QCOMPARE(b.count(QStringLiteral("OnQuit")), 1);
    }
};

QTEST_GUILESS_MAIN(tst_browser_helper)
#include "tst_browser_helper.moc"
