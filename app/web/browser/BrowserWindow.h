#pragma once
// The internal browser's window: a web view that fills the screen, with an
// address bar shown on request. It takes Corvel's commands and reports its
// own events through the channel it was given.
#include <QMainWindow>
#include <QPointF>
#include <QStringList>
#include <functional>

class QLineEdit;
class QToolBar;
class QWebEngineView;

class BrowserWindow : public QMainWindow {
    Q_OBJECT
public:
    // send writes one message to Corvel.
    explicit BrowserWindow(std::function<void(const QString &, const QStringList &)> send);

    // Loads the first, empty page; ready() follows when the engine shows it,
    // failed(description) when it cannot.
    void start();
    // Corvel's commands; each is dropped while a page is loading.
    void command(const QString &name, const QStringList &args);
    bool busy() const { return m_busy; }

signals:
    void ready();
    void failed(const QString &description);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void navigate(const QString &address);
    void reload();
    void loadStarted();
    void loadProgress(int percent);
    void loadFinished(bool ok);

    std::function<void(const QString &, const QStringList &)> m_send;
    QWebEngineView *m_view = nullptr;
    QToolBar *m_bar = nullptr;
    QLineEdit *m_address = nullptr;
    bool m_started = false; // the first page was shown
    bool m_busy = false;
    bool m_restoreScroll = false;
    QPointF m_scroll;
};
