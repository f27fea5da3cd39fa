// CorvelEdit: the document file, the temporary copy and the RTF form.
#include "CorvelEdit.h"

#include "EditSurface.h"
#include "FileErrors.h"
#include "LongLines.h"
#include "RichText.h"
#include "RtfDocument.h"
#include "TextPositions.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextDocument>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace corvel::control;

namespace {

QString DateText(const QDateTime &t) {
    return t.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

// Writes bytes over an existing file in place, for a folder that does not
// let us create the new file beside it. The whole new size is reserved first,
// so a full disk or a size limit fails before any byte of the file changes;
// "" or the error text.
QString WriteInPlace(const QString &path, const QByteArray &bytes) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return FileErrorText(errno, path, true);
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = errno ? errno : EINVAL;
        ::close(fd);
        return FileErrorText(err, path, true);
    }
    const off_t size = off_t(bytes.size());
    if (size > 0) {
        const int err = ::posix_fallocate(fd, 0, size);
        if (err != 0) {
            // An emulated reservation may have grown the file with zeros.
            if (::ftruncate(fd, st.st_size) != 0) {
                // The old bytes are untouched either way.
            }
            ::close(fd);
            return FileErrorText(err, path, true);
        }
    }
    const char *p = bytes.constData();
    off_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, p + done, size_t(size - done), done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int err = n < 0 ? errno : ENOSPC;
            ::close(fd);
            return FileErrorText(err, path, true);
        }
        done += n;
    }
    if (::ftruncate(fd, size) != 0 || ::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        return FileErrorText(err, path, true);
    }
    if (::close(fd) != 0) return FileErrorText(errno, path, true);
    return QString();
}

// True when path is a writable file in a folder where no new file can be
// made (the atomic replacement is impossible, the file itself is not).
bool OnlyInPlaceWritable(const QString &path) {
    const QFileInfo fi(path);
    if (!fi.isFile()) return false;
    const QByteArray folder = QFile::encodeName(fi.absolutePath());
    const QByteArray file = QFile::encodeName(fi.absoluteFilePath());
    return ::access(folder.constData(), W_OK) != 0 && ::access(file.constData(), W_OK) == 0;
}

// Writes bytes to a file atomically; an error text naming the file, or "".
// inPlace: when the folder refuses the new file but the file is writable,
// write the file in place (with its size reserved first) rather than fail.
QString WriteFileAtomically(const QString &path, const QByteArray &bytes, bool inPlace) {
    QSaveFile f(path);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly)) {
        const int err = errno;
        if (inPlace && OnlyInPlaceWritable(path)) return WriteInPlace(path, bytes);
        return FileErrorText(err, path, true);
    }
    // A short write (full disk) can stay unreported until the flush: check
    // the size that reached the file before it replaces the old one.
    if (f.write(bytes) != bytes.size() || !f.flush() || f.size() != bytes.size()) {
        const int err = errno ? errno : ENOSPC;
        f.cancelWriting();
        return FileErrorText(err, path, true);
    }
    if (!f.commit()) return FileErrorText(errno, path, true);
    return QString();
}

} // namespace

void CorvelEdit::loadDocument(const corvel::rtf::Document &d) {
    // Built in one edit with undo off: the layout runs once, at the end.
    QTextDocument *dd = doc();
    const bool undo = dd->isUndoRedoEnabled();
    dd->setUndoRedoEnabled(false);
    dd->clear();
    QTextCursor c(dd);
    c.beginEditBlock();
    InsertRtfDocument(c, d);
    SplitLongBlocks(dd, 0, dd->characterCount() - 1);
    c.endEditBlock();
    dd->setUndoRedoEnabled(undo);
    m_groupUndoBase = 0; // the undo steps are gone, an open group's too
    setCaret(QTextCursor(dd));
    textChangedByMember();
}

QString CorvelEdit::TextoRTF() const {
    return QString::fromLatin1(corvel::rtf::Write(FromTextDocument(doc())));
}

void CorvelEdit::setTextoRTF(const QString &rtf) {
    corvel::rtf::Document d;
    if (!corvel::rtf::ReadText(rtf, &d)) {
        // Not rich text at all: taken as plain text, as the surface would.
        setTexto(rtf);
        return;
    }
    loadDocument(d);
}

QString CorvelEdit::SelTextoRTF() const {
    const QTextCursor c = caret();
    return QString::fromLatin1(
        corvel::rtf::Write(FromTextDocument(doc(), c.selectionStart(), c.selectionEnd())));
}

