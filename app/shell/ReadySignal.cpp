#include "ReadySignal.h"

#include <QApplication>
#include <QPointer>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace corvel {

bool ReadyForInput(const QWidget *window) {
    return window && window->isVisible() && window->windowHandle() &&
           window->windowHandle()->isExposed() && !QApplication::activeModalWidget() &&
           !QApplication::activePopupWidget();
}

namespace {

bool WriteReadyFile(const QString &path, const QWidget *window) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(QByteArray::number(QCoreApplication::applicationPid()) + ' ' +
            QByteArray::number(quint64(window->winId())) + '\n');
    return f.commit();
}

} // namespace

void AnnounceReadiness(QWidget *window) {
    const QString path = qEnvironmentVariable("CORVEL_READY_FILE");
    if (path.isEmpty() || !window) return;
    // A check every few milliseconds; once it holds, one more pass through
    // the event loop (a zero timer runs when the queue is empty) before the
    // file is written, and the same conditions must still hold then.
    auto *poll = new QTimer(window);
    poll->setInterval(20);
    QPointer<QWidget> w(window);
    QObject::connect(poll, &QTimer::timeout, window, [poll, w, path] {
        if (!ReadyForInput(w)) return;
        poll->stop();
        QTimer::singleShot(0, w, [poll, w, path] {
            if (!ReadyForInput(w)) {
                poll->start();
                return;
            }
            if (!WriteReadyFile(path, w))
                qWarning("ready file %s could not be written", qPrintable(path));
            poll->deleteLater();
        });
    });
    poll->start();
}

} // namespace corvel
