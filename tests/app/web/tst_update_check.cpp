// The update question against a local server: the request as sent, the
// replies that show something (status text, message box, tones) and those
// that end silently (other kinds, too long, never answered, refused).
#include "ControlHost.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "UpdateCheck.h"
#include "frmMain.h"

#include <QLabel>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace corvel;
using Tones = QList<QPair<int, int>>;

// A server that answers the first request with the given packets.
class LocalServer : public QObject {
public:
    QTcpServer server;
    QByteArray request;
    QList<QByteArray> packets;
    bool answer = true;
    QPointer<QTcpSocket> client;

    LocalServer() {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            client = server.nextPendingConnection();
            connect(client, &QTcpSocket::readyRead, this, [this] {
                request += client->readAll();
                if (!answer || !request.endsWith("\r\n\r\n")) return;
                // Each packet on its own, a little apart.
                for (int i = 0; i < packets.size(); ++i)
                    QTimer::singleShot(30 * i, client, [c = client, p = packets[i]] {
                        c->write(p);
                        c->flush();
                    });
            });
        });
    }
    QByteArray address() const { return "127.0.0.1:" + QByteArray::number(server.serverPort()); }
};

class tst_update_check : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    ScriptedDialogs *dialogs = nullptr;
    frmMain *m = nullptr;
    Tones tones;

    UpdateCheck *start(LocalServer &s) {
        qputenv("CORVEL_UPDATE_SERVER", s.address());
        RegisterUpdateCheck(*m);
        for (const auto &action : m->services().firstAutoSaveTick)
            action();
        return UpdateCheckOf(*m);
    }

