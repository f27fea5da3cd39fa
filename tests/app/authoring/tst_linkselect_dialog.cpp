#include "CommandsFakeEditor.h"
#include "Folders.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "frmComando.h"
#include "frmLinkSelect.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvel;

namespace {

const QByteArray kImg =
    "[Comando]\r\nComando=img\r\nTitulo=Imagem\r\nDescricao=d\r\nBloco=nao\r\n"
    "[SRC]\r\nTitulo=a\r\nDescricao=b\r\nTamanho=40\r\nTipo=Texto\r\nMaximo=500\r\n"
    "[WIDTH]\r\nTitulo=a\r\nDescricao=b\r\nTamanho=9\r\nTipo=Texto\r\nMaximo=5\r\n"
    "[HEIGHT]\r\nTitulo=a\r\nDescricao=b\r\nTamanho=9\r\nTipo=Texto\r\nMaximo=5\r\n"
    "[BORDER]\r\nTitulo=a\r\nDescricao=b\r\nTamanho=9\r\nTipo=Texto\r\nMaximo=5\r\n";

QByteArray Gif(int w, int h) {
    QByteArray b("GIF89a");
    for (int v : {w & 255, w >> 8, h & 255, h >> 8, 0, 0})
        b.append(char(v));
    return b;
}

} // namespace

class tst_linkselect_dialog : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    CommandsFakeEditor m_ed;
    std::unique_ptr<frmComando> m_cmd;

    QString site() const { return m_dir.path() + "/site"; }
    void write(const QString &path, const QByteArray &data) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    frmComando *command() {
        CommandDialogHost h;
        h.currentEditor = [this]() -> ICorvelEdit * { return &m_ed; };
        m_cmd.reset(new frmComando("IMG.tpc", 9002, h));
        if (!m_cmd->Form_Load()) return nullptr;
        return m_cmd.get();
    }

