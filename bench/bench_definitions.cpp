// Reading a command definition file with 5,000 parameters (argument 1: how
// many): the parameter names and the validation, as the command dialog runs
// them (must be under 1 s), then the dialog itself: loading, showing its
// first parameter and stepping to the last one. Prints wall and CPU time.
#include "CommandFile.h"
#include "ControlHost.h"
#include "Folders.h"
#include "frmComando.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <time.h>

using namespace corvel;

namespace {

double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

struct Timer {
    QElapsedTimer wall;
    double cpu0 = CpuMs();
    Timer() { wall.start(); }
    void print(const char *what) const {
        std::printf("  %-44s %9.1f ms wall %9.1f ms cpu\n", what, wall.nsecsElapsed() / 1e6,
                    CpuMs() - cpu0);
    }
    double ms() const { return wall.nsecsElapsed() / 1e6; }
};

bool Put(const QString &path, const QByteArray &data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, atoi(argv[1])) : 5000;
    QTemporaryDir dir;
    SetProgramFolderOverride(dir.path());
    const QString folder = dir.path() + QStringLiteral("/Comandos/");
    QDir().mkpath(folder);
    QByteArray body =
        "[Comando]\r\nComando=IMG\r\nTitulo=Imagem\r\nDescricao=Insere\r\nBloco=NAO\r\n";
    for (int i = 0; i < n; ++i) {
        const QByteArray k = QByteArray::number(i);
        body += "[P" + k + "]\r\nTitulo=Parametro " + k + "\r\nDescricao=Descricao " + k +
                "\r\nTamanho=20\r\n" +
                (i % 3 == 0   ? QByteArray("Tipo=Texto\r\nMaximo=40\r\nTexto=x\r\n")
                 : i % 3 == 1 ? QByteArray("Tipo=Selecao\r\nValores=a,b,c\r\n")
                              : QByteArray("Tipo=Check\r\nTexto=Marcar\r\nChecado=nao\r\n"));
    }
    if (!Put(folder + "MUITOS.tpa", body) || !Put(folder + "CSS.dat", "color=#cores\r\n") ||
        !Put(folder + "JS.dat", "onclick\r\n")) {
        std::fprintf(stderr, "cannot write the files\n");
        return 1;
    }
    std::printf("definition file: %d parameters, %lld bytes\n", n, (long long)body.size());

    bool ok = true;
    {
        Timer t;
        const CommandFileReader file(folder + "MUITOS.tpa");
        const QStringList names = file.parameterNames();
        const QString fault = ValidateCommandFile(file, names);
        t.print("names and validation (one read)");
        ok = ok && names.size() == n && fault.isEmpty() && t.ms() < 1000;
    }
    {
        Timer t;
        const QString path = folder + "MUITOS.tpa";
        const QStringList names = CommandParameterNames(path);
        const QString fault = ValidateCommandFile(path, names);
        t.print("names and validation (by path)");
        ok = ok && names.size() == n && fault.isEmpty() && t.ms() < 1000;
    }

    SetControlLibraryPath(QCoreApplication::applicationDirPath() +
                          QStringLiteral("/libCorvelControl.so"));
    QString error;
    ICorvelEdit *ed = CreateCorvelEdit(nullptr, &error);
    if (!ed) {
        std::fprintf(stderr, "no editor: %s\n", qPrintable(error));
        return 1;
    }
    CommandDialogHost host;
    host.currentEditor = [ed] { return ed; };
    host.insertTag = [](const TagInsert &) {};
    {
        Timer t;
        frmComando d(QStringLiteral("MUITOS.tpa"), 0, host);
        const bool loaded = d.Form_Load();
        d.show();
        QCoreApplication::processEvents();
        t.print("dialog: load and show the first parameter");
        Timer s;
        auto *list = d.findChild<QListWidget *>(QStringLiteral("lstParametros"));
        for (int i = 1; i <= 20 && list; ++i)
            list->setCurrentRow(list->count() - i);
        QCoreApplication::processEvents();
        s.print("dialog: 20 steps among the last parameters");
        ok = ok && loaded && list && list->count() == n;
    }
    delete ed->widget();
    return ok ? 0 : 2;
}
