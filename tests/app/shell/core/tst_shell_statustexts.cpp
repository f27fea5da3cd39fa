// Texts of the status bar's date and time panels.
#include "StatusTexts.h"

#include <QtTest>

class tst_shell_statustexts : public QObject {
    Q_OBJECT
    const QLocale br{QStringLiteral("pt_BR")};

private slots:
    void longDateCapitalisesThenLowersEveryDe_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        // "De" goes back to "de" wherever it stands, the month "Dezembro"
        // included; the other months keep their capital.
        QTest::newRow("december") << QDate(2026, 12, 8)
                                  << QStringLiteral("Terça-feira, 8 de dezembro de 2026");
        QTest::newRow("june") << QDate(2024, 6, 3)
                              << QStringLiteral("Segunda-feira, 3 de Junho de 2024");
        QTest::newRow("sunday") << QDate(2025, 8, 31)
                                << QStringLiteral("Domingo, 31 de Agosto de 2025");
    }
    void longDateCapitalisesThenLowersEveryDe() {
        QFETCH(QDate, date);
        QFETCH(QString, text);
        QCOMPARE(corvel::LongDateText(br, date), text);
    }

    void uptimeCountsWholeSeconds() {
        const QDateTime start(QDate(2026, 12, 8), QTime(10, 0, 0));
        const QString t = corvel::UptimeText(br, start.addMSecs(61999), start);
        const QStringList lines = t.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].startsWith(QStringLiteral("Hora corrente: 10:01:01")));
        QVERIFY(lines[1].startsWith(QStringLiteral("Execução em 08/12/2026 10:00:00")));
        QCOMPARE(lines[2], QStringLiteral("Uptime de 61 segundos."));
        // A clock set back never gives a negative uptime.
        QVERIFY(corvel::UptimeText(br, start.addSecs(-5), start)
                    .endsWith(QStringLiteral("Uptime de 0 segundos.")));
    }
};

QTEST_MAIN(tst_shell_statustexts)
#include "tst_shell_statustexts.moc"
