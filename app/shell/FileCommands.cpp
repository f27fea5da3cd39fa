#include "FileCommands.h"

#include "CacheRecovery.h"
#include "Dialogs.h"
#include "DiskWatch.h"
#include "FileRules.h"
#include "Folders.h"
#include "HistoryMenus.h"
#include "IniFiles.h"
#include "SafeSave.h"
#include "Settings.h"
#include "TextCodec.h"
#include "frmMain.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTabBar>

namespace corvel {

namespace {

const QString kConfig = QStringLiteral("Configuracao");
const QString kCrLf = QStringLiteral("\r\n");

QString Setting(const char *key) {
    return ReadSetting(kConfig, QLatin1String(key));
}

void ShowReadError(QWidget *parent, const QString &text, int number, const QString &description) {
    Message(parent, ErrorText(text, number, description), QStringLiteral("Erro de Leitura"),
            MsgIcon::Critical);
}

const QString kOpenErrorText = QStringLiteral(
    "Ocorreu um erro na tentativa de carregar o arquivo especificado. Certifique-se que você "
    "possua "
    "direito de ler este diretório (em caso de estar em uma rede) ou se o arquivo está sendo "
    "utilizado por outro aplicativo em modo exclusivo.");

int FilterIndex() {
    return int(SettingNumber(Setting("TipoArq")));
}

QString LastFolderOrProgram() {
    const QString last = ReadSetting(QStringLiteral("Caminhos"), QStringLiteral("UltDir"));
    return last.isEmpty() ? ProgramFolder() : last;
}

QString SelectedBaseFolder() {
    return ReadSetting(QStringLiteral("Pasta Base"), QStringLiteral("Selecionada"));
}

QString OpenFolder(frmMain &m) {
    if (!m.ProjectFile.isEmpty())
        return ReadIniValue(QStringLiteral("Projeto"), QStringLiteral("Principal"), m.ProjectFile);
    const QString base = SelectedBaseFolder();
    return base.isEmpty() ? LastFolderOrProgram() : base;
}

QString SaveAsFolder() {
    const QString base = SelectedBaseFolder();
    return base.isEmpty() ? LastFolderOrProgram() : base;
}

void RecordDocument(frmMain &m, ICorvelEdit *ed) {
    // The save rewrote the temporary copy too; when that failed the entry
    // names no copy (an older one would come back instead of the saved text).
    const QString copyError = ed->UltimoErro();
    const bool recorded = copyError.isEmpty() ? WriteEditorCacheEntry(m, ed)
                                              : WriteCacheEntry(m.DocumentKey(ed), ed->Arquivo(),
                                                                QString(), CacheStateText(ed));
    if (!copyError.isEmpty())
        ReportCacheWriteFailure(m, copyError);
    else if (!recorded)
        ReportCacheWriteFailure(
            m, QStringLiteral("Não foi possível gravar o índice: %1").arg(CacheIndexPath()));
    else
        EndCacheWriteFailure(m);
    m.RefreshSaveState();
    m.ShowStatusMessage(QStringLiteral("Documento Gravado"));
}

} // namespace

// ---- writing ---------------------------------------------------------------------

QString SaveDocumentFile(ICorvelEdit *ed, const QString &path, bool backup) {
    if (!ed) return QString();
    if (backup && Setting("Backup") == QLatin1String("1") && QFileInfo(path).isFile()) {
        // A copy, never a rename: the file stays in place until the new
        // content replaces it.
        QString error;
        if (!MakeBackupCopy(path, BackupName(path, Setting("Extensao")), &error)) return error;
    }
    const QString error = ed->Gravar(path);
    if (!error.isEmpty()) {
        NoteFailedSaveOnDisk(ed);
        return error;
    }
    if (Setting("Linux") == QLatin1String("1")) {
        // Gravar wrote CR LF in the document's own encoding; a carriage
        // return is the byte 13 in every encoding a document is read in.
        QFile f(SaveTarget(path));
        if (!f.open(QIODevice::ReadOnly)) return f.errorString();
        QByteArray bytes = f.readAll();
        f.close();
        bytes.replace('\r', QByteArray());
        QString writeError;
        if (!AtomicWriteFile(path, bytes, &writeError)) {
            ed->setGravado(false);
            NoteDocumentOnDisk(ed); // what is there is Corvel's first write
            return writeError;
        }
        ed->setArquivo(path);
        ed->setGravado(true);
    }
    // The file now there is Corvel's own: its change notice is no news.
    NoteDocumentOnDisk(ed);
    return QString();
}

void ShowSaveError(QWidget *parent, int number, const QString &description) {
    Message(
        parent,
        ErrorText(QStringLiteral("Ocorreu um erro na tentativa de gravar o arquivo especificado. "
                                 "Certifique-se que o dispositivo não esteja protegido contra "
                                 "gravação, que você possua direito de gravar neste diretório "
                                 "(em caso de estar em uma rede), se o arquivo está sendo "
                                 "utilizado por outro aplicativo ou se ele possui atributos."),
                  number, description),
        QStringLiteral("Erro de Gravação"), MsgIcon::Critical);
}

bool ConfirmSaveOver(frmMain &m, ICorvelEdit *ed, const QString &path) {
    DiskWatch *watch = DiskWatch::Of(&m);
    return !watch || watch->ConfirmSave(ed, path);
}

// Linux file names are case-sensitive: two names that differ only in case are
// two files. The same file reached through a link or a "..", though, is one.
static QString SameFileKey(const QString &path) {
    const QFileInfo fi(path);
    const QString canonical = fi.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath()) : canonical;
}

