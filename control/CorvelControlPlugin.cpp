#include "CorvelControlPlugin.h"

#include "CorvelEdit.h"

QWidget *CorvelControlFactory::createInstance(const QString &classId, QWidget *parent) {
    if (classId == QLatin1String("CorvelControl.CorvelEdit")) return new CorvelEdit(parent);
    return nullptr;
}
