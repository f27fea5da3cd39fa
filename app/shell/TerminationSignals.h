#pragma once
// The signals that end a desktop program from outside (SIGTERM at logout or
// system shutdown, SIGHUP when the terminal goes, SIGINT from Ctrl+C),
// delivered as a Qt signal in the event loop. The handler itself only writes
// the signal's number into a pipe; everything else runs in the loop.
#include <QObject>

class QSocketNotifier;

namespace corvel {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Catches the signals from now on; one object per process (a second
    // one returns the first).
    static TerminationSignals *Install();
    ~TerminationSignals() override;

signals:
    // One of the signals arrived (its number).
    void received(int signalNumber);

private:
    TerminationSignals();
    void Drain();
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace corvel
