#include "BrowserWindow.h"

#include "BrowserProtocol.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QToolBar>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace corvel::browser;

namespace {

const QString kTitle = QStringLiteral("Corvel Browser");

// An absolute path is a local file; anything else an address as typed.
QUrl AddressUrl(const QString &address) {
    if (address.startsWith(QLatin1Char('/'))) return QUrl::fromLocalFile(address);
    if (address.compare(QLatin1String("about:blank"), Qt::CaseInsensitive) == 0)
        return QUrl(QStringLiteral("about:blank"));
    return QUrl::fromUserInput(address, QDir::currentPath(), QUrl::AssumeLocalFile);
}

QString AddressText(const QUrl &url) {
    return url.isLocalFile() ? url.toLocalFile() : url.toString();
}

} // namespace

BrowserWindow::BrowserWindow(std::function<void(const QString &, const QStringList &)> send)
    : m_send(std::move(send)) {
    setWindowTitle(kTitle);
    setObjectName(QStringLiteral("CorvelBrowser"));
    m_bar = addToolBar(QStringLiteral("Endereço"));
    m_bar->setMovable(false);
    m_address = new QLineEdit(m_bar);
    m_address->setObjectName(QStringLiteral("txtEndereco"));
    m_bar->addWidget(m_address);
    m_bar->hide();
    m_view = new QWebEngineView(this);
    setCentralWidget(m_view);
    connect(m_address, &QLineEdit::returnPressed, this, [this] {
        if (!m_address->text().trimmed().isEmpty()) navigate(m_address->text().trimmed());
    });
    connect(m_view, &QWebEngineView::loadStarted, this, &BrowserWindow::loadStarted);
    connect(m_view, &QWebEngineView::loadProgress, this, &BrowserWindow::loadProgress);
    connect(m_view, &QWebEngineView::loadFinished, this, &BrowserWindow::loadFinished);
    connect(m_view, &QWebEngineView::urlChanged, this,
            [this](const QUrl &url) { m_address->setText(AddressText(url)); });
    connect(m_view->page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int code) {
                if (status == QWebEnginePage::NormalTerminationStatus) return;
                const QString why =
                    QStringLiteral("O processo de exibição terminou (código %1).").arg(code);
                m_busy = false;
                if (!m_started)
                    emit failed(why);
                else
                    m_send(QString::fromLatin1(kErro), {why});
            });
    // The whole screen, frame and all, from its top left corner.
    if (QScreen *screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
}

void BrowserWindow::start() {
    m_busy = true;
    m_view->setUrl(QUrl(QStringLiteral("about:blank")));
    show();
}

void BrowserWindow::command(const QString &name, const QStringList &args) {
    if (m_busy) return;
    if (name == QLatin1String(kUrl)) {
        if (!args.isEmpty()) navigate(args.first());
    } else if (name == QLatin1String(kUrlBar)) {
        m_bar->setVisible(args.value(0) == QLatin1String("1"));
    } else if (name == QLatin1String(kAtualizar)) {
        reload();
    } else if (name == QLatin1String(kFechar)) {
        close();
    }
}

void BrowserWindow::navigate(const QString &address) {
    const QUrl url = AddressUrl(address);
    if (!url.isValid()) {
        m_send(QString::fromLatin1(kErro), {QStringLiteral("Endereço inválido: %1").arg(address)});
        return;
    }
    showNormal();
    raise();
    activateWindow();
    m_busy = true;
    m_restoreScroll = false;
    m_view->setUrl(url);
}

void BrowserWindow::reload() {
    showNormal();
    raise();
    activateWindow();
    // The page comes back where the reader left it.
    m_scroll = m_view->page()->scrollPosition();
    m_restoreScroll = true;
    m_busy = true;
    m_view->reload();
}

void BrowserWindow::loadStarted() {
    m_busy = true;
}

void BrowserWindow::loadProgress(int percent) {
    if (m_started)
        m_send(QString::fromLatin1(kProgressChange),
               {QString::number(percent), QStringLiteral("100")});
}

void BrowserWindow::loadFinished(bool ok) {
    m_busy = false;
    if (!m_started) {
        m_started = true;
        if (!ok) {
            emit failed(QStringLiteral("O mecanismo de exibição não carregou a página inicial."));
            return;
        }
        emit ready();
        return;
    }
    if (m_restoreScroll) {
        m_restoreScroll = false;
        m_view->page()->runJavaScript(
            QStringLiteral("window.scrollTo(%1, %2);").arg(m_scroll.x()).arg(m_scroll.y()));
    }
    setWindowTitle(kTitle);
    m_send(QString::fromLatin1(kProgressChange), {QStringLiteral("0"), QStringLiteral("0")});
    m_send(QString::fromLatin1(kDocumentComplete), {AddressText(m_view->url())});
}

void BrowserWindow::closeEvent(QCloseEvent *event) {
    m_send(QString::fromLatin1(kOnQuit), {});
    event->accept();
}
