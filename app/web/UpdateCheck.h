#pragma once
// The once-per-run question to the product's server whether a newer version
// exists. It runs in the background on the main window's socket "Sock" and
// never bothers the user unless the reply says so: an error, no network, a
// reply too long or too slow, or one of another kind closes the socket
// silently.
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>

class QTcpSocket;
class QTimer;
class frmMain;

class UpdateCheck : public QObject {
    Q_OBJECT
public:
    explicit UpdateCheck(frmMain &m);

    // Connects to the server (the first auto-save tick); once per run.
    void Start();
    bool Started() const { return m_started; }
    // Whether the socket is still in use.
    bool Busy() const;
    // What has arrived and is kept, at most a reply's limit.
    qsizetype BufferedBytes() const { return m_received.size(); }
    // Tests shorten the wait for a silent server.
    void SetTimeoutMs(int ms);

    QTcpSocket *Sock = nullptr;

private:
    void Sock_Connect();
    void Sock_DataArrival();
    void Sock_Error();
    void Finish();
    void Act(const QString &kind, const QString &message);
    void PlayTones(QList<QPair<int, int>> tones);

    frmMain &m_main;
    QTimer *m_timeout = nullptr;
    QByteArray m_received;
    QString m_host;
    bool m_started = false;
};

// Attaches the check to the main window's first auto-save tick.
void RegisterUpdateCheck(frmMain &m);
// The check of m, or nullptr.
UpdateCheck *UpdateCheckOf(const frmMain &m);
