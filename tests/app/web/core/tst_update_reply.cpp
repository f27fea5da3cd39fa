// The update question's request text, the reading of its reply and the
// texts and addresses it shows.
#include "UpdateReply.h"

#include <QtTest>

using namespace corvel;

class tst_update_reply : public QObject {
    Q_OBJECT
private slots:
    void requestIsExact() {
        QCOMPARE(UpdateRequest("1", "5.1.0", "www.corvel.example"),
                 QByteArray("GET /download/check/?usuario=FREE&registro=FREE&runs=1&versao=5.1.0 "
                            "HTTP/1.1\r\nUser-Agent: Corvel 5.1.0\r\nHost: www.corvel.example\r\n"
                            "\r\n"));
        // A run count edited by hand cannot break the request line or add
        // header lines.
        const QByteArray odd = UpdateRequest("1 2\r\nX: y", "5.1.0", "h\r\nX: z");
        QCOMPARE(odd.count("\r\n"), 4);
        QVERIFY(odd.startsWith("GET /download/check/?usuario=FREE&registro=FREE&runs=1%202%0D%0A"));
    }

    // Control characters of the host never reach the request: one request
    // line, two header lines, one empty line, nothing after it.
    void requestHostControls_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("NUL") << QString::fromLatin1("h\0ost", 5) << QByteArray("host");
        QTest::newRow("tab and DEL") << QString("h\to\x7Fst") << QByteArray("host");
        QTest::newRow("bare line feed") << QString("h\nX: y") << QByteArray("hX: y");
        QTest::newRow("accented kept") << QString("são.example") << QByteArray("são.example");
    }
    void requestHostControls() {
        QFETCH(QString, host);
        QFETCH(QByteArray, sent);
        const QByteArray r = UpdateRequest("1", "5.1.0", host);
        QVERIFY(r.endsWith("\r\nHost: " + sent + "\r\n\r\n"));
        QCOMPARE(r.count('\n'), 4);
    }

    void server_data() {
        QTest::addColumn<QString>("override");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::newRow("site") << ""
                              << "www.corvel.example" << 80;
        QTest::newRow("host and port") << "127.0.0.1:8123"
                                       << "127.0.0.1" << 8123;
        QTest::newRow("host only") << "localhost"
                                   << "localhost" << 80;
        QTest::newRow("bad port") << "127.0.0.1:99999"
                                  << "127.0.0.1:99999" << 80;
    }
    void server() {
        QFETCH(QString, override);
        QFETCH(QString, host);
        QFETCH(int, port);
        const UpdateServer s = ChooseUpdateServer(override, "https://www.corvel.example/");
        QCOMPARE(s.host, host);
        QCOMPARE(int(s.port), port);
    }

    void reply_data() {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("update") << QByteArray("HTTP/1.1 200 OK\r\n\r\n<>update 5.2.0<>") << true
                                << "update"
                                << "5.2.0";
        QTest::newRow("info") << QByteArray("<>info   Manutenção sábado <>x<>") << true << "info"
                              << "Manutenção sábado";
        QTest::newRow("no marks") << QByteArray("HTTP/1.1 404 Not Found\r\n\r\n") << false << ""
                                  << "";
        QTest::newRow("one mark so far") << QByteArray("<>update 5.2") << false << ""
                                         << "";
        QTest::newRow("empty payload") << QByteArray("<><>") << true << ""
                                       << "";
        QTest::newRow("markup kept as text")
            << QByteArray("<>info   <b>negrito</b><>") << true << "info"
            << "<b>negrito</b>";
        QTest::newRow("message at most 255")
            << QByteArray("<>info   " + QByteArray(300, 'x') + "<>") << true << "info"
            << QString(255, 'x');
    }
    void reply() {
        QFETCH(QByteArray, received);
        QFETCH(bool, complete);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        const UpdateReply r = ParseUpdateReply(received);
        QCOMPARE(r.complete, complete);
        QCOMPARE(r.kind, kind);
        QCOMPARE(r.message, message);
    }

    void runCount_data() {
        QTest::addColumn<QString>("runs");
        QTest::addColumn<bool>("box");
        for (auto [runs, box] : {std::pair{"1", false},
                                 {"14", false},
                                 {"15", true},
                                 {"30", true},
                                 {"31", false},
                                 {"abc", true},
                                 {"", true},
                                 {" 45 ", true}})
            QTest::newRow(runs) << QString(runs) << box;
    }
    void runCount() {
        QFETCH(QString, runs);
        QFETCH(bool, box);
        QCOMPARE(RunCountShowsBox(runs), box);
    }

    void textsAndAddresses() {
        const QString site = "https://www.corvel.example";
        QCOMPARE(UpdatePage(site, "5.1.0"),
                 QString("https://www.corvel.example/download/update/?v=5&s=1&r=0"));
        QCOMPARE(ContactPage(site + "/"), QString("https://www.corvel.example/contato/"));
        QCOMPARE(UpdateStatusText("5.2.0"), QString("Nova versão do Corvel disponível: 5.2.0"));
        const QString box = UpdateBoxText("5.1.0", "5.2.0", DownloadPage(site));
        QVERIFY(box.contains("\r\n\r\nSua versão: 5.1.0\r\nNova versão: 5.2.0\r\n\r\n"));
        QVERIFY(box.endsWith("acesse o endereço:\r\nhttps://www.corvel.example/download/"));
    }
};

QTEST_APPLESS_MAIN(tst_update_reply)
#include "tst_update_reply.moc"
