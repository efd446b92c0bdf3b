#include "appearance/AccessibleSegmentedControl.h"

#include "appearance/AccessibleSegment.h"
#include "appearance/AppSegmentedControl.h"

#include <mutex>

namespace scriblo {

namespace {

QAccessibleInterface* describe(const QString&, QObject* object)
{
    if (auto control = qobject_cast<AppSegmentedControl*>(object))
        return new AccessibleSegmentedControl(control);
    return nullptr;
}

}

AccessibleSegmentedControl::AccessibleSegmentedControl(AppSegmentedControl* control)
    : QAccessibleWidget(control, QAccessible::PageTabList)
{
}

AccessibleSegmentedControl::~AccessibleSegmentedControl()
{
    for (QAccessible::Id id : std::as_const(m_segments))
        QAccessible::deleteAccessibleInterface(id);
}

void AccessibleSegmentedControl::install()
{
    // Qt asks every installed factory about every object, so this one is installed once.
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(describe); });
}

AppSegmentedControl* AccessibleSegmentedControl::control() const
{
    return static_cast<AppSegmentedControl*>(widget());
}

int AccessibleSegmentedControl::childCount() const
{
    return control()->segmentCount();
}

QAccessibleInterface* AccessibleSegmentedControl::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (auto known = m_segments.find(index); known != m_segments.end())
        return QAccessible::accessibleInterface(*known);
    auto segment = new AccessibleSegment(control(), index);
    m_segments.insert(index, QAccessible::registerAccessibleInterface(segment));
    return segment;
}

int AccessibleSegmentedControl::indexOfChild(const QAccessibleInterface* child) const
{
    for (auto known = m_segments.cbegin(); known != m_segments.cend(); ++known) {
        if (QAccessible::accessibleInterface(known.value()) == child)
            return known.key();
    }
    return -1;
}

QAccessibleInterface* AccessibleSegmentedControl::childAt(int x, int y) const
{
    QPoint position = control()->mapFromGlobal(QPoint(x, y));
    for (int segment = 0; segment < childCount(); ++segment) {
        if (control()->segmentRect(segment).contains(position))
            return child(segment);
    }
    return nullptr;
}

}
