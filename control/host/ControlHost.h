#pragma once
// The one way Corvel, Tessim and the colouriser create editor instances: load
// the CorvelControl plugin from the installation folder and ask its factory.
// A missing or broken library gives nullptr ("creation failed"), never a
// crash or a link error.
#include "corvel/ICorvelEdit.h"

#include <QString>

class QWidget;

namespace corvel {

// Path of libCorvelControl.so that hosts load (installation folder, or
// $CORVEL_CONTROL_PATH when set).
QString ControlLibraryPath();
// Tests may point hosts at another library file.
void SetControlLibraryPath(const QString &path);

// A new instance for classId ("CorvelControl.CorvelEdit"), or nullptr; the
// error text says why creation failed.
QWidget *CreateControl(const QString &classId, QWidget *parent, QString *error = nullptr);

// CreateControl("CorvelControl.CorvelEdit", ...) as the editor interface.
ICorvelEdit *CreateCorvelEdit(QWidget *parent, QString *error = nullptr);

// The editor interface of a widget made by CreateControl, or nullptr.
ICorvelEdit *AsCorvelEdit(QObject *widget);

} // namespace corvel
