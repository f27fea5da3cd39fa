// The options dialog: every control shows its setting by its own rule and
// writes at once; the couplings, the enabling rules, the page memory, the
// desktop entries and the keys.
#include "DesktopEntries.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmOpcoes.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace corvel;

namespace {
const QString C = QStringLiteral("Configuracao");

// What the dialog did to the program around it.
struct HostLog {
    QList<bool> wraps;
    QStringList quotes;
    QList<bool> tray;
    QList<int> help;
    bool internalBrowser = true;
    QString tessim;
};

// Faults of a shown window's layout: a control outside its parent, smaller
// than its content asks, or over a shown sibling.
QStringList LayoutFaults(QWidget *top) {
    QStringList faults;
    const auto all = top->findChildren<QWidget *>();
    for (QWidget *w : all) {
        if (!w->isVisibleTo(top) || w->isWindow()) continue;
        QWidget *parent = w->parentWidget();
        if (qobject_cast<QAbstractScrollArea *>(parent) || qobject_cast<QComboBox *>(parent) ||
            qobject_cast<QTabBar *>(parent))
            continue;
        const QString name =
            QString("%1 \"%2\"").arg(w->metaObject()->className(), w->objectName());
        if (!parent->rect().contains(w->geometry())) faults << name + " sai do seu pai";
        const QSize need = w->minimumSizeHint();
        if (need.isValid() && (w->width() < need.width() || w->height() < need.height()))
            faults << name + " menor que o seu conteúdo";
        for (QObject *o : parent->children()) {
            if (o == w) break;
            auto *s = qobject_cast<QWidget *>(o);
            if (s && s->isVisibleTo(top) && !s->isWindow() &&
                s->geometry().intersects(w->geometry()))
                faults << name + " cobre " + s->objectName();
        }
    }
    return faults;
}

bool MakeProgram(const QString &path, bool executable) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write("#!/bin/sh\n");
    f.close();
    return f.setPermissions(QFile::ReadOwner | QFile::WriteOwner |
                            (executable ? QFile::ExeOwner : QFile::Permissions()));
}
} // namespace

class tst_options_dialog : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    HostLog m_log;
    std::unique_ptr<ScriptedDialogs> m_dialogs;

    std::unique_ptr<frmOpcoes> open() {
        OptionsHost host;
        host.setCurrentWrap = [this](bool on) { m_log.wraps << on; };
        host.showQuoteStyle = [this](const QString &a) { m_log.quotes << a; };
        host.trayIcon = [this](bool on) { m_log.tray << on; };
        host.help = [this](int c) { m_log.help << c; };
        host.internalBrowserAvailable = [this] { return m_log.internalBrowser; };
        host.corvelProgram = m_dir.filePath("bin/Corvel");
        host.tessimProgram = m_log.tessim;
        auto d = std::make_unique<frmOpcoes>(host);
        d->Form_Load();
        return d;
    }
    static QCheckBox *box(frmOpcoes &d, const QString &name) {
        QCheckBox *b = d.Flag(name);
        if (!b) b = d.findChild<QCheckBox *>(name);
        return b;
    }

