// The help menu, the inserts of the program's name and address, the about box
// and the tray icon's menu, on a main window with stand-ins for the browser
// and the insert routine.
#include "AppInfo.h"
#include "ControlHost.h"
#include "Folders.h"
#include "HelpCommands.h"
#include "MenuTable.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmMain.h"
#include "frmSobre.h"
#include "frmTrayIcon.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

using namespace corvel;
namespace cmd = corvel::cmd;

class tst_help_commands : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    ScriptedDialogs *dialogs = nullptr;
    frmMain *m = nullptr;
    QList<QUrl> opened;
    QStringList inserted;
    bool openSucceeds = true;

    static QString Help() { return qEnvironmentVariable("CORVEL_SOURCE_DIR") + "/data/Ajuda"; }

private slots:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", m_dir.filePath("data").toUtf8());
        SetSettingsFileOverride(m_dir.filePath("Corvel.ini"));
        SetProgramFolderOverride(m_dir.path());
        corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                      "/libCorvelControl.so");
        SetHelpFolderOverride(Help());
    }
    void init() {
        RemoveAllSettings();
        ApplyDefaultSettings(true);
        dialogs = new ScriptedDialogs;
        m = new frmMain;
        opened.clear();
        inserted.clear();
        openSucceeds = true;
        m->services().openUrl = [this](const QUrl &u) {
            opened << u;
            return openSucceeds;
        };
        m->services().insertText = [this](const QString &t) { inserted << t; };
        RegisterHelpCommands(*m);
        RegisterTrayIcon(*m);
        m->show();
    }
    void cleanup() {
        delete m;
        delete dialogs;
    }

    void commandsOpenTheirAddress_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("status");
        const QString site = corvel::SiteAddress();
        const QString help = QUrl::fromLocalFile(Help()).toString();
        QTest::newRow("contents") << "mnuAjudaConteudo" << help + "/index.html"
                                  << "Ajuda";
        QTest::newRow("HTML commands") << "mnuAjudaComandos" << help + "/comandos.html"
                                       << "Ajuda de Comandos";
        QTest::newRow("site") << "mnuAjudaSite" << site << "";
        QTest::newRow("contact") << "mnuAjudaEnviarMensagem" << site + "/contato/"
                                 << "";
        QTest::newRow("updates") << "mnuAjudaAtualizacoes" << site + "/download/update/?v=5&s=1&r=0"
                                 << "";
    }
    void commandsOpenTheirAddress() {
        QFETCH(QString, command);
        QFETCH(QString, address);
        QFETCH(QString, status);
        m->CreateDocument();
        QVERIFY(m->Trigger(corvel::CommandByName(command)));
        QCOMPARE(opened, QList<QUrl>{QUrl(address)});
        if (!status.isEmpty()) QCOMPARE(m->StatusPanelText(8), status);
        QVERIFY(dialogs->messages.isEmpty());
    }

    void helpContextsAndFailures_data() {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("message");
        QTest::newRow("element") << 9034 << Help() << true << "tag-script.html"
                                 << "";
        QTest::newRow("command dialog") << 2 << Help() << true << "caixa-comando.html"
                                        << "";
        QTest::newRow("unknown number") << 1013 << Help() << true << "index.html"
                                        << "";
        QTest::newRow("pages missing") << 1 << "/nonexistent/Ajuda" << true << ""
                                       << "A página de ajuda não foi encontrada";
        QTest::newRow("no browser") << 1 << Help() << false << "comandos.html"
                                    << "Não foi possível abrir";
    }
    void helpContextsAndFailures() {
        QFETCH(int, context);
        QFETCH(QString, folder);
        QFETCH(bool, opens);
        QFETCH(QString, page);
        QFETCH(QString, message);
        SetHelpFolderOverride(folder);
        openSucceeds = opens;
        QVERIFY(m->services().showHelp);
        m->services().showHelp(context);
        SetHelpFolderOverride(Help());
        QCOMPARE(opened.size(), page.isEmpty() ? 0 : 1);
        if (!page.isEmpty()) QCOMPARE(opened[0].fileName(), page);
        QCOMPARE(dialogs->messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) QVERIFY(dialogs->messages[0].text.startsWith(message));
    }

    void f1OpensTheContents() {
        m->CreateDocument();
        QVERIFY(QTest::qWaitForWindowActive(m));
        QTest::keyClick(m, Qt::Key_F1);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0].fileName(), QString("index.html"));
        // The toolbar's help button runs the same command.
        m->ToolButton("Ajuda")->trigger();
        QCOMPARE(opened.size(), 2);
    }

    void inserts_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("document");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("name and version")
            << "mnuCorvelVersao" << true << QStringList{"Corvel 5.1.0"};
        QTest::newRow("site") << "mnuCorvelSite" << true << QStringList{corvel::SiteAddress()};
        QTest::newRow("no document") << "mnuCorvelVersao" << false << QStringList{};
    }
    void inserts() {
        QFETCH(QString, command);
        QFETCH(bool, document);
        QFETCH(QStringList, written);
        if (document) m->CreateDocument();
        m->Trigger(corvel::CommandByName(command));
        QCOMPARE(inserted, written);
    }

    void aboutBox_data() {
        QTest::addColumn<bool>("picture");
        QTest::addColumn<bool>("library");
        QTest::addColumn<QString>("version");
        QTest::newRow("picture and library") << true << true << "Versão 5.1.0 - OCX 5.1.0.0";
        QTest::newRow("neither") << false << false << "Versão 5.1.0";
    }
    void aboutBox() {
        QFETCH(bool, picture);
        QFETCH(bool, library);
        QFETCH(QString, version);
        QString pht;
        if (picture) {
            pht = m_dir.filePath("Corvel.pht");
            QImage image(200, 120, QImage::Format_RGB32);
            image.fill(Qt::darkBlue);
            QVERIFY(image.save(pht, "PNG"));
        }
        frmSobre box(m);
        box.Form_Load(pht, library ? corvel::ControlLibraryPath() : QString());
        QCOMPARE(box.windowTitle(), QString("Sobre"));
        QCOMPARE(box.HasPicture(), picture);
        QCOMPARE(box.lblVersao->text(), version);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.lblNoPHT1->isVisible(), !picture);
        QCOMPARE(box.lblNoPHT2->isVisible(), !picture);
        if (!picture) {
            QCOMPARE(box.lblNoPHT1->text(), QString("CORVEL 5"));
            QCOMPARE(box.grab().toImage().pixelColor(2, 2), QColor(77, 77, 77));
        }
        // A click anywhere on the box closes it.
        QTest::mouseClick(box.lblClique, Qt::LeftButton, {}, box.lblClique->rect().center());
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
        if (picture) QFile::remove(pht);
    }

    void aboutCommandShowsTheBoxModally() {
        QTimer::singleShot(0, [] {
            auto *box = qobject_cast<frmSobre *>(QApplication::activeModalWidget());
            QVERIFY(box);
            QVERIFY(box->lblVersao->text().startsWith("Versão 5.1.0"));
            box->reject();
        });
        QVERIFY(m->Trigger(cmd::AjudaSobreCorvel));
    }

    void trayMenuAndClicks() {
        QCOMPARE(TrayIconOf(*m), nullptr);
        m->services().trayIcon(true);
        frmTrayIcon *tray = TrayIconOf(*m);
        QVERIFY(tray);
        QCOMPARE(tray->Icon->toolTip(), QString("Corvel"));
        QStringList captions;
        for (QAction *a : tray->mnuSysTray->actions())
            captions << (a->isSeparator() ? QString("-") : a->text());
        QCOMPARE(captions, QStringList({"Maximizar", "Minimizar", "-", "Sobre", "Sair"}));
        // A click restores the window, unless a modal dialog is open.
        m->showMinimized();
        QDialog modal(m);
        QTimer::singleShot(0, [tray, &modal] {
            tray->Icon_Activated(QSystemTrayIcon::Trigger);
            modal.reject();
        });
        modal.exec();
        QVERIFY(m->isMinimized());
        tray->Icon_Activated(QSystemTrayIcon::DoubleClick);
        QTRY_VERIFY(m->isMaximized());
        // Only one tray window; the switch removes it.
        m->services().trayIcon(true);
        QCOMPARE(m->findChildren<frmTrayIcon *>().size(), 1);
        m->services().trayIcon(false);
        QCOMPARE(TrayIconOf(*m), nullptr);
    }

    void minimisedWindowHidesOnlyWithAnIconToComeBack() {
        // Without a notification area (as here) the icon cannot show: the
        // window stays reachable on the task bar.
        WriteSetting("Configuracao", "TaskBar", "0");
        m->services().trayIcon(true);
        QCOMPARE(TrayIconOf(*m)->IconShown(), QSystemTrayIcon::isSystemTrayAvailable());
        TrayIconOf(*m)->mnuMinimizar_Click();
        QTRY_VERIFY(m->isMinimized());
        QTest::qWait(50);
        QCOMPARE(m->isVisible(), !QSystemTrayIcon::isSystemTrayAvailable());
    }

    void trayStartsWithTheSettingAndGoesAtTheEnd() {
        delete m;
        WriteSetting("Configuracao", "SysTray", "1");
        m = new frmMain;
        RegisterTrayIcon(*m);
        m->Form_Load(QString());
        QVERIFY(TrayIconOf(*m));
        m->hooks().unloadTray();
        QCOMPARE(TrayIconOf(*m), nullptr);
    }
};

QTEST_MAIN(tst_help_commands)
#include "tst_help_commands.moc"
