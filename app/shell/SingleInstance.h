#pragma once
// One running Corvel per user (and per settings store and program folder):
// the first instance listens on a local socket that only its user can reach;
// a later start hands its command line over and ends.
#include <QObject>
#include <QString>

class QLocalServer;

namespace corvel {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject *parent = nullptr);
    ~SingleInstance() override;

    // The socket name: the user's id and a digest of the settings store and
    // program folder, in the user's runtime folder (or a private folder of
    // its own when that is missing or held by someone else).
    static QString ServerName();
    static QString RuntimeFolder();

    // Sends text to a running instance. True when one was reached (then this
    // instance ends, whatever happened to the text). A socket owned by
    // another user is never connected to.
    static bool HandOver(const QString &text, int timeoutMs = 2000);

    // Starts listening; a name left behind by a crashed instance is removed
    // and taken over. False when listening failed.
    bool Listen();

signals:
    // A text handed over by another instance.
    void received(const QString &text);

private:
    QLocalServer *m_server = nullptr;
};

} // namespace corvel
