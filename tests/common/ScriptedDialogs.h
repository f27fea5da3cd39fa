#pragma once
// Dialogs for tests: every message is recorded, and answers come from queues
// the test fills. An unscripted question gets the box's default answer, so no
// test ever waits on a window.
#include "Dialogs.h"

#include <QQueue>
#include <QStringList>

struct RecordedMessage {
    QString text;
    QString title;
    corvel::MsgIcon icon;
    corvel::MsgButtons buttons;
};

class ScriptedDialogs : public corvel::IDialogs {
public:
    ScriptedDialogs() { corvel::SetDialogs(this); }
    ~ScriptedDialogs() override { corvel::SetDialogs(nullptr); }

    QList<RecordedMessage> messages;
    QQueue<corvel::MsgAnswer> answers;
    QQueue<QString> inputs; // a null QString means "cancelled"
    QQueue<QString> files;  // open/save/folder answers; "" = cancelled
    QQueue<int> fileTypes;  // file type chosen in the next open dialog (1-based)
    QQueue<int> colours;    // -1 = cancelled
    QQueue<QFont> fonts;
    QStringList prompts;       // prompts of the input boxes shown
    QStringList chooserTitles; // captions of the colour and font choosers shown
    QStringList openTitles;    // captions of the open-file dialogs shown
    QStringList openFolders;   // folders the open-file dialogs started in
    QStringList openFilters;   // filters of the open-file dialogs
    QList<int> colourStarts;   // colours the colour choosers started on
    QList<QFont> fontStarts;   // fonts the font choosers started on

    corvel::MsgAnswer message(QWidget *, const QString &text, const QString &title,
                              corvel::MsgIcon icon, corvel::MsgButtons buttons,
                              corvel::MsgAnswer defaultButton) override {
        messages.append({text, title, icon, buttons});
        if (!answers.isEmpty()) return answers.dequeue();
        return defaultButton;
    }
    bool input(QWidget *, const QString &prompt, const QString &, const QString &,
               QString *value) override {
        prompts << prompt;
        if (inputs.isEmpty()) return false;
        const QString v = inputs.dequeue();
        if (v.isNull()) return false;
        *value = v;
        return true;
    }
    QString openFile(QWidget *, const QString &title, const QString &folder, const QString &filters,
                     int *filterIndex) override {
        openTitles << title;
        openFolders << folder;
        openFilters << filters;
        if (!fileTypes.isEmpty()) *filterIndex = fileTypes.dequeue();
        return files.isEmpty() ? QString() : files.dequeue();
    }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &, int *) override {
        return files.isEmpty() ? QString() : files.dequeue();
    }
    QString chooseFolder(QWidget *, const QString &, const QString &) override {
        return files.isEmpty() ? QString() : files.dequeue();
    }
    bool chooseColour(QWidget *, const QString &title, int initial, int *chosen) override {
        chooserTitles << title;
        colourStarts << initial;
        if (colours.isEmpty() || colours.head() < 0) {
            if (!colours.isEmpty()) colours.dequeue();
            return false;
        }
        *chosen = colours.dequeue();
        return true;
    }
    bool chooseFont(QWidget *, const QString &title, const QFont &initial, QFont *chosen) override {
        chooserTitles << title;
        fontStarts << initial;
        if (fonts.isEmpty()) return false;
        *chosen = fonts.dequeue();
        return true;
    }

    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    QString lastTitle() const { return messages.isEmpty() ? QString() : messages.last().title; }
};
