// Projects on the main window: the "Projeto" menu's commands, the project
// window, the project panel and menu items following the project in use,
// refusals of unusable project files, and what the open dialog and the
// command dialog take from the project.
#include "CommandDialog.h"
#include "ControlHost.h"
#include "FileCommands.h"
#include "Folders.h"
#include "IniFiles.h"
#include "ProjectCommands.h"
#include "ProjectFile.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmComando.h"
#include "frmMain.h"
#include "frmProjeto.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using corvel::MsgIcon;
namespace cmd = corvel::cmd;

namespace {

// Scripted dialogs that also remember where each file dialog started.
struct Dialogs : ScriptedDialogs {
    QStringList opens, saves, folders; // "title|folder"
    QString openFile(QWidget *w, const QString &t, const QString &d, const QString &f,
                     int *i) override {
        opens << t + '|' + d;
        return ScriptedDialogs::openFile(w, t, d, f, i);
    }
    QString saveFile(QWidget *w, const QString &t, const QString &d, const QString &f,
                     int *i) override {
        saves << t + '|' + d;
        return ScriptedDialogs::saveFile(w, t, d, f, i);
    }
    QString chooseFolder(QWidget *w, const QString &t, const QString &d) override {
        folders << t + '|' + d;
        return ScriptedDialogs::chooseFolder(w, t, d);
    }
};

QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Runs fn on the modal window of type W once it shows, then closes it if
// still open. After 10 s whatever modal window is open is closed, so nothing
// waits for ever. Deleting the returned timer stops the watch.
template <class W> QTimer *WhenShown(QObject *ctx, std::function<void(W *)> fn) {
    auto *timer = new QTimer(ctx);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, ctx, [timer, fn, ticks] {
        auto *w = qobject_cast<W *>(QApplication::activeModalWidget());
        if (w || ++*ticks > 500) timer->deleteLater(), timer->stop();
        if (w) fn(w);
        if (QWidget *open = QApplication::activeModalWidget(); open && (w || *ticks > 500))
            open->close();
    });
    timer->start(20);
    return timer;
}

} // namespace

class tst_projects : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_site = m_dir.filePath("site"), m_images = m_site + "/img";

    static QString project(const QString &name) { return corvel::ProjectsFolder() + name; }
    QString siteProject() {
        const QString p = project("site.prj");
        return WriteAll(p, "[Projeto]\nNome=Meu Site\nPrincipal=" + m_site.toUtf8() +
                               "\nImagens=" + m_images.toUtf8() + "\nClasses=ab,x,y\n")
                   ? p
                   : QString();
    }
    // The main window with the commands projects meet.
    std::unique_ptr<frmMain> window() {
        auto m = std::make_unique<frmMain>();
        RegisterFileCommands(*m);
        RegisterCommandDialog(*m);
        corvel::RegisterProjectCommands(*m);
        m->show();
        return m;
    }
    // Panel 7 and the edit and close items, all on or all off.
    static bool InUseShown(frmMain &m, bool on) {
        return m.StatusPanelEnabled(7) == on &&
               m.Action(cmd::ArquivoPrjEditar)->isEnabled() == on &&
               m.Action(cmd::ArquivoPrjFechar)->isEnabled() == on;
    }

