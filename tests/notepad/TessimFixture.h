#pragma once
// A notepad window with scripted dialogs and recorded services, on a
// scratch folder.
#include "ControlHost.h"
#include "Commands.h"
#include "ScriptedDialogs.h"
#include "TessimServices.h"
#include "frmTessim.h"

#include <QFont>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

struct RecordedServices : tessim::ITessimServices {
    RecordedServices() { tessim::SetServices(this); }
    ~RecordedServices() override { tessim::SetServices(nullptr); }

    int beeps = 0;
    QList<QUrl> urls;
    bool urlsOpen = true;
    QList<QStringList> started; // program, then its arguments
    bool programsStart = true;
    QList<QStringList> printed;
    QString printFont;
    QString printError;

    void beep() override { ++beeps; }
    bool openUrl(const QUrl &url) override {
        urls << url;
        return urlsOpen;
    }
    bool startProgram(const QString &program, const QStringList &arguments) override {
        started << (QStringList{program} + arguments);
        return programsStart;
    }
    QString print(const QStringList &lines, const QFont &font) override {
        printed << lines;
        printFont = font.family() + QLatin1Char(' ') + QString::number(font.pointSize());
        return printError;
    }
};

struct Notepad {
    Notepad() {
        corvel::SetControlLibraryPath(qEnvironmentVariable("CORVEL_BIN_DIR") +
                                      QStringLiteral("/libCorvelControl.so"));
        window = std::make_unique<tessim::frmTessim>();
        QString error;
        ok = window->Init(&error);
        if (!ok) qWarning("%s", qPrintable(error));
    }
    ~Notepad() {
        // Closing asks nothing of a test that is over.
        if (window && window->Editor()) window->Editor()->setGravado(true);
    }
    tessim::frmTessim &w() { return *window; }
    ICorvelEdit *ed() { return window->Editor(); }
    QString file(const QString &name) const { return dir.filePath(name); }

    // Sets the text (as typed: modified) and the selection.
    void type(const QString &text, int selStart = -1, int selLength = 0) {
        ed()->setTexto(text);
        ed()->setSelInicio(selStart < 0 ? int(ed()->Tamanho()) : selStart);
        ed()->setSelTamanho(selLength);
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    RecordedServices services;
    std::unique_ptr<tessim::frmTessim> window;
    bool ok = false;
};

inline QByteArray ReadFileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
inline bool WriteFileBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
