#include "PreviewCommands.h"

#include "BrowserChoice.h"
#include "BrowserInterno.h"
#include "Dialogs.h"
#include "FileCommands.h"
#include "InternalBrowserProgram.h"
#include "PreviewFile.h"
#include "PreviewTexts.h"
#include "Settings.h"
#include "frmMain.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace corvel {

namespace {

namespace text = preview_text;
const QString kConfig = QStringLiteral("Configuracao");

// Whether two addresses name the same page: files by their clean absolute
// paths, anything else ("about:blank", a web address) by its text.
bool SameAddress(const QString &a, const QString &b) {
    if (a.isEmpty() || b.isEmpty()) return false;
    if (a.startsWith(QLatin1Char('/')) && b.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(a) == QDir::cleanPath(b);
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What the internal browser shows, and which document it came from, so that
// saving that document brings the page up to date.
struct Shown {
    QString address;          // what the browser reported last
    QPointer<QWidget> editor; // the document previewed there
    QString file;             // the document's file when it was previewed
    QDateTime fileTime;       // that file's state then
    qint64 fileSize = -1;
};

// The window's internal browser and its companions; a child of the window.
class PreviewState : public QObject {
public:
    explicit PreviewState(frmMain &m) : QObject(&m), window(m) {
        setObjectName(QStringLiteral("PreviewState"));
        settle.setSingleShot(true);
        settle.setInterval(150);
        connect(&watcher, &QFileSystemWatcher::directoryChanged, this, [this] { settle.start(); });
        connect(&watcher, &QFileSystemWatcher::fileChanged, this, [this] { settle.start(); });
        connect(&settle, &QTimer::timeout, this, [this] { RefreshAfterSave(); });
    }
    // The window goes (also without its unload): so does its browser.
    ~PreviewState() override {
        if (!browser) return;
        browser->disconnect(&window);
        browser->disconnect(this);
        browser->Encerrar(3000);
    }

    frmMain &window;
    QPointer<BrowserInterno> browser;
    bool alive = false;
    Shown shown;
    QFileSystemWatcher watcher;
    QTimer settle; // a save touches the folder more than once

    void Watch(ICorvelEdit *ed, const QString &address) {
        if (!watcher.files().isEmpty()) watcher.removePaths(watcher.files());
        if (!watcher.directories().isEmpty()) watcher.removePaths(watcher.directories());
        shown.editor = ed ? ed->widget() : nullptr;
        shown.file = ed ? ed->Arquivo() : QString();
        shown.address = address;
        RememberFileState();
        if (shown.file.isEmpty()) return;
        // A save replaces the file: the folder says so, the file may not.
        watcher.addPath(QFileInfo(shown.file).absolutePath());
        if (QFileInfo::exists(shown.file)) watcher.addPath(shown.file);
    }
    void RememberFileState() {
        const QFileInfo fi(shown.file);
        shown.fileTime = fi.exists() ? fi.lastModified() : QDateTime();
        shown.fileSize = fi.exists() ? fi.size() : -1;
    }
    ICorvelEdit *ShownEditor() const {
        if (!shown.editor) return nullptr;
        for (ICorvelEdit *ed : window.Documents())
            if (ed->widget() == shown.editor) return ed;
        return nullptr;
    }
    void RefreshAfterSave();
};

PreviewState &State(frmMain &m) {
    if (auto *s =
            m.findChild<PreviewState *>(QStringLiteral("PreviewState"), Qt::FindDirectChildrenOnly))
        return *s;
    return *new PreviewState(m);
}

void PreviewMessage(frmMain &m, const QString &body, const QString &detail = QString()) {
    Message(&m, detail.isEmpty() ? body : body + QStringLiteral("\n\n") + detail,
            text::kPreviewError, MsgIcon::Critical);
}

// Writes the document's text to the preview file; false with the message shown.
bool WritePreviewOf(frmMain &m, ICorvelEdit *ed) {
    QString error;
    const QByteArray bytes = PreviewBytes(ed->Texto(), PreviewEncoding(ed->Arquivo()));
    if (WritePreviewFile(PreviewFilePath(), bytes, &error)) return true;
    PreviewMessage(m, text::WriteFailed(), error);
    return false;
}

void PreviewState::RefreshAfterSave() {
    if (!browser || !browser->Pronto() || shown.file.isEmpty()) return;
    const QFileInfo fi(shown.file);
    if (!fi.exists()) return;
    if (fi.lastModified() == shown.fileTime && fi.size() == shown.fileSize) return;
    RememberFileState();
    // The page came from the preview file: it takes the saved text first.
    if (SameAddress(shown.address, PreviewFilePath())) {
        ICorvelEdit *ed = ShownEditor();
        if (!ed || ed->Arquivo() != shown.file || !WritePreviewOf(window, ed)) return;
    } else if (!SameAddress(shown.address, shown.file)) {
        return;
    }
    browser->Atualizar();
}

void StartFailed(frmMain &m, const QString &description) {
    Message(&m, text::BrowserStartFailed() + QStringLiteral("\n\n") + description,
            text::kStartError, MsgIcon::Critical);
    UseDefaultBrowserForGood();
    ReleaseInternalBrowser(m);
}

// Creates the internal browser; nullptr when it cannot (its message shown).
BrowserInterno *CreateInternalBrowser(frmMain &m) {
    PreviewState &s = State(m);
    if (!CanRunInternalBrowser()) {
        StartFailed(m, QStringLiteral("O programa do navegador interno não foi encontrado: %1")
                           .arg(InternalBrowserProgram()));
        return nullptr;
    }
    auto *b = new BrowserInterno(InternalBrowserProgram(), &s);
    s.browser = b;
    QObject::connect(b, &BrowserInterno::Iniciado, &m,
                     [&m] { m.ShowStatusMessage(QStringLiteral("Navegador Iniciado")); });
    QObject::connect(b, &BrowserInterno::DocumentComplete, &s, [&s](const QString &address) {
        // Another page (a link followed) is no document's preview.
        if (!SameAddress(address, s.shown.address)) s.Watch(nullptr, address);
    });
    QObject::connect(b, &BrowserInterno::ProgressChange, &m, [&m](int, int maximum) {
        if (maximum == 0) m.ShowStatusMessage(QStringLiteral(" "));
    });
    QObject::connect(b, &BrowserInterno::OnQuit, &m, [&m] {
        m.ShowStatusMessage(QStringLiteral("Navegador Finalizado"));
        ReleaseInternalBrowser(m);
    });
    QObject::connect(
        b, &BrowserInterno::Falhou, &m, [&m](const QString &description, bool starting) {
            if (starting) {
                StartFailed(m, description);
            } else {
                Message(&m, text::BrowserPageFailed(), text::kPreviewError, MsgIcon::Critical);
                ReleaseInternalBrowser(m);
            }
        });
    QString error;
    if (!b->Iniciar(&error)) {
        StartFailed(m, error);
        return nullptr;
    }
    s.alive = true;
    return b;
}

} // namespace

QString PreparePreviewFile(frmMain &m) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return QString();
    if (ReadSetting(kConfig, QStringLiteral("Preview")) != QLatin1String("1")) {
        // The document's cache copy follows what the preview shows.
        ed->GravarTemporario();
        if (!WritePreviewOf(m, ed)) return QString();
        QCoreApplication::processEvents();
        return PreviewFilePath();
    }
    // A save as that was cancelled shows nothing; a save that failed said
    // so, and the file on disk is not what the window holds.
    if (!SaveCommand(m)) return QString();
    return ed->Arquivo();
}

void OpenInDefaultBrowser(frmMain &m, const QString &path) {
    const auto &open = m.services().openUrl;
    if (!open || !open(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())))
        PreviewMessage(m, text::DefaultBrowserFailed());
}

