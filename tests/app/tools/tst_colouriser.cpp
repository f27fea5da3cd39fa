// The colourise command on real documents: the colour runs of the passes and
// of comment and script painting, the size limits, and everything the command
// must leave as it found it.
#include "ColourRuns.h"
#include "Colouriser.h"
#include "ColouriserFixture.h"
#include "ControlHost.h"
#include "Folders.h"
#include "KeyState.h"
#include "MenuTable.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmMain.h"

#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestColouriser : public QObject, protected ColouriserFixture {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void colourRuns_data();
    void colourRuns();
    void textNeverChanges_data();
    void textNeverChanges();
    void hostileFaceNames_data();
    void hostileFaceNames();
    void sizeLimits();
    void busyModeBoundary();
    void stateKeptAsFound();
    void stateKeptInBusyMode();
    void failureReleasesEverything();
    void rightControlRunsInsertLink();
    void corpusTextKept_data();
    void corpusTextKept();

private:
    QString Runs(QString *text = nullptr) {
        return ColourRuns(ed,
                          {{-1, 'd'},
                           {0, '0'},
                           {16711680, '1'},
                           {12582912, '2'},
                           {40960, '3'},
                           {12632256, 'c'},
                           {255, 's'}},
                          text);
    }
};

void TestColouriser::initTestCase() {
    pinFolders();
}

void TestColouriser::init() {
    openWindow();
}

void TestColouriser::cleanup() {
    closeWindow();
}

void TestColouriser::colourRuns_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("runs");
    // Tag, attribute name with its space and "=", quoted value, tag again.
    QTest::newRow("quoted value") << "<p align='left'>x</p>"
                                  << QString("11") + "2222222" + "333333" + "1" + "0" + "1111";
    QTest::newRow("digits") << "<td width=100>" << QString("111") + "2222222" + "333" + "1";
    QTest::newRow("bare word") << "<td align=left>" << QString(15, '1');
    // Text before the first tag keeps the editor's default colour.
    QTest::newRow("braces") << "a{b}c\\d" << QString(7, 'd');
    // Outside tags: attribute colours, then the tag colour up to the next tag.
    QTest::newRow("outside tags") << "Sum: total = 5 items<b>y"
                                  << QString("dddd") + "222222222" + "3" + "111111" + "111" + "0";
    QTest::newRow("comment with tags") << "a<!-- <b>x</b> -->b"
                                       << "d" + QString(17, 'c') + "0";
    QTest::newRow("unterminated comment") << "<!-- <b>x" << QString(8, '1') + "0";
    QTest::newRow("script blocks") << "<% a %>x<?php ?>" << QString(7, 's') + "0" + QString(8, 's');
    // Where a script block and a comment overlap, the script colour wins.
    QTest::newRow("script in comment") << "<!-- <% x %> -->"
                                       << "ccccc" + QString(7, 's') + "cccc";
}

void TestColouriser::colourRuns() {
    QFETCH(QString, text);
    ed->setTexto(text);
    QVERIFY(m->Trigger(corvel::cmd::FerramentasColorizar));
    QString plain;
    QTEST(Runs(&plain), "runs");
    QCOMPARE(plain, text);
    QCOMPARE(m->StatusPanelText(8), QString("Colorizar HTML"));
}

void TestColouriser::textNeverChanges_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("space after tag") << "<b>x = 5</b>\r\n<i>y='z'</i>";
    QTest::newRow("braces and backslashes") << "{\\rtf1 }\\par \\\\{";
    QTest::newRow("accents and beyond") << QString::fromUtf8("ação — € 中文 😀\r\n\tfim");
    QTest::newRow("line breaks") << "\r\n\r\na\r\n\r\n";
    QTest::newRow("empty") << "";
    QTest::newRow("ascii controls") << QString::fromLatin1("a\x01b\x0b\x0c\x1b\x1f\x7f{\x02}");
}

