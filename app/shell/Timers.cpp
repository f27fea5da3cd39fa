// The main window's three timers: caret position and save state, status
// messages and the busy animation, and the auto-save tick.
#include "LockKeys.h"
#include "frmMain.h"
#include "frmMainPrivate.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QTimer>
#include <QToolBar>

void frmMain::BuildTimers() {
    d->anima = new QTimer(this);
    d->anima->setObjectName(QStringLiteral("tmrAnima"));
    d->anima->setInterval(3000);
    connect(d->anima, &QTimer::timeout, this, &frmMain::tmrAnima_Timer);
    d->anima->start();

    d->updatePos = new QTimer(this);
    d->updatePos->setObjectName(QStringLiteral("tmrUpdatePos"));
    d->updatePos->setInterval(120);
    connect(d->updatePos, &QTimer::timeout, this, &frmMain::tmrUpdatePos_Timer);
    d->updatePos->start();

    d->autoSave = new QTimer(this);
    d->autoSave->setObjectName(QStringLiteral("tmrAutoSave"));
    d->autoSave->setInterval(60000);
    connect(d->autoSave, &QTimer::timeout, this, &frmMain::tmrAutoSave_Timer);
}

QTimer *frmMain::tmrAnima() const {
    return d->anima;
}
QTimer *frmMain::tmrUpdatePos() const {
    return d->updatePos;
}
QTimer *frmMain::tmrAutoSave() const {
    return d->autoSave;
}

void frmMain::tmrUpdatePos_Timer() {
    // Lock keys, date and time follow the clock whether or not a document
    // is open.
    const int caps = corvel::LockKeyState(corvel::LockKey::Caps);
    const int num = corvel::LockKeyState(corvel::LockKey::Num);
    if (caps >= 0) d->panels[1]->setEnabled(caps == 1);
    if (num >= 0) d->panels[2]->setEnabled(num == 1);
    const QLocale br(QStringLiteral("pt_BR"));
    const QDateTime now = d->services.now();
    SetStatusPanelText(4, br.toString(now.date(), QLocale::ShortFormat));
    SetStatusPanelText(5, br.toString(now.time(), QLocale::ShortFormat));

    ICorvelEdit *ed = CurrentEditor();
    if (!ed) {
        if (d->updatePos->interval() != 1000) d->updatePos->setInterval(1000);
        SetStatusPanelText(6, QString());
        RefreshSaveState();
        return;
    }
    SetStatusPanelText(6, ed->Linha() + QStringLiteral(" : ") + ed->Coluna());
    d->panels[0]->setEnabled(!ed->Sobrescrever());
    RefreshSaveState();
    if (d->updatePos->interval() != 120) d->updatePos->setInterval(120);
}

void frmMain::tmrAnima_Timer() {
    if (!CurrentEditor()) {
        d->anima->stop();
        SetStatusPanelText(8, QString());
        return;
    }
    if (!d->barra->isHidden() && !d->toolbar->isEnabled()) {
        d->anima->setInterval(500);
        SetStatusPanelText(8, QStringLiteral("AGUARDE... Processando tarefa..."));
        if (d->barra->value() >= 16) d->barra->setValue(0);
        d->barra->setValue(d->barra->value() + 1);
        QCoreApplication::processEvents();
        return;
    }
    d->anima->setInterval(3000);
    d->anima->stop();
    SetStatusPanelText(8, QString());
}

void frmMain::tmrAutoSave_Timer() {
    if (d->hooks.autoSaveTick) d->hooks.autoSaveTick();
}