ICorvelEdit *DocumentWithFile(frmMain &m, const QString &path) {
    const QString wanted = SameFileKey(path);
    for (ICorvelEdit *ed : m.Documents())
        if (!ed->Arquivo().isEmpty() && SameFileKey(ed->Arquivo()) == wanted) return ed;
    return nullptr;
}

// ---- new, open ---------------------------------------------------------------------

void NewCommand(frmMain &m) {
    m.CreateDocument();
    if (Setting("Hipertexto") == QLatin1String("1")) m.Trigger(cmd::FormatarHipertexto);
    m.ShowStatusMessage(QStringLiteral("Novo Documento"));
}

namespace {

// filterIndex: the open dialog's file type, stored as the default once the
// file is read into a document (-1: none).
void OpenChosenFile(frmMain &m, const QString &path, OpenFrom from, int filterIndex) {
    if (IsCancelledFileName(path)) return;
    const QString file = QFileInfo(path).absoluteFilePath();
    if (ICorvelEdit *open = DocumentWithFile(m, file)) {
        Message(&m,
                QStringLiteral("O arquivo que você solicitou para ser aberto já se encontra aberto "
                               "em um dos documentos correntes do Corvel. O Corvel irá exibir este "
                               "documento agora."),
                QStringLiteral("Documento Já Aberto"), MsgIcon::Warning);
        m.SelectDocument(open);
        return;
    }
    const qint64 size = QFileInfo(file).size();
    if (size >= kLargeFileBytes) {
        const MsgAnswer a = Message(
            &m,
            QStringLiteral("Dificilmente um arquivo HTML possui tamanho superior a 300 kbytes. O "
                           "Corvel não recomenda a abertura de arquivos não-HTML muito grandes, "
                           "devido ao uso excessivo de memória e lentidão no processamento de "
                           "algumas tarefas.") +
                kCrLf + kCrLf + QStringLiteral("Deseja continuar mesmo assim?"),
            QStringLiteral("Arquivo Grande"), MsgIcon::Warning, MsgButtons::YesNo, MsgAnswer::No);
        if (a != MsgAnswer::Yes) return;
    }
    AddToHistory(m, file);

    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed || !ed->Texto().isEmpty() || !ed->Arquivo().isEmpty() || !ed->Gravado())
        ed = m.CreateDocument();
    if (!ed) return;
    if (from == OpenFrom::Dialog && filterIndex >= 0)
        WriteSetting(kConfig, QStringLiteral("TipoArq"), QString::number(filterIndex));
    WriteSetting(QStringLiteral("Caminhos"), QStringLiteral("UltDir"), FolderWithSlash(file));

    const QString error = ed->Ler(file);
    if (!error.isEmpty()) {
        ShowReadError(&m, kOpenErrorText, 9703, error);
        return;
    }
    WriteCacheEntry(m.DocumentKey(ed), file, QString(), QString());
    NoteDocumentOnDisk(ed);
    m.SetTabCaption(ed, QFileInfo(file).fileName());
    m.RefreshCaption();
    m.RefreshSaveState();
    if (size < kLargeFileBytes && Setting("AutoColor") == QLatin1String("1"))
        m.Trigger(cmd::FerramentasColorizar);
    m.ShowStatusMessage(QStringLiteral("Abrir Documento"));
}

} // namespace

