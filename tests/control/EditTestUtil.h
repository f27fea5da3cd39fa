#pragma once
// Helpers for the editor component tests: an instance shown offscreen, key
// presses as X11 delivers them, and file helpers.
#include "CorvelEdit.h"
#include "EditSurface.h"

#include <QFile>
#include <QKeyEvent>
#include <QtTest>

#include <memory>

namespace edittest {

inline std::unique_ptr<CorvelEdit> NewEditor(int width = 600, int height = 300) {
    auto ed = std::make_unique<CorvelEdit>();
    ed->resize(width, height);
    ed->show();
    return ed;
}

// Sends a key press and release to the surface; returns whether the press
// was accepted by the surface (not passed on to the host).
inline bool Key(CorvelEdit &ed, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                const QString &text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(ed.surface(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(ed.surface(), &release);
    return press.isAccepted();
}

inline void Select(CorvelEdit &ed, int start, int length) {
    ed.setSelInicio(start);
    ed.setSelTamanho(length);
}

inline QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace edittest
