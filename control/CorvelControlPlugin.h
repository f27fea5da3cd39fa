#pragma once
// The plugin's root object: hosts load libCorvelControl.so with QPluginLoader
// and ask this factory for instances by class identifier.
#include "corvel/ICorvelEdit.h"

#include <QObject>

class CorvelControlFactory : public QObject, public ICorvelControlFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ICorvelControlFactory_iid FILE "CorvelControl.json")
    Q_INTERFACES(ICorvelControlFactory)
public:
    // "CorvelControl.CorvelEdit" gives a new CorvelEdit; any other identifier
    // nullptr.
    Q_INVOKABLE QWidget *createInstance(const QString &classId, QWidget *parent) override;
};
