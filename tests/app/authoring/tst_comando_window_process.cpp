// The command dialogs of a real Corvel process, shown on an X server: the
// window the system shows must have the size the dialog's layout asks for,
// every time it opens (it once came up, now and then, as a small empty box).
#include "RealCorvel.h"

#include <QtTest>

using namespace real_corvel;

namespace {

// "Window 123\n  Position: 1,2 (screen: 0)\n  Geometry: 540x314" -> 540x314
QSize GeometryOf(const XServer &x, const QString &window) {
    const QString out = x.xdotool({QStringLiteral("getwindowgeometry"), window});
    const auto m = QRegularExpression(QStringLiteral("Geometry: (\\d+)x(\\d+)")).match(out);
    return m.hasMatch() ? QSize(m.captured(1).toInt(), m.captured(2).toInt()) : QSize();
}

} // namespace

class TestComandoWindowProcess : public QObject {
    Q_OBJECT
    XServer x;
    QString skipWhy;

private slots:
    void initTestCase() {
        skipWhy = MissingTools();
        if (skipWhy.isEmpty() && !x.start()) skipWhy = QStringLiteral("Xvfb could not start");
    }

    void dialogShowsWholeEachTime_data() {
        QTest::addColumn<QString>("key");   // opens the dialog
        QTest::addColumn<QString>("title"); // its window title
        QTest::newRow("image F7") << "F7"
                                  << "Imagem";
        QTest::newRow("font Ctrl+F") << "ctrl+f"
                                     << "Fonte";
    }

    void dialogShowsWholeEachTime() {
        if (!skipWhy.isEmpty()) QSKIP(qPrintable(skipWhy));
        QFETCH(QString, key);
        QFETCH(QString, title);
        Installation home;
        const QString file = home.work(QStringLiteral("dialogo.html"));
        QVERIFY(WriteBytes(file, QByteArrayLiteral("<p>texto</p>")));
        QVERIFY2(home.start(x, {file}, QStringLiteral("dialogo.html")), qPrintable(home.errors()));
        QVERIFY2(home.probeInput(x, file), "typed keys never reached the document");
        const QString main =
            x.xdotool({QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("dialogo.html")})
                .section(QLatin1Char('\n'), 0, 0);
        const QString exact = QLatin1Char('^') + title + QLatin1Char('$');
        for (int round = 0; round < 6; ++round) {
            x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), main});
            x.xdotool({QStringLiteral("key"), key});
            QString dialog;
            QVERIFY(WaitFor([&] {
                dialog = x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                    QStringLiteral("--name"), exact})
                             .section(QLatin1Char('\n'), 0, 0);
                return !dialog.isEmpty();
            }));
            // Let the window system settle, then look at what it shows.
            QTest::qWait(700);
            const QSize shown = GeometryOf(x, dialog);
            QVERIFY2(shown.width() >= 300 && shown.height() >= 200,
                     qPrintable(QStringLiteral("round %1: %2x%3")
                                    .arg(round)
                                    .arg(shown.width())
                                    .arg(shown.height())));
            x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), dialog});
            x.xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
            QVERIFY(WaitFor([&] {
                return x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                  QStringLiteral("--name"), exact})
                    .isEmpty();
            }));
        }
    }
};

QTEST_MAIN(TestComandoWindowProcess)
#include "tst_comando_window_process.moc"