void TestColouriser::textNeverChanges() {
    QFETCH(QString, text);
    ed->setTexto(text);
    QCOMPARE(ed->Texto(), text);
    m->Trigger(corvel::cmd::FerramentasColorizar);
    QCOMPARE(ed->Texto(), text);
}

// The face name comes from the settings: whatever it holds, both whole-
// document commands keep the text and show it in exactly that face.
void TestColouriser::hostileFaceNames_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("face");
    const QStringList faces = {"Foo{Bar",
                               "Evil}Font;x",
                               "Back\\slash\\par x",
                               "}{\\rtf1 }",
                               QString::fromUtf8("Fonte Ção €"),
                               "a;b;c",
                               "Tab\tFonte"};
    for (const char *command : {"mnuFerramentasColorizar", "mnuFerramentasPadronizar"})
        for (const QString &face : faces)
            QTest::newRow(qPrintable(QString(command).mid(14) + ": " + face)) << command << face;
}

void TestColouriser::hostileFaceNames() {
    QFETCH(QString, command);
    QFETCH(QString, face);
    WriteSetting("Editor", "Fonte", face);
    const QString text = QString::fromUtf8("<p class=\"a\">texto {x}\\y; ç</p>\r\n<!-- c -->");
    ed->setTexto(text);
    ed->setGravado(true);
    QVERIFY(m->Trigger(corvel::CommandByName(command)));
    QCOMPARE(ed->Texto(), text);
    QVERIFY(ed->Gravado());
    QCOMPARE(FontsUsed(ed), QStringList(face + "/11"));
}

void TestColouriser::sizeLimits() {
    const QString unit = "<b>x</b>\r\n"; // 10 characters
    QString big = unit.repeated(51200);  // 512,000
    ed->setTexto(big);
    QCOMPARE(ed->Tamanho(), 512000);
    m->Trigger(corvel::cmd::FerramentasColorizar);
    QCOMPARE(Runs().left(9), QString("111011111"));
    QCOMPARE(m->StatusPanelText(8), QString("Colorizar HTML"));

    ed->setTexto(big + "y");
    const QString before = ed->TextoRTF();
    m->Trigger(corvel::cmd::FerramentasColorizar);
    QCOMPARE(m->StatusPanelText(8),
             QString("Colorizar não disponível para textos maiores de 500 kbytes"));
    QCOMPARE(ed->TextoRTF(), before);
}

void TestColouriser::busyModeBoundary() {
    ed->setTexto(QString(307200, 'a'));
    QVERIFY(!Busy([&] { m->Trigger(corvel::cmd::FerramentasColorizar); }));
    ed->setTexto(QString(307201, 'a'));
    QVERIFY(Busy([&] { m->Trigger(corvel::cmd::FerramentasColorizar); }));
    QVERIFY(!m->IsBusy());
    QVERIFY(ed->Visivel());
}

void TestColouriser::stateKeptAsFound() {
    QString text;
    for (int i = 0; i < 400; ++i)
        text +=
            QString("<p class=\"c%1\">linha %1 com um texto bem longo para rolar</p>\r\n").arg(i);
    for (bool gravado : {true, false}) {
        ed->setTexto(text);
        ed->setGravado(gravado);
        ed->setSelInicio(12345);
        ed->setSelTamanho(67);
        ed->setRolagemVertical(ed->RolagemVertical() + 1000);
        const int v = ed->RolagemVertical();
        m->Trigger(corvel::cmd::FerramentasColorizar);
        QCOMPARE(ed->Gravado(), gravado);
        QCOMPARE(ed->SelInicio(), 12345);
        QCOMPARE(ed->SelTamanho(), 67);
        QCOMPARE(ed->RolagemVertical(), v);
        QVERIFY(!ed->Travar());
        QVERIFY(ed->Redesenhar());
        QVERIFY(!m->findChild<QWidget *>("ColorizeTMP"));
    }
}