private slots:
    void initTestCase() {
        SetProgramFolderOverride(m_dir.path());
        SetSettingsFileOverride(m_dir.filePath("settings.ini"));
        write(m_dir.path() + "/Comandos/IMG.tpc", kImg);
        write(m_dir.path() + "/Comandos/CSS.dat", "color,#cores\r\n");
        write(m_dir.path() + "/Comandos/JS.dat", "onClick\r\n");
        write(site() + "/img/Foto Grande.gif", Gif(120, 80));
        write(site() + "/img/quebrada.gif", "GIF8");
        write(site() + "/pag.html", "<html>");
    }
    void init() {
        ApplyDefaultSettings(true);
        m_ed.file.clear();
    }

    void loadingFromSettings() {
        WriteSetting("Configuracao", "ArqCamRelativo", "2");
        WriteSetting("Configuracao", "ArqBarraInicio", "1");
        frmLinkSelect d(nullptr, QString());
        d.Form_Load();
        QVERIFY(d.optArqCamProjeto->isChecked());
        QVERIFY(d.chkArqBarraInicio->isChecked());
        QVERIFY(!d.chkArvConvMinusculo->isChecked());
        QCOMPARE(d.cmbURLProtocolo->count(), 6);
        QCOMPARE(d.cmbURLProtocolo->currentText(), QString("http://"));
        QCOMPARE(d.cmbURLPorta->count(), 5);
        QCOMPARE(d.windowTitle(), QString("Arquivo ou Link"));
        // Options write their setting at once.
        d.optArqApenasNome->click();
        QCOMPARE(ReadSetting("Configuracao", "ArqCamRelativo"), QString("0"));
        d.chkArvConvMinusculo->click();
        QCOMPARE(ReadSetting("Configuracao", "ArqConvMin"), QString("1"));
        d.chkArqBarraInicio->click();
        QCOMPARE(ReadSetting("Configuracao", "ArqBarraInicio"), QString("0"));
        WriteSetting("Configuracao", "ArqCamRelativo", "7");
        frmLinkSelect e(nullptr, QString());
        e.Form_Load();
        QVERIFY(e.optArqCaminhoHTML->isChecked());
    }

    void imageRelativeToDocumentWithMeasures() {
        ScriptedDialogs dlg;
        m_ed.file = site() + "/index.html";
        WriteSetting("Configuracao", "ImgBorder0", "1");
        frmComando *c = command();
        QVERIFY(c);
        frmLinkSelect d(c, "Img");
        d.Form_Load();
        d.show();
        QVERIFY(!d.optEmail->isVisible());
        dlg.files.enqueue(site() + "/img/Foto Grande.gif");
        d.btnArqProcura_Click();
        QCOMPARE(d.txtArquivo->text(), QString("img/Foto Grande.gif"));
        QCOMPARE(c->ParameterValue("WIDTH"), QString("120"));
        QCOMPARE(c->ParameterValue("HEIGHT"), QString("80"));
        QCOMPARE(c->ParameterValue("BORDER"), QString("0"));
        // Images share the documents' folder: nothing stored for them.
        QCOMPARE(ReadSetting("Caminhos", "UltDirImg"), QString(m_dir.path()));
        d.btnPronto_Click();
        QCOMPARE(c->RetornoForm, QString("img/Foto%20Grande.gif"));

        // An image that cannot be measured empties the sizes.
        frmLinkSelect e(c, "Img");
        e.Form_Load();
        e.chkArqBarraInicio->click();
        dlg.files.enqueue(site() + "/img/quebrada.gif");
        e.btnArqProcura_Click();
        QCOMPARE(e.txtArquivo->text(), QString("/img/quebrada.gif"));
        QCOMPARE(c->ParameterValue("WIDTH"), QString());
        QCOMPARE(c->ParameterValue("BORDER"), QString());
    }

    void unsavedDocumentAndNoProject() {
        ScriptedDialogs dlg;
        frmComando *c = command();
        frmLinkSelect d(c, QString());
        d.Form_Load();
        d.chkArqBarraInicio->click();
        dlg.files.enqueue(site() + "/pag.html");
        d.btnArqProcura_Click();
        QCOMPARE(d.txtArquivo->text(), QString("pag.html"));
        QCOMPARE(ReadSetting("Caminhos", "UltDir"), site() + "/");
        // Project mode with no project in use: the file name only, nothing stored.
        WriteSetting("Caminhos", "UltDir", "x");
        d.optArqCamProjeto->click();
        dlg.files.enqueue(site() + "/img/quebrada.gif");
        d.btnArqProcura_Click();
        QCOMPARE(d.txtArquivo->text(), QString("quebrada.gif"));
        QCOMPARE(ReadSetting("Caminhos", "UltDir"), QString("x"));
        // Cancel changes nothing.
        d.btnArqProcura_Click();
        QCOMPARE(d.txtArquivo->text(), QString("quebrada.gif"));
        // Not an image command: sizes untouched.
        QCOMPARE(c->ParameterValue("WIDTH"), QString());
    }

    void projectFolders() {
        ScriptedDialogs dlg;
        const QString prj = m_dir.filePath("p.prj");
        write(
            prj,
            ("[Projeto]\r\nPrincipal=" + site() + "/\r\nImagens=" + site() + "/img\r\n").toUtf8());
        struct Probe : ScriptedDialogs {
            QString folder;
            QString openFile(QWidget *, const QString &, const QString &f, const QString &,
                             int *) override {
                folder = f;
                return answer;
            }
            QString answer;
        } probe;
        frmLinkSelect d(nullptr, "Img");
        d.projectFile = [&] { return prj; };
        d.documentFile = [] { return QString(); };
        d.Form_Load();
        d.optArqCamProjeto->click();
        probe.answer = site() + "/img/Foto Grande.gif";
        d.btnArqProcura_Click();
        QCOMPARE(probe.folder, site() + "/img");
        QCOMPARE(d.txtArquivo->text(), QString("img/Foto Grande.gif"));
    }

    void urlAndEmail() {
        frmComando *c = command();
        frmLinkSelect d(c, QString());
        d.Form_Load();
        QTest::keyClick(d.txtArquivo, Qt::Key_F3);
        d.show();
        QTest::keyClick(d.txtArquivo, Qt::Key_F3);
        QCOMPARE(d.Kind(), 1);
        QVERIFY(d.frameURL->isVisible() && !d.frameArquivo->isVisible());
        d.txtURL->setText("www.x.com/a/b.html");
        d.cmbURLPorta->setEditText("8080");
        d.txtURLUsuario->setText("ana");
        d.txtURLSenha->setText("pw");
        d.btnPronto_Click();
        QCOMPARE(c->RetornoForm, QString("http://ana:pw@www.x.com:8080/a/b.html"));

        c->RetornoForm.clear();
        frmLinkSelect e(c, QString());
        e.Form_Load();
        e.show();
        QTest::keyClick(e.txtArquivo, Qt::Key_F4);
        QCOMPARE(e.Kind(), 2);
        e.txtEmail->setText("Ana@X.com ");
        e.txtEmailCorpo->setText("oi ana");
        e.btnPronto_Click();
        QCOMPARE(c->RetornoForm, QString("mailto:ana@x.com?Body=oi%20ana"));

        // Esc returns nothing; blank fields return nothing.
        c->RetornoForm.clear();
        frmLinkSelect f(c, QString());
        f.Form_Load();
        f.show();
        f.txtArquivo->setText("a.html");
        QTest::keyClick(f.txtArquivo, Qt::Key_Escape);
        QVERIFY(!f.isVisible());
        QVERIFY(c->RetornoForm.isEmpty());
        frmLinkSelect g(c, QString());
        g.Form_Load();
        g.txtArquivo->setText("   ");
        g.btnPronto_Click();
        QVERIFY(c->RetornoForm.isEmpty());
    }

    // The real file chooser, closed with Escape: the link dialog behind it
    // gets only the release and stays open with what was typed; Escape
    // pressed in the link dialog itself still closes it.
    void escapeClosingTheFileChooserKeepsTheDialog() {
        SetDialogs(nullptr);
        frmComando *c = command();
        QVERIFY(c);
        c->RetornoForm.clear();
        frmLinkSelect d(c, QString());
        d.documentFile = [] { return QString(); };
        d.Form_Load();
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.txtArquivo->setText("a.html");
        bool chooserSeen = false;
        QTimer::singleShot(0, this, [&] {
            QWidget *chooser = QApplication::activeModalWidget();
            QTRY_VERIFY(chooser = QApplication::activeModalWidget());
            chooserSeen = chooser != &d;
            QWidget *focus = QApplication::focusWidget();
            QTest::keyPress(focus && focus->window() == chooser ? focus : chooser,
                            Qt::Key_Escape);
        });
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, this, [&] {
            if (QWidget *w = QApplication::activeModalWidget(); w && w != &d) w->close();
        });
        guard.start(10000);
        d.btnArqProcura_Click();
        guard.stop();
        QVERIFY(chooserSeen);
        QTest::keyRelease(QApplication::focusWidget() ? QApplication::focusWidget() : d.txtArquivo,
                          Qt::Key_Escape);
        QVERIFY(d.isVisible());
        QCOMPARE(d.txtArquivo->text(), QString("a.html"));
        QTest::keyClick(d.txtArquivo, Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QVERIFY(c->RetornoForm.isEmpty());
    }
};

QTEST_MAIN(tst_linkselect_dialog)
#include "tst_linkselect_dialog.moc"
