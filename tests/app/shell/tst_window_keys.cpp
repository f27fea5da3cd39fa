// The shared key routing of the program's windows: which window a key reaches,
// and that a release never acts on a window that did not get its press.
#include "WindowKeys.h"

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

using namespace corvel;

namespace {

// One step of a scenario: a key event sent to a widget of window "A" (the
// dialog with handlers), "B" (another window) or, for "-", the application
// losing the keyboard.
struct Step {
    char window;
    QEvent::Type type;
    int key;
    bool autoRepeat = false;
};

} // namespace

Q_DECLARE_METATYPE(QVector<Step>)

class tst_window_keys : public QObject {
    Q_OBJECT

private slots:
    void releaseActsOnlyWhereThePressWent_data() {
        QTest::addColumn<QVector<Step>>("steps");
        QTest::addColumn<int>("actions");
        const auto P = QEvent::KeyPress;
        const auto R = QEvent::KeyRelease;
        const int Esc = Qt::Key_Escape, F2 = Qt::Key_F2;
        QTest::newRow("press and release in the dialog") << QVector<Step>{{'A', P, Esc}, {'A', R, Esc}} << 1;
        QTest::newRow("press in a child window, release in the dialog")
            << QVector<Step>{{'B', P, Esc}, {'A', R, Esc}} << 0;
        QTest::newRow("release without any press") << QVector<Step>{{'A', R, Esc}} << 0;
        QTest::newRow("press of another key does not count")
            << QVector<Step>{{'A', P, F2}, {'B', P, Esc}, {'A', R, Esc}} << 0;
        QTest::newRow("a later press in the dialog counts again")
            << QVector<Step>{{'B', P, Esc}, {'A', R, Esc}, {'A', P, Esc}, {'A', R, Esc}} << 1;
        QTest::newRow("pressed here, then again elsewhere")
            << QVector<Step>{{'A', P, Esc}, {'B', P, Esc}, {'A', R, Esc}} << 0;
        QTest::newRow("keyboard lost between press and release")
            << QVector<Step>{{'A', P, Esc}, {'-', P, 0}, {'A', R, Esc}} << 0;
        QTest::newRow("repeated releases are ignored")
            << QVector<Step>{{'A', P, F2}, {'A', R, F2, true}, {'A', P, F2, true}, {'A', R, F2}}
            << 1;
        QTest::newRow("two keys, each where it was pressed")
            << QVector<Step>{{'A', P, F2}, {'B', P, Esc}, {'A', R, F2}, {'A', R, Esc}} << 1;
    }

    void releaseActsOnlyWhereThePressWent() {
        QFETCH(QVector<Step>, steps);
        QFETCH(int, actions);
        QDialog a;
        auto *edit = new QLineEdit(&a);
        QWidget b;
        auto *other = new QLineEdit(&b);
        int acted = 0;
        AttachDialogKeys(&a, {{Qt::Key_Escape, [&] { ++acted; }}, {Qt::Key_F2, [&] { ++acted; }}});
        a.show();
        b.show();
        for (const Step &s : steps) {
            if (s.window == '-') {
                QEvent off(QEvent::ApplicationDeactivate);
                QCoreApplication::sendEvent(qApp, &off);
                continue;
            }
            QKeyEvent e(s.type, s.key, Qt::NoModifier, QString(), s.autoRepeat);
            QCoreApplication::sendEvent(s.window == 'A' ? edit : other, &e);
        }
        QCOMPARE(acted, actions);
    }

    void takenKeysStopAndOthersPass() {
        QDialog a;
        auto *edit = new QLineEdit(&a);
        int acted = 0;
        AttachDialogKeys(&a, {{Qt::Key_Escape, [&] { ++acted; }}});
        // Not shown: the dialog takes nothing.
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(acted, 0);
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));
        // The press of a key that acts on release is taken: the dialog's own
        // Escape handling never sees it, so the dialog stays open.
        QTest::keyPress(edit, Qt::Key_Escape);
        QVERIFY(a.isVisible());
        QCOMPARE(acted, 0);
        QTest::keyRelease(edit, Qt::Key_Escape);
        QCOMPARE(acted, 1);
        // Other keys go on to the widget.
        QTest::keyClicks(edit, "ab");
        QCOMPARE(edit->text(), QString("ab"));
        // After detaching, Escape is the dialog's own again.
        DetachWindowKeys(&a);
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!a.isVisible());
        QCOMPARE(acted, 1);
    }

    void pressHandlerFirstAndWindowOfPress() {
        QDialog a;
        auto *edit = new QLineEdit(&a);
        QStringList seen;
        AttachWindowKeys(&a, [&](QWidget *w, QKeyEvent *e) {
            seen << QString("%1 %2 %3")
                        .arg(e->type() == QEvent::KeyPress ? "press" : "release")
                        .arg(e->key() == Qt::Key_Tab ? "tab" : "f8")
                        .arg(w == edit ? "edit" : "dialog");
            return e->key() == Qt::Key_Tab;
        });
        a.show();
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(WindowOfLastPress(Qt::Key_Tab), static_cast<QWidget *>(&a));
        // A key not taken is offered again to the parents on its way up.
        QTest::keyClick(edit, Qt::Key_F8);
        QCOMPARE(seen.mid(0, 4),
                 (QStringList{"press tab edit", "release tab edit", "press f8 edit",
                              "press f8 dialog"}));
        // A destroyed window is no press target, and its handler is gone.
        {
            QDialog gone;
            auto *e = new QLineEdit(&gone);
            AttachDialogKeys(&gone, {{Qt::Key_F9, [] { QFAIL("handler of a gone window"); }}});
            gone.show();
            QTest::keyPress(e, Qt::Key_F9);
            QCOMPARE(WindowOfLastPress(Qt::Key_F9), static_cast<QWidget *>(&gone));
        }
        QCOMPARE(WindowOfLastPress(Qt::Key_F9), nullptr);
    }
};

QTEST_MAIN(tst_window_keys)
#include "tst_window_keys.moc"
