#include "TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace corvel {

namespace {

int g_pipe[2] = {-1, -1};
TerminationSignals *g_instance = nullptr;
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void OnTerminationSignal(int signalNumber) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Nothing else is safe here; a full pipe already holds a request.
    if (::write(g_pipe[1], &byte, 1) < 0) {
    }
    errno = saved;
}

} // namespace

TerminationSignals *TerminationSignals::Install() {
    if (g_instance) return g_instance;
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return nullptr;
    g_instance = new TerminationSignals;
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : kSignals)
        ::sigaction(s, &action, nullptr);
    return g_instance;
}

TerminationSignals::TerminationSignals() : QObject(QCoreApplication::instance()) {
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::Drain);
}

TerminationSignals::~TerminationSignals() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int s : kSignals)
        ::sigaction(s, &action, nullptr);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
    g_instance = nullptr;
}

void TerminationSignals::Drain() {
    unsigned char bytes[16];
    const ssize_t n = ::read(g_pipe[0], bytes, sizeof bytes);
    for (ssize_t i = 0; i < n; ++i)
        emit received(int(bytes[i]));
}

} // namespace corvel
