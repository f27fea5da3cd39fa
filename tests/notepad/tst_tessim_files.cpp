// The notepad's file commands through the window: the save question in its
// two wordings, New, Open, Save, Save As, Print and closing.
#include "TessimFixture.h"

#include <QtTest>

using namespace tessim;
using corvel::MsgAnswer;
using corvel::MsgButtons;
using corvel::MsgIcon;

namespace {
const QString kQuestion = QStringLiteral(
    "O documento em edição não foi gravado.\r\n\r\nDeseja gravar as alterações?");
}

class TestTessimFiles : public QObject {
    Q_OBJECT
private slots:
    // New on a modified document with a file: each answer of the question.
    void newAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("textAfter");
        QTest::addColumn<QByteArray>("fileAfter");
        QTest::newRow("yes saves, then empties")
            << int(MsgAnswer::Yes) << "" << QByteArray("editado");
        QTest::newRow("no empties without saving")
            << int(MsgAnswer::No) << "" << QByteArray("original");
        QTest::newRow("cancel keeps everything")
            << int(MsgAnswer::Cancel) << "editado" << QByteArray("original");
    }
    void newAsks() {
        QFETCH(int, answer);
        QFETCH(QString, textAfter);
        QFETCH(QByteArray, fileAfter);
        Notepad n;
        const QString path = n.file(QStringLiteral("a.txt"));
        QVERIFY(WriteFileBytes(path, "original"));
        QVERIFY(OpenPath(n.w(), path));
        n.type(QStringLiteral("editado"));
        n.dialogs.answers.enqueue(MsgAnswer(answer));
        QVERIFY(n.w().Trigger(cmd::ArquivoNovo));
        QCOMPARE(n.dialogs.messages.size(), 1);
        const RecordedMessage &m = n.dialogs.messages.first();
        QCOMPARE(m.text, kQuestion);
        QCOMPARE(m.title, QStringLiteral("Documento Alterado"));
        QCOMPARE(m.icon, MsgIcon::Warning);
        QCOMPARE(m.buttons, MsgButtons::YesNoCancel);
        QCOMPARE(n.ed()->Texto(), textAfter);
        QCOMPARE(ReadFileBytes(path), fileAfter);
        const bool emptied = textAfter.isEmpty();
        QCOMPARE(n.w().windowTitle(),
                 emptied ? QStringLiteral("Tessim") : QStringLiteral("Tessim - [") + path + "]");
        QCOMPARE(n.w().Path().isEmpty(), emptied);
    }

    void unmodifiedDocumentsAreNotAsked_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("new") << "mnuArquivoNovo";
        QTest::newRow("open") << "mnuArquivoAbrir";
    }
    void unmodifiedDocumentsAreNotAsked() {
        QFETCH(QString, command);
        Notepad n;
        n.type(QStringLiteral("x"));
        n.ed()->setGravado(true);
        const QByteArray id = command.toLatin1();
        QVERIFY(n.w().Trigger(CommandId(id.constData())));
        QVERIFY(n.dialogs.messages.isEmpty());
    }

    // Unnamed and modified: Yes goes through Save As; cancelling that
    // dialog stops the command rather than dropping the text.
    void yesWithCancelledSaveAsStops() {
        Notepad n;
        n.type(QStringLiteral("rascunho"));
        n.dialogs.answers.enqueue(MsgAnswer::Yes);
        QVERIFY(n.w().Trigger(cmd::ArquivoNovo));
        QCOMPARE(n.ed()->Texto(), QStringLiteral("rascunho"));
    }

    // A file's bytes survive open and save unchanged, whatever its
    // encoding and line breaks; an edit keeps both.
    void openAndSaveKeepTheFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("afterEdit"); // "!" typed at the end
        QTest::newRow("windows-1252, LF")
            << QByteArray("<p>a\xE7\xE3o</p>\n<br>") << QStringLiteral("<p>ação</p>\r\n<br>")
            << QByteArray("<p>a\xE7\xE3o</p>\n<br>!");
        QTest::newRow("utf-8 BOM, CR LF")
            << QByteArray("\xEF\xBB\xBF<b>\xC3\xA9</b>\r\n") << QStringLiteral("<b>é</b>\r\n")
            << QByteArray("\xEF\xBB\xBF<b>\xC3\xA9</b>\r\n!");
        QTest::newRow("mixed breaks") << QByteArray("a\nb\r\nc") << QStringLiteral("a\r\nb\r\nc")
                                      << QByteArray("a\nb\nc!");
    }
    void openAndSaveKeepTheFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QFETCH(QByteArray, afterEdit);
        Notepad n;
        const QString path = n.file(QStringLiteral("p.html"));
        QVERIFY(WriteFileBytes(path, bytes));
        n.dialogs.files.enqueue(path);
        QVERIFY(n.w().Trigger(cmd::ArquivoAbrir));
        QCOMPARE(n.ed()->Texto(), shown);
        QCOMPARE(n.w().windowTitle(), QStringLiteral("Tessim - [") + path + "]");
        QVERIFY(n.ed()->Gravado());
        QVERIFY(!n.ed()->Alterado());
        QVERIFY(n.w().Trigger(cmd::ArquivoSalvar));
        QCOMPARE(ReadFileBytes(path), bytes);
        n.type(shown + QStringLiteral("!"));
        QVERIFY(n.w().Trigger(cmd::ArquivoSalvar));
        QCOMPARE(ReadFileBytes(path), afterEdit);
        QVERIFY(!n.ed()->Alterado());
        QVERIFY(n.dialogs.messages.isEmpty());
    }

    void relativeCommandLinePathsAreMadeAbsolute() {
        Notepad n;
        QVERIFY(WriteFileBytes(n.file(QStringLiteral("rel.txt")), "r"));
        const QString old = QDir::currentPath();
        QDir::setCurrent(n.dir.path());
        const bool opened = OpenPath(n.w(), QStringLiteral("./sub/../rel.txt"));
        QDir::setCurrent(old);
        QVERIFY(opened);
        QCOMPARE(n.w().Path(), n.file(QStringLiteral("rel.txt")));
    }

    void openFailureKeepsTheDocument() {
        Notepad n;
        n.type(QStringLiteral("meu texto"));
        n.ed()->setGravado(true);
        n.dialogs.files.enqueue(n.file(QStringLiteral("sumiu.html")));
        QVERIFY(n.w().Trigger(cmd::ArquivoAbrir));
        QCOMPARE(n.dialogs.lastTitle(), QStringLiteral("Erro ao Abrir"));
        QVERIFY(n.dialogs.lastText().startsWith(QStringLiteral(
            "Ocorreu um erro na tentativa de abrir o arquivo especificado:\r\n")));
        QCOMPARE(n.ed()->Texto(), QStringLiteral("meu texto"));
        QCOMPARE(n.w().windowTitle(), QStringLiteral("Tessim"));
    }

    void cancelledOpenDoesNothing() {
        Notepad n;
        n.type(QStringLiteral("fica"));
        n.ed()->setGravado(true);
        QVERIFY(n.w().Trigger(cmd::ArquivoAbrir)); // the dialog answers nothing
        QCOMPARE(n.ed()->Texto(), QStringLiteral("fica"));
        QVERIFY(n.dialogs.messages.isEmpty());
    }

    void saveAsNamesTheWindow() {
        Notepad n;
        n.type(QStringLiteral("<p>novo</p>"));
        const QString path = n.file(QStringLiteral("novo.html"));
        n.dialogs.files.enqueue(path);
        QVERIFY(n.w().Trigger(cmd::ArquivoSalvar)); // no file yet: Save As
        QCOMPARE(n.w().windowTitle(), QStringLiteral("Tessim - [") + path + "]");
        QCOMPARE(ReadFileBytes(path), QByteArray("<p>novo</p>"));
        QVERIFY(!n.ed()->Alterado());
        QVERIFY(n.ed()->Gravado());
    }

    // A save that fails says so, and the document keeps its name, its
    // modified state and its text.
    void failedSaves_data() {
        QTest::addColumn<bool>("saveAs");
        QTest::newRow("save") << false;
        QTest::newRow("save as") << true;
    }
    void failedSaves() {
        QFETCH(bool, saveAs);
        Notepad n;
        const QString path = n.file(QStringLiteral("ok.txt"));
        QVERIFY(WriteFileBytes(path, "ok"));
        QVERIFY(OpenPath(n.w(), path));
        n.type(QStringLiteral("mudou"));
        const QString bad = n.file(QStringLiteral("nao/existe.txt"));
        if (saveAs) {
            n.dialogs.files.enqueue(bad);
            QVERIFY(n.w().Trigger(cmd::ArquivoSalvarComo));
        } else {
            n.w().SetPath(bad);
            QVERIFY(n.w().Trigger(cmd::ArquivoSalvar));
        }
        QCOMPARE(n.dialogs.lastTitle(), QStringLiteral("Erro de Gravação"));
        QVERIFY(n.dialogs.lastText().startsWith(
            QStringLiteral("Ocorreu um erro ao tentar gravar o arquivo:\r\n")));
        QCOMPARE(n.w().Path(), saveAs ? path : bad);
        QVERIFY(n.ed()->Alterado());
        QVERIFY(!n.ed()->Gravado());
        QCOMPARE(ReadFileBytes(path), QByteArray("ok"));
    }

    void print_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("printed");
        const QString x200 = QString(100, u'x') + QString(100, u'y');
        QTest::newRow("200 characters in three lines")
            << int(MsgAnswer::Yes) << x200
            << QStringList{QLatin1Char(' ') + x200.left(85), QLatin1Char(' ') + x200.mid(85, 85),
                           QLatin1Char(' ') + x200.mid(170)};
        QTest::newRow("lines after one space")
            << int(MsgAnswer::Yes) << "a\r\n\r\nb" << QStringList{" a", " ", " b"};
        QTest::newRow("no prints nothing") << int(MsgAnswer::No) << "a" << QStringList();
    }
    void print() {
        QFETCH(int, answer);
        QFETCH(QString, text);
        QFETCH(QStringList, printed);
        Notepad n;
        n.type(text);
        n.dialogs.answers.enqueue(MsgAnswer(answer));
        QVERIFY(n.w().Trigger(cmd::ArquivoImprimir));
        const RecordedMessage &m = n.dialogs.messages.first();
        QCOMPARE(m.text, QStringLiteral("Confirma a impressão deste arquivo?"));
        QCOMPARE(m.title, QStringLiteral("Impressão"));
        QCOMPARE(m.buttons, MsgButtons::YesNo);
        if (printed.isEmpty()) {
            QVERIFY(n.services.printed.isEmpty());
            return;
        }
        QCOMPARE(n.services.printed.size(), 1);
        QCOMPARE(n.services.printed.first(), printed);
        QCOMPARE(n.services.printFont, QStringLiteral("Courier New 11"));
    }

    void printDefaultsToNo() {
        Notepad n;
        n.type(QStringLiteral("a"));
        QVERIFY(n.w().Trigger(cmd::ArquivoImprimir)); // unanswered: the default
        QVERIFY(n.services.printed.isEmpty());
    }

    void printFailureIsReported() {
        Notepad n;
        n.services.printError = QStringLiteral("sem impressora");
        n.dialogs.answers.enqueue(MsgAnswer::Yes);
        QVERIFY(n.w().Trigger(cmd::ArquivoImprimir));
        QVERIFY(n.dialogs.lastText().endsWith(QStringLiteral("sem impressora")));
    }

    void closingAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("cancel keeps the window") << int(MsgAnswer::Cancel) << false;
        QTest::newRow("no closes") << int(MsgAnswer::No) << true;
    }
    void closingAsks() {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        Notepad n;
        n.w().show();
        n.type(QStringLiteral("x"));
        n.dialogs.answers.enqueue(MsgAnswer(answer));
        QVERIFY(n.w().Trigger(cmd::ArquivoSair));
        QCOMPARE(n.dialogs.lastText(), kQuestion);
        QCOMPARE(n.w().isVisible(), !closes);
    }
};

QTEST_MAIN(TestTessimFiles)
#include "tst_tessim_files.moc"