private slots:
    void init() {
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_log = HostLog();
        m_log.tessim = m_dir.filePath("bin/Tessim");
        QDir(m_dir.filePath("data")).removeRecursively();
        qputenv("XDG_DATA_HOME", m_dir.filePath("data").toUtf8());
        QFile::remove(m_dir.filePath("Corvel.ini"));
        SetSettingsFileOverride(m_dir.filePath("Corvel.ini"));
        ApplyDefaultSettings(true);
    }
    void cleanup() { m_dialogs.reset(); }

    // key, stored value, control, shown checked, value written when the
    // control is then toggled.
    void flags_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("written");
        QTest::newRow("splash off") << "Splash"
                                    << "0"
                                    << "chkSplash" << false << "1";
        QTest::newRow("splash odd value") << "Splash"
                                          << "x"
                                          << "chkSplash" << true << "0";
        QTest::newRow("missing AutoColor shows checked") << "AutoColor"
                                                         << ""
                                                         << "chkAutoColorize" << true << "0";
        QTest::newRow("tray only on 1") << "SysTray"
                                        << "2"
                                        << "chkSysTray" << false << "1";
        QTest::newRow("hypertext absent") << "Hipertexto"
                                          << ""
                                          << "chkHipertexto" << false << "1";
        QTest::newRow("no new doc") << "NaoNovoDoc"
                                    << "1"
                                    << "chkNaoAdddoc" << true << "0";
        QTest::newRow("lower case when Maiusculo 0") << "Maiusculo"
                                                     << "0"
                                                     << "chkMinusculas" << true << "1";
        QTest::newRow("upper case when Maiusculo absent") << "Maiusculo"
                                                          << ""
                                                          << "chkMinusculas" << false << "0";
        QTest::newRow("wrap when Quebra 0") << "Quebra"
                                            << "0"
                                            << "chkBRLinhas" << true << "1000000";
        QTest::newRow("no wrap") << "Quebra"
                                 << "1000000"
                                 << "chkBRLinhas" << false << "0";
        QTest::newRow("linux") << "Linux"
                               << "1"
                               << "chkLinux" << true << "0";
        QTest::newRow("image path") << "ImgPathDoc"
                                    << "0"
                                    << "chkImgEmDoc" << false << "1";
        QTest::newRow("advanced") << "ComAvancado"
                                  << "0"
                                  << "chkComTPA" << false << "1";
        QTest::newRow("obsolete history") << "AutoRemObsoletos"
                                          << "1"
                                          << "chkRemHistObsoletos" << true << "0";
    }
    void flags() {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, control);
        QFETCH(bool, shown);
        QFETCH(QString, written);
        WriteSetting(C, key, stored);
        auto d = open();
        QCheckBox *b = box(*d, control);
        QVERIFY(b);
        QCOMPARE(b->isChecked(), shown);
        QCOMPARE(ReadSetting(C, key), stored); // opening writes nothing
        b->click();
        QCOMPARE(ReadSetting(C, key), written);
    }

    void taskBarAndTrayAreNeverBothOff() {
        auto d = open();
        QCheckBox *taskBar = box(*d, "chkTaskBar"), *tray = box(*d, "chkSysTray");
        QVERIFY(taskBar->isChecked() && !tray->isChecked());
        taskBar->click();
        QVERIFY(tray->isChecked());
        QCOMPARE(ReadSetting(C, "TaskBar"), QString("0"));
        QCOMPARE(ReadSetting(C, "SysTray"), QString("1"));
        QCOMPARE(m_log.tray, QList<bool>({true}));
        tray->click();
        QVERIFY(taskBar->isChecked());
        QCOMPARE(ReadSetting(C, "SysTray"), QString("0"));
        QCOMPARE(ReadSetting(C, "TaskBar"), QString("1"));
        QCOMPARE(m_log.tray, QList<bool>({true, false}));
    }

    void enabling_data() {
        QTest::addColumn<QString>("master");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("dependent");
        QTest::newRow("selection") << "chkIntSelecao"
                                   << "IntSelecao"
                                   << "chkManterSel";
        QTest::newRow("image size") << "chkImgWH"
                                    << "ImgWH"
                                    << "chkImgBorder0";
    }
    void enabling() {
        QFETCH(QString, master);
        QFETCH(QString, key);
        QFETCH(QString, dependent);
        WriteSetting(C, key, "0");
        auto d = open();
        QVERIFY(!box(*d, dependent)->isEnabled());
        box(*d, master)->click();
        QVERIFY(box(*d, dependent)->isEnabled());
        box(*d, master)->click();
        QVERIFY(!box(*d, dependent)->isEnabled());
    }

    void pageMemory_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty is stored as 0") << "" << 0 << "0";
        QTest::newRow("Edição") << "1" << 1 << "1";
        QTest::newRow("Preview reopens") << "2" << 2 << "2";
        QTest::newRow("Comandos does not") << "3" << 0 << "3";
        QTest::newRow("negative") << "-1" << 0 << "-1";
        QTest::newRow("not a number") << "abc" << 0 << "abc";
    }
    void pageMemory() {
        QFETCH(QString, stored);
        QFETCH(int, page);
        QFETCH(QString, after);
        WriteSetting(C, "OptUltTab", stored);
        auto d = open();
        QCOMPARE(d->Tabs->currentIndex(), page);
        QCOMPARE(ReadSetting(C, "OptUltTab"), after);
        d->Tabs->setCurrentIndex(3);
        QCOMPARE(ReadSetting(C, "OptUltTab"), QString("3"));
        d->Tabs->setCurrentIndex(2);
        d.reset();
        QCOMPARE(open()->Tabs->currentIndex(), 2);
    }

    void sliders_data() {
        QTest::addColumn<QString>("tabs");
        QTest::addColumn<QString>("autoSave");
        QTest::addColumn<int>("tabValue");
        QTest::addColumn<QString>("tabLabel");
        QTest::addColumn<int>("saveValue");
        QTest::addColumn<QString>("saveLabel");
        QTest::newRow("one") << "1"
                             << "1" << 1 << "(1 espaço)" << 1 << "(1 minuto)";
        QTest::newRow("four, ten") << "4"
                                   << "10" << 4 << "(4 espaços)" << 10 << "(10 minutos)";
        QTest::newRow("empty auto-save is 5") << "3"
                                              << "" << 3 << "(3 espaços)" << 5 << "(5 minutos)";
        QTest::newRow("out of range") << "99"
                                      << "-2" << 20 << "(20 espaços)" << 0 << "(0 minutos)";
        QTest::newRow("not numbers") << "x"
                                     << "y" << 1 << "(1 espaço)" << 0 << "(0 minutos)";
    }
    void sliders() {
        QFETCH(QString, tabs);
        QFETCH(QString, autoSave);
        QFETCH(int, tabValue);
        QFETCH(QString, tabLabel);
        QFETCH(int, saveValue);
        QFETCH(QString, saveLabel);
        WriteSetting("Editor", "Tabs", tabs);
        WriteSetting(C, "AutoSave", autoSave);
        auto d = open();
        QCOMPARE(d->sldTabs->value(), tabValue);
        QCOMPARE(d->lblTabs->text(), tabLabel);
        QCOMPARE(d->sldGravacao->value(), saveValue);
        QCOMPARE(d->lblGravacao->text(), saveLabel);
        QCOMPARE(ReadSetting("Editor", "Tabs"), tabs);
        d->sldTabs->setValue(tabValue == 1 ? 2 : 1);
        QCOMPARE(ReadSetting("Editor", "Tabs"), QString(tabValue == 1 ? "2" : "1"));
        QCOMPARE(d->lblTabs->text(), QString(tabValue == 1 ? "(2 espaços)" : "(1 espaço)"));
        d->sldGravacao->setValue(saveValue == 1 ? 10 : 1);
        QCOMPARE(ReadSetting(C, "AutoSave"), QString(saveValue == 1 ? "10" : "1"));
        QCOMPARE(d->sldTabs->minimum(), 1);
        QCOMPARE(d->sldTabs->maximum(), 20);
        QCOMPARE(d->sldGravacao->minimum(), 0);
        QCOMPARE(d->sldGravacao->maximum(), 10);
    }

    void quotes_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("chosen");
        QTest::newRow("plain, choose PHP") << "0" << 0 << 3;
        QTest::newRow("ASP, choose plain") << "1" << 1 << 0;
        QTest::newRow("unknown shows plain, choose JS") << "7" << 0 << 2;
    }
    void quotes() {
        QFETCH(QString, stored);
        QFETCH(int, shown);
        QFETCH(int, chosen);
        WriteSetting(C, "Aspas", stored);
        auto d = open();
        QVERIFY(d->chkAspas[shown]->isChecked());
        QVERIFY(m_log.quotes.isEmpty());
        d->chkAspas[chosen]->click();
        QCOMPARE(ReadSetting(C, "Aspas"), QString::number(chosen));
        QCOMPARE(m_log.quotes, QStringList{QString::number(chosen)});
        for (int i = 0; i < 4; ++i)
            QCOMPARE(d->chkAspas[i]->isChecked(), i == chosen);
    }

    void previewSource() {
        WriteSetting(C, "Preview", "0");
        auto d = open();
        QVERIFY(d->optPrevDoc->isChecked());
        d->optPrevDisco->click();
        QCOMPARE(ReadSetting(C, "Preview"), QString("1"));
        d->optPrevDoc->click();
        QCOMPARE(ReadSetting(C, "Preview"), QString("0"));
    }

    // BrowserPadrao, CorvelBrowser, internal browser runs, button shown,
    // both values after the opening.
    void browserChoice_data() {
        QTest::addColumn<QString>("padrao");
        QTest::addColumn<QString>("interno");
        QTest::addColumn<bool>("available");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        QTest::newRow("default") << "1"
                                 << "0" << true << "optBrowserPadrao"
                                 << "1/0";
        QTest::newRow("internal") << "0"
                                  << "1" << true << "optCorvelBrowser"
                                  << "0/1";
        QTest::newRow("both set: internal wins") << "1"
                                                 << "1" << true << "optCorvelBrowser"
                                                 << "1/1";
        QTest::newRow("chosen program") << "0"
                                        << "0" << true << "optBrowserEsp"
                                        << "0/0";
        QTest::newRow("absent keys: default") << ""
                                              << "" << true << "optBrowserPadrao"
                                              << "/";
        QTest::newRow("internal cannot run here") << "0"
                                                  << "1" << false << "optBrowserPadrao"
                                                  << "1/0";
        QTest::newRow("chosen program, internal cannot run") << "0"
                                                             << "0" << false << "optBrowserEsp"
                                                             << "0/0";
    }
    void browserChoice() {
        QFETCH(QString, padrao);
        QFETCH(QString, interno);
        QFETCH(bool, available);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        WriteSetting(C, "BrowserPadrao", padrao);
        WriteSetting(C, "CorvelBrowser", interno);
        m_log.internalBrowser = available;
        auto d = open();
        QVERIFY(d->findChild<QRadioButton *>(shown)->isChecked());
        QCOMPARE(ReadSetting(C, "BrowserPadrao") + "/" + ReadSetting(C, "CorvelBrowser"), stored);
        QCOMPARE(d->optCorvelBrowser->isEnabled(), available);
        const bool esp = shown == "optBrowserEsp";
        QCOMPARE(d->txtBrowserPath->isEnabled(), esp);
        QCOMPARE(d->cmbSelBrowser->isEnabled(), esp);
        (esp ? d->optBrowserPadrao : d->optBrowserEsp)->click();
        QCOMPARE(d->txtBrowserPath->isEnabled(), !esp);
        QCOMPARE(ReadSetting(C, "BrowserPadrao") + "/" + ReadSetting(C, "CorvelBrowser"),
                 QString(esp ? "1/0" : "0/0"));
    }

    // The file chosen (relative to the test folder), whether it is a program,
    // and what the path box then holds.
    void chooseBrowser_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("kind"); // 0 none, 1 program, 2 plain file, 3 folder
        QTest::addColumn<bool>("taken");
        QTest::addColumn<bool>("refused");
        QTest::newRow("a program") << "nav/firefox" << 1 << true << false;
        QTest::newRow("not executable") << "nav/leia.txt" << 2 << false << true;
        QTest::newRow("a folder") << "nav" << 3 << false << true;
        QTest::newRow("missing") << "nav/nada" << 0 << false << true;
        QTest::newRow("cancelled") << "" << 0 << false << false;
        QTest::newRow("wildcard") << "nav/*" << 0 << false << false;
    }
    void chooseBrowser() {
        QFETCH(QString, file);
        QFETCH(int, kind);
        QFETCH(bool, taken);
        QFETCH(bool, refused);
        const QString path = file.isEmpty() ? QString() : m_dir.filePath(file);
        QDir().mkpath(m_dir.filePath("nav"));
        if (kind == 1 || kind == 2) QVERIFY(MakeProgram(path, kind == 1));
        WriteSetting(C, "Browser", "/usr/bin/antigo");
        auto d = open();
        QCOMPARE(d->txtBrowserPath->text(), QString("/usr/bin/antigo"));
        m_dialogs->files.enqueue(path);
        d->cmbSelBrowser_Click();
        QCOMPARE(m_dialogs->openFolders, QStringList{"/usr/bin"});
        QCOMPARE(m_dialogs->openFilters, QStringList{"Todos os Arquivos (*)"});
        QCOMPARE(ReadSetting(C, "Browser"), taken ? path : QString("/usr/bin/antigo"));
        QCOMPARE(d->txtBrowserPath->text(), ReadSetting(C, "Browser"));
        QCOMPARE(m_dialogs->messages.size(), refused ? 1 : 0);
        if (refused) QVERIFY(m_dialogs->lastText().contains(path));
    }

    void browserPathTyped() {
        auto d = open();
        d->txtBrowserPath->setText("  /opt/nav/bin  ");
        QCOMPARE(ReadSetting(C, "Browser"), QString("/opt/nav/bin"));
    }

    void colourButtons_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("answer"); // -1 cancels
        QTest::newRow("tag") << 0 << "ClrzTag"
                             << "16711680" << 16711680 << 255;
        QTest::newRow("attribute") << 1 << "ClrzParam"
                                   << "12582912" << 12582912 << 0;
        QTest::newRow("value, cancelled") << 2 << "ClrzValor"
                                          << "40960" << 40960 << -1;
        QTest::newRow("script, not a number") << 3 << "ClrzPrg"
                                              << "vermelho" << 0 << 65280;
        QTest::newRow("comment") << 4 << "ClrzComent"
                                 << "12632256" << 12632256 << 16777215;
    }
    void colourButtons() {
        QFETCH(int, index);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(int, start);
        QFETCH(int, answer);
        WriteSetting("Editor", key, stored);
        auto d = open();
        QCOMPARE(d->btnClrzAlterar[index]->objectName(), QString("btnClrzAlterar(%1)").arg(index));
        m_dialogs->colours.enqueue(answer);
        d->btnClrzAlterar[index]->click();
        QCOMPARE(m_dialogs->chooserTitles, QStringList{"Cor ao Colorizar"});
        QCOMPARE(m_dialogs->colourStarts, QList<int>{start});
        QCOMPARE(ReadSetting("Editor", key), answer < 0 ? stored : QString::number(answer));
        // The sample beside the button shows the stored colour.
        const int c = answer < 0 ? start : answer;
        QCOMPARE(d->findChild<QLabel *>(QString("lblClrzAmostra(%1)").arg(index))
                     ->palette()
                     .color(QPalette::Window),
                 QColor(c & 0xFF, (c >> 8) & 0xFF, c >> 16));
    }

    void templates_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("shown");
        QTest::newRow("P") << 0 << "P"
                           << "1" << 2 << 1;
        QTest::newRow("BR with parameters") << 1 << "BR"
                                            << "0" << 2 << 0;
        QTest::newRow("Table advanced") << 3 << "Table"
                                        << "2" << 3 << 2;
        QTest::newRow("TD with 2 has no such item") << 5 << "TD"
                                                    << "2" << 2 << -1;
        QTest::newRow("LI") << 7 << "LI"
                            << "1" << 2 << 1;
    }
    void templates() {
        QFETCH(int, index);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(int, items);
        QFETCH(int, shown);
        WriteSetting(C, key, stored);
        auto d = open();
        QComboBox *c = d->cmbTemplate[index];
        QCOMPARE(c->objectName(), QString("cmbTemplate(%1)").arg(index));
        QCOMPARE(c->count(), items);
        QCOMPARE(c->itemText(0), QString("Com parâmetros"));
        QCOMPARE(c->itemText(1), QString("Sem parâmetros"));
        if (items == 3) QCOMPARE(c->itemText(2), QString("Parâmetros avançados"));
        QCOMPARE(c->currentIndex(), shown);
        QCOMPARE(ReadSetting(C, key), stored);
        c->setCurrentIndex(shown == 0 ? 1 : 0);
        QCOMPARE(ReadSetting(C, key), QString(shown == 0 ? "1" : "0"));
    }

    void wrapActsOnTheCurrentDocument() {
        auto d = open();
        box(*d, "chkBRLinhas")->click();
        box(*d, "chkBRLinhas")->click();
        // Quebra "0" (wrap) sets QuebrarLinha false; "1000000" sets it true.
        QCOMPARE(m_log.wraps, QList<bool>({false, true}));
    }

    void textBoxes_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("extension with a dot") << "txtExtensao"
                                              << "Extensao"
                                              << ".bak"
                                              << "bak";
        QTest::newRow("extension blanks") << "txtExtensao"
                                          << "Extensao"
                                          << " o.l.d "
                                          << "old";
        QTest::newRow("user") << "txtUsuario"
                              << "Usuario"
                              << "  Ana Souza "
                              << "Ana Souza";
        QTest::newRow("e-mail") << "txtEmail"
                                << "Email"
                                << "ana@exemplo.com "
                                << "ana@exemplo.com";
    }
    void textBoxes() {
        QFETCH(QString, control);
        QFETCH(QString, key);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        WriteSetting(C, key, "antes");
        auto d = open();
        auto *edit = d->findChild<QLineEdit *>(control);
        QCOMPARE(edit->text(), QString("antes"));
        edit->clear();
        QTest::keyClicks(edit, typed);
        QCOMPARE(ReadSetting(C, key), stored);
    }

    void desktopIntegration() {
        auto d = open();
        QVERIFY(!d->chkIntegracao->isChecked());
        d->chkIntegracao->click();
        QVERIFY(DesktopEntryInstalled(DesktopEntry::EditWithCorvel));
        QCOMPARE(DesktopEntryProgram(DesktopEntry::EditWithCorvel), m_dir.filePath("bin/Corvel"));
        d.reset();
        d = open();
        QVERIFY(d->chkIntegracao->isChecked());
        d->chkIntegracao->click();
        QVERIFY(!DesktopEntryInstalled(DesktopEntry::EditWithCorvel));
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    void desktopRefusesWrites() {
        QFile blocker(m_dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_DATA_HOME", m_dir.filePath("blocker").toUtf8());
        auto d = open();
        d->chkIntegracao->click();
        QVERIFY(!d->chkIntegracao->isChecked());
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages[0].icon, MsgIcon::Warning);
    }

    // Tessim beside Corvel (a program, a plain file, nothing), the program
    // an existing entry names, and the box's state.
    void tessimEntry_data() {
        QTest::addColumn<int>("tessim"); // 0 none, 1 program, 2 not executable
        QTest::addColumn<QString>("entryFor");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("checked");
        QTest::newRow("no Tessim") << 0 << "" << false << false;
        QTest::newRow("Tessim not executable") << 2 << "" << false << false;
        QTest::newRow("no Tessim, stale entry") << 0 << "this" << false << false;
        QTest::newRow("Tessim, no entry") << 1 << "" << true << false;
        QTest::newRow("Tessim, entry for it") << 1 << "this" << true << true;
        QTest::newRow("Tessim, entry for another") << 1 << "/opt/outro/Tessim" << true << false;
    }
    void tessimEntry() {
        QFETCH(int, tessim);
        QFETCH(QString, entryFor);
        QFETCH(bool, enabled);
        QFETCH(bool, checked);
        m_log.tessim = m_dir.filePath(QString("t%1/Tessim").arg(QTest::currentDataTag()));
        if (tessim) QVERIFY(MakeProgram(m_log.tessim, tessim == 1));
        if (!entryFor.isEmpty())
            QVERIFY(InstallDesktopEntry(DesktopEntry::TessimSource,
                                        entryFor == "this" ? m_log.tessim : entryFor));
        auto d = open();
        QCOMPARE(d->chkViewSource->isEnabled(), enabled);
        QCOMPARE(d->chkViewSource->isChecked(), checked);
        if (!enabled) return;
        d->chkViewSource->click();
        QCOMPARE(DesktopEntryInstalled(DesktopEntry::TessimSource), !checked);
        if (!checked) QCOMPARE(DesktopEntryProgram(DesktopEntry::TessimSource), m_log.tessim);
    }

    void tessimGoneWhileOpen() {
        QVERIFY(MakeProgram(m_log.tessim, true));
        auto d = open();
        QVERIFY(QFile::remove(m_log.tessim));
        d->chkViewSource->click();
        QVERIFY(!d->chkViewSource->isChecked());
        QVERIFY(!DesktopEntryInstalled(DesktopEntry::TessimSource));
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QList<int>>("help");
        QTest::newRow("F12 opens the help at context 1")
            << int(Qt::Key_F12) << false << QList<int>{1};
        QTest::newRow("Escape closes") << int(Qt::Key_Escape) << true << QList<int>{};
    }
    void keys() {
        QFETCH(int, key);
        QFETCH(bool, closes);
        QFETCH(QList<int>, help);
        auto d = open();
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        QWidget *focus = d->focusWidget() ? d->focusWidget() : d.get();
        QTest::keyClick(focus, Qt::Key(key));
        QCOMPARE(d->isVisible(), !closes);
        QCOMPARE(m_log.help, help);
    }

    // Every page laid out with the default font and a 14-point one; with
    // CORVEL_SCREENSHOT_DIR set, each is saved there as a picture.
    void layout_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("points");
        for (int page = 0; page < 4; ++page)
            for (int points : {0, 14})
                QTest::addRow("page %d, %d pt", page, points) << page << points;
    }
    void layout() {
        QFETCH(int, page);
        QFETCH(int, points);
        const QFont before = QApplication::font();
        if (points) {
            QFont f = before;
            f.setPointSize(points);
            QApplication::setFont(f);
        }
        auto d = open();
        d->Tabs->setCurrentIndex(page);
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        QCoreApplication::processEvents();
        const QStringList faults = LayoutFaults(d.get());
        const QString shots = qEnvironmentVariable("CORVEL_SCREENSHOT_DIR");
        if (!shots.isEmpty())
            d->grab().save(QString("%1/opcoes-%2-%3.png").arg(shots).arg(page).arg(points));
        QApplication::setFont(before);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    void captionsAndNames() {
        auto d = open();
        QCOMPARE(d->windowTitle(), QString("Opções"));
        QCOMPARE(d->objectName(), QString("frmOpcoes"));
        QStringList pages;
        for (int i = 0; i < d->Tabs->count(); ++i)
            pages << d->Tabs->tabText(i);
        QCOMPARE(pages, QStringList({"Geral", "Edição", "Preview", "Comandos"}));
        QVERIFY(d->findChild<QLabel *>("lblAjuda")->text().contains("tecle F12"));
        QCOMPARE(box(*d, "chkSplash")->text(), QString("Exibir tela de abertura (splash screen)"));
        QCOMPARE(d->chkAspas[1]->text(), QString("Como aspas duplas (\"\") (ASP)"));
        QCOMPARE(d->chkAspas[3]->text(), QString("Como barra aspa (\\\") (PHP)"));
        QCOMPARE(d->cmbSelBrowser->text(), QString("Selecionar"));
        for (QPushButton *b : d->btnClrzAlterar)
            QCOMPARE(b->text(), QString("Alterar"));
    }
};

QTEST_MAIN(tst_options_dialog)
#include "tst_options_dialog.moc"
