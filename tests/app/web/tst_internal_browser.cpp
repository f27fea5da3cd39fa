// Corvel's side of the internal browser, against stand-in browser programs
// (shell scripts speaking the same lines): what Corvel sends, how it takes
// the browser's events, and how a browser that cannot start is given up.
#include "BrowserInterno.h"
#include "PreviewFile.h"
#include "PreviewFixture.h"

#include <QElapsedTimer>

using namespace preview_test;

namespace {

bool WaitFor(const std::function<bool()> &done, int ms = 15000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QTest::qWait(20);
    }
    return true;
}

// A browser that loads every page at once; each line it gets is logged.
const QByteArray kWorkingBrowser = R"(log="$(dirname "$0")/recebido.txt"
printf 'Pronto\n'
while IFS= read -r line; do
  printf '%s\n' "$line" >> "$log"
  case "$line" in
    URL$'\t'*|Atualizar)
      printf 'ProgressChange\t50\t100\n'
      [ "$line" = Atualizar ] || shown="${line#URL$'\t'}"
      printf 'ProgressChange\t0\t0\nDocumentComplete\t%s\n' "$shown" ;;
    Fechar) break ;;
  esac
done
printf 'OnQuit\n'
)";

struct BrowserFixture : Fixture {
    BrowserFixture() {
        Set("BrowserPadrao", QStringLiteral("0"));
        Set("CorvelBrowser", QStringLiteral("1"));
    }
    QString program() const { return path(QStringLiteral("CorvelBrowser")); }
    QStringList received() const {
        return QString::fromUtf8(ReadBytes(path(QStringLiteral("recebido.txt"))))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    bool receivedEnds(const QStringList &tail) {
        return WaitFor([&] { return received().mid(received().size() - tail.size()) == tail; });
    }
};

} // namespace

class tst_internal_browser : public QObject {
    Q_OBJECT
private slots:
    // A browser that cannot start: the message with its reason, then the
    // default browser for good; the next preview goes there.
    void browserThatCannotStart_data() {
        QTest::addColumn<QByteArray>("script"); // empty: no program at all
        QTest::addColumn<QString>("reason");
        QTest::newRow("not installed") << QByteArray() << "CorvelBrowser";
        QTest::newRow("engine fails")
            << QByteArray("echo 'motor sem tela' >&2\nexit 1\n") << "motor sem tela";
        QTest::newRow("engine says why")
            << QByteArray("printf 'Erro\\tsem%%20GPU\\n'\nexit 1\n") << "sem GPU";
        QTest::newRow("ends in silence") << QByteArray("exit 0\n") << "código 0";
    }
    void browserThatCannotStart() {
        QFETCH(QByteArray, script);
        QFETCH(QString, reason);
        BrowserFixture f;
        if (!script.isEmpty()) QVERIFY(WriteScript(f.program(), script));
        Set("Preview", QStringLiteral("0"));
        f.document(QStringLiteral("<p>x</p>"));
        f.preview();
        QVERIFY(WaitFor([&] { return !f.dialogs.messages.isEmpty(); }));
        QCOMPARE(f.titles(), QStringList{QStringLiteral("Erro no Preview")});
        QVERIFY(f.dialogs.lastText().startsWith(
            QStringLiteral("Ocorreu um erro na tentativa de inicializar")));
        QVERIFY2(f.dialogs.lastText().contains(QStringLiteral(".\n\n")) &&
                     f.dialogs.lastText().contains(reason),
                 qPrintable(f.dialogs.lastText()));
        QCOMPARE(Get("CorvelBrowser"), QStringLiteral("0"));
        QCOMPARE(Get("BrowserPadrao"), QStringLiteral("1"));
        QVERIFY(WaitFor([&] { return !corvel::InternalBrowser(*f.m); }));
        QVERIFY(f.opened.isEmpty());
        f.preview();
        QCOMPARE(f.opened, QList<QUrl>{QUrl::fromLocalFile(corvel::PreviewFilePath())});
        QCOMPARE(f.dialogs.messages.size(), 1);
    }

    // The browser's whole life: started on the preview with its address bar
    // hidden, the same document previewed again reloads in place, the blank
    // page shows the bar, the status follows its events, and the window's
    // unload closes it.
    void conversation() {
        BrowserFixture f;
        QVERIFY(WriteScript(f.program(), kWorkingBrowser));
        Set("Preview", QStringLiteral("0"));
        const QString preview = corvel::PreviewFilePath();
        f.document(QStringLiteral("<p>um</p>"));
        f.preview();
        QVERIFY(f.receivedEnds({"URLBar\t0", "URL\t" + preview}));
        QVERIFY(WaitFor([&] { return f.m->StatusPanelText(8) == QLatin1String(" "); }));
        f.m->services().openBrowser(QStringLiteral("about:blank")); // Shift+Ctrl+F12
        QVERIFY(f.receivedEnds({"URLBar\t1", "URL\tabout:blank"}));
        f.preview(); // no longer what the browser shows: navigates
        QVERIFY(f.receivedEnds({"URLBar\t0", "URL\t" + preview}));
        f.editor()->setTexto(QStringLiteral("<p>dois</p>"));
        f.preview(); // shows it already: reloads
        QVERIFY(f.receivedEnds({"URLBar\t0", "Atualizar"}));
        QCOMPARE(ReadBytes(preview), QByteArray("<p>dois</p>"));
        QVERIFY(f.dialogs.messages.isEmpty());
        BrowserInterno *b = corvel::InternalBrowser(*f.m);
        QVERIFY(b && b->Executando());
        QVERIFY(f.m->hooks().closeBrowser);
        f.m->hooks().closeBrowser();
        QVERIFY(f.receivedEnds({"Fechar"}));
        QVERIFY(!corvel::InternalBrowser(*f.m));
        QVERIFY(f.opened.isEmpty());
    }