void CorvelEdit::setSelTextoRTF(const QString &rtf) {
    corvel::rtf::Document d;
    if (!corvel::rtf::ReadText(rtf, &d)) d.text = rtf;
    QTextCursor c = caret();
    c.beginEditBlock();
    c.removeSelectedText();
    const int from = c.position();
    InsertRtfDocument(c, d);
    SettleInsertedText(doc(), from, c.position());
    c.endEditBlock();
    setCaret(c);
    textChangedByMember();
}

// --- the document file -------------------------------------------------------

QString CorvelEdit::Arquivo() const {
    return m_arquivo;
}

void CorvelEdit::setArquivo(const QString &path) {
    m_arquivo = path;
    if (path.isEmpty()) return;
    const QFileInfo fi(path);
    if (!fi.isFile()) return;
    m_dataArquivo = DateText(fi.lastModified());
    m_tamanhoArquivo = QString::number(fi.size());
}

QString CorvelEdit::UltimaGravacao() const {
    return m_ultimaGravacao;
}

QString CorvelEdit::DataArquivo() const {
    return m_dataArquivo;
}

QString CorvelEdit::TamanhoArquivo() const {
    return m_tamanhoArquivo;
}

QString CorvelEdit::Gravar(const QString &path) {
    m_ultimaGravacao = DateText(QDateTime::currentDateTime());
    if (path.isEmpty()) {
        m_gravado = false;
        return QStringLiteral("Nome de arquivo vazio.");
    }
    corvel::TextEncoding used = m_encoding;
    const QByteArray bytes = corvel::EncodeText(cachedText(), m_encoding, &used);
    const QString error = WriteFileAtomically(path, bytes, /*inPlace=*/true);
    if (!error.isEmpty()) {
        m_gravado = false;
        return error;
    }
    m_encoding = used;
    m_arquivo = path;
    m_gravado = true;
    m_alterado = false;
    const QFileInfo fi(path);
    m_dataArquivo = DateText(fi.lastModified());
    m_tamanhoArquivo = QString::number(fi.size());
    GravarTemporario();
    return QString();
}

QString CorvelEdit::Ler(const QString &path) {
    if (path.isEmpty()) return QStringLiteral("Nome de arquivo vazio.");
    const QFileInfo fi(path);
    if (!fi.exists()) return QStringLiteral("Arquivo não encontrado: %1").arg(path);
    if (fi.isDir()) return QStringLiteral("O caminho indicado é uma pasta: %1").arg(path);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return FileErrorText(errno, path, false);
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return FileErrorText(errno, path, false);
    f.close();
    const corvel::DecodedText decoded = corvel::DecodeText(bytes);
    setTexto(decoded.text);
    m_encoding = decoded.encoding;
    m_arquivo = path;
    const QFileInfo after(path);
    m_dataArquivo = DateText(after.lastModified());
    m_tamanhoArquivo = QString::number(after.size());
    m_gravado = true;
    return QString();
}

// --- the temporary copy ------------------------------------------------------

QString CorvelEdit::ArquivoTemporario() const {
    return m_arquivoTemporario;
}

void CorvelEdit::setArquivoTemporario(const QString &name) {
    m_arquivoTemporario = name;
}

QString CorvelEdit::DiretorioTemporario() const {
    return m_diretorioTemporario;
}

void CorvelEdit::setDiretorioTemporario(const QString &folder) {
    // An empty folder stays empty (no temporary copies), rather than becoming
    // the root folder.
    m_diretorioTemporario = folder;
    if (!folder.isEmpty() && !folder.endsWith(u'/')) m_diretorioTemporario += u'/';
}

void CorvelEdit::GravarTemporario() {
    m_ultimoErro.clear();
    if (m_diretorioTemporario.isEmpty()) return;
    if (m_arquivoTemporario.isEmpty()) {
        QString name;
        do {
            const qint64 n = qRound64(m_random.generateDouble() * 1e8);
            name = QStringLiteral("%1.ctm").arg(n, 8, 10, QLatin1Char('0'));
        } while (QFileInfo::exists(m_diretorioTemporario + name));
        m_arquivoTemporario = name;
    }
    // A failure is the host's to report (its auto-save keeps the document
    // marked and tries again). The cache folder is the program's own: a copy
    // is replaced atomically or not at all.
    m_ultimoErro = WriteFileAtomically(m_diretorioTemporario + m_arquivoTemporario,
                                       corvel::rtf::Write(FromTextDocument(doc())),
                                       /*inPlace=*/false);
}

void CorvelEdit::LerTemporario(const QString &name) {
    if (m_diretorioTemporario.isEmpty() || name.isEmpty()) return;
    QFile f(m_diretorioTemporario + name);
    if (!f.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return;
    corvel::rtf::Document d;
    if (!corvel::rtf::Read(bytes, &d)) return;
    loadDocument(d);
    m_arquivoTemporario = name;
}
