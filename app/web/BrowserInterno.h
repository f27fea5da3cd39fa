#pragma once
// BrowserInterno: drives the internal browser, a program of its own
// ("CorvelBrowser") that shows web pages in one full-screen window. Corvel
// never loads the web engine itself: it starts that program and talks to it
// through its standard input and output (BrowserProtocol.h).
//
// The program drops every command that arrives while it loads a page, as a
// busy browser would.
#include "BrowserProtocol.h"

#include <QObject>
#include <QProcess>
#include <QString>

class BrowserInterno : public QObject {
    Q_OBJECT
public:
    explicit BrowserInterno(const QString &program, QObject *parent = nullptr);
    // Stops listening. A program still running is told to close and left
    // to end on its own.
    ~BrowserInterno() override;

    // Starts the program; false with *error when it cannot be started at all.
    // Its engine may still fail afterwards (Falhou with starting true).
    bool Iniciar(QString *error);
    // True while the program runs.
    bool Executando() const;
    // True once the program said its engine runs.
    bool Pronto() const { return m_ready; }

    // Navigates to an address (a file path, "about:blank", a web address).
    void URL(const QString &address);
    // Shows or hides the address bar.
    void URLBar(bool show);
    // Reloads the page, keeping its scroll position.
    void Atualizar();
    // Asks the window to close.
    void Fechar();
    // Closes the window whatever it does: Fechar, then the end of the
    // conversation; waits up to waitMs for the program to end, then ends it.
    void Encerrar(int waitMs);

signals:
    void Iniciado();
    void DocumentComplete(const QString &address);
    void ProgressChange(int progress, int maximum);
    // The user closed the window, or Fechar did.
    void OnQuit();
    // The program failed: before its engine ran (starting), or later (a
    // page's process ended, or the program ended without closing its window).
    void Falhou(const QString &description, bool starting);

private:
    void send(const QString &name, const QStringList &args = {});
    void readEvents();
    void scheduleDispatch();
    void dispatch();
    void finished(int exitCode, QProcess::ExitStatus status);
    QString errorTail() const;

    QString m_program;
    QProcess *m_process = nullptr;
    corvel::browser::MessageReader m_reader;
    QList<corvel::browser::Message> m_pending; // read, not yet handled
    bool m_dispatchScheduled = false;
    bool m_dispatching = false;
    bool m_ended = false; // the program ended
    QString m_endReason;
    QByteArray m_errors; // the last of what the program wrote to its standard error
    bool m_ready = false;
    bool m_quit = false;   // OnQuit arrived
    bool m_failed = false; // Falhou was emitted
};
