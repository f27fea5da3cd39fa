#include "UpdateReply.h"

#include <QStringList>
#include <QUrl>

namespace corvel {

namespace {

QString SiteWithPath(const QString &site, const char *path) {
    QString s = site;
    while (s.endsWith(QLatin1Char('/')))
        s.chop(1);
    return s + QLatin1String(path);
}

} // namespace

UpdateServer ChooseUpdateServer(const QString &override, const QString &site) {
    UpdateServer server;
    const QString o = override.trimmed();
    if (!o.isEmpty()) {
        const int colon = o.lastIndexOf(QLatin1Char(':'));
        bool ok = false;
        const uint port = colon > 0 ? o.mid(colon + 1).toUInt(&ok) : 0;
        if (ok && port > 0 && port < 65536) {
            server.host = o.left(colon);
            server.port = quint16(port);
        } else {
            server.host = o;
        }
        return server;
    }
    server.host = QUrl(site).host();
    return server;
}

QByteArray UpdateRequest(const QString &runs, const QString &version, const QString &host) {
    // The run count and version travel in the query: anything that would
    // break the request line is percent-encoded.
    const QByteArray r = QUrl::toPercentEncoding(runs);
    const QByteArray v = QUrl::toPercentEncoding(version, ".");
    // No control character of the host (a line break, a NUL) reaches the
    // request.
    QByteArray h;
    for (const char c : host.toUtf8())
        if (uchar(c) >= 0x20 && c != 0x7F) h += c;
    return "GET /download/check/?usuario=FREE&registro=FREE&runs=" + r + "&versao=" + v +
           " HTTP/1.1\r\n"
           "User-Agent: Corvel " +
           v + "\r\nHost: " + h + "\r\n\r\n";
}

UpdateReply ParseUpdateReply(const QByteArray &received) {
    UpdateReply reply;
    const qsizetype first = received.indexOf("<>");
    if (first < 0) return reply;
    const qsizetype second = received.indexOf("<>", first + 2);
    if (second < 0) return reply;
    reply.complete = true;
    const QString payload = QString::fromUtf8(received.mid(first + 2, second - first - 2));
    reply.kind = payload.left(6).trimmed();
    reply.message = payload.mid(7, 255).trimmed();
    return reply;
}

bool RunCountShowsBox(const QString &runs) {
    bool ok = false;
    const qlonglong n = runs.trimmed().toLongLong(&ok);
    return (ok ? n : 0) % 15 == 0;
}

QString UpdateStatusText(const QString &message) {
    return QStringLiteral("Nova versão do Corvel disponível: ") + message;
}

QString UpdateBoxText(const QString &version, const QString &message, const QString &downloadPage) {
    return QStringLiteral("Existe uma nova versão do Corvel disponível para download. É "
                          "recomendável que você efetue o download da nova versão assim que "
                          "possível.\r\n\r\nSua versão: ") +
           version + QStringLiteral("\r\nNova versão: ") + message +
           QStringLiteral("\r\n\r\nPara download, acesse o endereço:\r\n") + downloadPage;
}

QString DownloadPage(const QString &site) {
    return SiteWithPath(site, "/download/");
}

QString UpdatePage(const QString &site, const QString &version) {
    const QStringList p = version.split(QLatin1Char('.'));
    return SiteWithPath(site, "/download/update/") + QStringLiteral("?v=") + p.value(0) +
           QStringLiteral("&s=") + p.value(1) + QStringLiteral("&r=") + p.value(2);
}

QString ContactPage(const QString &site) {
    return SiteWithPath(site, "/contato/");
}

} // namespace corvel
