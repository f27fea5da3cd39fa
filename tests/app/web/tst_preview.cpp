// The preview command: what it writes or saves, which browser it reaches
// and what that browser is given, and the messages of every failure.
#include "PreviewFile.h"
#include "PreviewFixture.h"
#include "SettingsCommands.h"
#include "frmOpcoes.h"

#include <QApplication>
#include <QTimer>

#include <QElapsedTimer>

using namespace preview_test;

namespace {

bool WaitFor(const std::function<bool()> &done, int ms = 10000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QTest::qWait(20);
    }
    return true;
}

} // namespace

class tst_preview : public QObject {
    Q_OBJECT
private slots:
    // "Preview" "1" saves first: a document without a file asks for one,
    // and a cancelled dialog previews nothing and says nothing.
    void savingPreview_data() {
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("saveAs"); // the dialog's answer; "" cancels
        QTest::addColumn<bool>("shown");
        QTest::newRow("unnamed, cancelled") << false << "" << false;
        QTest::newRow("unnamed, saved as") << false << "nova.html" << true;
        QTest::newRow("named") << true << "" << true;
    }
    void savingPreview() {
        QFETCH(bool, named);
        QFETCH(QString, saveAs);
        QFETCH(bool, shown);
        Fixture f;
        Set("Preview", QStringLiteral("1"));
        const QString file = f.work(named ? QStringLiteral("pagina.html") : saveAs);
        if (named) QVERIFY(WriteBytes(file, "<p>velho</p>"));
        ICorvelEdit *ed = f.document(QStringLiteral("<p>novo</p>"), named ? file : QString());
        if (!saveAs.isEmpty()) f.dialogs.files.enqueue(file);
        f.preview();
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(f.opened.size(), shown ? 1 : 0);
        QVERIFY(!QFileInfo::exists(corvel::PreviewFilePath()));
        if (!shown) {
            QVERIFY(ed->Arquivo().isEmpty());
            return;
        }
        QCOMPARE(f.opened.first(), QUrl::fromLocalFile(file));
        QCOMPARE(ReadBytes(file), QByteArray("<p>novo</p>"));
        QVERIFY(ed->Gravado());
    }

    // Otherwise the text as it stands goes to the preview file, in the
    // document's encoding; the document stays unsaved and its cache copy
    // follows.
    void windowTextPreview_data() {
        QTest::addColumn<QByteArray>("onDisk"); // empty: a new document
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("new document") << QByteArray() << QByteArray("<p>ação</p>");
        QTest::newRow("windows-1252 file")
            << QByteArray("<p>caf\xe9</p>") << QByteArray("<p>a\xe7\xe3o</p>");
        QTest::newRow("utf-8 file")
            << QByteArray("<p>caf\xc3\xa9</p>") << QByteArray("<p>ação</p>");
    }
    void windowTextPreview() {
        QFETCH(QByteArray, onDisk);
        QFETCH(QByteArray, written);
        Fixture f;
        Set("Preview", QStringLiteral("0"));
        const QString file = f.work(QStringLiteral("pagina.html"));
        if (!onDisk.isEmpty()) QVERIFY(WriteBytes(file, onDisk));
        ICorvelEdit *ed = f.document(QString(), onDisk.isEmpty() ? QString() : file);
        ed->setTexto(QStringLiteral("<p>ação</p>"));
        const bool wasSaved = ed->Gravado();
        const QString copy = corvel::CacheFolder() + ed->ArquivoTemporario();
        const QByteArray copyBefore =
            ed->ArquivoTemporario().isEmpty() ? QByteArray() : ReadBytes(copy);
        f.preview();
        QVERIFY2(f.dialogs.messages.isEmpty(), qPrintable(f.dialogs.lastText()));
        QCOMPARE(f.opened, QList<QUrl>{QUrl::fromLocalFile(corvel::PreviewFilePath())});
        QCOMPARE(ReadBytes(corvel::PreviewFilePath()), written);
        QCOMPARE(ed->Gravado(), wasSaved);
        QCOMPARE(ReadBytes(file), onDisk);
        QVERIFY(!ed->ArquivoTemporario().isEmpty());
        const QByteArray copyAfter = ReadBytes(corvel::CacheFolder() + ed->ArquivoTemporario());
        QVERIFY(copyAfter != copyBefore);
        // The copy holds the text that was previewed.
        const QString name = ed->ArquivoTemporario();
        ICorvelEdit *other = f.m->CreateDocument();
        QVERIFY(other);
        other->LerTemporario(name);
        QCOMPARE(other->Texto(), QStringLiteral("<p>ação</p>"));
    }

