#pragma once
// The once-per-run question to the product's server whether a newer version
// exists: the request text, the reading of the reply and the texts shown.
#include <QByteArray>
#include <QString>

namespace corvel {

// Where the question goes: the product's site host on port 80, or
// "host:port" from the environment variable CORVEL_UPDATE_SERVER.
struct UpdateServer {
    QString host;
    quint16 port = 80;
};
// override: the variable's value ("" when unset); site: the product's address.
UpdateServer ChooseUpdateServer(const QString &override, const QString &site);

// The HTTP request, CR LF line ends, ending with an empty line.
QByteArray UpdateRequest(const QString &runs, const QString &version, const QString &host);

// The payload between the first two "<>" marks of what arrived so far.
struct UpdateReply {
    bool complete = false; // both marks have arrived
    QString kind;          // characters 1 to 6, trimmed ("update", "info")
    QString message;       // characters 8 to 262, trimmed
};
UpdateReply ParseUpdateReply(const QByteArray &received);

// The most a reply may hold, and the longest it may take, before the
// question is given up silently.
constexpr qsizetype kUpdateReplyLimit = 64 * 1024;
constexpr int kUpdateTimeoutMs = 15000;

// A run count ("Aberturas") that shows the message box: a multiple of 15; a
// value that is not a number counts as 0.
bool RunCountShowsBox(const QString &runs);

// Texts shown for a newer version.
QString UpdateStatusText(const QString &message);
QString UpdateBoxText(const QString &version, const QString &message, const QString &downloadPage);

// Addresses on the product's site ("https://www.x.example" + path).
QString DownloadPage(const QString &site);
QString UpdatePage(const QString &site, const QString &version); // "?v=5&s=1&r=0"
QString ContactPage(const QString &site);

} // namespace corvel
