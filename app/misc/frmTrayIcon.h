#pragma once
// The program's icon in the desktop's notification area, with its menu
// "Maximizar", "Minimizar", "Sobre", "Sair". It exists while this hidden
// window exists: at start when "SysTray" is "1", and while the option is on.
#include <QSystemTrayIcon>
#include <QWidget>

class QAction;
class QMenu;
class frmMain;

class frmTrayIcon : public QWidget {
    Q_OBJECT
public:
    explicit frmTrayIcon(frmMain &m);
    ~frmTrayIcon() override;

    // Whether the icon is on the desktop (false where there is no
    // notification area).
    bool IconShown() const;
    // A click, double click or context request on the icon; acts only while
    // the main window takes input (no modal dialog open).
    void Icon_Activated(QSystemTrayIcon::ActivationReason reason);
    // Shows the main window maximised, in front, with the keyboard.
    void Restore();
    void mnuMinimizar_Click();
    void mnuSobre_Click();
    void mnuSair_Click();

    QSystemTrayIcon *Icon = nullptr;
    QMenu *mnuSysTray = nullptr;
    QAction *mnuMaximizar = nullptr;
    QAction *mnuMinimizar = nullptr;
    QAction *mnuSobre = nullptr;
    QAction *mnuSair = nullptr;

private:
    bool MainTakesInput() const;
    frmMain &m_main;
};

// Attaches the tray to the main window: the services' trayIcon switch, the
// start-up step that shows it when "SysTray" is "1", its removal at the end,
// and the rule that a window minimised off the task bar hides only while the
// icon is there to bring it back.
void RegisterTrayIcon(frmMain &m);
// The tray window of m, or nullptr while there is none.
frmTrayIcon *TrayIconOf(const frmMain &m);
