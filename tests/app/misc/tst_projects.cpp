// Projects on the main window: the "Projeto" menu's four commands, the
// project window (fields, folder choosers, class list, save, save and use,
// editing the project in use), the project panel and menu items following
// the project in use, refusals of unusable project files, and what the open
// dialog and the command dialog take from the project.
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
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using corvel::MsgIcon;
namespace cmd = corvel::cmd;

namespace {

// Scripted dialogs that also remember where each file dialog started.
struct Dialogs : ScriptedDialogs {
    struct Shown {
        QString title, folder;
    };
    QList<Shown> opens, saves, folders;
    QString openFile(QWidget *w, const QString &title, const QString &folder, const QString &f,
                     int *index) override {
        opens.append({title, folder});
        return ScriptedDialogs::openFile(w, title, folder, f, index);
    }
    QString saveFile(QWidget *w, const QString &title, const QString &path, const QString &f,
                     int *index) override {
        saves.append({title, path});
        return ScriptedDialogs::saveFile(w, title, path, f, index);
    }
    QString chooseFolder(QWidget *w, const QString &title, const QString &folder) override {
        folders.append({title, folder});
        return ScriptedDialogs::chooseFolder(w, title, folder);
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

// Runs fn on the project window once it shows modally; a window still open
// after 10 s is closed, so no test waits for ever.
void WhenProjectWindowShows(QObject *ctx, std::function<void(frmProjeto *)> fn) {
    auto *timer = new QTimer(ctx);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, ctx, [timer, fn] {
        if (auto *w = qobject_cast<frmProjeto *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            fn(w);
            if (w->isVisible()) w->reject();
        }
    });
    timer->start();
    QTimer::singleShot(10000, ctx, [] {
        if (QWidget *w = QApplication::activeModalWidget()) w->close();
    });
}

} // namespace

class tst_projects : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_site, m_images;

    QString projectPath(const QString &name) const { return corvel::ProjectsFolder() + name; }

    // A project file in the program's project folder.
    QString writeProject(const QString &name, const QByteArray &body) {
        const QString p = projectPath(name);
        return WriteAll(p, body) ? p : QString();
    }
    QString siteProject(const QString &name = QStringLiteral("site.prj")) {
        return writeProject(name, "[Projeto]\nNome=Meu Site\nPrincipal=" + m_site.toUtf8() +
                                      "\nImagens=" + m_images.toUtf8() + "\nClasses=ab,x,y\n");
    }

    // The main window with what projects meet: the file commands, the command
    // dialog and the project commands.
    std::unique_ptr<frmMain> window() {
        auto m = std::make_unique<frmMain>();
        RegisterFileCommands(*m);
        RegisterCommandDialog(*m);
        corvel::RegisterProjectCommands(*m);
        m->show();
        return m;
    }

