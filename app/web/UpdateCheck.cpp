#include "UpdateCheck.h"

#include "AppInfo.h"
#include "Dialogs.h"
#include "Settings.h"
#include "UpdateReply.h"
#include "frmMain.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

using namespace corvel;

UpdateCheck::UpdateCheck(frmMain &m) : QObject(&m), m_main(m) {
    setObjectName(QStringLiteral("UpdateCheck"));
    Sock = new QTcpSocket(this);
    Sock->setObjectName(QStringLiteral("Sock"));
    // Qt keeps no more than a reply may hold; the rest waits in the system
    // until the socket is closed.
    Sock->setReadBufferSize(kUpdateReplyLimit);
    m_timeout = new QTimer(this);
    m_timeout->setSingleShot(true);
    m_timeout->setInterval(kUpdateTimeoutMs);
    connect(m_timeout, &QTimer::timeout, this, &UpdateCheck::Finish);
    connect(Sock, &QTcpSocket::connected, this, &UpdateCheck::Sock_Connect);
    connect(Sock, &QTcpSocket::readyRead, this, &UpdateCheck::Sock_DataArrival);
    connect(Sock, &QTcpSocket::errorOccurred, this, &UpdateCheck::Sock_Error);
}

void UpdateCheck::SetTimeoutMs(int ms) {
    m_timeout->setInterval(ms);
}

bool UpdateCheck::Busy() const {
    return Sock->state() != QAbstractSocket::UnconnectedState;
}

void UpdateCheck::Start() {
    if (m_started) return;
    m_started = true;
    const UpdateServer server =
        ChooseUpdateServer(qEnvironmentVariable("CORVEL_UPDATE_SERVER"), SiteAddress());
    if (server.host.isEmpty()) return;
    m_host = server.host;
    m_timeout->start();
    Sock->connectToHost(server.host, server.port);
}

void UpdateCheck::Sock_Connect() {
    Sock->write(
        UpdateRequest(ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("Aberturas")),
                      VersionText(), m_host));
}

void UpdateCheck::Sock_DataArrival() {
    // One byte over the limit tells a reply that is too long.
    m_received += Sock->read(kUpdateReplyLimit + 1 - m_received.size());
    const UpdateReply reply = ParseUpdateReply(m_received.left(kUpdateReplyLimit));
    if (!reply.complete) {
        if (m_received.size() > kUpdateReplyLimit) Finish();
        return;
    }
    Finish();
    Act(reply.kind, reply.message);
}

void UpdateCheck::Sock_Error() {
    Finish();
}

void UpdateCheck::Finish() {
    m_timeout->stop();
    Sock->abort();
    m_received.clear();
    m_received.squeeze();
}

void UpdateCheck::Act(const QString &kind, const QString &message) {
    QTimer *anima = m_main.tmrAnima();
    if (kind == QLatin1String("update")) {
        anima->stop();
        PlayTones({{900, 200}, {1000, 200}, {1100, 250}});
        if (RunCountShowsBox(
                ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("Aberturas"))))
            m_main.services().dialogs().message(
                &m_main, UpdateBoxText(VersionText(), message, DownloadPage(SiteAddress())),
                QStringLiteral("Atualização do Corvel"), MsgIcon::Warning);
        m_main.SetStatusPanelText(8, UpdateStatusText(message));
    } else if (kind == QLatin1String("info")) {
        anima->stop();
        m_main.SetStatusPanelText(8, message);
        PlayTones({{1100, 200}, {1000, 200}, {900, 250}});
    } else {
        return;
    }
    // While the interval is 12000 ms the status messages leave the text
    // alone; the timer's next tick clears it.
    anima->setInterval(12000);
    anima->start();
}

void UpdateCheck::PlayTones(QList<QPair<int, int>> tones) {
    // One after the other, the window's events running in between.
    if (tones.isEmpty()) return;
    const QPair<int, int> tone = tones.takeFirst();
    if (m_main.services().tone) m_main.services().tone(tone.first, tone.second);
    QPointer<UpdateCheck> self(this);
    QTimer::singleShot(tone.second, this, [self, tones] {
        if (self) self->PlayTones(tones);
    });
}

UpdateCheck *UpdateCheckOf(const frmMain &m) {
    return m.findChild<UpdateCheck *>(QStringLiteral("UpdateCheck"), Qt::FindDirectChildrenOnly);
}

void RegisterUpdateCheck(frmMain &m) {
    auto *check = new UpdateCheck(m);
    m.services().firstAutoSaveTick << [check] { check->Start(); };
}
