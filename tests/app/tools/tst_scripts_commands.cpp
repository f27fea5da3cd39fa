// The script commands of the main window: the Linguagens menu and its F9
// label, the toolbar buttons, F9 itself, and a script written into a real
// document with the caret where the template marks it.
#include "ScriptCommands.h"
#include "TagCommands.h"
#include "TextToolsFixture.h"
#include "frmScripts.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

bool WriteAll(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

class TestScriptsCommands : public QObject {
    Q_OBJECT
    TextToolsFixture fx;
    QStringList opened; // language codes of the dialogs that opened

    // Runs mnuLinguagem(item) (the F9 key for -1); drive acts on the dialog.
    void runDialog(int item, const std::function<void(frmScripts *)> &drive) {
        if (item < 0) {
            // The key preview sees keys aimed at the focus widget of the
            // active main window.
            fx.main->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(fx.main.get()));
        }
        QTimer::singleShot(0, this, [this, drive] {
            auto *d = qobject_cast<frmScripts *>(QApplication::activeModalWidget());
            if (!d) return;
            opened << d->lblScNome->text();
            if (drive)
                drive(d);
            else
                d->reject();
        });
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [] {
            if (QWidget *w = QApplication::activeModalWidget()) w->close();
        });
        guard.start(10000);
        if (item < 0) {
            fx.ed->Foco();
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus && focus->window() == fx.main.get());
            QTest::keyClick(focus, Qt::Key_F9);
        } else
            QVERIFY(fx.main->Trigger(corvel::cmd::Linguagem(item)));
    }

    QString caption(int index) const {
        return fx.main->Action(corvel::cmd::Linguagem(index))->text();
    }

private slots:
    void initTestCase() { TextToolsFixture::setUpOnce(); }
    void init() {
        QVERIFY(fx.start());
        RegisterTagCommands(*fx.main);
        RegisterScriptCommands(*fx.main);
        fx.main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fx.main.get()));
        opened.clear();
        QVERIFY(WriteAll(fx.dir.filePath("Scripts/js.dat"),
                         "[IF]\nDescricao=Condição\nParametros=Condição\n"
                         "Saida=if (<#P1#>) {<##><#T#><#C#><##>}\n"
                         "[ALERTA]\nDescricao=Alerta\nParametros=\n"
                         "Saida=ALERT(\"Olá <#C#>\");\n"
                         "[INI]\nDescricao=Início\nParametros=\nSaida=<#C#>abc\n"));
    }
    void cleanup() { fx.stop(); }

    void menuAndToolbarAreOn() {
        for (int i : {0, 2, 3})
            QVERIFY(fx.main->Action(corvel::cmd::Linguagem(i))->isEnabled());
        for (const char *key : {"PHP", "ASP", "JavaScript"}) {
            QAction *b = fx.main->ToolButton(QString::fromLatin1(key));
            QVERIFY(b && b->isEnabled());
        }
        QCOMPARE(caption(2), QString("ASP\tF9"));
        QCOMPARE(caption(3), QString("PHP"));
        QCOMPARE(caption(0), QString("&JavaScript"));
    }

    void languageChoice_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("f9");
        QTest::addColumn<QString>("asp");
        QTest::addColumn<QString>("php");
        QTest::newRow("ASP item") << 2 << "ASP"
                                  << "0"
                                  << "ASP\tF9"
                                  << "PHP";
        QTest::newRow("PHP item") << 3 << "PHP"
                                  << "1"
                                  << "ASP"
                                  << "PHP\tF9";
        QTest::newRow("JavaScript keeps F9") << 0 << "JS"
                                             << "1"
                                             << "ASP"
                                             << "PHP\tF9";
        QTest::newRow("F9 after PHP") << -1 << "PHP"
                                      << "1"
                                      << "ASP"
                                      << "PHP\tF9";
    }
    void languageChoice() {
        QFETCH(int, item);
        QFETCH(QString, code);
        QFETCH(QString, f9);
        QFETCH(QString, asp);
        QFETCH(QString, php);
        // PHP chosen before: the JavaScript item and F9 start from there.
        runDialog(3, nullptr);
        opened.clear();
        runDialog(item, nullptr);
        QCOMPARE(opened, QStringList{code});
        QCOMPARE(ReadSetting("Configuracao", "F9"), f9);
        QCOMPARE(caption(2), asp);
        QCOMPARE(caption(3), php);
    }

    void f9FollowsTheSetting() {
        WriteSetting("Configuracao", "F9", "0");
        runDialog(-1, nullptr);
        WriteSetting("Configuracao", "F9", "7");
        runDialog(-1, nullptr);
        QCOMPARE(opened, QStringList({"ASP", "PHP"}));
    }

    void captionsAtLoadFollowTheSetting() {
        WriteSetting("Configuracao", "F9", "1");
        corvel::ApplyLanguageCaptions(*fx.main);
        QCOMPARE(caption(2), QString("ASP"));
        QCOMPARE(caption(3), QString("PHP\tF9"));
    }

    void nothingWithoutADocument() {
        fx.main->RemoveDocument(fx.ed);
        fx.ed = nullptr;
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            if (QWidget *w = QApplication::activeModalWidget()) {
                seen = true;
                w->close();
            }
        });
        corvel::OpenScriptList(*fx.main, 3);
        QVERIFY(!seen);
        QCOMPARE(ReadSetting("Configuracao", "F9"), QString("0"));
    }

    void scriptIntoTheDocument_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");
        QTest::newRow("if at column 5") << "x\r\n    " << 7 << 0 << "if"
                                        << "x > 0"
                                        << "x\r\n    if (x > 0) {\r\n       \r\n    }" << 28;
        QTest::newRow("selection replaced") << "abc" << 0 << 3 << "alerta"
                                            << ""
                                            << "ALERT(\"Olá \");" << 11;
        QTest::newRow("caret mark at the start of the document") << "" << 0 << 0 << "ini"
                                                                 << ""
                                                                 << "abc" << 0;
    }
    void scriptIntoTheDocument() {
        QFETCH(QString, before);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, shortcut);
        QFETCH(QString, value);
        QFETCH(QString, after);
        QFETCH(int, caret);
        // Tag case and quote style are for markup: code keeps its own.
        WriteSetting("Configuracao", "Maiusculo", "0");
        WriteSetting("Configuracao", "Aspas", "1");
        fx.setText(before, selStart, selLength);
        runDialog(0, [&](frmScripts *d) {
            QTest::keyClicks(d->txtAtalho, shortcut);
            d->txtParam[0]->setText(value);
            d->btnOk->click();
        });
        QCOMPARE(opened, QStringList{"JS"});
        QCOMPARE(fx.ed->Texto(), after);
        QCOMPARE(fx.ed->SelInicio(), caret);
        QCOMPARE(fx.ed->SelTamanho(), 0);
    }
};

QTEST_MAIN(TestScriptsCommands)
#include "tst_scripts_commands.moc"
