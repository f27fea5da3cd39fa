// Attaches the file commands, the history and base-folder menus and the
// document-cache steps to the main window.
#include "CacheRecovery.h"
#include "DiskWatch.h"
#include "FileCommands.h"
#include "HistoryMenus.h"
#include "IdleWrite.h"
#include "Settings.h"
#include "frmMain.h"

#include <QTimer>
#include <memory>

namespace {

// Runs the hook that was there before, then fn: several subsystems may add
// steps to the same moment.
void Chain(std::function<void()> &hook, std::function<void()> fn) {
    std::function<void()> before = hook;
    hook = [before, fn] {
        if (before) before();
        fn();
    };
}

} // namespace

void RegisterFileCommands(frmMain &m) {
    using namespace corvel;
    frmMain *w = &m;
    auto cache = std::make_shared<DocumentCache>();

    m.SetHandler(cmd::ArquivoNovo, [w] { NewCommand(*w); });
    m.SetHandler(cmd::ArquivoAbrir, [w] { OpenCommand(*w); });
    m.SetHandler(cmd::ArquivoSalvar, [w] { SaveCommand(*w); });
    m.SetHandler(cmd::ArquivoSalvarComo, [w] { SaveAsCommand(*w); });
    m.SetHandler(cmd::ArquivoFechar, [w] { CloseCommand(*w); });
    m.SetHandler(cmd::ArquivoImprimir, [w] { PrintCommand(*w); });
    m.SetHandler(cmd::ArquivoSair, [w] { w->close(); });
    m.SetHandler(cmd::InserirArquivo, [w] {
        InsertFileCommand(*w, [w](const QString &text) { InsertFileText(*w, text); });
    });
    m.SetOpenFileHandler([w](const QString &path) { OpenFile(*w, path, OpenFrom::Path); });
    RegisterHistoryCommands(m);

    frmMain::Hooks &h = m.hooks();
    Chain(h.afterLoad, [w] {
        RefreshHistoryMenu(*w);
        RefreshBaseFolderMenu(*w);
        if (ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoRemObsoletos")) ==
            QLatin1String("1"))
            mnuHistoricoRemObsoletos_Click(*w);
    });
    auto *idle = new IdleWrite(m);
    auto *watch = new DiskWatch(m);
    {
        std::function<void(ICorvelEdit *)> before = h.documentCreated;
        h.documentCreated = [before, idle](ICorvelEdit *ed) {
            if (before) before(ed);
            idle->Attach(ed);
        };
    }
    Chain(h.restoreDocuments, [w, cache, watch, idle] {
        cache->Restore(*w);
        idle->Forget();
        watch->Sync();
    });
    Chain(h.orphanCopies, [w, cache] { cache->OfferOrphanCopies(*w); });
    Chain(h.autoSaveTick, [w, cache] { cache->AutoSaveTick(*w); });
    {
        // The exit's questions come before every other step of the shutdown.
        std::function<bool()> before = h.confirmUnload;
        h.confirmUnload = [before, w, cache] {
            return (!before || before()) && cache->AskToSaveAtExit(*w);
        };
    }
    Chain(h.unloadDocuments, [w, cache] { cache->SaveAtExit(*w); });

    // The tick length can be shortened for tests of the auto-save.
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("CORVEL_AUTOSAVE_MS", &ok);
    if (ok && ms > 0) m.tmrAutoSave()->setInterval(ms);
}
