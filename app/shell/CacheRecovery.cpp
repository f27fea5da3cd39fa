#include "CacheRecovery.h"

#include "CompactPath.h"
#include "Dialogs.h"
#include "FileCommands.h"
#include "Folders.h"
#include "Guarded.h"
#include "Settings.h"
#include "frmMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTimer>

namespace corvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString CopyPath(const QString &copy) {
    return CacheFolder() + copy;
}

bool CopyExists(const QString &copy) {
    return IsPlainFileName(copy) && QFileInfo(CopyPath(copy)).isFile();
}

void DeleteCopy(const QString &copy) {
    if (CopyExists(copy)) QFile::remove(CopyPath(copy));
}

QString FileNameOf(const QString &path) {
    return QFileInfo(path).fileName();
}

} // namespace

QString CacheStateText(ICorvelEdit *editor) {
    if (!editor) return QString();
    return CacheStateText(editor->SelInicio(), editor->SelTamanho(), editor->Gravado());
}

void WriteEditorCacheEntry(frmMain &m, ICorvelEdit *editor) {
    if (!editor) return;
    WriteCacheEntry(m.DocumentKey(editor), editor->Arquivo(), editor->ArquivoTemporario(),
                    CacheStateText(editor));
}

bool WriteTemporaryCopy(ICorvelEdit *editor) {
    if (!editor) return false;
    editor->GravarTemporario();
    return CopyExists(editor->ArquivoTemporario());
}

// ---- auto-save ---------------------------------------------------------------

void DocumentCache::AutoSaveTick(frmMain &m) {
    if (m_counter == 0) {
        m_counter = 1;
        const QList<std::function<void()>> actions = m_firstTick
                                                         ? QList<std::function<void()>>{m_firstTick}
                                                         : m.services().firstAutoSaveTick;
        for (const auto &action : actions)
            RunGuarded("first auto-save tick", action);
    }
    const long long minutes =
        SettingNumber(ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("AutoSave")));
    if (minutes <= 0) return;
    if (minutes != m_counter) {
        ++m_counter;
        return;
    }
    bool wrote = false;
    const QList<ICorvelEdit *> docs = m.Documents();
    for (ICorvelEdit *ed : docs) {
        if (!ed->Alterado()) continue;
        // The copy first, then the entry that names it; a copy that could
        // not be written keeps the document marked for the next tick.
        if (!WriteTemporaryCopy(ed)) continue;
        WriteEditorCacheEntry(m, ed);
        ed->setAlterado(false);
        wrote = true;
    }
    if (wrote && m.tmrAnima()->interval() != 12000)
        m.ShowStatusMessage(QStringLiteral("Auto Gravação"));
    m_counter = 1;
}

// ---- exit ----------------------------------------------------------------------

void DocumentCache::SaveAtExit(frmMain &m) {
    bool written = false;
    const QList<ICorvelEdit *> docs = m.Documents();
    for (ICorvelEdit *ed : docs) {
        const bool ok = RunGuarded("exit: document cache", [&] {
            const QString file = ed->Arquivo();
            if (!file.isEmpty()) {
                if (!ed->Gravado()) {
                    const MsgAnswer a = Message(
                        &m,
                        QStringLiteral("O arquivo ") + file +
                            QStringLiteral(" não foi gravado no local final em disco. Deseja "
                                           "gravá-lo agora?") +
                            kCrLf + kCrLf +
                            QStringLiteral("Nota: caso você escolha Não, uma cópia das últimas "
                                           "alterações não gravadas no documento será mantida e "
                                           "você poderá salvá-la no arquivo final posteriormente."),
                        QStringLiteral("Gravar Alterações?"), MsgIcon::Question, MsgButtons::YesNo,
                        MsgAnswer::Yes);
                    if (a == MsgAnswer::Yes) {
                        // A failed save is said; the copy below keeps the text.
                        const QString error = SaveDocumentFile(ed, file, /*backup=*/false);
                        if (!error.isEmpty()) ShowSaveError(&m, 9701, error);
                    }
                }
                if (WriteTemporaryCopy(ed)) {
                    WriteEditorCacheEntry(m, ed);
                    written = true;
                }
            } else if (!ed->Texto().isEmpty()) {
                if (WriteTemporaryCopy(ed)) {
                    WriteEditorCacheEntry(m, ed);
                    written = true;
                }
            } else {
                // The entry goes before the copy it named.
                const QString copy = ed->ArquivoTemporario();
                WriteCacheEntry(m.DocumentKey(ed), QString(), QString(), QString());
                if (!copy.isEmpty()) DeleteCopy(copy);
            }
        });
        if (!ok)
            qWarning("exit: document %s kept as it was on disk", qPrintable(m.DocumentKey(ed)));
    }
    if (docs.isEmpty() || !written) QFile::remove(CacheIndexPath());
}