void OpenFile(frmMain &m, const QString &path, OpenFrom from) {
    OpenChosenFile(m, path, from, -1);
}

void OpenCommand(frmMain &m) {
    int index = FilterIndex();
    QString title = QStringLiteral("Abrir");
    if (!m.ProjectFile.isEmpty())
        title += QStringLiteral(" (Projeto ") +
                 ReadIniValue(QStringLiteral("Projeto"), QStringLiteral("Nome"), m.ProjectFile) +
                 QLatin1Char(')');
    const QString file = Dialogs().openFile(&m, title, OpenFolder(m), FileDialogFilter(), &index);
    OpenChosenFile(m, file, OpenFrom::Dialog, index);
}

// ---- save, save as ----------------------------------------------------------------

bool SaveCommand(frmMain &m) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return false;
    const QString file = ed->Arquivo();
    if (file.isEmpty()) return SaveAsCommand(m);
    if (!ConfirmSaveOver(m, ed, file)) return false;
    const QString error = SaveDocumentFile(ed, file, /*backup=*/true);
    if (!error.isEmpty()) {
        ShowSaveError(&m, 9701, error);
        return false;
    }
    RecordDocument(m, ed);
    return true;
}

bool SaveAsCommand(frmMain &m) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return false;
    int index = FilterIndex();
    const QString file = Dialogs().saveFile(&m, QStringLiteral("Salvar Como"), SaveAsFolder(),
                                            FileDialogFilter(), &index);
    if (IsCancelledFileName(file)) return false;
    WriteSetting(kConfig, QStringLiteral("TipoArq"), QString::number(index));
    if (DocumentWithFile(m, file)) {
        Message(
            &m,
            QStringLiteral("O arquivo que indicou para ser gravado (sobrescrito) já se encontra "
                           "aberto em um dos documentos correntes do Corvel. Para sobrescrevê-lo, "
                           "você deve fechar primeiramente o documento aberto no Corvel."),
            QStringLiteral("Documento Já Aberto"), MsgIcon::Warning);
        return false;
    }
    WriteSetting(QStringLiteral("Caminhos"), QStringLiteral("UltDir"), FolderWithSlash(file));
    const QString error = SaveDocumentFile(ed, file, /*backup=*/false);
    if (!error.isEmpty()) {
        ShowSaveError(&m, 9702, error);
        return false;
    }
    AddToHistory(m, file);
    m.SetTabCaption(ed, QFileInfo(file).fileName());
    m.RefreshCaption();
    RecordDocument(m, ed);
    return true;
}

// ---- close -------------------------------------------------------------------------

bool CloseCommand(frmMain &m) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return false;
    if (!ed->Gravado()) {
        m.ShowStatusMessage(QStringLiteral("Fechando..."));
        if (ed->Tamanho() != 0) {
            const MsgAnswer a = Message(
                &m,
                QStringLiteral("Este documento foi editado porém as últimas alterações não foram "
                               "gravadas em disco. Você gostaria de gravar o arquivo antes de "
                               "fechá-lo?"),
                QStringLiteral("Abandonar Documento?"), MsgIcon::Question, MsgButtons::YesNoCancel,
                MsgAnswer::Yes);
            // Cancel, or a box closed without an answer, keeps the document.
            if (a != MsgAnswer::Yes && a != MsgAnswer::No) return false;
            // A save that was cancelled or failed keeps the document open.
            if (a == MsgAnswer::Yes && !SaveCommand(m)) return false;
        }
    }
    try {
        const QString copy = ed->ArquivoTemporario();
        WriteCacheEntry(m.DocumentKey(ed), QString(), QString(), QString());
        if (IsPlainFileName(copy)) {
            const QString path = CacheFolder() + copy;
            if (QFileInfo(path).isFile()) QFile::remove(path);
        }
        m.RemoveDocument(ed);
        if (m.Documents().isEmpty()) m.EnableDocumentMenus(false);
        m.RefreshCaption();
        m.RefreshSaveState();
    } catch (const std::exception &e) {
        Message(&m,
                ErrorText(QStringLiteral("Ocorreu um erro na tentativa de fechar o arquivo "
                                         "especificado. O arquivo temporário pode estar bloqueado "
                                         "por outro aplicativo ou pode não haver recursos de "
                                         "sistema disponíveis no Windows para esta operação."),
                          7, QString::fromLocal8Bit(e.what())),
                QStringLiteral("Erro de Fechamento"), MsgIcon::Critical);
        return false;
    }
    m.ShowStatusMessage(QStringLiteral("Fechar Documento"));
    return true;
}

