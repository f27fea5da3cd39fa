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

bool WriteEditorCacheEntry(frmMain &m, ICorvelEdit *editor) {
    if (!editor) return false;
    return WriteCacheEntry(m.DocumentKey(editor), editor->Arquivo(), editor->ArquivoTemporario(),
                           CacheStateText(editor));
}

bool WriteTemporaryCopy(ICorvelEdit *editor, QString *error) {
    if (!editor) return false;
    editor->GravarTemporario();
    // The control's own word first: a copy left from an earlier write still
    // exists after a failed rewrite.
    QString reason = editor->UltimoErro();
    if (reason.isEmpty() && !CopyExists(editor->ArquivoTemporario()))
        reason = QStringLiteral("Cópia temporária não criada: %1")
                     .arg(CacheFolder() + editor->ArquivoTemporario());
    if (error) *error = reason;
    return reason.isEmpty();
}

namespace {

const char *const kFailingProperty = "corvelCacheWriteFailing";

QString IndexWriteError() {
    return QStringLiteral("Não foi possível gravar o índice: %1").arg(CacheIndexPath());
}

} // namespace

QString CacheWriteFailureText(const QString &reason) {
    return QStringLiteral("Não foi possível gravar a cópia de segurança dos documentos alterados "
                          "na pasta de cache do Corvel:") +
           kCrLf + kCrLf + CacheFolder() + kCrLf + kCrLf + QStringLiteral("Motivo: ") + reason +
           kCrLf + kCrLf +
           QStringLiteral("As últimas alterações estão apenas na memória e se perderão se o "
                          "Corvel for encerrado de forma inesperada. Grave os documentos ou "
                          "libere espaço ou permissão de gravação nessa pasta; o Corvel "
                          "continuará tentando.");
}

void ReportCacheWriteFailure(frmMain &m, const QString &reason) {
    m.ShowStatusMessage(QStringLiteral("Falha na Auto Gravação"));
    if (m.property(kFailingProperty).toBool()) return;
    m.setProperty(kFailingProperty, true);
    // Shown once the current timer event or command is over: a message box
    // opened inside the auto-save tick would hold that timer (a timer never
    // fires again while its own tick runs), so no later tick could write the
    // copies while the message waits for the user.
    QMetaObject::invokeMethod(
        &m,
        [w = &m, reason] {
            Message(w, CacheWriteFailureText(reason), QStringLiteral("Erro de Auto Gravação"),
                    MsgIcon::Critical);
        },
        Qt::QueuedConnection);
}

void EndCacheWriteFailure(frmMain &m) {
    m.setProperty(kFailingProperty, false);
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
    QString failure;
    const QList<ICorvelEdit *> docs = m.Documents();
    for (ICorvelEdit *ed : docs) {
        if (!ed->Alterado()) continue;
        // The copy first, then the entry that names it; a copy or an entry
        // that could not be written keeps the document marked for the next
        // tick, and no entry names a copy that was not written.
        QString error;
        if (!WriteTemporaryCopy(ed, &error)) {
            if (failure.isEmpty()) failure = error;
            continue;
        }
        if (!WriteEditorCacheEntry(m, ed)) {
            if (failure.isEmpty()) failure = IndexWriteError();
            continue;
        }
        ed->setAlterado(false);
        wrote = true;
    }
    m_counter = 1;
    if (!failure.isEmpty()) {
        ReportCacheWriteFailure(m, failure);
        return;
    }
    EndCacheWriteFailure(m);
    if (wrote && m.tmrAnima()->interval() != 12000)
        m.ShowStatusMessage(QStringLiteral("Auto Gravação"));
}

// ---- exit ----------------------------------------------------------------------

