#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace scriblo {

class AppSegmentedControl;

// What assistive technologies see of a segmented control: a list of page tabs, one per
// segment. The segments are painted rather than widgets of their own, so without this a
// screen reader finds one control it cannot switch.
class AccessibleSegmentedControl : public QAccessibleWidget {
public:
    explicit AccessibleSegmentedControl(AppSegmentedControl* control);
    ~AccessibleSegmentedControl() override;

    // Makes Qt describe every segmented control this way; the first call does it.
    static void install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    AppSegmentedControl* control() const;

    // Made on first request and kept registered until the control's description goes,
    // so that a screen reader finds the same object for a segment every time.
    mutable QHash<int, QAccessible::Id> m_segments;
};

}