// ---- print ---------------------------------------------------------------------------

bool PrintDocumentText(QPrinter &printer, const QString &printText) {
    QPainter p;
    if (!p.begin(&printer)) return false;
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(11);
    font.setStyleHint(QFont::Monospace);
    p.setFont(font);
    const QFontMetrics fm = p.fontMetrics();
    const int pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    QStringList lines = printText.split(kCrLf);
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    int y = fm.ascent();
    for (const QString &line : std::as_const(lines)) {
        if (y + fm.descent() > pageHeight) {
            printer.newPage();
            y = fm.ascent();
        }
        p.drawText(0, y, line);
        y += fm.lineSpacing();
    }
    return p.end();
}

void PrintCommand(frmMain &m) {
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    if (Message(&m, QStringLiteral("Confirma a impressão deste arquivo?"),
                QStringLiteral("Impressão"), MsgIcon::Question, MsgButtons::YesNo,
                MsgAnswer::No) != MsgAnswer::Yes)
        return;
    const QString text = PrintText(ed->Texto());
    bool printed = true;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        QPrinter printer(info, QPrinter::HighResolution);
        printed = PrintDocumentText(printer, text);
    } else {
        QPrinter printer(QPrinter::HighResolution);
        if (!m.services().choosePrinter || !m.services().choosePrinter(printer, &m))
            return; // cancelled
        printed = PrintDocumentText(printer, text);
    }
    // A job the printer refused is said, never passed off as printed.
    if (!printed)
        Message(&m,
                QStringLiteral("Não foi possível imprimir o documento. Verifique se a impressora "
                               "está disponível ou se o arquivo de destino pode ser gravado."),
                QStringLiteral("Erro de Impressão"), MsgIcon::Critical);
}

// ---- insert file ------------------------------------------------------------------------

void InsertFileText(frmMain &m, const QString &text) {
    if (const auto &insert = m.services().insertText) {
        insert(text);
        return;
    }
    ICorvelEdit *ed = m.CurrentEditor();
    if (!ed) return;
    const int start = ed->SelInicio();
    const QString selected = ed->SelTexto();
    const QString inserted = ToCrLf(text);
    ed->setSelTexto(inserted + selected);
    ed->setSelInicio(start + int(inserted.size()));
    ed->setSelTamanho(int(selected.size()));
}

void InsertFileCommand(frmMain &m, const std::function<void(const QString &)> &insert) {
    if (!m.CurrentEditor()) return;
    int index = FilterIndex();
    const QString file = Dialogs().openFile(&m, QStringLiteral("Inserir Arquivo"),
                                            LastFolderOrProgram(), FileDialogFilter(), &index);
    if (IsCancelledFileName(file)) return;
    InsertFile(m, file, insert);
}

bool InsertFile(frmMain &m, const QString &path,
                const std::function<void(const QString &)> &insert) {
    if (!m.CurrentEditor()) return false;
    if (QFileInfo(path).size() > kInsertFileMaxBytes) {
        Message(&m,
                QStringLiteral("Arquivo muito grande para ser inserido. Tamanho máximo: 64 kbytes"),
                QStringLiteral("Limitação de Inserção"), MsgIcon::Critical);
        return false;
    }
    QFile f(QFileInfo(path).absoluteFilePath());
    if (!f.open(QIODevice::ReadOnly)) {
        ShowReadError(&m,
                      QStringLiteral("Ocorreu um erro na tentativa de ler o arquivo especificado. "
                                     "Certifique-se que você possua direito de ler este diretório "
                                     "(em caso de estar em uma rede)."),
                      75, f.errorString());
        return false;
    }
    insert(DecodeText(f.readAll()).text);
    return true;
}

} // namespace corvel
