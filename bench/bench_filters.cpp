// Times every text filter and case change over the 512,000-character corpus
// page: the pure transformation, and (when the editor component loads) the
// round trip through an editor: read the text, transform, write it back.
// Prints the median of several runs of each, in milliseconds.
#include "CharEntities.h"
#include "ControlHost.h"
#include "Dialogs.h"
#include "Folders.h"
#include "Settings.h"
#include "TextFilters.h"
#include "TextTools.h"
#include "corvel/ICorvelEdit.h"
#include "frmMain.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace corvel;

namespace {

struct Filter {
    const char *name;
    std::function<QString(const QString &)> run;
};

std::vector<Filter> Filters() {
    return {
        {"Remover Duplo Espaço", [](const QString &t) { return RemoveDoubleSpaces(t); }},
        {"Remover Quebras (espaço)",
         [](const QString &t) { return RemoveLineBreaks(t, QStringLiteral(" ")); }},
        {"Remover Quebras (nada)", [](const QString &t) { return RemoveLineBreaks(t, QString()); }},
        {"Remover Acentuação", [](const QString &t) { return RemoveAccents(t); }},
        {"Espaços no Começo", [](const QString &t) { return RemoveLeadingSpaces(t); }},
        {"Espaços no Final", [](const QString &t) { return RemoveTrailingSpaces(t); }},
        {"Maiúsculo", [](const QString &t) { return ToUpperCase(t); }},
        {"Minúsculo", [](const QString &t) { return ToLowerCase(t); }},
        {"Sentença", [](const QString &t) { return ToSentenceCase(t); }},
        {"Espaços para Tabs (3)", [](const QString &t) { return SpacesToTabs(t, 3); }},
        {"Tabs para Espaços (3)", [](const QString &t) { return TabsToSpaces(t, 3); }},
        {"Converter", [](const QString &t) { return ConvertSpecialChars(t); }},
        {"Reverter", [](const QString &t) { return RevertSpecialChars(t); }},
    };
}

// Answers Yes to every question, as the user confirming a filter.
class YesDialogs : public IDialogs {
public:
    MsgAnswer message(QWidget *, const QString &, const QString &, MsgIcon, MsgButtons,
                      MsgAnswer) override {
        return MsgAnswer::Yes;
    }
    bool input(QWidget *, const QString &, const QString &, const QString &, QString *) override {
        return false;
    }
    QString openFile(QWidget *, const QString &, const QString &, const QString &, int *) override {
        return {};
    }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &, int *) override {
        return {};
    }
    QString chooseFolder(QWidget *, const QString &, const QString &) override { return {}; }
    bool chooseColour(QWidget *, const QString &, int, int *) override { return false; }
    bool chooseFont(QWidget *, const QString &, const QFont &, QFont *) override { return false; }
};

struct MenuFilter {
    corvel::CommandId menu;
    bool reverted; // runs on the text with entities
};

namespace cmd = corvel::cmd;
const MenuFilter kMenus[] = {
    {cmd::FiltrarDuploEspaco, false},  {cmd::FiltrarQuebrasLinha, false},
    {cmd::FiltrarAcentos, false},      {cmd::FiltrarEspacosComeco, false},
    {cmd::FiltrarEspacosFinal, false}, {cmd::AjustarMaiusculo, false},
    {cmd::AjustarMinusculo, false},    {cmd::AjustarSentenca, false},
    {cmd::AjustarEspTab, false},       {cmd::AjustarTabEsp, false},
    {cmd::CarEsp(1), false},           {cmd::CarEsp(2), true},
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename Fn> double TimeMs(Fn fn, int runs) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        fn();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    return Median(ms);
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QString path = QStringLiteral(CORVEL_CORPUS_DIR "/real_500k.crlf.html");
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    // Accented and special characters sprinkled in, so the accent and entity
    // filters have work to do; the size stays 512,000.
    QString text = QString::fromUtf8(f.readAll());
    const QString extra = QStringLiteral("ação ÇÃO © ¿ é ");
    for (qsizetype i = 0; i + extra.size() < text.size(); i += 997)
        text.replace(i, extra.size(), extra);
    const QString reverted = ConvertSpecialChars(text);
    std::printf("document: %lld characters\n", (long long)text.size());

    const int runs = 9;
    std::printf("\n%-28s %10s\n", "filter (pure)", "median ms");
    for (const Filter &flt : Filters()) {
        const QString &in =
            QString::fromLatin1(flt.name) == QStringLiteral("Reverter") ? reverted : text;
        volatile qsizetype sink = 0;
        const double ms = TimeMs([&] { sink = sink + flt.run(in).size(); }, runs);
        std::printf("%-28s %10.2f\n", flt.name, ms);
    }

    // Through the editor: Texto, the transformation, Texto back.
    const QString lib =
        qEnvironmentVariable("CORVEL_BIN_DIR", QCoreApplication::applicationDirPath()) +
        QStringLiteral("/libCorvelControl.so");
    SetControlLibraryPath(lib);
    QWidget host;
    QString error;
    ICorvelEdit *ed = CreateCorvelEdit(&host, &error);
    if (!ed) {
        std::printf("\neditor not available (%s): round trip not measured\n", qPrintable(error));
        return 0;
    }
    host.resize(900, 700);
    ed->widget()->resize(900, 700);
    host.show();
    QCoreApplication::processEvents();
    std::printf("\n%-28s %10s\n", "filter (through editor)", "median ms");
    for (const Filter &flt : Filters()) {
        const QString &in =
            QString::fromLatin1(flt.name) == QStringLiteral("Reverter") ? reverted : text;
        std::vector<double> ms;
        for (int i = 0; i < 5; ++i) {
            ed->setTexto(in);
            QCoreApplication::processEvents();
            QElapsedTimer t;
            t.start();
            ed->setTexto(flt.run(ed->Texto()));
            QCoreApplication::processEvents();
            ms.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("%-28s %10.2f\n", flt.name, Median(ms));
    }
    delete ed->widget();

    // The menu command as the user runs it: confirmation answered, busy mode,
    // the transformation, the text written back and the editor shown again.
    QTemporaryDir dir;
    SetSettingsFileOverride(dir.filePath(QStringLiteral("settings.ini")));
    SetProgramFolderOverride(dir.path());
    ApplyDefaultSettings(true);
    YesDialogs yes;
    SetDialogs(&yes);
    frmMain m;
    RegisterTextTools(m);
    m.resize(1000, 750);
    m.show();
    ICorvelEdit *doc = m.CreateDocument();
    if (!doc) {
        std::printf("\nno document: commands not measured\n");
        return 0;
    }
    std::printf("\n%-28s %10s\n", "menu command (end to end)", "median ms");
    for (const MenuFilter &mf : kMenus) {
        std::vector<double> ms;
        for (int i = 0; i < 5; ++i) {
            doc->setTexto(mf.reverted ? reverted : text);
            doc->setSelInicio(0);
            doc->setSelTamanho(0);
            QCoreApplication::processEvents();
            QElapsedTimer t;
            t.start();
            m.Trigger(mf.menu);
            QCoreApplication::processEvents();
            ms.push_back(t.nsecsElapsed() / 1e6);
        }
        std::printf("%-28s %10.2f\n", qPrintable(mf.menu.Name()), Median(ms));
    }
    SetDialogs(nullptr);
    return 0;
}
