#include "DiskChanges.h"

#include "Settings.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace corvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

qint64 Nanoseconds(const struct timespec &t) {
    return qint64(t.tv_sec) * 1000000000LL + qint64(t.tv_nsec);
}

QString Listed(const QStringList &paths) {
    QString out;
    for (const QString &p : paths)
        out += QStringLiteral("    ") + p + kCrLf;
    return out;
}

} // namespace

bool IdleWriteEnabled(const QString &autoSaveSetting) {
    return SettingNumber(autoSaveSetting) > 0;
}

bool IdleWritePostponed(qint64 pendingMs, int delayMs) {
    return pendingMs + delayMs <= qint64(kIdleWriteMaxWaitDelays) * delayMs;
}

FileStamp ReadFileStamp(const QString &path) {
    FileStamp s;
    if (path.isEmpty()) return s;
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::lstat(name.constData(), &st) != 0) return s;
    s.exists = true;
    s.isLink = S_ISLNK(st.st_mode);
    s.isFolder = S_ISDIR(st.st_mode);
    s.device = quint64(st.st_dev);
    s.inode = quint64(st.st_ino);
    if (s.isLink) {
        QByteArray target(4096, '\0');
        const ssize_t n = ::readlink(name.constData(), target.data(), size_t(target.size()));
        if (n >= 0) s.linkTarget = QFile::decodeName(target.left(int(n)));
        if (::stat(name.constData(), &st) != 0) return s;
    }
    s.hasContent = true;
    s.contentDevice = quint64(st.st_dev);
    s.contentInode = quint64(st.st_ino);
    s.size = qint64(st.st_size);
    s.modifiedNs = Nanoseconds(st.st_mtim);
    return s;
}

bool SameIdentity(const FileStamp &a, const FileStamp &b) {
    if (a.exists != b.exists) return false;
    if (!a.exists) return true;
    // An inode number is used again at once for the next file or folder.
    if (a.isLink != b.isLink || a.isFolder != b.isFolder) return false;
    if (a.isLink) return a.linkTarget == b.linkTarget;
    return a.device == b.device && a.inode == b.inode;
}

bool SameContent(const FileStamp &a, const FileStamp &b) {
    if (a.hasContent != b.hasContent) return false;
    if (!a.hasContent) return true;
    return a.contentDevice == b.contentDevice && a.contentInode == b.contentInode &&
           a.size == b.size && a.modifiedNs == b.modifiedNs;
}

DiskChange CompareStamps(const FileStamp &seen, const FileStamp &now) {
    if (!now.hasContent) return seen.hasContent ? DiskChange::Removed : DiskChange::None;
    if (SameIdentity(seen, now) && SameContent(seen, now)) return DiskChange::None;
    return DiskChange::Modified;
}

bool LinkSwapped(const FileStamp &trusted, const FileStamp &now) {
    if (!now.exists || !now.isLink) return false;
    return !trusted.isLink || trusted.linkTarget != now.linkTarget;
}

FileStamp TrustedAfterAnswer(const FileStamp &trusted, const FileStamp &now) {
    return LinkSwapped(trusted, now) ? trusted : now;
}

bool SaveNeedsConfirmation(const FileStamp &trusted, const FileStamp &seen, const FileStamp &now) {
    if (!now.exists || now.isFolder) return false;
    return !SameIdentity(trusted, now) || !SameContent(seen, now);
}

// ---- gathering ----------------------------------------------------------------

void ChangeGather::note(const QString &path, qint64 nowMs) {
    if (!m_paths.contains(path)) m_paths.append(path);
    m_lastMs = nowMs;
}

bool ChangeGather::settled(qint64 nowMs) const {
    return nowMs - m_lastMs >= kChangeSettleMs;
}

int ChangeGather::remainingMs(qint64 nowMs) const {
    const qint64 left = kChangeSettleMs - (nowMs - m_lastMs);
    return left > 0 ? int(left) : 0;
}

