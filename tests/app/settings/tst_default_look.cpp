// The "Opções" menu on the main window: the default text and background
// colours and font of new documents, and the options dialog acting on the
// window (current document's wrapping, the quotes button).
#include "ControlHost.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "SettingsCommands.h"
#include "frmMain.h"
#include "frmOpcoes.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace corvel;

namespace {
const QString kInfo =
    QStringLiteral("A alteração terá efeito apenas para os novos documentos abertos. Para "
                   "padronizar a fonte no documento corrente, tecle Control+F7.");
}

class tst_default_look : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    frmMain *m = nullptr;
    ScriptedDialogs *dialogs = nullptr;

private slots:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", m_dir.filePath("data").toUtf8());
        SetSettingsFileOverride(m_dir.filePath("Corvel.ini"));
        SetProgramFolderOverride(m_dir.path());
        SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") + "/libCorvelControl.so");
    }
    void init() {
        RemoveAllSettings();
        ApplyDefaultSettings(true);
        dialogs = new ScriptedDialogs;
        m = new frmMain;
        RegisterSettingsCommands(*m);
        m->show();
        m->SetStatusPanelText(8, "antes");
    }
    void cleanup() {
        delete m;
        delete dialogs;
    }

    void colours_data() {
        QTest::addColumn<bool>("background");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("document");
        QTest::addColumn<int>("answer"); // -1 cancels
        QTest::addColumn<int>("start");
        QTest::newRow("text, no document: no message") << false << "0" << false << 255 << 0;
        QTest::newRow("text, a document: told") << false << "65280" << true << 16711680 << 65280;
        QTest::newRow("text not a number opens on black") << false << "preto" << false << 8 << 0;
        QTest::newRow("text cancelled") << false << "123" << true << -1 << 123;
        QTest::newRow("background, no document") << true << "16777215" << false << 0 << 16777215;
        QTest::newRow("background, a document")
            << true << "16777215" << true << 12632256 << 16777215;
        QTest::newRow("background cancelled") << true << "" << false << -1 << 0;
    }
    void colours() {
        QFETCH(bool, background);
        QFETCH(QString, stored);
        QFETCH(bool, document);
        QFETCH(int, answer);
        QFETCH(int, start);
        const QString key = background ? "Fundo" : "Frente";
        WriteSetting("Editor", key, stored);
        if (document) QVERIFY(m->CreateDocument());
        m->SetStatusPanelText(8, "antes");
        dialogs->colours.enqueue(answer);
        QVERIFY(m->Trigger(background ? cmd::OpcoesCorFundo : cmd::OpcoesCorLetra));
        QCOMPARE(dialogs->chooserTitles, QStringList{background ? "Cor do Fundo" : "Cor da Letra"});
        QCOMPARE(dialogs->colourStarts, QList<int>{start});
        const bool chosen = answer >= 0;
        QCOMPARE(ReadSetting("Editor", key), chosen ? QString::number(answer) : stored);
        QCOMPARE(dialogs->messages.size(), chosen && document ? 1 : 0);
        if (chosen && document) {
            QCOMPARE(dialogs->lastText(), kInfo);
            QCOMPARE(dialogs->lastTitle(),
                     QString(background ? "Fundo Alterado" : "Cores Alteradas"));
            QCOMPARE(dialogs->messages[0].icon, MsgIcon::Information);
        }
        QCOMPARE(m->StatusPanelText(8), QString(!chosen      ? "antes"
                                                : background ? "Cor de Fundo"
                                                             : "Cor da Letra"));
    }

    void font_data() {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("document");
        QTest::addColumn<QString>("tamanho");
        QTest::newRow("9.5 points stores 9") << false << 9.5 << false << true << false << "9";
        QTest::newRow("11.25, italic, a document")
            << false << 11.25 << true << false << true << "11";
        QTest::newRow("cancelled writes nothing") << true << 14.0 << true << true << true << "11";
    }
    void font() {
        QFETCH(bool, cancel);
        QFETCH(double, size);
        QFETCH(bool, italic);
        QFETCH(bool, bold);
        QFETCH(bool, document);
        QFETCH(QString, tamanho);
        WriteSetting("Editor", "Italico", "True");
        if (document) QVERIFY(m->CreateDocument());
        m->SetStatusPanelText(8, "antes");
        QFont f("Liberation Mono");
        f.setPointSizeF(size);
        f.setItalic(italic);
        f.setBold(bold);
        if (!cancel) dialogs->fonts.enqueue(f);
        QVERIFY(m->Trigger(cmd::OpcoesFonte));
        QCOMPARE(dialogs->chooserTitles, QStringList{"Fonte do Texto"});
        const QFont start = dialogs->fontStarts.value(0);
        QCOMPARE(start.family(), QString("Courier New"));
        QCOMPARE(start.pointSizeF(), 11.0);
        QVERIFY(start.italic() && !start.bold());
        QCOMPARE(ReadSetting("Editor", "Tamanho"), tamanho);
        QCOMPARE(ReadSetting("Editor", "Fonte"), QString(cancel ? "Courier New" : f.family()));
        QCOMPARE(ReadSetting("Editor", "Italico"), QString(cancel || italic ? "True" : "False"));
        QCOMPARE(ReadSetting("Editor", "Negrito"), QString(!cancel && bold ? "True" : "False"));
        QCOMPARE(dialogs->messages.size(), !cancel && document ? 1 : 0);
        if (!dialogs->messages.isEmpty()) QCOMPARE(dialogs->lastTitle(), QString("Fonte Alterada"));
        QCOMPARE(m->StatusPanelText(8), QString(cancel ? "antes" : "Fonte do Texto"));
    }

    void menuEnabledWithAndWithoutDocuments() {
        const CommandId ids[] = {cmd::OpcoesPreferencias, cmd::OpcoesCorLetra, cmd::OpcoesCorFundo,
                                 cmd::OpcoesFonte};
        for (int docs = 0; docs < 2; ++docs) {
            if (docs) QVERIFY(m->CreateDocument());
            for (CommandId id : ids)
                QVERIFY2(m->CommandEnabled(id), qPrintable(id.Name()));
        }
    }

    // The dialog from the menu, acting on the window while it is open.
    void preferencesActOnTheWindow() {
        ICorvelEdit *ed = m->CreateDocument();
        QVERIFY(ed);
        const bool before = ed->QuebrarLinha();
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto *d = qobject_cast<frmOpcoes *>(QApplication::activeModalWidget());
            if (!d) return;
            seen = true;
            d->Flag("chkBRLinhas")->click();
            d->findChild<QRadioButton *>("chkBarraAspa")->click();
            d->close();
        });
        QVERIFY(m->Trigger(cmd::OpcoesPreferencias));
        QVERIFY(seen);
        QCOMPARE(ReadSetting("Configuracao", "Quebra"), QString("0"));
        QVERIFY(before);
        QVERIFY(!ed->QuebrarLinha());
        QCOMPARE(ReadSetting("Configuracao", "Aspas"), QString("3"));
        QCOMPARE(m->ToolButton("Aspas")->toolTip(), QString("Aspas PHP"));
        QCOMPARE(m->StatusPanelText(8), QString("Opções"));
    }

    void optionsHostFollowsTheWindow() {
        const OptionsHost host = MainWindowOptionsHost(*m);
        QList<int> help;
        QList<bool> tray;
        m->services().showHelp = [&](int c) { help << c; };
        m->services().trayIcon = [&](bool on) { tray << on; };
        host.help(1);
        host.trayIcon(false);
        host.setCurrentWrap(true); // no document: nothing happens
        QCOMPARE(help, QList<int>{1});
        QCOMPARE(tray, QList<bool>{false});
        QVERIFY(host.corvelProgram.endsWith("/Corvel"));
        QVERIFY(host.tessimProgram.endsWith("/Tessim"));
    }
};

QTEST_MAIN(tst_default_look)
#include "tst_default_look.moc"
