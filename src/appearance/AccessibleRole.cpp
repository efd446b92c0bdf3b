#include "appearance/AccessibleRole.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>

namespace scriblo {

namespace {

QHash<QString, QAccessible::Role>& assignedRoles()
{
    static QHash<QString, QAccessible::Role> roles;
    return roles;
}

QAccessibleInterface* withAssignedRole(const QString& className, QObject* object)
{
    auto found = assignedRoles().constFind(className);
    if (found == assignedRoles().constEnd() || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), *found);
}

}

void AccessibleRole::assign(const QMetaObject& type, QAccessible::Role role)
{
    static const bool installed = (QAccessible::installFactory(withAssignedRole), true);
    Q_UNUSED(installed);
    assignedRoles().insert(QString::fromLatin1(type.className()), role);
}

}
