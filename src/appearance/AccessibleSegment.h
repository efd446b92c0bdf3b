#pragma once

#include <QAccessibleInterface>
#include <QPointer>

namespace scriblo {

class AppSegmentedControl;

// One painted segment of a segmented control, as a page tab with the segment's label,
// whose press selects it as a click would.
class AccessibleSegment : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleSegment(AppSegmentedControl* control, int segment);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    // The description of a control may outlive the control by a moment.
    QPointer<AppSegmentedControl> m_control;
    int m_segment;
};

}