    // A pair of browser flags that names none of the three browsers is put
    // right and the default browser shows the page.
    void repairedPairUsesTheDefaultBrowser() {
        Fixture f;
        Set("Preview", QStringLiteral("0"));
        Set("BrowserPadrao", QStringLiteral("1"));
        Set("CorvelBrowser", QStringLiteral("1"));
        Set("Browser", QStringLiteral("/usr/bin/env"));
        f.document(QStringLiteral("<p>x</p>"));
        f.preview();
        QCOMPARE(f.opened.size(), 1);
        QCOMPARE(Get("BrowserPadrao"), QStringLiteral("1"));
        QCOMPARE(Get("CorvelBrowser"), QStringLiteral("0"));
        QCOMPARE(Get("Browser"), QString());
    }

    // The chosen browser program is missing: the message, then the options.
    void missingSpecificBrowser_data() {
        QTest::addColumn<QString>("browser");
        QTest::newRow("none given") << "";
        QTest::newRow("deleted") << "deleted";
        QTest::newRow("a folder") << "folder";
    }
    void missingSpecificBrowser() {
        QFETCH(QString, browser);
        Fixture f;
        Set("Preview", QStringLiteral("0"));
        Set("BrowserPadrao", QStringLiteral("0"));
        Set("CorvelBrowser", QStringLiteral("0"));
        const QString program = f.work(QStringLiteral("navegador"));
        if (browser == QLatin1String("deleted")) {
            QVERIFY(WriteScript(program, "exit 0\n"));
            QVERIFY(QFile::remove(program));
        }
        if (browser == QLatin1String("folder")) QVERIFY(QDir().mkpath(program));
        Set("Browser", browser.isEmpty() ? QString() : program);
        f.document(QStringLiteral("<p>x</p>"));
        f.preview();
        QCOMPARE(f.titles(), QStringList{QStringLiteral("Browser Inexistente")});
        QCOMPARE(f.dialogs.messages.first().icon, corvel::MsgIcon::Critical);
        QVERIFY(f.dialogs.lastText().startsWith(QStringLiteral("Você optou por utilizar")));
        QCOMPARE(f.optionsOpened, 1);
        QVERIFY(f.opened.isEmpty());
    }

    // With the options commands attached, the missing browser's message is
    // followed by the options dialog itself, as a modal window.
    void missingBrowserOpensTheOptionsDialog() {
        Fixture f;
        RegisterSettingsCommands(*f.m);
        Set("Preview", QStringLiteral("0"));
        Set("BrowserPadrao", QStringLiteral("0"));
        Set("CorvelBrowser", QStringLiteral("0"));
        Set("Browser", f.work(QStringLiteral("apagado")));
        f.document(QStringLiteral("<p>x</p>"));
        QString shown;
        QTimer::singleShot(200, [&] {
            if (QWidget *w = QApplication::activeModalWidget()) {
                shown = QString::fromLatin1(w->metaObject()->className());
                w->close();
            }
        });
        f.preview();
        QCOMPARE(f.titles(), QStringList{QStringLiteral("Browser Inexistente")});
        QCOMPARE(shown, QStringLiteral("frmOpcoes"));
    }

