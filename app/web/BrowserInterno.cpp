#include "BrowserInterno.h"

#include <QCoreApplication>
#include <QTimer>

using namespace corvel::browser;

BrowserInterno::BrowserInterno(const QString &program, QObject *parent)
    : QObject(parent), m_program(program) {}

BrowserInterno::~BrowserInterno() {
    if (!m_process) return;
    m_process->disconnect(this);
    if (m_process->state() == QProcess::NotRunning) {
        delete m_process;
        return;
    }
    // The program ends once its input closes; the process object outlives
    // this one until then, so the window is not killed on the spot.
    m_process->closeWriteChannel();
    m_process->setParent(QCoreApplication::instance());
    QProcess *process = m_process;
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QTimer::singleShot(10000, process, [process] {
        if (process->state() != QProcess::NotRunning) process->kill();
    });
}

bool BrowserInterno::Iniciar(QString *error) {
    if (m_process) return Executando();
    m_process = new QProcess(this);
    m_process->setProgram(m_program);
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &BrowserInterno::readEvents);
    connect(m_process, &QProcess::readyReadStandardError, this, [this] {
        m_errors += m_process->readAllStandardError();
        if (m_errors.size() > 4096) m_errors = m_errors.right(4096);
    });
    connect(m_process, &QProcess::finished, this, &BrowserInterno::finished);
    m_process->start();
    if (!m_process->waitForStarted(10000)) {
        if (error) *error = m_process->errorString();
        m_failed = true;
        return false;
    }
    return true;
}

bool BrowserInterno::Executando() const {
    return m_process && m_process->state() == QProcess::Running;
}

void BrowserInterno::URL(const QString &address) {
    send(QString::fromLatin1(kUrl), {address});
}

void BrowserInterno::URLBar(bool show) {
    send(QString::fromLatin1(kUrlBar), {show ? QStringLiteral("1") : QStringLiteral("0")});
}

void BrowserInterno::Atualizar() {
    send(QString::fromLatin1(kAtualizar));
}

void BrowserInterno::Fechar() {
    send(QString::fromLatin1(kFechar));
}

void BrowserInterno::Encerrar(int waitMs) {
    if (!Executando()) return;
    Fechar();
    m_process->closeWriteChannel();
    if (m_process->waitForFinished(waitMs)) return;
    m_process->terminate();
    if (!m_process->waitForFinished(2000)) {
        m_process->kill();
        m_process->waitForFinished(2000);
    }
}

void BrowserInterno::send(const QString &name, const QStringList &args) {
    if (Executando()) m_process->write(Encode(name, args));
}

void BrowserInterno::readEvents() {
    m_pending += m_reader.feed(m_process->readAllStandardOutput());
    scheduleDispatch();
}

void BrowserInterno::scheduleDispatch() {
    // The events are taken from the event loop, never inside the process's
    // own signals: a handler that lets events run (a status message, a
    // message box) would hold back what the process writes next.
    if (!m_dispatchScheduled) {
        m_dispatchScheduled = true;
        QTimer::singleShot(0, this, &BrowserInterno::dispatch);
    }
}

void BrowserInterno::dispatch() {
    m_dispatchScheduled = false;
    if (m_dispatching) return; // the running dispatch takes the rest
    m_dispatching = true;
    while (!m_pending.isEmpty()) {
        const Message m = m_pending.takeFirst();
        if (m.name == QLatin1String(kPronto)) {
            m_ready = true;
            emit Iniciado();
        } else if (m.name == QLatin1String(kDocumentComplete)) {
            emit DocumentComplete(m.arg(0));
        } else if (m.name == QLatin1String(kProgressChange)) {
            emit ProgressChange(m.arg(0).toInt(), m.arg(1).toInt());
        } else if (m.name == QLatin1String(kOnQuit)) {
            m_quit = true;
            emit OnQuit();
        } else if (m.name == QLatin1String(kErro) && !m_failed) {
            m_failed = true;
            emit Falhou(m.arg(0), !m_ready);
        }
    }
    if (m_ended && !m_quit && !m_failed) {
        m_failed = true;
        emit Falhou(m_endReason, !m_ready);
    }
    m_dispatching = false;
}

QString BrowserInterno::errorTail() const {
    // The last non-empty line the program wrote: usually why it stopped.
    const QList<QByteArray> lines = m_errors.trimmed().split('\n');
    for (auto it = lines.crbegin(); it != lines.crend(); ++it)
        if (!it->trimmed().isEmpty()) return QString::fromLocal8Bit(it->trimmed());
    return QString();
}

void BrowserInterno::finished(int exitCode, QProcess::ExitStatus status) {
    // Events written just before the end are still to be read; the end
    // counts after them.
    readEvents();
    m_endReason = status == QProcess::CrashExit
                      ? QStringLiteral("O navegador interno foi interrompido.")
                      : QStringLiteral("O navegador interno terminou (código %1).").arg(exitCode);
    const QString tail = errorTail();
    if (!tail.isEmpty()) m_endReason += QLatin1Char('\n') + tail;
    m_ended = true;
    scheduleDispatch();
}
