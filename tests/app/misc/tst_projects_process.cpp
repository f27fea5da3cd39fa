// A real Corvel process on an X server of its own, driven by xdotool: a new
// project typed into the project window from the "Projeto" menu, saved with
// "Salvar e Usar" through the save dialog; the .prj file is checked on disk,
// the open dialog names the project in use, and closing the project gives the
// open dialog its plain title back.
#include "IniFiles.h"
#include "RealCorvel.h"

using real_corvel::Installation;
using real_corvel::WaitFor;
using real_corvel::XServer;

namespace {

// The first visible window whose name matches pattern, waiting up to 20 s.
QString FindWindow(const XServer &x, const QString &pattern) {
    QString w;
    WaitFor([&] {
        w = x.xdotool({"search", "--onlyvisible", "--name", pattern}).section('\n', 0, 0);
        return !w.isEmpty();
    });
    return w;
}

void Keys(const XServer &x, const QString &keys) {
    QStringList args{"key", "--delay", "80"};
    args << keys.split(' ');
    x.xdotool(args);
    QTest::qWait(300);
}

void Type(const XServer &x, const QString &text) {
    x.xdotool({"type", "--delay", "40", text});
    QTest::qWait(300);
}

} // namespace

class tst_projects_process : public QObject {
    Q_OBJECT

    // Without a window manager nothing gives the keyboard back to the main
    // window when a dialog closes.
    static void focusMain(const XServer &x) {
        const QString main = FindWindow(x, "^Corvel");
        x.xdotool({"windowfocus", "--sync", main});
        QTest::qWait(300);
    }
private slots:
    void createSaveAndUseAProject() {
        const QString missing = real_corvel::MissingTools();
        if (!missing.isEmpty()) QSKIP(qPrintable(missing));
        XServer x;
        if (!x.start()) QSKIP("Xvfb could not start a display");
        Installation inst;
        const QString site = inst.path("site");
        QVERIFY(QDir().mkpath(site));
        QVERIFY(inst.start(x, {}));

        // Arquivo > Projeto > Criar um Novo.
        Keys(x, "alt+a j n");
        const QString window = FindWindow(x, "^Projeto$");
        QVERIFY2(!window.isEmpty(), qPrintable(inst.errors()));
        x.xdotool({"windowfocus", "--sync", window});
        Type(x, "Site Teste");
        Keys(x, "Tab");
        Type(x, site);
        // Past the chooser button, the image folder and its button.
        Keys(x, "Tab Tab Tab Tab");
        for (const char *c : {"a,b", "  x  ", "y"}) {
            Type(x, c);
            Keys(x, "Return");
        }
        Keys(x, "alt+u");
        const QString save = FindWindow(x, "^Salvar Projeto$");
        QVERIFY2(!save.isEmpty(), "the save dialog did not open");
        const QString file = inst.path("prog/Projetos/teste.prj");
        Type(x, file);
        Keys(x, "Return");
        QVERIFY(WaitFor([&] { return QFileInfo::exists(file); }));
        QVERIFY(!FindWindow(x, "^Projeto Gravado$").isEmpty());
        Keys(x, "Return");
        QVERIFY(!FindWindow(x, "^Projeto Aberto$").isEmpty());
        Keys(x, "Return");

        QCOMPARE(ReadIniValue("Projeto", "Nome", file), QString("Site Teste"));
        QCOMPARE(ReadIniValue("Projeto", "Principal", file), site);
        QCOMPARE(ReadIniValue("Projeto", "Classes", file), QString("ab,x,y"));

        // The project is in use: the open dialog says so.
        QVERIFY(WaitFor([&] {
            return x.xdotool({"search", "--onlyvisible", "--name", "^Projeto$"}).isEmpty();
        }));
        focusMain(x);
        Keys(x, "F4");
        QVERIFY2(!FindWindow(x, "^Abrir \\(Projeto Site Teste\\)$").isEmpty(),
                 "the open dialog does not name the project");
        Keys(x, "Escape");
        focusMain(x);

        // Arquivo > Projeto > Fechar Atual.
        Keys(x, "alt+a j f");
        QVERIFY(!FindWindow(x, "^Projeto Fechado$").isEmpty());
        Keys(x, "Return");
        focusMain(x);
        Keys(x, "F4");
        QVERIFY2(!FindWindow(x, "^Abrir$").isEmpty(), "the open dialog still names a project");
        Keys(x, "Escape");
        QVERIFY(inst.running());
    }
};

QTEST_MAIN(tst_projects_process)
#include "tst_projects_process.moc"
