// The hand-over message between a later start and the running instance:
// whole however the bytes arrive, cut at the limit on a character boundary,
// nothing after the first text taken.
#include "HandOverText.h"

#include <QtTest>

using namespace corvel;

namespace {

// The first text read from bytes arriving in pieces of the given size;
// taken says whether one was whole.
QString Receive(const QByteArray &bytes, qsizetype piece, bool *taken) {
    QByteArray buffer;
    QString text;
    *taken = false;
    for (qsizetype i = 0; i < bytes.size() && !*taken; i += piece)
        *taken = TakeHandOverText(&buffer, bytes.mid(i, piece), &text);
    return text;
}

} // namespace

class tst_handover_text : public QObject {
    Q_OBJECT
private slots:
    void received_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("text");
        const QByteArray full(kHandOverLimit, 'a');
        QTest::newRow("path") << QByteArray("/tmp/a.html\0", 12) << true << "/tmp/a.html";
        QTest::newRow("empty text") << QByteArray("\0", 1) << true << "";
        QTest::newRow("no end yet") << QByteArray("/tmp/a") << false << "";
        QTest::newRow("second text ignored") << QByteArray("/a\0/b\0", 6) << true << "/a";
        QTest::newRow("accents") << QByteArray("/tmp/p\xc3\xa1gina\0", 14) << true
                                 << QString::fromUtf8("/tmp/p\xc3\xa1gina");
        QTest::newRow("limit without end") << full + "bbb" << true << QString(full);
        QTest::newRow("end right at the limit") << full + '\0' << true << QString(full);
        QTest::newRow("end beyond the limit") << full + "b\0" << true << QString(full);
    }
    void received() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, taken);
        QFETCH(QString, text);
        // However the bytes are split, the same text.
        for (const qsizetype piece : {qsizetype(1), qsizetype(3), qsizetype(4096), bytes.size()}) {
            bool got = false;
            const QString t = Receive(bytes, qMax<qsizetype>(1, piece), &got);
            QCOMPARE(got, taken);
            if (taken) QCOMPARE(t, text);
        }
    }

    void sent_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("arrives");
        QTest::newRow("short") << "/tmp/ação.html"
                               << "/tmp/ação.html";
        const QString a(kHandOverLimit - 1, QLatin1Char('a'));
        // "é" is two bytes: it would end half past the limit.
        QTest::newRow("character across the limit") << a + "éz" << a;
        QTest::newRow("character ending at the limit")
            << a.left(a.size() - 1) + "éz" << a.left(a.size() - 1) + "é";
    }
    void sent() {
        QFETCH(QString, text);
        QFETCH(QString, arrives);
        const QByteArray message = HandOverMessage(text);
        QVERIFY(message.endsWith('\0'));
        bool got = false;
        QCOMPARE(Receive(message, 1000, &got), arrives);
        QVERIFY(got);
    }
};

QTEST_APPLESS_MAIN(tst_handover_text)
#include "tst_handover_text.moc"
