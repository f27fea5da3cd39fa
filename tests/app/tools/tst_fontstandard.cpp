// Font standardisation: every character in the editor font and text colour,
// the busy-mode threshold, and the state it must give back.
#include "ColourRuns.h"
#include "Colouriser.h"
#include "ColouriserFixture.h"
#include "ControlHost.h"
#include "Folders.h"
#include "KeyState.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmMain.h"

#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestFontStandard : public QObject, protected ColouriserFixture {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void removesEveryColour();
    void busyModeBoundary();
    void stateKeptAsFound();
    void stateKeptInBusyMode();
    void rightControlRunsInsertImage();
};

void TestFontStandard::initTestCase() {
    pinFolders();
}

void TestFontStandard::init() {
    openWindow();
}

void TestFontStandard::cleanup() {
    closeWindow();
}

void TestFontStandard::removesEveryColour() {
    const QString text = "<p align='left'>x</p><!-- c --><% s %>\r\n<td width=1>{\\}";
    ed->setTexto(text);
    m->Trigger(corvel::cmd::FerramentasColorizar);
    const QMap<int, QChar> legend{{-1, 'd'}, {0, 'd'}, {1234567, 'f'}};
    QVERIFY(ColourRuns(ed, legend).contains('?'));
    WriteSetting("Editor", "Fonte", "DejaVu Sans Mono");
    WriteSetting("Editor", "Tamanho", "14");
    WriteSetting("Editor", "Frente", "1234567");
    QVERIFY(m->Trigger(corvel::cmd::FerramentasPadronizar));
    QCOMPARE(m->StatusPanelText(8), QString("Padronizar Fonte"));
    QString plain;
    const QString runs = ColourRuns(ed, legend, &plain);
    QCOMPARE(plain, QString(text).remove("\r\n"));
    // Text under colour 0 takes the text colour; the colours the tag passes
    // still name are undefined and show in the default colour.
    QVERIFY2(!runs.contains('?'), qPrintable(runs));
    QCOMPARE(runs.left(2), QString("dd"));
    QCOMPARE(runs.mid(16, 1), QString("f")); // "x"
    QCOMPARE(FontsUsed(ed), QStringList("DejaVu Sans Mono/14"));
    QCOMPARE(ed->Texto(), text);
}

void TestFontStandard::busyModeBoundary() {
    for (int size : {102400, 102401}) {
        ed->setTexto(QString(size, 'a'));
        QCOMPARE(Busy([&] { m->Trigger(corvel::cmd::FerramentasPadronizar); }), size > 102400);
        QVERIFY(!m->IsBusy());
    }
}

void TestFontStandard::stateKeptAsFound() {
    QString text;
    for (int i = 0; i < 300; ++i)
        text += QString("<td>%1 linha longa o bastante para rolar a janela</td>\r\n").arg(i);
    for (bool gravado : {true, false}) {
        ed->setTexto(text);
        ed->setGravado(gravado);
        ed->setSelInicio(5000);
        ed->setSelTamanho(25);
        ed->setRolagemVertical(ed->RolagemVertical() + 800);
        const int v = ed->RolagemVertical();
        m->Trigger(corvel::cmd::FerramentasPadronizar);
        QCOMPARE(ed->Gravado(), gravado);
        QCOMPARE(ed->SelInicio(), 5000);
        QCOMPARE(ed->SelTamanho(), 25);
        QCOMPARE(ed->RolagemVertical(), v);
        QVERIFY(!ed->Travar());
        QVERIFY(ed->Redesenhar());
        QCOMPARE(ed->Texto(), text);
    }
}

// Busy mode hides the editor while the work runs: the selection, the scroll
// position and the saved state must still come back.
void TestFontStandard::stateKeptInBusyMode() {
    QString text;
    for (int i = 0; text.size() <= 102400; ++i)
        text += QString("<td>%1 linha longa o bastante para rolar a janela</td>\r\n").arg(i);
    ed->setTexto(text);
    ed->setGravado(false);
    ed->setSelInicio(90000);
    ed->setSelTamanho(12);
    ed->setRolagemVertical(ed->RolagemVertical() + 1500);
    const int v = ed->RolagemVertical();
    QVERIFY(v > 0);
    QVERIFY(Busy([&] { m->Trigger(corvel::cmd::FerramentasPadronizar); }));
    QVERIFY(!m->IsBusy());
    QCOMPARE(ed->Texto(), text);
    QVERIFY(!ed->Gravado());
    QCOMPARE(ed->SelInicio(), 90000);
    QCOMPARE(ed->SelTamanho(), 12);
    QCOMPARE(ed->RolagemVertical(), v);
    QVERIFY(!ed->Travar());
    QVERIFY(ed->Visivel());
    QCOMPARE(m->StatusPanelText(8), QString("Padronizar Fonte"));
}

void TestFontStandard::rightControlRunsInsertImage() {
    int images = 0;
    m->SetHandler(corvel::cmd::InserirImagem, [&] { ++images; });
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, 105, 0xffe4, 0);
    corvel::ObserveKeyEvent(&down);
    ed->setTexto("abc");
    QVERIFY(m->Trigger(corvel::cmd::FerramentasPadronizar));
    QCOMPARE(images, 1);
    QVERIFY(m->StatusPanelText(8) != QString("Padronizar Fonte"));
}

QTEST_MAIN(TestFontStandard)
#include "tst_fontstandard.moc"
