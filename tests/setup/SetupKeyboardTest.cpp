#include "SetupFixture.h"
#include "support/QtTestApplication.h"

#include "launch/Settings.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

// The setup window driven from the keyboard alone, as Qt delivers keys to the control
// that has the focus.
class SetupKeyboardTest : public SetupFixture {
protected:
    void SetUp() override
    {
        SetupFixture::SetUp();
        ASSERT_TRUE(recognitionModel->saveGestureWithStrokes({ diagonal() }, "Alpha.desktop"));
        // No tray shows the icon, so More… is in the walk too.
        withTray = true;
        startController();
        openWindow();
        window().activateWindow();
        ASSERT_TRUE(processEventsUntil([this] { return window().isActiveWindow(); }));
        // Alpha has a gesture, so Assign, Show and Clear are all on.
        select(0);
    }

    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        for (QEvent::Type type : { QEvent::KeyPress, QEvent::KeyRelease }) {
            QKeyEvent event(type, key, modifiers);
            QApplication::sendEvent(QApplication::focusWidget(), &event);
        }
    }

    // The controls the keyboard visits, starting where it is, one for each of `steps` keys.
    static std::vector<QWidget*> walk(int steps, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        std::vector<QWidget*> visited;
        for (int step = 0; step < steps; ++step) {
            press(key, modifiers);
            visited.push_back(QApplication::focusWidget());
        }
        return visited;
    }

    std::vector<QWidget*> readingOrder()
    {
        GestureSetupWindow& w = window();
        return { w.moreButton, w.launchableTypePicker, w.launchableTableView, w.assignGestureButton, w.addDrawingButton,
                 w.showGestureButton, w.clearGestureButton, w.minimumRecognitionScoreField, w.readingDelayTimeField,
                 w.multitouchOptionField, w.fullscreenOptionField, w.quickdrawOptionField, w.loginStartOptionField };
    }
};

}

TEST_F(SetupKeyboardTest, theWindowOpensOnTheListAndTabAndShiftTabVisitEveryControlInReadingOrderAndTheListsFocusRefreshesOnce)
{
    EXPECT_EQ(QApplication::focusWidget(), window().launchableTableView);
    std::vector<QWidget*> order = readingOrder();
    const size_t list = 2;
    // From the list on, twice round; the list lets the keyboard go like any other control.
    std::vector<QWidget*> forward;
    for (size_t step = 0; step < 2 * order.size(); ++step)
        forward.push_back(order[(list + 1 + step) % order.size()]);
    EXPECT_EQ(walk(int(forward.size()), Qt::Key_Tab), forward);

    std::vector<QWidget*> backward;
    for (size_t step = 0; step < 2 * order.size(); ++step)
        backward.push_back(order[(2 * order.size() + list - 1 - step) % order.size()]);
    EXPECT_EQ(walk(int(backward.size()), Qt::Key_Backtab, Qt::ShiftModifier), backward);
    EXPECT_EQ(controller->buttons(), (SetupButtons { true, true, true, true })) << "the walk reaches the buttons usable";

    // The list's focus and the refresh do not call each other forever: each gain
    // refreshes exactly once and returns.
    window().minimumRecognitionScoreField->setFocus();
    EXPECT_EQ(controller->buttons(), SetupButtonRules::allOff());
    window().launchableTableView->setFocus();
    EXPECT_EQ(controller->buttons(), (SetupButtons { true, true, true, true }));
}

TEST_F(SetupKeyboardTest, changingASettingLeavesTheKeyboardOnItsControl)
{
    QCheckBox* quickdraw = window().quickdrawOptionField;
    quickdraw->setFocus(Qt::TabFocusReason);
    bool before = controller->targetsAndSettings().settings().quickdrawOption();
    press(Qt::Key_Space);
    EXPECT_EQ(controller->targetsAndSettings().settings().quickdrawOption(), !before);
    EXPECT_EQ(QApplication::focusWidget(), quickdraw);

    QLineEdit* score = window().minimumRecognitionScoreField;
    score->setFocus(Qt::TabFocusReason);
    score->selectAll();
    for (QString digit : { "7", "5" }) {
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_0 + digit.toInt(), Qt::NoModifier, digit);
        QApplication::sendEvent(score, &typed);
    }
    press(Qt::Key_Tab);
    EXPECT_EQ(controller->targetsAndSettings().settings().minimumRecognitionScore(), 75);
    EXPECT_EQ(QApplication::focusWidget(), window().readingDelayTimeField);
}

// Leaving a field unedited is no change: a drawing under way goes on.
TEST_F(SetupKeyboardTest, assignFromTheKeyboardAsksForTheDrawingWhereTheKeyboardGoes)
{
    window().assignGestureButton->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    EXPECT_TRUE(window().setupView->detectingInput());
    EXPECT_EQ(QApplication::focusWidget(), window().setupView);

    window().readingDelayTimeField->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(window().setupView->detectingInput()) << "the drawing area let the keyboard go";
    controller->updateSetupControls();
    controller->assignSelectedGesture();
    press(Qt::Key_Tab);
    EXPECT_TRUE(window().setupView->detectingInput());
}
