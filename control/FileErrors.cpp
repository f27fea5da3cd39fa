#include "FileErrors.h"

#include <QFileInfo>

#include <cerrno>

namespace corvel::control {

QString FileErrorText(int err, const QString &path, bool writing) {
    const QFileInfo fi(path);
    // What the path itself says is clearer than a stale errno.
    if (fi.isDir()) return QStringLiteral("O caminho indicado é uma pasta: %1").arg(path);
    const QFileInfo folder(fi.absolutePath());
    if (!folder.exists() || !folder.isDir())
        return QStringLiteral("Caminho não encontrado: %1").arg(path);
    switch (err) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Permissão negada: %1").arg(path);
    case EROFS:
        return QStringLiteral("Sistema de arquivos somente para leitura: %1").arg(path);
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("Espaço insuficiente no disco: %1").arg(path);
    case EFBIG:
        return QStringLiteral("Arquivo grande demais: %1").arg(path);
    case ENOENT:
        return writing ? QStringLiteral("Caminho não encontrado: %1").arg(path)
                       : QStringLiteral("Arquivo não encontrado: %1").arg(path);
    case ENOTDIR:
        return QStringLiteral("Caminho não encontrado: %1").arg(path);
    case ENAMETOOLONG:
        return QStringLiteral("Nome de arquivo longo demais: %1").arg(path);
    case EISDIR:
        return QStringLiteral("O caminho indicado é uma pasta: %1").arg(path);
    default:
        break;
    }
    if (writing && fi.exists() && !fi.isWritable())
        return QStringLiteral("Permissão negada: %1").arg(path);
    if (!writing && !fi.isReadable()) return QStringLiteral("Permissão negada: %1").arg(path);
    return writing ? QStringLiteral("Não foi possível gravar o arquivo: %1").arg(path)
                   : QStringLiteral("Não foi possível ler o arquivo: %1").arg(path);
}

} // namespace corvel::control