bool DocumentCache::AskToSaveAtExit(frmMain &m) {
    const QList<ICorvelEdit *> docs = m.Documents();
    for (ICorvelEdit *ed : docs) {
        const QString file = ed->Arquivo();
        if (file.isEmpty() || ed->Gravado()) continue;
        const MsgAnswer a =
            Message(&m,
                    QStringLiteral("O arquivo ") + file +
                        QStringLiteral(" não foi gravado no local final em disco. Deseja "
                                       "gravá-lo agora?") +
                        kCrLf + kCrLf +
                        QStringLiteral("Nota: caso você escolha Não, uma cópia das últimas "
                                       "alterações não gravadas no documento será mantida e "
                                       "você poderá salvá-la no arquivo final posteriormente."),
                    QStringLiteral("Gravar Alterações?"), MsgIcon::Question,
                    MsgButtons::YesNoCancel, MsgAnswer::Yes);
        // Cancel, or a box that went away unanswered, keeps the program
        // running with every document as it is.
        if (a != MsgAnswer::Yes && a != MsgAnswer::No) return false;
        if (a == MsgAnswer::Yes && ConfirmSaveOver(m, ed, file)) {
            // A failed save is said; the copy written next keeps the text.
            const QString error = SaveDocumentFile(ed, file, /*backup=*/false);
            if (!error.isEmpty()) ShowSaveError(&m, 9701, error);
        }
    }
    return true;
}

void DocumentCache::SaveAtExit(frmMain &m) {
    bool written = false;
    QStringList failures;
    // A copy that cannot be written leaves the one written before (and the
    // entry that names it) as the best the next start can have.
    const auto keepCopy = [&](ICorvelEdit *ed, const QString &error) {
        const QString name =
            ed->Arquivo().isEmpty()
                ? QStringLiteral("Doc ") + QString::number(m.DocumentKey(ed).toInt())
                : ed->Arquivo();
        failures << name + QStringLiteral(": ") + error;
        if (CopyExists(ed->ArquivoTemporario())) written = true;
    };
    const auto writeCopyAndEntry = [&](ICorvelEdit *ed) {
        QString error;
        if (!WriteTemporaryCopy(ed, &error)) {
            keepCopy(ed, error);
        } else if (!WriteEditorCacheEntry(m, ed)) {
            keepCopy(ed, IndexWriteError());
        } else {
            written = true;
        }
    };
    const QList<ICorvelEdit *> docs = m.Documents();
    for (ICorvelEdit *ed : docs) {
        const bool ok = RunGuarded("exit: document cache", [&] {
            const QString file = ed->Arquivo();
            if (!file.isEmpty() || !ed->Texto().isEmpty()) {
                // The exit question (and its save) came before the shutdown.
                writeCopyAndEntry(ed);
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
    if (!failures.isEmpty()) {
        Message(&m,
                QStringLiteral("Não foi possível gravar na pasta de cache do Corvel (") +
                    CacheFolder() +
                    QStringLiteral(") a cópia das últimas alterações destes documentos; elas "
                                   "não voltarão na próxima execução:") +
                    kCrLf + kCrLf + failures.join(kCrLf),
                QStringLiteral("Erro de Auto Gravação"), MsgIcon::Critical);
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
    const QStringList listed =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    QSet<QString> candidates(listed.cbegin(), listed.cend());
    candidates.remove(QFileInfo(CacheIndexPath()).fileName());

    QVector<CacheEntry> rebuilt;
    QSet<QString> seen;
    QSet<QString> restoredCopies;
    for (const CacheEntry &e : entries) {
        // Two entries naming one copy would make two documents share it.
        if (e.copy.isEmpty() || seen.contains(e.copy)) continue;
        seen.insert(e.copy);
        if (!candidates.contains(e.copy) || !CopyExists(e.copy)) continue;
        CacheEntry restored;
        bool ok = false;
        // A document that fails to come back is logged and its copy offered
        // with the orphans.
        if (!RunGuarded("start: restoring a document", [&] { ok = RestoreEntry(m, e, &restored); }))
            ok = false;
        // A copy that could not come back stays on disk for the user to
        // decide, as an orphan.
        if (ok) {
            rebuilt.append(restored);
            restoredCopies.insert(e.copy);
        }
    }
    m_orphans.clear();
    for (const QString &name : listed)
        if (candidates.contains(name) && !restoredCopies.contains(name)) m_orphans.append(name);
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
    // A file the damaged index may have named wrongly is never used: the
    // text comes back as a document without a file.
    QString file = e.fileDoubtful ? QString() : e.file;
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
    if (e.fileDoubtful) {
        ed->setAlterado(true);
        ed->setGravado(false);
    }

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
