// The notepad's editing and tool commands: clipboard, find with its wrap
// and beep, go to line, colourise and font standardisation, preview, the
// hand-over to Corvel, line wrapping, about and the site.
#include "FixedFormat.h"
#include "TessimFixture.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

using namespace tessim;
using corvel::MsgAnswer;
using corvel::MsgIcon;

class TestTessimTools : public QObject {
    Q_OBJECT

    // A stand-in Corvel program in a folder of its own.
    static QString FakeCorvelFolder(Notepad &n) {
        const QString folder = n.file(QStringLiteral("instalacao"));
        QDir().mkpath(folder);
        const QString program = folder + QStringLiteral("/Corvel");
        WriteFileBytes(program, "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return folder;
    }

private slots:
    void cleanup() { frmTessim::SetInstallationFolder(QString()); }

    void clipboard() {
        Notepad n;
        QGuiApplication::clipboard()->setText(QStringLiteral("guardado"));
        n.type(QStringLiteral("abc"), 3, 0);
        QVERIFY(n.w().Trigger(cmd::EditarRecortar)); // nothing selected
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("guardado"));
        n.ed()->setSelInicio(1);
        n.ed()->setSelTamanho(1);
        QVERIFY(n.w().Trigger(cmd::EditarRecortar));
        QCOMPARE(n.ed()->Texto(), QStringLiteral("ac"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("b"));
        QVERIFY(n.w().Trigger(cmd::EditarSelecionarTudo));
        QCOMPARE(n.ed()->SelTamanho(), 2);
        QVERIFY(n.w().Trigger(cmd::EditarCopiar));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("ac"));
        n.ed()->setSelInicio(2);
        n.ed()->setSelTamanho(0);
        QVERIFY(n.w().Trigger(cmd::EditarColar));
        QCOMPARE(n.ed()->Texto(), QStringLiteral("acac"));
        QVERIFY(n.w().Trigger(cmd::EditarDesfazer));
        QCOMPARE(n.ed()->Texto(), QStringLiteral("ac"));
    }

    // "abc xyz abc" with the caret at caretAt; find answer; the selection
    // and the beeps after.
    void find_data() {
        QTest::addColumn<int>("caretAt");
        QTest::addColumn<QString>("answer"); // null: cancelled
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<int>("beeps");
        QTest::newRow("ahead") << 1 << "abc" << 8 << 3 << 0;
        QTest::newRow("wraps to the start") << 9 << "ABC" << 0 << 3 << 0;
        QTest::newRow("nowhere: beep, caret stays") << 5 << "qqq" << 5 << 0 << 1;
        QTest::newRow("empty answer") << 5 << "" << 5 << 0 << 0;
        QTest::newRow("cancelled") << 5 << QString() << 5 << 0 << 0;
    }
    void find() {
        QFETCH(int, caretAt);
        QFETCH(QString, answer);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(int, beeps);
        Notepad n;
        n.type(QStringLiteral("abc xyz abc"), caretAt);
        n.w().lastSearchText = QStringLiteral("antes");
        n.dialogs.inputs.enqueue(answer);
        QVERIFY(n.w().Trigger(cmd::EditarProcurar));
        QCOMPARE(n.dialogs.prompts, QStringList{QStringLiteral("Entre com o texto a procurar.")});
        QCOMPARE(n.ed()->SelInicio(), selStart);
        QCOMPARE(n.ed()->SelTamanho(), selLength);
        QCOMPARE(n.services.beeps, beeps);
        QCOMPARE(n.w().lastSearchText,
                 answer.isEmpty() ? QStringLiteral("antes") : answer);
    }

    void findNextRepeatsAndWraps() {
        Notepad n;
        n.type(QStringLiteral("ab ab"), 0);
        QVERIFY(n.w().Trigger(cmd::EditarProcProx)); // nothing searched yet
        QCOMPARE(n.services.beeps, 1);
        n.w().lastSearchText = QStringLiteral("ab");
        const int expected[] = {0, 3, 0};
        for (int start : expected) {
            QVERIFY(n.w().Trigger(cmd::EditarProcProx));
            QCOMPARE(n.ed()->SelInicio(), start);
        }
        QCOMPARE(n.services.beeps, 1);
        QVERIFY(n.dialogs.prompts.isEmpty());
    }

