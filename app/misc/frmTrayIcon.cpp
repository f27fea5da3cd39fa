#include "frmTrayIcon.h"

#include "Settings.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QPointer>

using namespace corvel;

namespace {

const char kTrayName[] = "frmTrayIcon";

} // namespace

frmTrayIcon::frmTrayIcon(frmMain &m) : QWidget(&m, Qt::Window), m_main(m) {
    setObjectName(QLatin1String(kTrayName));
    setAttribute(Qt::WA_DontShowOnScreen);
    mnuSysTray = new QMenu(this);
    mnuSysTray->setObjectName(QStringLiteral("mnuSysTray"));
    struct Item {
        QAction **action;
        const char *name;
        const char *caption;
        void (frmTrayIcon::*handler)();
    };
    const Item items[] = {
        {&mnuMaximizar, "mnuMaximizar", "Maximizar", &frmTrayIcon::Restore},
        {&mnuMinimizar, "mnuMinimizar", "Minimizar", &frmTrayIcon::mnuMinimizar_Click},
        {nullptr, "mnuSep", "-", nullptr},
        {&mnuSobre, "mnuSobre", "Sobre", &frmTrayIcon::mnuSobre_Click},
        {&mnuSair, "mnuSair", "Sair", &frmTrayIcon::mnuSair_Click},
    };
    for (const Item &it : items) {
        QAction *a = it.action ? mnuSysTray->addAction(QString::fromUtf8(it.caption))
                               : mnuSysTray->addSeparator();
        a->setObjectName(QLatin1String(it.name));
        if (!it.action) continue;
        *it.action = a;
        const auto handler = it.handler;
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    }
    Icon = new QSystemTrayIcon(m.windowIcon(), this);
    Icon->setObjectName(QStringLiteral("Icon"));
    Icon->setToolTip(QStringLiteral("Corvel"));
    // The menu pops up from the activation, so that a modal dialog can keep
    // it closed.
    connect(Icon, &QSystemTrayIcon::activated, this, &frmTrayIcon::Icon_Activated);
    if (QSystemTrayIcon::isSystemTrayAvailable()) Icon->show();
}

frmTrayIcon::~frmTrayIcon() {
    Icon->hide();
}

bool frmTrayIcon::IconShown() const {
    return Icon->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

bool frmTrayIcon::MainTakesInput() const {
    return m_main.isEnabled() && !QApplication::activeModalWidget();
}

void frmTrayIcon::Icon_Activated(QSystemTrayIcon::ActivationReason reason) {
    if (!MainTakesInput()) return;
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        Restore();
        break;
    case QSystemTrayIcon::Context:
        mnuSysTray->popup(QCursor::pos());
        break;
    default:
        break;
    }
}

void frmTrayIcon::Restore() {
    m_main.showMaximized();
    m_main.raise();
    m_main.activateWindow();
    QCoreApplication::processEvents();
}

void frmTrayIcon::mnuMinimizar_Click() {
    // Minimised from here the window stays off the task bar when "TaskBar"
    // is "0" (the main window hides itself then, while this icon shows).
    m_main.setWindowState((m_main.windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
}

void frmTrayIcon::mnuSobre_Click() {
    Restore();
    m_main.Trigger(cmd::AjudaSobreCorvel);
}

void frmTrayIcon::mnuSair_Click() {
    m_main.Trigger(cmd::ArquivoSair);
}

frmTrayIcon *TrayIconOf(const frmMain &m) {
    return m.findChild<frmTrayIcon *>(QLatin1String(kTrayName), Qt::FindDirectChildrenOnly);
}

void RegisterTrayIcon(frmMain &m) {
    m.services().trayIcon = [&m](bool shown) {
        frmTrayIcon *tray = TrayIconOf(m);
        if (shown && !tray) new frmTrayIcon(m);
        if (!shown && tray) delete tray;
    };
    m.services().canHideMinimised = [&m] {
        const frmTrayIcon *tray = TrayIconOf(m);
        return tray && tray->IconShown();
    };
    frmMain::Hooks &h = m.hooks();
    std::function<void()> before = h.afterLoad;
    h.afterLoad = [before, &m] {
        if (before) before();
        if (ReadSetting(QStringLiteral("Configuracao"), QStringLiteral("SysTray")) ==
            QLatin1String("1"))
            m.services().trayIcon(true);
    };
    std::function<void()> unload = h.unloadTray;
    h.unloadTray = [unload, &m] {
        if (unload) unload();
        delete TrayIconOf(m);
    };
}
