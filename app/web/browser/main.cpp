// CorvelBrowser: the internal browser window that Corvel starts for its
// previews. Corvel's commands arrive on the standard input and the events go
// back on the standard output, one message a line; whatever the web engine
// itself prints goes to the standard error instead. The window closes when
// Corvel says so, when the user closes it, or when Corvel's end of the
// conversation goes away.
#include "BrowserProtocol.h"
#include "BrowserWindow.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <string>
#include <vector>
#endif

namespace {

int g_events = -1; // Corvel's end of the events

void Send(const QString &name, const QStringList &args) {
    if (g_events < 0) return;
    const QByteArray line = corvel::browser::Encode(name, args);
    qsizetype done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(g_events, line.constData() + done, size_t(line.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // Corvel is gone: nobody is left to report to.
            g_events = -1;
            return;
        }
        done += n;
    }
}

#if defined(__SANITIZE_ADDRESS__)
// The GL driver that draws the engine's pages is unloaded while the process
// ends, before the leak check runs; the check could then not say which
// library made the driver's own end-of-process allocations, and no
// suppression could name them. In the sanitizers' build the driver stays
// mapped to the very end.
void KeepGraphicsDriversMapped() {
    std::vector<std::string> drivers;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *list) {
            const char *name = info->dlpi_name;
            if (name && (std::strstr(name, "/dri/") || std::strstr(name, "libGLX_mesa") ||
                         std::strstr(name, "libEGL_mesa") || std::strstr(name, "libglapi")))
                static_cast<std::vector<std::string> *>(list)->push_back(name);
            return 0;
        },
        &drivers);
    for (const std::string &name : drivers)
        ::dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}
#endif

} // namespace

int main(int argc, char *argv[]) {
    // Writing to a Corvel that went away must not end the window abruptly.
    std::signal(SIGPIPE, SIG_IGN);
    // The events get the standard output to themselves; the engine's own
    // messages, and those of the processes it starts, go to the standard error.
    g_events = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    ::fcntl(STDIN_FILENO, F_SETFD, FD_CLOEXEC);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CorvelBrowser"));
    BrowserWindow window(Send);

    corvel::browser::MessageReader reader;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    input.setEnabled(false);
    QObject::connect(&input, &QSocketNotifier::activated, &window, [&] {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
        if (n <= 0) {
            // Corvel ended the conversation: the window goes with it.
            input.setEnabled(false);
            window.close();
            return;
        }
        for (const corvel::browser::Message &m : reader.feed(QByteArray(buffer, int(n))))
            window.command(m.name, m.args);
    });
    // Commands are read once the engine showed its first page, so none is
    // taken for a page that could never load.
    QObject::connect(&window, &BrowserWindow::ready, &window, [&] {
        Send(QString::fromLatin1(corvel::browser::kPronto), {});
        input.setEnabled(true);
    });
    int failure = 0;
    QObject::connect(&window, &BrowserWindow::failed, &window, [&](const QString &why) {
        Send(QString::fromLatin1(corvel::browser::kErro), {why});
        failure = 1;
        g_events = -1; // no OnQuit after a start that failed
        QTimer::singleShot(0, &app, [&] { app.exit(1); });
    });
    window.start();
    const int code = app.exec();
#if defined(__SANITIZE_ADDRESS__)
    KeepGraphicsDriversMapped();
#endif
    return failure ? failure : code;
}