    void goToLine_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("caret");
        QTest::newRow("line 3") << "3" << 8;
        QTest::newRow("past the end: last line") << "9" << 12;
        QTest::newRow("a negative number moves nothing") << "-2" << 1;
        QTest::newRow("not a number") << "abc" << 1;
        QTest::newRow("too large") << "65001" << 1;
        QTest::newRow("zero") << "0" << 1;
        QTest::newRow("cancelled") << QString() << 1;
    }
    void goToLine() {
        QFETCH(QString, answer);
        QFETCH(int, caret);
        Notepad n;
        n.type(QStringLiteral("l1\r\nl2\r\nl3\r\nl4"), 1);
        n.dialogs.inputs.enqueue(answer);
        QVERIFY(n.w().Trigger(cmd::EditarIr));
        QCOMPARE(n.dialogs.prompts, QStringList{QStringLiteral("Ir para qual linha?")});
        QCOMPARE(n.ed()->SelInicio(), caret);
    }

    void colouriseColoursMarkupAndKeepsTheRest() {
        Notepad n;
        const QString text =
            QStringLiteral("<p class=\"c\">x</p><!-- nota --><% y %>\r\nfim {a}\\");
        n.type(text, 3, 2);
        n.ed()->setGravado(true);
        QVERIFY(n.w().Trigger(cmd::FerramentasColor));
        QCOMPARE(n.ed()->Texto(), text);
        QCOMPARE(n.ed()->SelInicio(), 3);
        QCOMPARE(n.ed()->SelTamanho(), 2);
        QVERIFY(n.ed()->Gravado());
        QVERIFY(n.dialogs.messages.isEmpty());
        QVERIFY(!n.w().findChild<QWidget *>(QStringLiteral("ColorizeTMP")));
        const auto colourAt = [&n](int pos) {
            n.ed()->setSelInicio(pos);
            n.ed()->setSelTamanho(1);
            return n.ed()->SelCorTexto();
        };
        QCOMPARE(colourAt(1), Rgb(0, 0, 255));                          // tag name
        QCOMPARE(colourAt(text.indexOf(u'c')), Rgb(0, 0, 192));        // attribute
        QCOMPARE(colourAt(text.indexOf(u'"') + 1), Rgb(0, 128, 0));    // value
        QCOMPARE(colourAt(text.indexOf(u'x')), Rgb(0, 0, 0));           // text
        QCOMPARE(colourAt(text.indexOf(QLatin1String("nota"))), kCommentColour);
        QCOMPARE(colourAt(text.indexOf(u'y')), kScriptColour);
        QCOMPARE(n.ed()->SelFonteNome(), QStringLiteral("Courier New"));
        QCOMPARE(n.ed()->SelFonteTamanho(), 11);

        // Standardising the font takes every colour away again.
        QVERIFY(n.w().Trigger(cmd::FerramentaPFonte));
        QCOMPARE(n.ed()->Texto(), text);
        for (int pos : {1, int(text.indexOf(u'c')), int(text.indexOf(QLatin1String("nota"))),
                        int(text.indexOf(u'y'))})
            QCOMPARE(colourAt(pos), 0);
        QVERIFY(n.ed()->Gravado());
    }

    void colouriseRefusesLongTexts_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("refused");
        QTest::newRow("at the limit") << kColourLimit << false;
        QTest::newRow("one more") << kColourLimit + 1 << true;
    }
    void colouriseRefusesLongTexts() {
        QFETCH(int, size);
        QFETCH(bool, refused);
        Notepad n;
        QString text = QStringLiteral("<b>");
        text += QString(size - text.size(), u'a');
        n.type(text, 0);
        QVERIFY(n.w().Trigger(cmd::FerramentasColor));
        QCOMPARE(n.dialogs.messages.size(), refused ? 1 : 0);
        if (refused) {
            QCOMPARE(n.dialogs.lastText(),
                     QStringLiteral("Colorizar não disponível para textos maiores de 500 kbytes"));
            QCOMPARE(n.dialogs.lastTitle(), QStringLiteral("Colorizar"));
            QCOMPARE(n.dialogs.messages.first().icon, MsgIcon::Warning);
        }
        n.ed()->setSelInicio(1);
        n.ed()->setSelTamanho(1);
        QCOMPARE(n.ed()->SelCorTexto(), refused ? 0 : Rgb(0, 0, 255));
        QCOMPARE(n.ed()->Tamanho(), size);
    }

    void previewOfANewDocumentAsksForAName() {
        Notepad n;
        n.type(QStringLiteral("<p>"));
        const QString path = n.file(QStringLiteral("v.html"));
        n.dialogs.files.enqueue(path);
        QVERIFY(n.w().Trigger(cmd::FerramentaPreview));
        QCOMPARE(n.dialogs.messages.first().title, QStringLiteral("Arquivo Não Gravado"));
        QCOMPARE(n.dialogs.messages.first().icon, MsgIcon::Warning);
        QCOMPARE(ReadFileBytes(path), QByteArray("<p>"));
        QVERIFY(n.services.urls.isEmpty());
    }

    void previewSavesAndOpensTheFile_data() {
        QTest::addColumn<bool>("browserOpens");
        QTest::newRow("opened") << true;
        QTest::newRow("no browser") << false;
    }
    void previewSavesAndOpensTheFile() {
        QFETCH(bool, browserOpens);
        Notepad n;
        const QString path = n.file(QStringLiteral("pasta #1/página.html"));
        QDir().mkpath(QFileInfo(path).path());
        QVERIFY(WriteFileBytes(path, "velho"));
        QVERIFY(OpenPath(n.w(), path));
        n.type(QStringLiteral("novo"));
        n.services.urlsOpen = browserOpens;
        QVERIFY(n.w().Trigger(cmd::FerramentaPreview));
        QCOMPARE(ReadFileBytes(path), QByteArray("novo"));
        QCOMPARE(n.services.urls.size(), 1);
        QCOMPARE(n.services.urls.first().toLocalFile(), path);
        QCOMPARE(n.dialogs.messages.size(), browserOpens ? 0 : 1);
        if (!browserOpens) QCOMPARE(n.dialogs.lastTitle(), QStringLiteral("Erro de Preview"));
    }

    void previewAfterAFailedSaveOpensNothing() {
        Notepad n;
        n.type(QStringLiteral("x"));
        n.w().SetPath(n.file(QStringLiteral("nao/existe.html")));
        QVERIFY(n.w().Trigger(cmd::FerramentaPreview));
        QCOMPARE(n.dialogs.lastTitle(), QStringLiteral("Erro de Gravação"));
        QVERIFY(n.services.urls.isEmpty());
    }

    void openInCorvelNeedsCorvelBeside() {
        Notepad without;
        QVERIFY(!without.w().Action(cmd::FerramentasAbCorvel)->isEnabled());
        QVERIFY(!without.w().Trigger(cmd::FerramentasAbCorvel));
        QVERIFY(without.services.started.isEmpty());

        Notepad probe;
        frmTessim::SetInstallationFolder(FakeCorvelFolder(probe));
        Notepad with;
        QVERIFY(with.w().Action(cmd::FerramentasAbCorvel)->isEnabled());
    }

    // A modified document with a file: each answer of the hand-over question.
    void openInCorvel_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("started");
        QTest::addColumn<QByteArray>("onDisk");
        QTest::addColumn<bool>("closes");
        QTest::newRow("yes saves, hands over, closes")
            << int(MsgAnswer::Yes) << true << QByteArray("novo") << true;
        QTest::newRow("no hands the old file over")
            << int(MsgAnswer::No) << true << QByteArray("velho") << false;
        QTest::newRow("cancel stops") << int(MsgAnswer::Cancel) << false << QByteArray("velho")
                                      << false;
    }
    void openInCorvel() {
        QFETCH(int, answer);
        QFETCH(bool, started);
        QFETCH(QByteArray, onDisk);
        QFETCH(bool, closes);
        Notepad n;
        frmTessim::SetInstallationFolder(FakeCorvelFolder(n));
        Notepad corvel; // a window that sees the Corvel program
        const QString path = n.file(QStringLiteral("com espaço.html"));
        QVERIFY(WriteFileBytes(path, "velho"));
        QVERIFY(OpenPath(corvel.w(), path));
        corvel.type(QStringLiteral("novo"));
        corvel.w().show();
        corvel.dialogs.answers.enqueue(MsgAnswer(answer));
        QVERIFY(corvel.w().Trigger(cmd::FerramentasAbCorvel));
        QCOMPARE(corvel.dialogs.messages.first().text,
                 QStringLiteral("O documento em edição não foi gravado. Caso não grave a abra no "
                                "Corvel, as últimas alterações não estarão disponíveis.\r\n\r\n"
                                "Deseja gravar as alterações?"));
        QCOMPARE(corvel.services.started.size(), started ? 1 : 0);
        if (started)
            QCOMPARE(corvel.services.started.first(),
                     (QStringList{frmTessim::CorvelProgram(), path}));
        QCOMPARE(ReadFileBytes(path), onDisk);
        QCOMPARE(corvel.w().isVisible(), !closes);
    }

    void openInCorvelWithoutAFile() {
        Notepad n;
        frmTessim::SetInstallationFolder(FakeCorvelFolder(n));
        Notepad corvel;
        QVERIFY(corvel.w().Trigger(cmd::FerramentasAbCorvel));
        QCOMPARE(corvel.dialogs.lastText(), QStringLiteral("O arquivo ainda não foi gravado."));
        QCOMPARE(corvel.dialogs.messages.first().icon, MsgIcon::Information);
        QVERIFY(corvel.services.started.isEmpty());
    }

    void lineWrapToggles() {
        Notepad n;
        QAction *a = n.w().Action(cmd::FerramentasQuebra);
        QVERIFY(!a->isChecked());
        QVERIFY(n.w().Trigger(cmd::FerramentasQuebra));
        QVERIFY(!n.ed()->QuebrarLinha());
        QVERIFY(a->isChecked());
        QVERIFY(n.w().Trigger(cmd::FerramentasQuebra));
        QVERIFY(n.ed()->QuebrarLinha());
        QVERIFY(!a->isChecked());
    }

    void aboutAndSite() {
        Notepad n;
        QVERIFY(n.w().Trigger(cmd::AjudaSobre));
        QCOMPARE(n.dialogs.lastTitle(), QStringLiteral("Sobre o Tessim"));
        QVERIFY(n.dialogs.lastText().contains(QStringLiteral("Versão " CORVEL_VERSION_FOR_TESTS)));
        QVERIFY(n.dialogs.lastText().contains(QStringLiteral(CORVEL_SITE_FOR_TESTS)));
        QVERIFY(n.w().Trigger(cmd::AjudaSite));
        QCOMPARE(n.services.urls, QList<QUrl>{QUrl(QStringLiteral(CORVEL_SITE_FOR_TESTS))});
    }
};

QTEST_MAIN(TestTessimTools)
#include "tst_tessim_tools.moc"
