#pragma once
// State of the main window shared by its source files (menus, toolbar,
// status bar, tabs, timers). Not for other subsystems: they use frmMain.
#include "frmMain.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QString>
#include <functional>

class QGridLayout;
class QStatusBar;

struct frmMain::Private {
    // menus
    QHash<QString, QAction *> actions; // every row of the menu table
    QHash<QString, QMenu *> menus;     // rows that have children
    QHash<QString, QString> parentOf;  // row -> parent row ("" for the bar)
    QHash<QString, std::function<void()>> handlers;
    QHash<QString, bool> disabledAtStart; // rows the owner enables later
    bool documentMenusEnabled = true;

    // toolbar
    QToolBar *toolbar = nullptr;
    struct Button {
        QAction *action;
        QString command;
    };
    QList<Button> buttons;
    QSet<QString> toolbarCommands; // commands the buttons run
    QAction *quoteButton = nullptr;

    // documents
    QTabBar *tabs = nullptr;
    QStackedWidget *stack = nullptr;
    QProgressBar *barra = nullptr;

    // status bar
    QStatusBar *status = nullptr;
    QLabel *panels[8] = {};

    // timers
    QTimer *anima = nullptr;
    QTimer *updatePos = nullptr;
    QTimer *autoSave = nullptr;

    QList<std::function<bool(QKeyEvent *)>> keyFilters;
    std::function<void(const QString &, int)> comando;
    std::function<void(const QString &)> openFile;
    Hooks hooks;
    corvel::Services services;
    bool busy = false;
    bool loadFailed = false;
    bool loaded = false;
    bool unloading = false; // the exit's questions are open
    bool unloaded = false;
    QString commandLine;
};

#include "StatusTexts.h"

namespace corvel {
// "Corvel " + version text.
QString BaseCaption();
} // namespace corvel