    // The chosen browser gets the path as its one argument, blanks, quotes
    // and dollars included.
    void specificBrowserGetsExactlyThePath() {
        Fixture f(QStringLiteral("meu \"Corvel\" $HOME 'x'"));
        Set("Preview", QStringLiteral("0"));
        Set("BrowserPadrao", QStringLiteral("0"));
        Set("CorvelBrowser", QStringLiteral("0"));
        const QString got = f.work(QStringLiteral("args.txt"));
        const QString program = f.work(QStringLiteral("nav igador"));
        QVERIFY(WriteScript(program, "{ echo \"$#\"; printf '%s\\n' \"$@\"; } > '" +
                                         QFile::encodeName(got) + ".tmp'; mv '" +
                                         QFile::encodeName(got) + ".tmp' '" +
                                         QFile::encodeName(got) + "'\n"));
        Set("Browser", program);
        f.document(QStringLiteral("<p>x</p>"));
        f.preview();
        QVERIFY(WaitFor([&] { return QFileInfo::exists(got); }));
        QCOMPARE(QString::fromUtf8(ReadBytes(got)),
                 QStringLiteral("1\n") + corvel::PreviewFilePath() + QLatin1Char('\n'));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    // Each viewer that fails says so under "Erro de Preview"; a preview
    // file that cannot be written reaches no browser.
    void failuresAreSaid_data() {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("textStart");
        QTest::newRow("default browser")
            << "default"
            << "Ocorreu um erro ao tentar executar o preview no navegador padrão.";
        QTest::newRow("specific browser not runnable")
            << "specific"
            << "Ocorreu um erro ao tentar executar o preview no navegador especificado.";
        QTest::newRow("docs folder is a link")
            << "docs link"
            << "Ocorreu um erro ao tentar gravar o arquivo para realizar o preview.";
        QTest::newRow("preview file is a folder")
            << "preview folder"
            << "Ocorreu um erro ao tentar gravar o arquivo para realizar o preview.";
    }
    void failuresAreSaid() {
        QFETCH(QString, failure);
        QFETCH(QString, textStart);
        Fixture f;
        Set("Preview", QStringLiteral("0"));
        if (failure == QLatin1String("default")) f.openSucceeds = false;
        if (failure == QLatin1String("specific")) {
            const QString program = f.work(QStringLiteral("nav"));
            QVERIFY(WriteBytes(program, "not a program")); // not executable
            Set("BrowserPadrao", QStringLiteral("0"));
            Set("CorvelBrowser", QStringLiteral("0"));
            Set("Browser", program);
        }
        const QString docs = corvel::CacheFolder();
        if (failure == QLatin1String("docs link")) {
            QVERIFY(QDir(docs).removeRecursively());
            QVERIFY(QDir().mkpath(f.work(QStringLiteral("alheia"))));
            QVERIFY(QFile::link(f.work(QStringLiteral("alheia")), docs.chopped(1)));
        }
        if (failure == QLatin1String("preview folder"))
            QVERIFY(QDir().mkpath(corvel::PreviewFilePath()));
        f.document(QStringLiteral("<p>x</p>"));
        f.preview();
        QCOMPARE(f.titles(), QStringList{QStringLiteral("Erro de Preview")});
        QCOMPARE(f.dialogs.messages.first().icon, corvel::MsgIcon::Critical);
        QVERIFY2(f.dialogs.lastText().startsWith(textStart), qPrintable(f.dialogs.lastText()));
        if (failure.startsWith(QLatin1String("docs")) ||
            failure.startsWith(QLatin1String("preview"))) {
            QVERIFY(f.opened.isEmpty());
            // Nothing of the preview went through the link.
            QCOMPARE(QDir(f.work(QStringLiteral("alheia")))
                         .entryList({QStringLiteral("CorvelPreview*")}, QDir::AllEntries),
                     QStringList());
        }
    }

    // Nothing to preview without a document; the command is enabled with one.
    void commandNeedsADocument() {
        Fixture f;
        QVERIFY(f.m->CommandEnabled(corvel::cmd::ArquivoPreview));
        Set("Preview", QStringLiteral("0"));
        QVERIFY(corvel::CloseCommand(*f.m));
        QVERIFY(!f.editor());
        QCOMPARE(corvel::PreparePreviewFile(*f.m), QString());
        corvel::PreviewCommand(*f.m);
        QVERIFY(f.opened.isEmpty());
        QVERIFY(!QFileInfo::exists(corvel::PreviewFilePath()));
    }
};

QTEST_MAIN(tst_preview)
#include "tst_preview.moc"
