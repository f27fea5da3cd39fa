// Guarded steps: a failure is logged with what was being done and reported
// as false; it never escapes and never passes for success.
#include "Guarded.h"

#include <QtTest>
#include <stdexcept>

class tst_guarded : public QObject {
    Q_OBJECT
private slots:
    void failuresAreLoggedNotSwallowed_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("logged");
        QTest::newRow("succeeds") << 0 << true << QString();
        QTest::newRow("no step") << 1 << true << QString();
        QTest::newRow("standard exception") << 2 << false << QStringLiteral("passo failed: disco");
        QTest::newRow("anything else")
            << 3 << false << QStringLiteral("passo failed: an unknown error was thrown");
    }
    void failuresAreLoggedNotSwallowed() {
        QFETCH(int, kind);
        QFETCH(bool, ok);
        QFETCH(QString, logged);
        int runs = 0;
        std::function<void()> step;
        if (kind == 0) step = [&] { ++runs; };
        if (kind == 2) step = [&] { ++runs, throw std::runtime_error("disco"); };
        if (kind == 3) step = [&] { ++runs, throw 42; };
        if (!logged.isEmpty()) QTest::ignoreMessage(QtWarningMsg, qPrintable(logged));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QCOMPARE(corvel::RunGuarded("passo", step), ok);
        QCOMPARE(runs, kind == 1 ? 0 : 1);
    }
};

QTEST_APPLESS_MAIN(tst_guarded)
#include "tst_guarded.moc"
