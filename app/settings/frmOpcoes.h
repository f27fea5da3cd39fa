#pragma once
// The options dialog "Opções": four pages of settings, each control writing
// its setting the moment it changes (there is no OK or Cancel). A few options
// act at once on the running program (tray icon, line wrapping of the current
// document, the toolbar's quotes button) or on the desktop ("Abrir com"
// entries for Corvel and Tessim).
#include "OptionTable.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QVBoxLayout;

namespace corvel {
class IDialogs;
}

// What the dialog needs from the program around it.
struct OptionsHost {
    std::function<corvel::IDialogs &()> dialogs;
    // Sets the current document's QuebrarLinha (nothing without a document).
    std::function<void(bool quebrarLinha)> setCurrentWrap;
    // Shows the quote style of an "Aspas" value on the toolbar.
    std::function<void(const QString &aspas)> showQuoteStyle;
    // Shows or removes the notification-area icon.
    std::function<void(bool shown)> trayIcon;
    // Opens the help at a context number.
    std::function<void(int context)> help;
    // Whether the internal browser can run here.
    std::function<bool()> internalBrowserAvailable;
    // The programs the desktop entries start; Tessim counts as installed
    // when its file may be run.
    QString corvelProgram;
    QString tessimProgram;
};

class frmOpcoes : public QDialog {
    Q_OBJECT
public:
    explicit frmOpcoes(OptionsHost host, QWidget *parent = nullptr);

    // Fills every control from the settings; writes nothing but the page
    // memory when it is empty and the browser choice when the internal
    // browser cannot run.
    void Form_Load();

    // Check box of the flag table by object name ("chkSplash").
    QCheckBox *Flag(const QString &name) const;

    QTabWidget *Tabs = nullptr;
    QCheckBox *chkIntegracao = nullptr;
    QCheckBox *chkViewSource = nullptr;
    QLineEdit *txtExtensao = nullptr;
    QLineEdit *txtUsuario = nullptr;
    QLineEdit *txtEmail = nullptr;
    QRadioButton *chkAspas[4] = {}; // normais, duplas, simples, barra aspa
    QSlider *sldTabs = nullptr;
    QLabel *lblTabs = nullptr;
    QSlider *sldGravacao = nullptr;
    QLabel *lblGravacao = nullptr;
    QPushButton *btnClrzAlterar[5] = {};
    QRadioButton *optPrevDoc = nullptr;
    QRadioButton *optPrevDisco = nullptr;
    QRadioButton *optBrowserPadrao = nullptr;
    QRadioButton *optCorvelBrowser = nullptr;
    QRadioButton *optBrowserEsp = nullptr;
    QLineEdit *txtBrowserPath = nullptr;
    QPushButton *cmbSelBrowser = nullptr;
    QComboBox *cmbTemplate[8] = {};

    void chkIntegracao_Click();
    void chkViewSource_Click();
    void btnClrzAlterar_Click(int index);
    void cmbSelBrowser_Click();

private:
    QWidget *BuildGeral();
    QWidget *BuildEdicao();
    QWidget *BuildPreview();
    QWidget *BuildComandos();
    void AddFlags(corvel::OptionPage page, QVBoxLayout *layout);
    void FlagChanged(QCheckBox *box, bool on);
    void QuoteChosen(int index);
    void BrowserChosen(QRadioButton *button);
    void RefreshEnabling();
    void ShowSwatch(int index);

    OptionsHost m_host;
    QLabel *m_swatches[5] = {};
    bool m_loading = false;
};