// Busy mode hides the editor while the work runs: the selection, the scroll
// position and the saved state must still come back.
void TestColouriser::stateKeptInBusyMode() {
    QString text;
    for (int i = 0; text.size() <= 307200; ++i)
        text += QString("<td class=\"c%1\">linha %1 longa o bastante para rolar</td>\r\n").arg(i);
    ed->setTexto(text);
    ed->setGravado(true);
    ed->setSelInicio(200000);
    ed->setSelTamanho(31);
    ed->setRolagemVertical(ed->RolagemVertical() + 3000);
    const int v = ed->RolagemVertical();
    QVERIFY(v > 0);
    QVERIFY(Busy([&] { m->Trigger(corvel::cmd::FerramentasColorizar); }));
    QVERIFY(!m->IsBusy());
    QCOMPARE(ed->Texto(), text);
    QVERIFY(ed->Gravado());
    QCOMPARE(ed->SelInicio(), 200000);
    QCOMPARE(ed->SelTamanho(), 31);
    QCOMPARE(ed->RolagemVertical(), v);
    QVERIFY(!ed->Travar());
    QVERIFY(ed->Visivel());
    QCOMPARE(m->StatusPanelText(8), QString("Colorizar HTML"));
}

void TestColouriser::failureReleasesEverything() {
    ed->setTexto("<b>x</b>");
    ed->setGravado(false);
    const QString before = ed->TextoRTF();
    WriteSetting("Editor", "Tamanho", "grande");
    m->Trigger(corvel::cmd::FerramentasColorizar);
    QCOMPARE(ed->TextoRTF(), before);
    QVERIFY(!ed->Travar());
    QVERIFY(ed->Redesenhar());
    QVERIFY(!ed->Gravado());
    QVERIFY(!m->findChild<QWidget *>("ColorizeTMP"));
    QCOMPARE(m->StatusPanelText(8), QString("Colorizar HTML"));
    // And the next run works.
    WriteSetting("Editor", "Tamanho", "11");
    m->Trigger(corvel::cmd::FerramentasColorizar);
    QCOMPARE(Runs(), QString("11101111"));
}

void TestColouriser::rightControlRunsInsertLink() {
    int links = 0;
    m->SetHandler(corvel::cmd::InserirLink, [&] { ++links; });
    ed->setTexto("<b>x</b>");
    const QString before = ed->TextoRTF();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, 105, 0xffe4, 0);
    corvel::ObserveKeyEvent(&down);
    m->Trigger(corvel::cmd::FerramentasColorizar);
    QCOMPARE(links, 1);
    QCOMPARE(ed->TextoRTF(), before);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, 105, 0xffe4, 0);
    corvel::ObserveKeyEvent(&up);
    // The left Control key colourises.
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, 37, 0xffe3, 0);
    corvel::ObserveKeyEvent(&left);
    m->Trigger(corvel::cmd::FerramentasColorizar);
    QCOMPARE(links, 1);
    QCOMPARE(Runs(), QString("11101111"));
}

void TestColouriser::corpusTextKept_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("100k") << "real_100k.crlf.html";
    QTest::newRow("300k") << "real_300k.crlf.html";
    QTest::newRow("500k") << "real_500k.crlf.html";
}

void TestColouriser::corpusTextKept() {
    QFETCH(QString, file);
    const QString path = qEnvironmentVariable("CORVEL_CORPUS_DIR") + "/" + file;
    if (!QFile::exists(path)) QSKIP("corpus not found");
    QCOMPARE(ed->Ler(path), QString());
    ed->setGravado(true);
    const QString text = ed->Texto();
    m->Trigger(corvel::cmd::FerramentasColorizar);
    QCOMPARE(m->StatusPanelText(8), QString("Colorizar HTML"));
    QVERIFY(ed->Texto() == text);
    QVERIFY(ed->Gravado());
    const QString runs = Runs();
    QVERIFY(runs.contains('1') && runs.contains('2') && runs.contains('3') && runs.contains('c'));
}

QTEST_MAIN(TestColouriser)
#include "tst_colouriser.moc"
