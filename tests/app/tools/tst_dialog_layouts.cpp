// The dialogs laid out with the default font and a 14-point one: every shown
// control lies inside its parent, is at least as large as its content asks,
// and overlaps no shown sibling. With CORVEL_SCREENSHOT_DIR set, each state is
// also saved there as a picture.
#include "FindTestSupport.h"
#include "Folders.h"
#include "frmComando.h"
#include "frmLinkSelect.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>

using namespace corvel;

namespace {

// Faults of one shown window, as readable lines.
QStringList LayoutFaults(QWidget *top) {
    QStringList faults;
    const auto name = [](const QWidget *w) {
        return QString("%1 \"%2\"").arg(w->metaObject()->className(), w->objectName());
    };
    const auto all = top->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (!w->isVisibleTo(top) || w->isWindow()) continue;
        QWidget *parent = w->parentWidget();
        // Inner parts of composite controls (scroll bars, viewports) are theirs.
        if (qobject_cast<QAbstractScrollArea *>(parent) || qobject_cast<QComboBox *>(parent))
            continue;
        if (!parent->rect().contains(w->geometry()))
            faults << name(w) + " sai de " + name(parent);
        QSize need = w->minimumSizeHint();
        // A width set on purpose (from a definition file, or a narrow "?"
        // button) needs only room for its caption.
        if (w->minimumWidth() == w->maximumWidth()) {
            auto *b = qobject_cast<QPushButton *>(w);
            need.setWidth(b ? b->fontMetrics().horizontalAdvance(QString(b->text()).remove('&')) + 8
                            : 0);
        }
        if (need.isValid() && (w->width() < need.width() || w->height() < need.height()))
            faults << QString("%1 tem %2x%3, precisa de %4x%5")
                          .arg(name(w))
                          .arg(w->width())
                          .arg(w->height())
                          .arg(need.width())
                          .arg(need.height());
        // Each pair of shown siblings once: those created before this one.
        for (QObject *o : parent->children()) {
            if (o == w) break;
            auto *s = qobject_cast<QWidget *>(o);
            if (!s || !s->isVisibleTo(top) || s->isWindow()) continue;
            if (s->geometry().intersects(w->geometry()))
                faults << name(w) + " cobre " + name(s);
        }
    }
    return faults;
}

} // namespace

class tst_dialog_layouts : public QObject {
    Q_OBJECT
    FindFixture fx;
    QFont m_font;

    // Checks the shown window and keeps its picture.
    void look(QWidget *w, const QString &state) {
        // A window system may apply a grown minimum size a moment later.
        QStringList faults;
        QDeadlineTimer deadline(3000);
        do {
            QCoreApplication::processEvents();
            faults = LayoutFaults(w);
        } while (!faults.isEmpty() && !deadline.hasExpired() && (QTest::qWait(20), true));
        if (!faults.isEmpty()) qWarning().noquote() << state << faults.join("\n");
        QVERIFY2(faults.isEmpty(), qPrintable(state));
        const QString shots = qEnvironmentVariable("CORVEL_SCREENSHOT_DIR");
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            w->grab().save(shots + "/" + state + ".png");
        }
    }
    QString fontTag() const {
        return QApplication::font().pointSize() == 14 ? "14pt" : "padrao";
    }

private slots:
    void initTestCase() {
        m_font = QApplication::font();
        SetProgramFolderOverride(qEnvironmentVariable("CORVEL_SOURCE_DIR") + "/data");
    }
    void init() { fx.reset(); }
    void cleanup() {
        fx.cleanup();
        QApplication::setFont(m_font);
    }

    void commandDialog_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("points");
        for (const char *file : {"IMG.tpa", "INPUT.tpa", "Font.tpc", "TABLE.tpa", "BUTTON.tpc"})
            for (int points : {0, 14})
                QTest::addRow("%s %s", file, points ? "14pt" : "padrao") << file << points;
    }
    // Every parameter page, the style page and the event page.
    void commandDialog() {
        QFETCH(QString, file);
        QFETCH(int, points);
        if (points) QApplication::setFont(QFont(m_font.family(), points));
        ICorvelEdit *ed = fx.editor("<p>x</p>");
        CommandDialogHost host;
        host.currentEditor = [ed] { return ed; };
        frmComando d(file, 9002, host);
        QVERIFY(d.Form_Load());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        auto *list = d.findChild<QListWidget *>("lstParametros");
        const QString base = "frmComando-" + QFileInfo(file).baseName() + "-" + fontTag();
        for (int i = 0; i < list->count(); ++i) {
            list->setCurrentRow(i);
            look(&d, base + "-" + list->item(i)->text());
            if (QTest::currentTestFailed()) return;
        }
        d.btnEstilo_Click();
        look(&d, base + "-Estilo");
        d.btnEstiloPronto_Click();
        d.btnJavaScript_Click();
        look(&d, base + "-JavaScript");
    }

    void linkDialog_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("points");
        for (const char *tag : {"", "Img"})
            for (int points : {0, 14})
                QTest::addRow("%s %s", *tag ? tag : "link", points ? "14pt" : "padrao")
                    << tag << points;
    }
    void linkDialog() {
        QFETCH(QString, tag);
        QFETCH(int, points);
        if (points) QApplication::setFont(QFont(m_font.family(), points));
        frmLinkSelect d(nullptr, tag);
        d.documentFile = [] { return QString(); };
        d.Form_Load();
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const QSize size = d.size();
        const QString base = "frmLinkSelect-" + (tag.isEmpty() ? "Link" : tag) + "-" + fontTag();
        for (int kind : {0, 1, 2}) {
            d.ChooseKind(kind);
            look(&d, base + "-" + QString::number(kind));
            // The dialog keeps its size whichever kind shows.
            QCOMPARE(d.size(), size);
        }
    }

    void findDialog_data() {
        QTest::addColumn<int>("points");
        QTest::newRow("padrao") << 0;
        QTest::newRow("14pt") << 14;
    }
    void findDialog() {
        QFETCH(int, points);
        if (points) QApplication::setFont(QFont(m_font.family(), points));
        frmProcurar d(fx.editor("abc"));
        QVERIFY(d.Form_Load());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        look(&d, "frmProcurar-" + fontTag());
    }
};

QTEST_MAIN(tst_dialog_layouts)
#include "tst_dialog_layouts.moc"