    static bool ProjectItemsEnabled(frmMain &m) {
        return m.Action(cmd::ArquivoPrjEditar)->isEnabled() &&
               m.Action(cmd::ArquivoPrjFechar)->isEnabled();
    }
    static bool ProjectItemsDisabled(frmMain &m) {
        return !m.Action(cmd::ArquivoPrjEditar)->isEnabled() &&
               !m.Action(cmd::ArquivoPrjFechar)->isEnabled();
    }

private slots:
    void initTestCase() {
        corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                      QStringLiteral("/libCorvelControl.so"));
        corvel::SetProgramFolderOverride(m_dir.path());
        corvel::SetSettingsFileOverride(m_dir.filePath(QStringLiteral("settings.ini")));
        QVERIFY(corvel::EnsureProgramFolders());
        m_site = m_dir.filePath(QStringLiteral("site"));
        m_images = m_site + QStringLiteral("/img");
        QVERIFY(QDir().mkpath(m_images));
        const QString shipped = qEnvironmentVariable("CORVEL_SOURCE_DIR") + "/data/Comandos";
        for (const QString &f : QDir(shipped).entryList(QDir::Files))
            QFile::copy(shipped + "/" + f, m_dir.path() + "/Comandos/" + f);
    }
    void init() {
        ApplyDefaultSettings(true);
        for (const QString &f : QDir(corvel::ProjectsFolder()).entryList(QDir::Files))
            QFile::remove(corvel::ProjectsFolder() + f);
    }

    void noProjectAtStart() {
        Dialogs dlg;
        auto m = window();
        QVERIFY(m->ProjectFile.isEmpty());
        QCOMPARE(m->StatusPanelText(7), QString("PRJ"));
        QVERIFY(!m->StatusPanelEnabled(7));
        QVERIFY(ProjectItemsDisabled(*m));
        QVERIFY(m->CommandEnabled(cmd::ArquivoPrjNovo));
        QVERIFY(m->CommandEnabled(cmd::ArquivoPrjAbrir));
    }

    // A new project typed into the window, saved and put to use.
    void newProjectSavedAndUsed() {
        Dialogs dlg;
        auto m = window();
        const QString file = projectPath("novo.prj");
        dlg.files.enqueue(file);
        bool seen = false;
        WhenProjectWindowShows(this, [&](frmProjeto *w) {
            seen = true;
            QCOMPARE(w->windowTitle(), QString("Projeto"));
            QVERIFY(!w->EditMode());
            QVERIFY(w->txtNome->text().isEmpty());
            QCOMPARE(w->lstClasses->count(), 0);
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
        QVERIFY(seen);
        QCOMPARE(dlg.saves.size(), 1);
        QCOMPARE(dlg.saves[0].title, QString("Salvar Projeto"));
        QCOMPARE(dlg.saves[0].folder, m_dir.path() + "/Projetos/");
        QCOMPARE(ReadIniValue("Projeto", "Nome", file), QString("Meu Site"));
        QCOMPARE(ReadIniValue("Projeto", "Principal", file), m_site);
        QCOMPARE(ReadIniValue("Projeto", "Imagens", file), QString());
        QCOMPARE(ReadIniValue("Projeto", "Classes", file), QString("ab,x,y"));
        QCOMPARE(dlg.messages.size(), 2);
        QCOMPARE(dlg.messages[0].title, QString("Projeto Gravado"));
        QCOMPARE(dlg.messages[0].text,
                 QString("O projeto \"Meu Site\" foi gravado com sucesso em ") + file);
        QCOMPARE(dlg.messages[1].title, QString("Projeto Aberto"));
        QCOMPARE(dlg.messages[1].text, QString("O projeto gravado foi aberto para uso."));
        QCOMPARE(dlg.messages[1].icon, MsgIcon::Information);
        QCOMPARE(m->ProjectFile, file);
        QVERIFY(m->StatusPanelEnabled(7));
        QVERIFY(ProjectItemsEnabled(*m));
        QCOMPARE(m->StatusPanelText(8), QString("Novo Projeto"));
    }

    // Cancelling the save dialog of "Salvar e Usar" changes nothing: the
    // project in use stays, the window stays open, no file is written.
    void saveAndUseCancelled() {
        Dialogs dlg;
        auto m = window();
        const QString before = siteProject();
        corvel::UseProject(*m, before);
        bool stillOpen = false;
        WhenProjectWindowShows(this, [&](frmProjeto *w) {
            w->txtNome->setText("Outro");
            w->btnSalvarUsar->click(); // the save dialog answers nothing
            stillOpen = w->isVisible();
        });
        QVERIFY(m->Trigger(cmd::ArquivoPrjNovo));
        QVERIFY(stillOpen);
        QCOMPARE(dlg.saves.size(), 1);
        QVERIFY(dlg.messages.isEmpty());
        QCOMPARE(m->ProjectFile, before);
        QVERIFY(m->StatusPanelEnabled(7));
        QCOMPARE(QDir(corvel::ProjectsFolder()).entryList(QDir::Files), QStringList({"site.prj"}));
    }

    // "Salvar" alone writes the file and leaves the window open and the
    // project in use alone; a folder that does not exist is refused before
    // any file is asked for.
    void saveOnlyAndRefusals() {
        Dialogs dlg;
        auto m = window();
        const QString file = projectPath("so.prj");
        WhenProjectWindowShows(this, [&](frmProjeto *w) {
            w->txtNome->setText("S");
            w->txtImagens->setText(m_site + "/sumiu");
            QCOMPARE(w->btnSalvar_Click(), QString());
            QCOMPARE(dlg.lastTitle(), QString("Projeto"));
            QVERIFY(dlg.lastText().contains(m_site + "/sumiu"));
            QVERIFY(dlg.saves.isEmpty());
            w->txtImagens->setText(m_images);
            dlg.files.enqueue(file);
            QCOMPARE(w->btnSalvar_Click(), file);
            QVERIFY(w->isVisible());
        });
        QVERIFY(m->Trigger(cmd::ArquivoPrjNovo));
        QCOMPARE(ReadIniValue("Projeto", "Imagens", file), m_images);
        QVERIFY(!ReadAll(file).contains("Classes"));
        QVERIFY(m->ProjectFile.isEmpty());
        QVERIFY(!m->StatusPanelEnabled(7));
    }

    void classList() {
        Dialogs dlg;
        frmProjeto w(ProjectHost{});
        w.show();
        for (const char *c : {"menu", "", "menu"}) {
            w.txtAddClass->setText(c);
            w.btnAddClass->click();
            QVERIFY(w.txtAddClass->text().isEmpty());
        }
        // Added as typed: the empty and the repeated text too.
        QCOMPARE(w.lstClasses->count(), 3);
        QCOMPARE(w.lstClasses->item(1)->text(), QString());
        QCOMPARE(w.focusWidget(), static_cast<QWidget *>(w.txtAddClass));
        w.lstClasses->clearSelection();
        w.btnRemClass->click();
        QCOMPARE(dlg.lastText(), QString("Selecione um item para remover."));
        QCOMPARE(dlg.lastTitle(), QString("Remover Classe"));
        QCOMPARE(dlg.messages.last().icon, MsgIcon::Information);
        QCOMPARE(w.lstClasses->count(), 3);
        w.lstClasses->item(0)->setSelected(true);
        w.btnRemClass->click();
        QCOMPARE(w.lstClasses->count(), 2);
        QCOMPARE(dlg.messages.size(), 1);
    }

    void folderChoosers_data() {
        QTest::addColumn<bool>("images");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("prompt");
        const QString main = "Especifique qual pasta irá ser a principal do site\n"
                             "(ela já deve estar criada)";
        const QString img = "Especifique qual pasta possuirá as imagens do site\n"
                            "(ela já deve estar criada)";
        QTest::newRow("main chosen") << false << "site"
                                     << "site" << main;
        QTest::newRow("main cancelled empties") << false << ""
                                                << "" << main;
        QTest::newRow("images chosen") << true << "site/img/"
                                       << "site/img" << img;
        QTest::newRow("images cancelled empties") << true << ""
                                                  << "" << img;
    }
    void folderChoosers() {
        QFETCH(bool, images);
        QFETCH(QString, answer);
        QFETCH(QString, field);
        QFETCH(QString, prompt);
        Dialogs dlg;
        frmProjeto w(ProjectHost{});
        QLineEdit *box = images ? w.txtImagens : w.txtPrincipal;
        box->setText(m_images); // the chooser starts where the field points
        dlg.files.enqueue(answer.isEmpty() ? QString() : m_dir.filePath(answer));
        (images ? w.btnProcImg : w.btnProcPrinc)->click();
        QCOMPARE(box->text(), field.isEmpty() ? QString() : m_dir.filePath(field));
        QCOMPARE(dlg.folders.size(), 1);
        QCOMPARE(dlg.folders[0].title, prompt);
        QCOMPARE(dlg.folders[0].folder, m_images);
    }

    // The open command and what it leaves in the open dialog of documents;
    // closing gives the dialog back its base-folder and "UltDir" start.
    void openDialogFollowsTheProject_data() {
        QTest::addColumn<QByteArray>("project"); // "": no project in use
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("folder"); // "<site>", "<base>", ...
        QTest::newRow("project's main folder")
            << QByteArray("[Projeto]\nNome=Meu Site\nPrincipal=<site>\n") << "/tmp"
            << "/srv/"
            << "Abrir (Projeto Meu Site)"
            << "<site>";
        QTest::newRow("project without Principal: the dialog's own start")
            << QByteArray("[Projeto]\nNome=Sem Pasta\n") << "/tmp"
            << "/srv/"
            << "Abrir (Projeto Sem Pasta)"
            << "";
        QTest::newRow("closed: base folder") << QByteArray() << "/tmp"
                                             << "/srv/"
                                             << "Abrir"
                                             << "/tmp";
        QTest::newRow("closed: UltDir") << QByteArray() << ""
                                        << "/srv/"
                                        << "Abrir"
                                        << "/srv/";
        QTest::newRow("closed: program folder") << QByteArray() << ""
                                                << ""
                                                << "Abrir"
                                                << "<prog>";
    }
    void openDialogFollowsTheProject() {
        QFETCH(QByteArray, project);
        QFETCH(QString, base);
        QFETCH(QString, last);
        QFETCH(QString, title);
        QFETCH(QString, folder);
        WriteSetting("Pasta Base", "Selecionada", base);
        WriteSetting("Caminhos", "UltDir", last);
        Dialogs dlg;
        auto m = window();
        const QString file = writeProject(
            "p.prj", project.isEmpty() ? QByteArray("[Projeto]\nNome=Fechado\nPrincipal=<site>\n")
                                       : project);
        QVERIFY(WriteAll(file, ReadAll(file).replace("<site>", m_site.toUtf8())));
        dlg.files.enqueue(file);
        QVERIFY(m->Trigger(cmd::ArquivoPrjAbrir));
        QCOMPARE(dlg.opens.last().title, QString("Abrir Projeto"));
        QCOMPARE(dlg.opens.last().folder, m_dir.path() + "/Projetos/");
        QCOMPARE(m->ProjectFile, file);
        const QString name = ReadIniValue("Projeto", "Nome", file);
        QCOMPARE(m->StatusPanelText(8), "O projeto \"" + name + "\" foi iniciado.");
        if (project.isEmpty()) {
            QVERIFY(m->Trigger(cmd::ArquivoPrjFechar));
            QCOMPARE(dlg.lastText(), QString("O projeto foi fechado."));
            QCOMPARE(dlg.lastTitle(), QString("Projeto Fechado"));
            QCOMPARE(m->StatusPanelText(8), QString("Fechar Projeto"));
            QVERIFY(m->ProjectFile.isEmpty());
            QVERIFY(!m->StatusPanelEnabled(7));
            QVERIFY(ProjectItemsDisabled(*m));
            QVERIFY(!m->Trigger(cmd::ArquivoPrjEditar));
        }
        QVERIFY(m->Trigger(cmd::ArquivoAbrir)); // cancelled
        folder.replace("<site>", m_site).replace("<prog>", corvel::ProgramFolder());
        QCOMPARE(dlg.opens.last().title, title);
        QCOMPARE(dlg.opens.last().folder, folder);
    }

    // A project file that cannot be used is refused with a message, and the
    // project in use stays as it was.
    void unusableProjectsRefused_data() {
        QTest::addColumn<QByteArray>("bytes"); // "<none>": the file is gone
        QTest::addColumn<QString>("inText");
        QTest::newRow("not a project") << QByteArray("[Editor]\nFonte=Arial\n") << "[Projeto]";
        QTest::newRow("binary") << QByteArray("\x7f"
                                              "ELF\0\0\0",
                                              7)
                                << "corrompido";
        QTest::newRow("huge") << "[Projeto]\n" + QByteArray(100000, ';') << "grande demais";
        QTest::newRow("main folder gone")
            << QByteArray("[Projeto]\nPrincipal=<site>/velho\n") << "/velho";
        QTest::newRow("image folder gone")
            << QByteArray("[Projeto]\nImagens=<site>/fotos\n") << "/fotos";
        QTest::newRow("file gone") << QByteArray("<none>") << "não foi encontrado";
    }
    void unusableProjectsRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, inText);
        Dialogs dlg;
        auto m = window();
        const QString good = siteProject();
        corvel::UseProject(*m, good);
        const QString bad = projectPath("ruim.prj");
        if (bytes != "<none>") QVERIFY(WriteAll(bad, bytes.replace("<site>", m_site.toUtf8())));
        dlg.files.enqueue(bad);
        QVERIFY(m->Trigger(cmd::ArquivoPrjAbrir));
        QCOMPARE(dlg.lastTitle(), QString("Abrir Projeto"));
        QCOMPARE(dlg.messages.last().icon, MsgIcon::Warning);
        QVERIFY2(dlg.lastText().contains(inText), qPrintable(dlg.lastText()));
        QVERIFY(dlg.lastText().endsWith("O projeto em uso não foi alterado."));
        QCOMPARE(m->ProjectFile, good);
        QVERIFY(m->StatusPanelEnabled(7));
        QVERIFY(ProjectItemsEnabled(*m));
    }

    // Editing the project in use: the window shows its values, saves back
    // into the same file without asking for one, and "reloads" it.
    void editTheProjectInUse() {
        Dialogs dlg;
        auto m = window();
        const QString file = siteProject();
        QVERIFY(WriteAll(file, "; minhas notas\n" + ReadAll(file)));
        corvel::UseProject(*m, file);
        WhenProjectWindowShows(this, [&](frmProjeto *w) {
            QVERIFY(w->EditMode());
            QCOMPARE(w->FileName(), file);
            QCOMPARE(w->txtNome->text(), QString("Meu Site"));
            QCOMPARE(w->txtPrincipal->text(), m_site);
            QCOMPARE(w->txtImagens->text(), m_images);
            QStringList shown;
            for (int i = 0; i < w->lstClasses->count(); ++i)
                shown << w->lstClasses->item(i)->text();
            QCOMPARE(shown, QStringList({"ab", "x", "y"}));
            w->txtNome->setText("Site Novo");
            w->lstClasses->item(1)->setSelected(true);
            w->btnRemClass->click();
            w->btnSalvarUsar->click();
        });
        QVERIFY(m->Trigger(cmd::ArquivoPrjEditar));
        QVERIFY(dlg.saves.isEmpty());
        QCOMPARE(dlg.messages.last().text, QString("O projeto gravado foi recarregado para uso."));
        QVERIFY(ReadAll(file).startsWith("; minhas notas\n[Projeto]\nNome=Site Novo\n"));
        QCOMPARE(ReadIniValue("Projeto", "Classes", file), QString("ab,y"));
        QCOMPARE(m->ProjectFile, file);
        QCOMPARE(m->StatusPanelText(8), QString("Editar Projeto"));

        // Every class removed: the file keeps none.
        WhenProjectWindowShows(this, [&](frmProjeto *w) {
            w->lstClasses->clear();
            w->btnSalvar->click();
        });
        QVERIFY(m->Trigger(cmd::ArquivoPrjEditar));
        QVERIFY(!ReadAll(file).contains("Classes"));
    }

    // The project file damaged or removed since it was opened: nothing to
    // edit, the project stays in use.
    void editRefusedWhenTheFileIsGone() {
        Dialogs dlg;
        auto m = window();
        const QString file = siteProject();
        corvel::UseProject(*m, file);
        QVERIFY(QFile::remove(file));
        bool shown = false;
        WhenProjectWindowShows(this, [&](frmProjeto *) { shown = true; });
        QVERIFY(m->Trigger(cmd::ArquivoPrjEditar));
        QVERIFY(!shown);
        QCOMPARE(dlg.lastTitle(), QString("Editar Projeto"));
        QVERIFY(dlg.lastText().contains(file));
        QCOMPARE(m->ProjectFile, file);
    }

    void escapeClosesWithoutSaving() {
        Dialogs dlg;
        frmProjeto w(ProjectHost{});
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.txtNome->setText("x");
        QTest::keyClick(w.txtNome, Qt::Key_Escape);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QVERIFY(dlg.saves.isEmpty());
    }

    // The command dialog offers the project's classes; the link dialog it
    // opens reads the same project.
    void commandDialogTakesTheClasses() {
        Dialogs dlg;
        auto m = window();
        QVERIFY(m->CreateDocument());
        const QString file = siteProject();
        for (const bool inUse : {true, false}) {
            corvel::UseProject(*m, inUse ? file : QString());
            QStringList classes;
            QString project;
            auto *timer = new QTimer(this);
            timer->setInterval(20);
            connect(timer, &QTimer::timeout, this, [&, timer] {
                if (auto *d = qobject_cast<frmComando *>(QApplication::activeModalWidget())) {
                    timer->stop();
                    timer->deleteLater();
                    auto *box = d->findChild<QComboBox *>("cmbClasse");
                    for (int i = 0; box && i < box->count(); ++i)
                        classes << box->itemText(i);
                    project = d->ProjectFile();
                    d->reject();
                }
            });
            timer->start();
            m->Comando("DIV", 1);
            QCOMPARE(classes, inUse ? QStringList({"ab", "x", "y"}) : QStringList());
            QCOMPARE(project, inUse ? file : QString());
        }
    }
};

QTEST_MAIN(tst_projects)
#include "tst_projects.moc"