private slots:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", m_dir.filePath("data").toUtf8());
        SetSettingsFileOverride(m_dir.filePath("Corvel.ini"));
        SetProgramFolderOverride(m_dir.path());
        corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                      "/libCorvelControl.so");
    }
    void init() {
        RemoveAllSettings();
        ApplyDefaultSettings(true);
        dialogs = new ScriptedDialogs;
        m = new frmMain;
        m->CreateDocument();
        m->show();
        tones.clear();
        m->services().tone = [this](int hz, int ms) { tones << qMakePair(hz, ms); };
    }
    void cleanup() {
        delete m;
        delete dialogs;
    }

    void requestLine() {
        WriteSetting("Configuracao", "Aberturas", "1");
        LocalServer s;
        s.answer = false;
        UpdateCheck *check = start(s);
        QTRY_VERIFY(s.request.endsWith("\r\n\r\n"));
        QCOMPARE(s.request,
                 QByteArray("GET /download/check/?usuario=FREE&registro=FREE&runs=1&versao=5.1.0 "
                            "HTTP/1.1\r\nUser-Agent: Corvel 5.1.0\r\nHost: 127.0.0.1\r\n\r\n"));
        // Once per run.
        check->Start();
        QTest::qWait(100);
        QCOMPARE(s.server.hasPendingConnections(), false);
    }

    void replies_data() {
        QTest::addColumn<QString>("runs");
        QTest::addColumn<QList<QByteArray>>("packets");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("box");
        QTest::addColumn<Tones>("played");
        const Tones rising{{900, 200}, {1000, 200}, {1100, 250}};
        const Tones falling{{1100, 200}, {1000, 200}, {900, 250}};
        const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";
        const QString newer = "Nova versão do Corvel disponível: 5.2.0";
        QTest::newRow("update, run 1")
            << "1" << QList<QByteArray>{head + "<>update 5.2.0<>"} << newer << false << rising;
        QTest::newRow("update, run 15")
            << "15" << QList<QByteArray>{head + "<>update 5.2.0<>"} << newer << true << rising;
        QTest::newRow("update, run 30")
            << "30" << QList<QByteArray>{head + "<>update 5.2.0<>"} << newer << true << rising;
        QTest::newRow("info") << "15" << QList<QByteArray>{head + "<>info   Servidor novo<>"}
                              << "Servidor novo" << false << falling;
        QTest::newRow("split over packets")
            << "1" << QList<QByteArray>{head + "<", ">upd", "ate 5.2", ".0<", ">"} << newer << false
            << rising;
        QTest::newRow("markup shown as text") << "1" << QList<QByteArray>{"<>info   <b>Aviso</b><>"}
                                              << "<b>Aviso</b>" << false << falling;
        QTest::newRow("other kind")
            << "15" << QList<QByteArray>{"<>promo  50%<>"} << "" << false << Tones{};
        QTest::newRow("no payload")
            << "15" << QList<QByteArray>{head + "sem marcas"} << "" << false << Tones{};
    }
    void replies() {
        QFETCH(QString, runs);
        QFETCH(QList<QByteArray>, packets);
        QFETCH(QString, status);
        QFETCH(bool, box);
        QFETCH(Tones, played);
        WriteSetting("Configuracao", "Aberturas", runs);
        m->SetStatusPanelText(8, QString());
        LocalServer s;
        s.packets = packets;
        UpdateCheck *check = start(s);
        QTRY_COMPARE(tones, played);
        QTRY_COMPARE(m->StatusPanelText(8), status);
        if (!played.isEmpty()) {
            QVERIFY(!check->Busy());
            QCOMPARE(m->tmrAnima()->interval(), 12000);
            QVERIFY(m->tmrAnima()->isActive());
            // The text stays while other commands show theirs.
            m->ShowStatusMessage("Salvar");
            QCOMPARE(m->StatusPanelText(8), status);
        } else {
            QTest::qWait(300);
            QCOMPARE(m->StatusPanelText(8), QString());
        }
        QCOMPARE(dialogs->messages.size(), box ? 1 : 0);
        if (box) {
            QCOMPARE(dialogs->messages[0].title, QString("Atualização do Corvel"));
            QCOMPARE(dialogs->messages[0].icon, corvel::MsgIcon::Warning);
            QVERIFY(dialogs->messages[0].text.contains("Nova versão: 5.2.0"));
        }
        // The status label shows markup as it is.
        auto *panel = m->findChild<QLabel *>("Status_Painel8");
        QCOMPARE(panel->textFormat(), Qt::PlainText);
    }

    void silentEnds_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("listen");
        QTest::newRow("1 MiB without payload") << QByteArray(1024 * 1024, 'a') << true;
        QTest::newRow("payload after 1 MiB")
            << QByteArray(1024 * 1024, 'a') + "<>update 9.9.9<>" << true;
        QTest::newRow("never answers") << QByteArray() << true;
        QTest::newRow("refused") << QByteArray() << false;
    }
    void silentEnds() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, listen);
        WriteSetting("Configuracao", "Aberturas", "15");
        LocalServer s;
        s.answer = !reply.isEmpty();
        s.packets = {reply};
        qputenv("CORVEL_UPDATE_SERVER", s.address());
        if (!listen) s.server.close();
        RegisterUpdateCheck(*m);
        UpdateCheck *check = UpdateCheckOf(*m);
        check->SetTimeoutMs(1500);
        m->tmrAnima()->stop();
        m->SetStatusPanelText(8, "marca");
        qsizetype most = 0;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] { most = qMax(most, check->BufferedBytes()); });
        watch.start(1);
        check->Start();
        QTRY_VERIFY_WITH_TIMEOUT(!check->Busy(), 5000);
        watch.stop();
        QVERIFY2(most <= 64 * 1024 + 1, qPrintable(QString::number(most)));
        QCOMPARE(check->BufferedBytes(), 0);
        QTest::qWait(200);
        QCOMPARE(m->StatusPanelText(8), QString("marca"));
        QVERIFY(m->tmrAnima()->interval() != 12000);
        QVERIFY(dialogs->messages.isEmpty());
        QVERIFY(tones.isEmpty());
    }
};

QTEST_MAIN(tst_update_check)
#include "tst_update_check.moc"