// ---- restore at start -------------------------------------------------------------

void DocumentCache::Restore(frmMain &m) {
    const QVector<CacheEntry> entries = ReadCacheIndex();
    const QString folder = CacheFolder();
    QFile::remove(folder + QStringLiteral("CorvelPreview.html"));
    QFile::remove(folder + QStringLiteral("CorvelPrint.txt"));

    // The old index stays until the new one is complete, so a start that is
    // interrupted loses nothing.
    m_orphans = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    m_orphans.removeAll(QFileInfo(CacheIndexPath()).fileName());

    QVector<CacheEntry> rebuilt;
    QSet<QString> seen;
    for (const CacheEntry &e : entries) {
        // Two entries naming one copy would make two documents share it.
        if (e.copy.isEmpty() || seen.contains(e.copy)) continue;
        seen.insert(e.copy);
        const bool named = m_orphans.removeAll(e.copy) > 0;
        if (!CopyExists(e.copy)) continue;
        CacheEntry restored;
        bool ok = false;
        // A document that fails to come back is logged and its copy offered
        // with the orphans.
        if (!RunGuarded("start: restoring a document", [&] { ok = RestoreEntry(m, e, &restored); }))
            ok = false;
        if (ok)
            rebuilt.append(restored);
        else if (named && !m_orphans.contains(e.copy))
            m_orphans.append(e.copy); // left on disk for the user to decide
    }
    if (rebuilt.isEmpty())
        QFile::remove(CacheIndexPath());
    else
        WriteCacheIndex(rebuilt);
}