bool ChangeGather::readyToAsk(qint64 nowMs, bool windowActive, bool dialogOpen, bool busy) const {
    return !m_paths.isEmpty() && settled(nowMs) && windowActive && !dialogOpen && !busy;
}

QStringList ChangeGather::take() {
    QStringList out;
    out.swap(m_paths);
    return out;
}

// ---- texts --------------------------------------------------------------------------

ChangeMessage ExternalChangeMessage(const QStringList &changedWithEdits,
                                    const QStringList &removed) {
    ChangeMessage m;
    QString removedPart;
    if (!removed.isEmpty()) {
        removedPart =
            (removed.size() == 1
                 ? QStringLiteral("Este arquivo foi removido ou movido por outro programa "
                                  "enquanto estava aberto no Corvel:")
                 : QStringLiteral("Estes arquivos foram removidos ou movidos por outro programa "
                                  "enquanto estavam abertos no Corvel:")) +
            kCrLf + kCrLf + Listed(removed) + kCrLf +
            (removed.size() == 1
                 ? QStringLiteral("O documento continua aberto, com o texto que você vê, e está "
                                  "marcado como não gravado. Grave-o para criar o arquivo "
                                  "novamente.")
                 : QStringLiteral("Os documentos continuam abertos, com o texto que você vê, e "
                                  "estão marcados como não gravados. Grave-os para criar os "
                                  "arquivos novamente."));
    }
    if (changedWithEdits.isEmpty()) {
        if (removed.isEmpty()) return m;
        m.title = removed.size() == 1 ? QStringLiteral("Arquivo Removido do Disco")
                                      : QStringLiteral("Arquivos Removidos do Disco");
        m.text = removedPart;
        return m;
    }
    const bool one = changedWithEdits.size() == 1;
    m.question = true;
    m.title = one ? QStringLiteral("Arquivo Alterado no Disco")
                  : QStringLiteral("Arquivos Alterados no Disco");
    m.text = (one ? QStringLiteral("Este arquivo foi alterado por outro programa enquanto estava "
                                   "aberto no Corvel, e o documento tem alterações ainda não "
                                   "gravadas:")
                  : QStringLiteral("Estes arquivos foram alterados por outro programa enquanto "
                                   "estavam abertos no Corvel, e os documentos têm alterações "
                                   "ainda não gravadas:")) +
             kCrLf + kCrLf + Listed(changedWithEdits) + kCrLf +
             (one ? QStringLiteral("Deseja carregar a versão que está no disco? O texto do Corvel "
                                   "volta com Desfazer (Ctrl+Z).")
                  : QStringLiteral("Deseja carregar as versões que estão no disco? O texto do "
                                   "Corvel volta com Desfazer (Ctrl+Z) em cada documento.")) +
             kCrLf + kCrLf +
             (one ? QStringLiteral("Clique 'Sim' para carregar o arquivo do disco")
                  : QStringLiteral("Clique 'Sim' para carregar os arquivos do disco")) +
             kCrLf +
             (one ? QStringLiteral("Clique 'Não' para manter a versão do Corvel (a próxima "
                                   "gravação substituirá o arquivo do disco)")
                  : QStringLiteral("Clique 'Não' para manter as versões do Corvel (a próxima "
                                   "gravação substituirá os arquivos do disco)"));
    if (!removedPart.isEmpty()) m.text += kCrLf + kCrLf + removedPart;
    return m;
}

QString OverwriteQuestion(const QString &path, const FileStamp &now) {
    QString text = QStringLiteral("O arquivo ") + path +
                   QStringLiteral(" foi alterado ou substituído por outro programa depois que o "
                                  "Corvel o leu ou gravou pela última vez.");
    if (now.isLink)
        text += QStringLiteral(" Agora ele é um link para outro arquivo (") + now.linkTarget +
                QStringLiteral("). Gravar não escreverá nesse outro arquivo: o link será "
                               "substituído por um arquivo comum com o texto do documento.");
    return text + kCrLf + kCrLf + QStringLiteral("Deseja gravar o documento por cima mesmo assim?");
}

} // namespace corvel