private slots:
    void initTestCase() {
        corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                      "/libCorvelControl.so");
        corvel::SetProgramFolderOverride(m_dir.path());
        corvel::SetSettingsFileOverride(m_dir.filePath("settings.ini"));
        QVERIFY(corvel::EnsureProgramFolders());
        QVERIFY(QDir().mkpath(m_images));
        const QString shipped = qEnvironmentVariable("CORVEL_SOURCE_DIR") + "/data/Comandos/";
        for (const QString &f : QDir(shipped).entryList(QDir::Files))
            QFile::copy(shipped + f, m_dir.path() + "/Comandos/" + f);
    }
    void init() {
        ApplyDefaultSettings(true);
        QDir(corvel::ProjectsFolder()).removeRecursively();
        QDir().mkpath(corvel::ProjectsFolder());
    }

    // A new project typed into the window, saved and put to use.
    void newProjectSavedAndUsed() {
        Dialogs dlg;
        auto m = window();
        QVERIFY(m->ProjectFile.isEmpty());
        QCOMPARE(m->StatusPanelText(7), QString("PRJ"));
        QVERIFY(InUseShown(*m, false));
        const QString file = project("novo.prj");
        dlg.files.enqueue(file);
        WhenShown<frmProjeto>(this, [&](frmProjeto *w) {
            QVERIFY(!w->EditMode() && w->txtNome->text().isEmpty());
            w->txtNome->setText("  Meu Site  ");
            w->txtPrincipal->setText(m_site);
            for (const char *c : {"a,b", "  x  ", "y"}) {
                w->txtAddClass->setText(c);
                w->btnAddClass->click();
            }
            w->btnSalvarUsar->click();
            QVERIFY(!w->isVisible());
        });
        QVERIFY(m->Trigger(cmd::ArquivoPrjNovo));
        QCOMPARE(dlg.saves, QStringList("Salvar Projeto|" + m_dir.path() + "/Projetos/"));
        QCOMPARE(ReadAll(file), "[Projeto]\nNome=Meu Site\nPrincipal=" + m_site.toUtf8() +
                                    "\nImagens=\nClasses=ab,x,y\n");
        QCOMPARE(dlg.messages.size(), 2);
        QCOMPARE(dlg.messages[0].title, QString("Projeto Gravado"));
        QCOMPARE(dlg.messages[0].text, "O projeto \"Meu Site\" foi gravado com sucesso em " + file);
        QCOMPARE(dlg.messages[1].title, QString("Projeto Aberto"));
        QCOMPARE(dlg.messages[1].text, QString("O projeto gravado foi aberto para uso."));
        QCOMPARE(m->ProjectFile, file);
        QVERIFY(InUseShown(*m, true));
        QCOMPARE(m->StatusPanelText(8), QString("Novo Projeto"));
    }

    // A cancelled save dialog changes nothing: the project in use stays, the
    // window stays open. "Salvar" alone leaves the project in use alone; a
    // folder that is not there is refused before any file is asked for.
    void cancelledAndRefusedSaves() {
        Dialogs dlg;
        auto m = window();
        const QString before = siteProject();
        corvel::UseProject(*m, before);
        const QString file = project("so.prj");
        WhenShown<frmProjeto>(this, [&](frmProjeto *w) {
            w->txtNome->setText("Outro");
            w->btnSalvarUsar->click(); // the save dialog answers nothing
            QVERIFY(w->isVisible());
            QVERIFY(dlg.messages.isEmpty());
            w->txtImagens->setText(m_site + "/sumiu");
            QCOMPARE(w->btnSalvar_Click(), QString());
            QVERIFY(dlg.lastText().contains(m_site + "/sumiu"));
            QCOMPARE(dlg.saves.size(), 1);
            w->txtImagens->setText(m_images);
            dlg.files.enqueue(file);
            QCOMPARE(w->btnSalvar_Click(), file);
            QVERIFY(w->isVisible());
        });
        QVERIFY(m->Trigger(cmd::ArquivoPrjNovo));
        QCOMPARE(ReadIniValue("Projeto", "Imagens", file), m_images);
        QCOMPARE(m->ProjectFile, before);
        QVERIFY(InUseShown(*m, true));
    }

    void classList() {
        Dialogs dlg;
        frmProjeto w(ProjectHost{});
        w.show();
        for (const char *c : {"menu", "", "menu"}) { // added as typed
            w.txtAddClass->setText(c);
            w.btnAddClass->click();
            QVERIFY(w.txtAddClass->text().isEmpty());
        }
        QCOMPARE(w.lstClasses->count(), 3);
        QCOMPARE(w.focusWidget(), static_cast<QWidget *>(w.txtAddClass));
        w.btnRemClass->click();
        QCOMPARE(dlg.lastText(), QString("Selecione um item para remover."));
        QCOMPARE(dlg.lastTitle(), QString("Remover Classe"));
        w.lstClasses->item(1)->setSelected(true);
        w.btnRemClass->click();
        QCOMPARE(w.lstClasses->count(), 2);
        QCOMPARE(w.lstClasses->item(1)->text(), QString("menu"));
    }

    void folderChoosers_data() {
        QTest::addColumn<bool>("images");
        QTest::addColumn<QString>("answer"); // "": cancelled
        QTest::addColumn<QString>("prompt");
        const QString tail = "\n(ela já deve estar criada)|" + m_images;
        const QString main = "Especifique qual pasta irá ser a principal do site" + tail;
        const QString img = "Especifique qual pasta possuirá as imagens do site" + tail;
        QTest::newRow("main chosen") << false << "site" << main;
        QTest::newRow("main cancelled empties") << false << "" << main;
        QTest::newRow("images chosen") << true << "site/img" << img;
        QTest::newRow("images cancelled empties") << true << "" << img;
    }
    void folderChoosers() {
        QFETCH(bool, images);
        QFETCH(QString, answer);
        QFETCH(QString, prompt);
        Dialogs dlg;
        frmProjeto w(ProjectHost{});
        QLineEdit *box = images ? w.txtImagens : w.txtPrincipal;
        box->setText(m_images); // the chooser starts where the field points
        const QString chosen = answer.isEmpty() ? QString() : m_dir.filePath(answer);
        dlg.files.enqueue(chosen.isEmpty() ? chosen : chosen + "/");
        (images ? w.btnProcImg : w.btnProcPrinc)->click();
        QCOMPARE(box->text(), chosen);
        QCOMPARE(dlg.folders, QStringList(prompt));
    }

    // The open dialog of documents while a project is in use, and after it
    // is closed: the base folder, "UltDir" or the program folder again.
    void openDialogFollowsTheProject_data() {
        QTest::addColumn<QByteArray>("body"); // "": opened, then closed
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("shown"); // "title|folder"
        QTest::newRow("project's main folder")
            << QByteArray("Nome=Meu Site\nPrincipal=<site>\n") << "/tmp"
            << "/srv/"
            << "Abrir (Projeto Meu Site)|<site>";
        QTest::newRow("project without Principal") << QByteArray("Nome=Sem Pasta\n") << "/tmp"
                                                   << "/srv/"
                                                   << "Abrir (Projeto Sem Pasta)|";
        QTest::newRow("closed: base folder") << QByteArray() << "/tmp"
                                             << "/srv/"
                                             << "Abrir|/tmp";
        QTest::newRow("closed: UltDir") << QByteArray() << ""
                                        << "/srv/"
                                        << "Abrir|/srv/";
        QTest::newRow("closed: program folder") << QByteArray() << ""
                                                << ""
                                                << "Abrir|<prog>";
    }
    void openDialogFollowsTheProject() {
        QFETCH(QByteArray, body);
        QFETCH(QString, base);
        QFETCH(QString, last);
        QFETCH(QString, shown);
        WriteSetting("Pasta Base", "Selecionada", base);
        WriteSetting("Caminhos", "UltDir", last);
        Dialogs dlg;
        auto m = window();
        const QString file = project("p.prj");
        QVERIFY(WriteAll(file, "[Projeto]\n" + (body.isEmpty() ? "Nome=X\nPrincipal=<site>" : body)
                                                   .replace("<site>", m_site.toUtf8())));
        dlg.files.enqueue(file);
        QVERIFY(m->Trigger(cmd::ArquivoPrjAbrir));
        QCOMPARE(dlg.opens.last(), "Abrir Projeto|" + m_dir.path() + "/Projetos/");
        QCOMPARE(m->ProjectFile, file);
        QVERIFY(InUseShown(*m, true));
        QCOMPARE(m->StatusPanelText(8),
                 "O projeto \"" + ReadIniValue("Projeto", "Nome", file) + "\" foi iniciado.");
        if (body.isEmpty()) {
            QVERIFY(m->Trigger(cmd::ArquivoPrjFechar));
            QCOMPARE(dlg.lastText(), QString("O projeto foi fechado."));
            QCOMPARE(dlg.lastTitle(), QString("Projeto Fechado"));
            QCOMPARE(m->StatusPanelText(8), QString("Fechar Projeto"));
            QVERIFY(m->ProjectFile.isEmpty());
            QVERIFY(InUseShown(*m, false));
        }
        QVERIFY(m->Trigger(cmd::ArquivoAbrir)); // cancelled
        QCOMPARE(dlg.opens.last(), shown.replace("<site>", m_site).replace("<prog>", m_dir.path()));
    }

    // A project file that cannot be used is refused with a message; the
    // project in use stays as it was.
    void unusableProjectsRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("inText");
        QTest::newRow("malformed") << QByteArray("\x7f"
                                                 "ELF\0\0",
                                                 6)
                                   << "corrompido";
        QTest::newRow("huge") << "[Projeto]\n" + QByteArray(100000, ';') << "grande demais";
        QTest::newRow("folder gone")
            << QByteArray("[Projeto]\nPrincipal=<site>/velho\n") << "/velho";
    }
    void unusableProjectsRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, inText);
        Dialogs dlg;
        auto m = window();
        const QString good = siteProject();
        corvel::UseProject(*m, good);
        QVERIFY(WriteAll(project("ruim.prj"), bytes.replace("<site>", m_site.toUtf8())));
        dlg.files.enqueue(project("ruim.prj"));
        QVERIFY(m->Trigger(cmd::ArquivoPrjAbrir));
        QCOMPARE(dlg.lastTitle(), QString("Abrir Projeto"));
        QCOMPARE(dlg.messages.last().icon, MsgIcon::Warning);
        QVERIFY2(dlg.lastText().contains(inText), qPrintable(dlg.lastText()));
        QVERIFY(dlg.lastText().endsWith("O projeto em uso não foi alterado."));
        QCOMPARE(m->ProjectFile, good);
        QVERIFY(InUseShown(*m, true));
    }

    // Editing the project in use: its values shown, saved back into the same
    // file without a dialog, "reloaded"; a file gone meanwhile is not edited.
    void editTheProjectInUse() {
        Dialogs dlg;
        auto m = window();
        const QString file = siteProject();
        QVERIFY(WriteAll(file, "; notas\n" + ReadAll(file)));
        corvel::UseProject(*m, file);
        WhenShown<frmProjeto>(this, [&](frmProjeto *w) {
            QVERIFY(w->EditMode());
            QCOMPARE(w->FileName(), file);
            QCOMPARE(w->txtNome->text() + w->txtPrincipal->text() + w->txtImagens->text(),
                     "Meu Site" + m_site + m_images);
            QCOMPARE(w->lstClasses->count(), 3);
            QCOMPARE(w->lstClasses->item(1)->text(), QString("x"));
            w->txtNome->setText("Site Novo");
            w->lstClasses->item(1)->setSelected(true);
            w->btnRemClass->click();
            w->btnSalvarUsar->click();
        });
        QVERIFY(m->Trigger(cmd::ArquivoPrjEditar));
        QVERIFY(dlg.saves.isEmpty());
        QCOMPARE(dlg.lastText(), QString("O projeto gravado foi recarregado para uso."));
        QVERIFY(ReadAll(file).startsWith("; notas\n[Projeto]\nNome=Site Novo\n"));
        QCOMPARE(ReadIniValue("Projeto", "Classes", file), QString("ab,y"));
        QCOMPARE(m->StatusPanelText(8), QString("Editar Projeto"));

        QVERIFY(QFile::remove(file));
        bool shown = false;
        QPointer<QTimer> watch = WhenShown<frmProjeto>(this, [&](frmProjeto *) { shown = true; });
        QVERIFY(m->Trigger(cmd::ArquivoPrjEditar));
        QVERIFY(!shown);
        delete watch;
        QCOMPARE(dlg.lastTitle(), QString("Editar Projeto"));
        QCOMPARE(m->ProjectFile, file);
    }

    void escapeClosesWithoutSaving() {
        Dialogs dlg;
        frmProjeto w(ProjectHost{});
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(w.txtNome, Qt::Key_Escape);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(dlg.saves.isEmpty());
    }

    // The command dialog offers the project's classes and hands the project
    // to the link dialog it opens.
    void commandDialogTakesTheProject() {
        Dialogs dlg;
        auto m = window();
        QVERIFY(m->CreateDocument());
        const QString file = siteProject();
        for (const bool inUse : {true, false}) {
            corvel::UseProject(*m, inUse ? file : QString());
            QString seen;
            WhenShown<frmComando>(this, [&](frmComando *d) {
                auto *box = d->findChild<QComboBox *>("cmbClasse");
                for (int i = 0; box && i < box->count(); ++i)
                    seen += box->itemText(i) + ',';
                seen += d->ProjectFile();
            });
            m->Comando("DIV", 1);
            QCOMPARE(seen, inUse ? "ab,x,y," + file : QString());
        }
    }
};

QTEST_MAIN(tst_projects)
#include "tst_projects.moc"
