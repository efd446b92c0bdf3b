#include "appearance/AccessibleSegment.h"

#include "appearance/AppSegmentedControl.h"

namespace scriblo {

AccessibleSegment::AccessibleSegment(AppSegmentedControl* control, int segment)
    : m_control(control)
    , m_segment(segment)
{
}

bool AccessibleSegment::isValid() const
{
    return m_control && m_segment < m_control->segmentCount();
}

QAccessibleInterface* AccessibleSegment::parent() const
{
    return QAccessible::queryAccessibleInterface(m_control.data());
}

QString AccessibleSegment::text(QAccessible::Text kind) const
{
    if (kind != QAccessible::Name || !isValid())
        return {};
    return m_control->label(m_segment);
}

QRect AccessibleSegment::rect() const
{
    if (!isValid())
        return {};
    QRect area = m_control->segmentRect(m_segment).toAlignedRect();
    return area.translated(m_control->mapToGlobal(QPoint(0, 0)));
}

QAccessible::State AccessibleSegment::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.selected = m_control->selectedSegment() == m_segment;
    state.disabled = !m_control->isEnabled();
    state.invisible = !m_control->isVisible();
    state.offscreen = !m_control->isVisible();
    return state;
}

void* AccessibleSegment::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList AccessibleSegment::actionNames() const
{
    return { pressAction() };
}

void AccessibleSegment::doAction(const QString& actionName)
{
    if (actionName == pressAction() && isValid() && m_control->isEnabled())
        m_control->choose(m_segment);
}

}
