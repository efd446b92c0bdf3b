#include "appearance/AppSegmentedControl.h"
#include "support/MouseEvents.h"

#include <QAccessible>
#include <QAccessibleActionInterface>

#include <gtest/gtest.h>

using namespace scriblo;

namespace {

QAccessibleInterface* segmentOf(AppSegmentedControl& picker, int segment)
{
    return QAccessible::queryAccessibleInterface(&picker)->child(segment);
}

}

// A screen reader walks down from the control to its painted segments and presses one,
// as a sighted user clicks it; only a choice of the user's is reported, never the program's.
TEST(AccessibleSegmentedControlTest, eachSegmentIsAPageTabWithItsLabelThatAPressOrAClickSelects)
{
    AppSegmentedControl picker({ "Applications", "Web Pages", "Scripts" });
    picker.resize(300, 24);
    picker.move(40, 30);
    picker.show();
    std::vector<int> chosen;
    QObject::connect(&picker, &AppSegmentedControl::segmentChosen, [&chosen](int segment) { chosen.push_back(segment); });
    picker.setSelectedSegment(0);
    EXPECT_TRUE(chosen.empty());
    EXPECT_EQ(picker.segmentRect(0).width(), (300 - 6) / 3.0 + 3);

    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(&picker);
    ASSERT_TRUE(control);
    EXPECT_EQ(control->role(), QAccessible::PageTabList);
    ASSERT_EQ(control->childCount(), 3);
    for (int index = 0; index < 3; ++index) {
        QAccessibleInterface* segment = control->child(index);
        ASSERT_TRUE(segment);
        EXPECT_EQ(segment->role(), QAccessible::PageTab);
        EXPECT_EQ(segment->text(QAccessible::Name), picker.label(index));
        EXPECT_EQ(segment->parent(), control);
        EXPECT_EQ(control->indexOfChild(segment), index);
        EXPECT_EQ(control->child(index), segment) << "the same object every time";
        EXPECT_EQ(segment->state().selected, index == 0);
        QRect area = segment->rect();
        EXPECT_EQ(control->childAt(area.center().x(), area.center().y()), segment);
    }

    QAccessibleActionInterface* press = segmentOf(picker, 2)->actionInterface();
    ASSERT_TRUE(press);
    ASSERT_TRUE(press->actionNames().contains(QAccessibleActionInterface::pressAction()));
    press->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(picker.selectedSegment(), 2);
    EXPECT_EQ(chosen, std::vector<int> { 2 }) << "the controller hears the choice as a click";
    EXPECT_TRUE(segmentOf(picker, 2)->state().selected);
    EXPECT_FALSE(segmentOf(picker, 0)->state().selected);
    scriblo::testing::sendMouse(&picker, QEvent::MouseButtonPress, { 150, 12 }, Qt::LeftButton);
    scriblo::testing::sendMouse(&picker, QEvent::MouseButtonRelease, { 150, 12 }, Qt::NoButton);
    EXPECT_EQ(picker.selectedSegment(), 1);
    EXPECT_EQ(chosen, (std::vector<int> { 2, 1 }));

    // A disabled picker takes no choice from a screen reader either.
    picker.setEnabled(false);
    EXPECT_TRUE(segmentOf(picker, 1)->state().disabled);
    segmentOf(picker, 1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(picker.selectedSegment(), 1);
}
