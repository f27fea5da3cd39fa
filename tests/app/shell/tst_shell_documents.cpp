// Documents in tabs: numbering, the limit, editor settings, the save state,
// captions, Ctrl+Tab, status panels and timers, shutdown clean-up.
#include "ControlHost.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QtTest>

class tst_shell_documents : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    ScriptedDialogs *dialogs = nullptr;

private slots:
    void initTestCase() {
        corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                      QStringLiteral("/libCorvelControl.so"));
        if (!QFile::exists(corvel::ControlLibraryPath())) QSKIP("editor component not built");
    }
    void init() {
        dialogs = new ScriptedDialogs;
        corvel::SetSettingsFileOverride(dir.filePath(QStringLiteral("Corvel.ini")));
        corvel::SetProgramFolderOverride(dir.path());
        RemoveAllSettings();
        ApplyDefaultSettings(false);
        corvel::EnsureProgramFolders();
    }
    void cleanup() {
        delete dialogs;
        dialogs = nullptr;
    }

    void lowestFreeNumberIsReused() {
        frmMain m;
        ICorvelEdit *a = m.CreateDocument();
        ICorvelEdit *b = m.CreateDocument();
        ICorvelEdit *c = m.CreateDocument();
        QVERIFY(a && b && c);
        QCOMPARE(m.Tabs()->count(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(m.Tabs()->tabText(i), QStringLiteral("Doc %1").arg(i + 1));
            QCOMPARE(m.Tabs()->tabData(i).toString(), QStringLiteral("TAB_00%1").arg(i + 1));
        }
        QCOMPARE(b->widget()->objectName(), QStringLiteral("HTML_002"));
        QCOMPARE(m.DocumentKey(b), QStringLiteral("002"));
        QCOMPARE(m.DocumentByKey(QStringLiteral("003")), c);
        QCOMPARE(m.CurrentEditor(), c); // the new one is selected
        m.RemoveDocument(b);
        QCOMPARE(m.Documents(), (QList<ICorvelEdit *>{a, c}));
        ICorvelEdit *d = m.CreateDocument();
        QCOMPARE(m.DocumentKey(d), QStringLiteral("002"));
        QCOMPARE(m.TabCaption(d), QStringLiteral("Doc 2"));
        QCOMPARE(m.Tabs()->count(), 3);
        QCOMPARE(m.Tabs()->tabText(2), QStringLiteral("Doc 2")); // added at the end
        QVERIFY(dialogs->messages.isEmpty());
    }

    void documentLimitIs253() {
        frmMain m;
        for (int i = 0; i < 253; ++i)
            QVERIFY(m.CreateDocument());
        QCOMPARE(m.DocumentKey(m.CurrentEditor()), QStringLiteral("253"));
        QVERIFY(!m.CreateDocument());
        QCOMPARE(m.Tabs()->count(), 253);
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->lastTitle(), QStringLiteral("Limite de Documentos"));
        QCOMPARE(dialogs->messages.last().icon, corvel::MsgIcon::Critical);
        QCOMPARE(
            dialogs->lastText(),
            QStringLiteral(
                "O limite máximo de documentos abertos foi alcançado. Você deve fechar um ou mais "
                "documentos afim de iniciar um novo documento."));
        // Closing one frees its number for the next.
        m.RemoveDocument(m.DocumentByKey(QStringLiteral("100")));
        QCOMPARE(m.DocumentKey(m.CreateDocument()), QStringLiteral("100"));
    }

    void editorTakesItsSettings() {
        WriteSetting(QStringLiteral("Editor"), QStringLiteral("Tabs"), QStringLiteral("4"));
        WriteSetting(QStringLiteral("Editor"), QStringLiteral("Negrito"), QStringLiteral("True"));
        WriteSetting(QStringLiteral("Editor"), QStringLiteral("Tamanho"), QStringLiteral("14"));
        WriteSetting(QStringLiteral("Editor"), QStringLiteral("Frente"), QStringLiteral("255"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Quebra"), QStringLiteral("0"));
        frmMain m;
        ICorvelEdit *ed = m.CreateDocument();
        QCOMPARE(ed->TabTexto(), QStringLiteral("    "));
        QVERIFY(ed->Negrito());
        QVERIFY(!ed->Italico());
        QCOMPARE(ed->FonteTamanho(), 14);
        QCOMPARE(ed->CorTexto(), 255);
        QCOMPARE(ed->CorFundo(), 16777215);
        QVERIFY(!ed->QuebrarLinha());
        QCOMPARE(ed->DiretorioTemporario(), corvel::CacheFolder());
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("RealTAB"),
                     QStringLiteral("1"));
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("Quebra"),
                     QStringLiteral("1000000"));
        ICorvelEdit *ed2 = m.CreateDocument();
        QCOMPARE(ed2->TabTexto(), QStringLiteral("\t"));
        QVERIFY(ed2->QuebrarLinha());
    }

    void saveStateFollowsGravado() {
        frmMain m;
        QAction *item = m.Action(QStringLiteral("mnuArquivoSalvar"));
        QAction *button = m.ToolButton(QStringLiteral("Salvar"));
        m.SetHandler(corvel::cmd::ArquivoSalvar, [] {});
        QVERIFY(!item->isEnabled()); // no document
        ICorvelEdit *ed = m.CreateDocument();
        ed->setGravado(true);
        m.RefreshSaveState();
        QVERIFY(!item->isEnabled());
        QVERIFY(!button->isEnabled());
        ed->setTexto(QStringLiteral("<p>x</p>"));
        ed->setGravado(false);
        m.RefreshSaveState();
        QVERIFY(item->isEnabled());
        QVERIFY(button->isEnabled());
        // The timer tick keeps it in step without being asked.
        ed->setGravado(true);
        QTRY_VERIFY_WITH_TIMEOUT(!item->isEnabled(), 2000);
        QVERIFY(!button->isEnabled());
        m.RemoveDocument(ed);
        QVERIFY(!item->isEnabled());
        QVERIFY(!m.Action(QStringLiteral("mnuEditar"))->isEnabled());
    }

    void captionAndTooltipFollowTheDocument() {
        frmMain m;
        ICorvelEdit *a = m.CreateDocument();
        const QString path = dir.filePath(QStringLiteral("pagina & cia.html"));
        a->setArquivo(path);
        ICorvelEdit *b = m.CreateDocument();
        QCOMPARE(m.windowTitle(), QStringLiteral("Corvel 5.1.0"));
        m.SelectDocument(a);
        QCOMPARE(m.CurrentEditor(), a);
        QVERIFY(m.windowTitle().startsWith(QStringLiteral("Corvel 5.1.0 - [")));
        QVERIFY(m.windowTitle().endsWith(QStringLiteral("pagina & cia.html]")));
        QCOMPARE(m.Tabs()->tabToolTip(0), path);
        m.SetTabCaption(a, QStringLiteral("pagina & cia.html"));
        QCOMPARE(m.TabCaption(a), QStringLiteral("pagina & cia.html"));
        m.SelectDocument(b);
        QCOMPARE(m.windowTitle(), QStringLiteral("Corvel 5.1.0"));
    }

    void ctrlTabCyclesDocumentsAndFiltersSeeKeysFirst() {
        frmMain m;
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        ICorvelEdit *a = m.CreateDocument();
        ICorvelEdit *b = m.CreateDocument();
        ICorvelEdit *c = m.CreateDocument();
        m.activateWindow();
        c->Foco();
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : c->widget();
        QTest::keyClick(target, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(m.CurrentEditor(), a); // after the last, the first
        target = QApplication::focusWidget() ? QApplication::focusWidget() : a->widget();
        QTest::keyClick(target, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(m.CurrentEditor(), b);
        QCOMPARE(b->Texto(), QString()); // nothing typed into the editor

        QList<int> seen;
        m.AddKeyFilter([&](QKeyEvent *e) {
            seen << e->key();
            return e->key() == Qt::Key_F10; // consumed
        });
        target = QApplication::focusWidget() ? QApplication::focusWidget() : b->widget();
        QTest::keyClick(target, Qt::Key_X);
        QTest::keyClick(target, Qt::Key_F10);
        QCOMPARE(seen, (QList<int>{Qt::Key_X, Qt::Key_F10})); // once each
        QCOMPARE(b->Texto(), QStringLiteral("x"));
    }

    void tabKeyStaysTheEditors() {
        WriteSetting(QStringLiteral("Editor"), QStringLiteral("Tabs"), QStringLiteral("4"));
        frmMain m;
        m.show();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        ICorvelEdit *spaces = m.CreateDocument();
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("RealTAB"),
                     QStringLiteral("1"));
        ICorvelEdit *tab = m.CreateDocument();
        auto focused = [](ICorvelEdit *ed) {
            QWidget *f = QApplication::focusWidget();
            return f && (f == ed->widget() || ed->widget()->isAncestorOf(f));
        };
        tab->Foco();
        QVERIFY(focused(tab));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(tab->Texto(), QStringLiteral("\t"));
        QVERIFY(focused(tab)); // the focus did not move on
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(m.CurrentEditor(), spaces);
        QCOMPARE(tab->Texto(), QStringLiteral("\t"));
        spaces->Foco();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(spaces->Texto(), QStringLiteral("    "));
        QVERIFY(focused(spaces));
    }

    void rightClickOnTabsOpensFileMenu() {
        frmMain m;
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        m.CreateDocument();
        QMenu *file = m.Menu(QStringLiteral("mnuArquivo"));
        QVERIFY(!file->isVisible());
        QTest::mouseClick(m.Tabs(), Qt::RightButton, {}, m.Tabs()->tabRect(0).center());
        QTRY_VERIFY(file->isVisible());
        file->hide();
    }

    void timersAndStatusPanels() {
        frmMain m;
        // No document: the position timer slows down and panel 6 empties.
        QTRY_COMPARE_WITH_TIMEOUT(m.tmrUpdatePos()->interval(), 1000, 2000);
        QCOMPARE(m.StatusPanelText(6), QString());
        ICorvelEdit *ed = m.CreateDocument();
        ed->setTexto(QStringLiteral("ab\r\ncde"));
        ed->setSelInicio(7);
        ed->UpdatePos(); // the component recomputes it on keys and clicks
        QTRY_COMPARE_WITH_TIMEOUT(m.StatusPanelText(6), QStringLiteral("2 : 4"), 2000);
        QCOMPARE(m.tmrUpdatePos()->interval(), 120);

        // A status message clears itself 3 seconds later (the window must
        // be visible to show it).
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        m.ShowStatusMessage(QStringLiteral("Salvo"));
        QCOMPARE(m.StatusPanelText(8), QStringLiteral("Salvo"));
        QVERIFY(m.tmrAnima()->isActive());
        QCOMPARE(m.tmrAnima()->remainingTime() > 2500, true);
        QTRY_COMPARE_WITH_TIMEOUT(m.StatusPanelText(8), QString(), 4000);
        QVERIFY(!m.tmrAnima()->isActive());

        // Busy mode: the bar cycles through 1..16 every 500 ms.
        m.SetBusyMode(true);
        QVERIFY(!ed->Visivel());
        m.Barra()->setValue(16);
        QTRY_COMPARE_WITH_TIMEOUT(m.Barra()->value(), 1, 1500);
        QCOMPARE(m.StatusPanelText(8), QStringLiteral("AGUARDE... Processando tarefa..."));
        QTRY_COMPARE_WITH_TIMEOUT(m.Barra()->value(), 2, 1500);
        // Messages are not shown while busy.
        m.ShowStatusMessage(QStringLiteral("x"));
        QVERIFY(m.StatusPanelText(8) != QStringLiteral("x"));
        m.SetBusyMode(false);
        QVERIFY(ed->Visivel());
        QCOMPARE(m.tmrAnima()->interval(), 3000);
    }

    void panelDoubleClicks() {
        frmMain m;
        m.Status_PanelDblClick(7); // no document: nothing
        QVERIFY(dialogs->messages.isEmpty());
        ICorvelEdit *ed = m.CreateDocument();
        m.Status_PanelDblClick(7);
        QCOMPARE(dialogs->lastText(), QStringLiteral("Nenhum projeto sendo utilizado."));
        QCOMPARE(dialogs->lastTitle(), QStringLiteral("Projeto"));
        const QString prj = dir.filePath(QStringLiteral("site.prj"));
        QFile f(prj);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Projeto]\r\nNome=Meu Site\r\n");
        f.close();
        m.ProjectFile = prj;
        m.Status_PanelDblClick(7);
        QCOMPARE(dialogs->lastText(), QStringLiteral("O projeto em uso é:\r\nMeu Site"));

        m.Status_PanelDblClick(4);
        QCOMPARE(dialogs->lastTitle(), QStringLiteral("Data"));
        QVERIFY(!dialogs->lastText().contains(QStringLiteral(" De ")));
        QVERIFY(dialogs->lastText().contains(QStringLiteral(" de ")));
        m.Status_PanelDblClick(5);
        QCOMPARE(dialogs->lastTitle(), QStringLiteral("Hora e UpTime"));
        QVERIFY(dialogs->lastText().startsWith(QStringLiteral("Hora corrente: ")));
        QVERIFY(dialogs->lastText().contains(QStringLiteral("\r\nExecução em ")));
        QVERIFY(dialogs->lastText().endsWith(QStringLiteral(" segundos.")));

        // The date and time panels read the window's clock.
        m.services().now = [] { return QDateTime(QDate(2031, 2, 3), QTime(4, 5, 6)); };
        QTRY_COMPARE_WITH_TIMEOUT(m.StatusPanelText(4), QStringLiteral("03/02/2031"), 2000);
        QCOMPARE(m.StatusPanelText(5), QStringLiteral("04:05"));
        m.Status_PanelDblClick(4);
        QVERIFY(dialogs->lastText().contains(QStringLiteral("2031")));

        QVERIFY(!ed->Sobrescrever());
        m.Status_PanelDblClick(1);
        QVERIFY(ed->Sobrescrever());
        m.Status_PanelDblClick(1);
        QVERIFY(!ed->Sobrescrever());

        bool went = false;
        m.SetHandler(corvel::cmd::FerramentasIrPara, [&] { went = true; });
        m.Status_PanelDblClick(6);
        QVERIFY(went);
    }

    void loadCreatesOneDocumentUnlessAsked() {
        {
            frmMain m;
            int restored = 0, orphans = 0;
            m.hooks().restoreDocuments = [&] { ++restored; };
            m.hooks().orphanCopies = [&] { ++orphans; };
            m.Form_Load(QStringLiteral("\"/nao/existe.html\""));
            QCOMPARE(restored, 1);
            QCOMPARE(orphans, 1);
            QCOMPARE(m.Tabs()->count(), 1);
            QCOMPARE(m.Tabs()->tabText(0), QStringLiteral("Doc 1"));
            QVERIFY(m.tmrAutoSave()->isActive());
            QVERIFY(m.isVisible());
            QVERIFY(!m.LoadFailed());
        }
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("NaoNovoDoc"),
                     QStringLiteral("1"));
        frmMain m;
        m.Form_Load(QString());
        QCOMPARE(m.Tabs()->count(), 0);
        QVERIFY(!m.Action(QStringLiteral("mnuEditar"))->isEnabled());
    }

    void commandLineAndHandOverFilesGoToTheOpenCommand() {
        const QString file = dir.filePath(QStringLiteral("a.html"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        frmMain m;
        QStringList opened;
        int dialogOpens = 0;
        // The files go to the open command with their path, not to its dialog.
        m.SetHandler(corvel::cmd::ArquivoAbrir, [&] { ++dialogOpens; });
        m.SetOpenFileHandler([&](const QString &path) { opened << path; });
        m.Form_Load(QLatin1Char('"') + file + QLatin1Char('"'));
        QCOMPARE(opened, QStringList{file});
        QCOMPARE(dialogOpens, 0);
        m.Form_LinkExecute(file);
        m.Form_LinkExecute(dir.filePath(QStringLiteral("nada.html")));
        m.Form_LinkExecute(QString());
        QCOMPARE(opened, (QStringList{file, file}));
        QVERIFY(m.isMaximized() || m.windowState() & Qt::WindowMaximized);
    }

    void filesDroppedOnTabsAreOpenedInTurn() {
        const QString a = dir.filePath(QStringLiteral("solta a.html"));
        const QString b = dir.filePath(QStringLiteral("solta b.html"));
        for (const QString &p : {a, b}) {
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        frmMain m;
        m.CreateDocument();
        QStringList opened;
        int dialogOpens = 0;
        m.SetHandler(corvel::cmd::ArquivoAbrir, [&] { ++dialogOpens; });
        m.SetOpenFileHandler([&](const QString &path) { opened << path; });
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(dir.filePath("sumiu.html")),
                      QUrl(QStringLiteral("https://example.org/x.html")),
                      QUrl::fromLocalFile(dir.path()), QUrl::fromLocalFile(b)});
        const QPointF at = m.Tabs()->rect().center();
        const auto offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        QDragEnterEvent enter(at.toPoint(), offered, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(m.Tabs(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, offered, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(m.Tabs(), &drop);
        // Missing files, folders and remote addresses are skipped.
        QCOMPARE(opened, (QStringList{a, b}));
        QCOMPARE(dialogOpens, 0);
    }

    void unloadDeletesPreviewAndUnloadsDocuments() {
        const QString preview = corvel::CacheFolder() + QStringLiteral("CorvelPreview.html");
        QFile f(preview);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        int unloads = 0;
        {
            frmMain m;
            m.hooks().unloadDocuments = [&] { ++unloads; };
            m.CreateDocument();
            m.show();
            m.close();
        }
        QCOMPARE(unloads, 1);
        QVERIFY(!QFile::exists(preview));
    }

    void maximisingFocusesTheCurrentDocument() {
        frmMain m;
        m.CreateDocument();
        ICorvelEdit *b = m.CreateDocument();
        m.show();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        auto inB = [&] {
            QWidget *f = QApplication::focusWidget();
            return f && (f == b->widget() || b->widget()->isAncestorOf(f));
        };
        if (QWidget *f = QApplication::focusWidget()) f->clearFocus();
        QVERIFY(!inB());
        m.setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(inB());
    }

    void minimisedWithoutTaskBarHides() {
        WriteSetting(QStringLiteral("Configuracao"), QStringLiteral("TaskBar"),
                     QStringLiteral("0"));
        frmMain m;
        m.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        m.setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!m.isVisible());
    }
};

QTEST_MAIN(tst_shell_documents)
#include "tst_shell_documents.moc"
