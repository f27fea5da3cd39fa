// The status bar "Status" (eight panels), status messages and busy mode.
#include "Dialogs.h"
#include "IniFiles.h"
#include "LockKeys.h"
#include "StatusTexts.h"
#include "frmMain.h"
#include "frmMainPrivate.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>

void frmMain::BuildStatusBar() {
    d->status = statusBar();
    d->status->setObjectName(QStringLiteral("Status"));
    d->status->setSizeGripEnabled(true);
    static const char *const start[8] = {"INS", "CAPS",  "NUM", "",
                                         "",    "1 : 1", "PRJ", "Corvel iniciado"};
    const QLocale br(QStringLiteral("pt_BR"));
    for (int i = 0; i < 8; ++i) {
        auto *label = new QLabel(QString::fromUtf8(start[i]), d->status);
        label->setObjectName(QStringLiteral("Status_Painel%1").arg(i + 1));
        // Texts from files and replies show as they are, never as markup.
        label->setTextFormat(Qt::PlainText);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(4, 0, 4, 0);
        label->setAlignment(i == 7 ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
        if (i < 7) label->setMinimumWidth(i == 5 ? 90 : (i == 3 ? 80 : 44));
        d->status->addWidget(label, i == 7 ? 1 : 0);
        d->panels[i] = label;
    }
    const QDateTime now = d->services.now();
    d->panels[3]->setText(br.toString(now.date(), QLocale::ShortFormat));
    d->panels[4]->setText(br.toString(now.time(), QLocale::ShortFormat));
}

QString frmMain::StatusPanelText(int panel) const {
    if (panel < 1 || panel > 8) return QString();
    return d->panels[panel - 1]->text();
}

void frmMain::SetStatusPanelText(int panel, const QString &text) {
    if (panel < 1 || panel > 8) return;
    if (d->panels[panel - 1]->text() != text) d->panels[panel - 1]->setText(text);
}

bool frmMain::StatusPanelEnabled(int panel) const {
    return panel >= 1 && panel <= 8 && d->panels[panel - 1]->isEnabled();
}

void frmMain::SetStatusPanelEnabled(int panel, bool on) {
    if (panel >= 1 && panel <= 8) d->panels[panel - 1]->setEnabled(on);
}

void frmMain::ShowStatusMessage(const QString &text) {
    if (!d->toolbar->isEnabled() || d->anima->interval() == 12000) return;
    if (isVisible()) SetStatusPanelText(8, text);
    d->anima->stop();
    d->anima->start();
    QCoreApplication::processEvents();
}

void frmMain::SetBusyMode(bool on) {
    d->busy = on;
    ICorvelEdit *ed = CurrentEditor();
    if (on) {
        d->anima->setInterval(500);
        d->anima->start();
        menuBar()->setEnabled(false);
        d->toolbar->setEnabled(false);
        d->tabs->setEnabled(false);
        d->barra->setValue(0);
        d->barra->show();
        if (ed) ed->setVisivel(false);
    } else {
        d->anima->setInterval(3000);
        menuBar()->setEnabled(true);
        d->toolbar->setEnabled(true);
        d->tabs->setEnabled(true);
        d->barra->hide();
        if (ed) {
            ed->setVisivel(true);
            ed->Foco();
        }
        RefreshToolButtons();
        RefreshSaveState();
    }
    QCoreApplication::processEvents();
}

bool frmMain::IsBusy() const {
    return d->busy;
}

QProgressBar *frmMain::Barra() const {
    return d->barra;
}

void frmMain::Status_PanelDblClick(int panel) {
    ICorvelEdit *ed = CurrentEditor();
    if (!ed) return;
    const QLocale br(QStringLiteral("pt_BR"));
    switch (panel) {
    case 1:
        // The Insert key: insert and overwrite modes of the document.
        ed->setSobrescrever(!ed->Sobrescrever());
        break;
    case 2:
        corvel::ToggleLockKey(corvel::LockKey::Caps);
        break;
    case 3:
        corvel::ToggleLockKey(corvel::LockKey::Num);
        break;
    case 4:
        corvel::Message(this, corvel::LongDateText(br, d->services.now().date()),
                        QStringLiteral("Data"), corvel::MsgIcon::Information);
        break;
    case 5:
        corvel::Message(this, corvel::UptimeText(br, d->services.now(), corvel::StartTime()),
                        QStringLiteral("Hora e UpTime"), corvel::MsgIcon::Information);
        break;
    case 6:
        Trigger(corvel::cmd::FerramentasIrPara);
        break;
    case 7:
        if (ProjectFile.isEmpty())
            corvel::Message(this, QStringLiteral("Nenhum projeto sendo utilizado."),
                            QStringLiteral("Projeto"), corvel::MsgIcon::Information);
        else
            corvel::Message(
                this,
                QStringLiteral("O projeto em uso é:\r\n") +
                    ReadIniValue(QStringLiteral("Projeto"), QStringLiteral("Nome"), ProjectFile),
                QStringLiteral("Projeto"), corvel::MsgIcon::Information);
        break;
    default:
        break;
    }
}