void OpenInSpecificBrowser(frmMain &m, const QString &path) {
    const QString program =
        QFileInfo(ReadSetting(kConfig, QStringLiteral("Browser"))).absoluteFilePath();
    // The path is the program's one argument, as it is: no shell reads it.
    if (!QProcess::startDetached(program, {path})) PreviewMessage(m, text::SpecificBrowserFailed());
}

void OpenInInternalBrowser(frmMain &m, const QString &path) {
    PreviewState &s = State(m);
    BrowserInterno *b = s.browser;
    if (b && !b->Executando()) {
        // It ended without a word (killed, or it broke down).
        ReleaseInternalBrowser(m);
        PreviewMessage(m, text::InternalBrowserFailed());
        return;
    }
    if (!b && !(b = CreateInternalBrowser(m))) return;
    ICorvelEdit *ed = m.CurrentEditor();
    const bool blank = path.compare(QLatin1String("about:blank"), Qt::CaseInsensitive) == 0;
    b->URLBar(blank);
    const bool again =
        !blank && ed && s.shown.editor == ed->widget() && SameAddress(s.shown.address, path);
    if (again)
        b->Atualizar();
    else
        b->URL(path);
    s.Watch(blank ? nullptr : ed, path);
}

void PreviewCommand(frmMain &m) {
    if (!m.CurrentEditor()) return;
    const QString p = PreparePreviewFile(m);
    if (p.isEmpty()) return;
    switch (PreviewBrowserSetting()) {
    case PreviewBrowser::Default:
        OpenInDefaultBrowser(m, p);
        break;
    case PreviewBrowser::Internal:
        OpenInInternalBrowser(m, p);
        break;
    case PreviewBrowser::Specific: {
        const QString browser = ReadSetting(kConfig, QStringLiteral("Browser"));
        if (!browser.isEmpty() && QFileInfo(browser).isFile()) {
            OpenInSpecificBrowser(m, p);
        } else {
            Message(&m, text::BrowserMissing(), text::kBrowserMissingTitle, MsgIcon::Critical);
            m.Trigger(cmd::OpcoesPreferencias);
        }
        break;
    }
    }
}

BrowserInterno *InternalBrowser(frmMain &m) {
    return State(m).browser;
}

void ReleaseInternalBrowser(frmMain &m) {
    PreviewState &s = State(m);
    s.alive = false;
    s.Watch(nullptr, QString());
    if (BrowserInterno *b = s.browser) {
        s.browser = nullptr;
        b->disconnect(&m);
        b->disconnect(&s);
        b->deleteLater();
    }
}

void CloseInternalBrowser(frmMain &m) {
    PreviewState &s = State(m);
    if (!s.alive || !s.browser) return;
    s.browser->Encerrar(3000);
    ReleaseInternalBrowser(m);
}

} // namespace corvel

void RegisterPreviewCommands(frmMain &m) {
    m.SetHandler(corvel::cmd::ArquivoPreview, [&m] { corvel::PreviewCommand(m); });
    m.services().openBrowser = [&m](const QString &address) {
        corvel::OpenInInternalBrowser(m, address);
    };
    m.hooks().closeBrowser = [&m] { corvel::CloseInternalBrowser(m); };
}