    // Another document previewed in the same browser is navigated to, not
    // reloaded (it starts at its top).
    void anotherDocumentNavigates() {
        BrowserFixture f;
        QVERIFY(WriteScript(f.program(), kWorkingBrowser));
        Set("Preview", QStringLiteral("0"));
        f.document(QStringLiteral("<p>um</p>"));
        f.preview();
        QVERIFY(f.receivedEnds({"URL\t" + corvel::PreviewFilePath()}));
        QVERIFY(f.m->CreateDocument());
        f.editor()->setTexto(QStringLiteral("<p>outro</p>"));
        f.preview();
        QVERIFY(WaitFor([&] { return f.received().size() == 4; }));
        QCOMPARE(f.received().last(), "URL\t" + corvel::PreviewFilePath());
    }

    // Saving the document the browser shows brings the page up to date,
    // whether it shows the saved file or the preview file.
    void savingReloads_data() {
        QTest::addColumn<QString>("previewSetting");
        QTest::newRow("saved file") << "1";
        QTest::newRow("preview file") << "0";
    }
    void savingReloads() {
        QFETCH(QString, previewSetting);
        BrowserFixture f;
        QVERIFY(WriteScript(f.program(), kWorkingBrowser));
        Set("Preview", previewSetting);
        const QString file = f.work(QStringLiteral("pagina.html"));
        QVERIFY(WriteBytes(file, "<p>um</p>"));
        ICorvelEdit *ed = f.document(QStringLiteral("<p>um</p>"), file);
        f.preview();
        const QString shown =
            previewSetting == QLatin1String("1") ? file : corvel::PreviewFilePath();
        QVERIFY(f.receivedEnds({"URL\t" + shown}));
        QTest::qWait(300);
        ed->setTexto(QStringLiteral("<p>salvo</p>"));
        QVERIFY(corvel::SaveCommand(*f.m));
        QVERIFY(f.receivedEnds({"URL\t" + shown, "Atualizar"}));
        QCOMPARE(ReadBytes(shown), QByteArray("<p>salvo</p>"));
    }

    // The user closes the browser: "Navegador Finalizado", and the next
    // preview starts a new one.
    void closedByTheUser() {
        BrowserFixture f;
        // Closes its window by itself after the first page.
        QVERIFY(WriteScript(f.program(), "printf 'Pronto\\n'\nread -r line\nread -r line\n"
                                         "printf 'DocumentComplete\\tx\\nOnQuit\\n'\n"));
        Set("Preview", QStringLiteral("0"));
        f.document(QStringLiteral("<p>x</p>"));
        f.preview();
        QVERIFY(WaitFor([&] { return !corvel::InternalBrowser(*f.m); }));
        QCOMPARE(f.m->StatusPanelText(8), QStringLiteral("Navegador Finalizado"));
        QVERIFY(WriteScript(f.program(), kWorkingBrowser));
        f.preview();
        QVERIFY(f.receivedEnds({"URLBar\t0", "URL\t" + corvel::PreviewFilePath()}));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    // A browser that breaks down after it started: the page error, then it
    // is released. The choice of browser stays.
    void browserThatBreaksDown_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("textStart");
        QTest::newRow("page process ended")
            << "error"
            << "Ocorreu um erro no preview, que pode ter sido gerado";
        QTest::newRow("crashed") << "crash"
                                 << "Ocorreu um erro no preview, que pode ter sido gerado";
    }
    void browserThatBreaksDown() {
        QFETCH(QString, how);
        QFETCH(QString, textStart);
        BrowserFixture f;
        QVERIFY(WriteScript(f.program(),
                            how == QLatin1String("error")
                                ? "printf 'Pronto\\n'\nread -r a\nread -r b\n"
                                  "printf 'Erro\\tfalhou\\n'\nread -r c\n"
                                : "printf 'Pronto\\n'\nread -r a\nread -r b\nkill -SEGV $$\n"));
        Set("Preview", QStringLiteral("0"));
        f.document(QStringLiteral("<p>x</p>"));
        f.preview();
        QVERIFY(WaitFor([&] { return !f.dialogs.messages.isEmpty(); }));
        QCOMPARE(f.titles(), QStringList{QStringLiteral("Erro de Preview")});
        QVERIFY2(f.dialogs.lastText().startsWith(textStart), qPrintable(f.dialogs.lastText()));
        QVERIFY(!corvel::InternalBrowser(*f.m));
        QCOMPARE(Get("CorvelBrowser"), QStringLiteral("1"));
    }
};

QTEST_MAIN(tst_internal_browser)
#include "tst_internal_browser.moc"