bool DocumentCache::RestoreEntry(frmMain &m, const CacheEntry &e, CacheEntry *restored) {
    {
        QFile probe(CopyPath(e.copy));
        if (!probe.open(QIODevice::ReadOnly)) return false;
    }
    ICorvelEdit *ed = m.CreateDocument();
    if (!ed) return false;
    const auto loadCopy = [&]() -> bool {
        ed->LerTemporario(e.copy);
        return ed->ArquivoTemporario() == e.copy;
    };
    QString file = e.file;
    QString configuration = e.configuration;
    bool handled = false;
    bool loaded = false;

    if (!file.isEmpty() && !QFileInfo(file).isFile()) {
        handled = true;
        const MsgAnswer a = Message(
            &m,
            QStringLiteral("O arquivo ") + file +
                QStringLiteral(", que estava em edição na última execução do Corvel, não existe "
                               "mais neste local no disco. Você deseja recriá-lo baseando nos "
                               "dados do cache do Corvel ou apenas prosseguir com a edição como "
                               "se fosse um arquivo que ainda não foi gravado?") +
                kCrLf + kCrLf + QStringLiteral("Clique 'Sim' para recriar o arquivo") + kCrLf +
                QStringLiteral("Clique 'Não' para apenas prosseguir com a edição"),
            QStringLiteral("Arquivo Removido"), MsgIcon::Warning, MsgButtons::YesNo,
            MsgAnswer::Yes);
        bool recreated = false;
        if (a == MsgAnswer::Yes) {
            ed->setArquivoTemporario(e.copy);
            ed->setArquivo(file);
            if (!loadCopy()) {
                m.RemoveDocument(ed);
                return false;
            }
            loaded = true;
            const QString error = SaveDocumentFile(ed, file, /*backup=*/false);
            if (error.isEmpty()) {
                recreated = true;
                m.SetTabCaption(ed, FileNameOf(file));
                m.RefreshCaption();
            } else {
                ShowSaveError(&m, 9701, error);
            }
        }
        if (!recreated) {
            ed->setArquivo(QString());
            ed->setAlterado(true);
            ed->setGravado(false);
            file.clear();
            m.RefreshSaveState();
        }
    }

    if (!file.isEmpty() && !handled) {
        ed->setArquivo(file);
        m.SetTabCaption(ed, FileNameOf(file));
        m.RefreshCaption();
        const QFileInfo disk(file);
        const QString question = ChangedFileMessage(file, e.info, QString::number(disk.size()),
                                                    FileDateText(disk.lastModified()));
        if (!question.isEmpty()) {
            const MsgAnswer a = Message(&m, question, QStringLiteral("Data e/ou Tamanho Diferente"),
                                        MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes);
            bool fromDisk = false;
            if (a == MsgAnswer::No) {
                // The disk's version; when it cannot be read the cached text
                // stays, so the copy is never overwritten by nothing.
                fromDisk = ed->Ler(file).isEmpty();
                if (fromDisk) {
                    ed->setArquivoTemporario(e.copy);
                    ed->GravarTemporario();
                    ed->setAlterado(false);
                    ed->setGravado(true);
                    configuration = QStringLiteral("0,0,True");
                    loaded = true;
                } else {
                    ed->setArquivo(file);
                }
            }
            if (!fromDisk) {
                if (!loadCopy()) {
                    m.RemoveDocument(ed);
                    return false;
                }
                ed->setAlterado(true);
                ed->setGravado(false);
                configuration = QStringLiteral("0,0,False");
                loaded = true;
            }
        } else {
            if (!loadCopy()) {
                m.RemoveDocument(ed);
                return false;
            }
            loaded = true;
        }
    }

    if (!loaded) {
        if (!loadCopy()) {
            m.RemoveDocument(ed);
            return false;
        }
        if (!handled) m.RefreshCaption();
    }

    const CacheState state = ParseCacheState(configuration);
    ed->setSelInicio(state.selStart);
    ed->setSelTamanho(state.selLength);
    if (!handled) ed->setGravado(state.saved);

    restored->nnn = m.DocumentKey(ed);
    restored->file = file;
    restored->copy = ed->ArquivoTemporario();
    restored->configuration = CacheStateText(ed);
    restored->info = FileInfoText(file);
    m.RefreshSaveState();
    return true;
}

// ---- orphan copies --------------------------------------------------------------

void DocumentCache::OfferOrphanCopies(frmMain &m) {
    // Never offer a copy that an open document uses.
    QStringList inUse;
    for (ICorvelEdit *ed : m.Documents())
        inUse << ed->ArquivoTemporario();
    bool asked = false;
    bool remove = false;
    const QString folder = CacheFolder();
    for (const QString &name : std::as_const(m_orphans)) {
        if (inUse.contains(name) || !QFileInfo(folder + name).isFile()) continue;
        if (!asked) {
            asked = true;
            remove = Message(&m,
                             QStringLiteral("Foram detectados arquivos temporários não utilizados "
                                            "na pasta Docs do Corvel. Se você não está "
                                            "desenvolvendo nenhum projeto neste momento, é seguro "
                                            "removê-los. Caso contrário, verifique o conteúdo da "
                                            "pasta Docs do Corvel. Os arquivos temporários estão "
                                            "localizados na pasta:") +
                                 kCrLf + kCrLf + folder + kCrLf + kCrLf +
                                 QStringLiteral("Deseja remover os arquivos temporários perdidos?"),
                             QStringLiteral("Arquivos Temporários Perdidos"), MsgIcon::Information,
                             MsgButtons::YesNo, MsgAnswer::No) == MsgAnswer::Yes;
        }
        if (!remove) break;
        QFile f(folder + name);
        if (!f.remove()) {
            Message(&m,
                    QStringLiteral("Erro ao deletar os arquivos temporários. Remova-os manualmente "
                                   "após fechar o Corvel, na pasta ") +
                        folder + kCrLf + kCrLf + f.errorString() + QStringLiteral(" em ") + name,
                    QStringLiteral("Erro ao Apagar"), MsgIcon::Critical);
        }
    }
    m_orphans.clear();
}

} // namespace corvel
