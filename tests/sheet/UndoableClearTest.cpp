#include "base/InlineWorkQueue.h"
#include "core/GestureRecognitionModel.h"
#include "core/MemoryUserDefaults.h"
#include "core/ParabolaDrawing.h"
#include "sheet/UndoableClear.h"

#include <gtest/gtest.h>

using namespace scriblo;
using scriblo::testing::drawing;

// An undo brings the gesture back as it was cleared: every drawing, not only the first.
TEST(UndoableClearTest, undoBringsBackEveryDrawing)
{
    scriblo::testing::MemoryUserDefaults defaults;
    scriblo::testing::InlineWorkQueue writes;
    GestureRecognitionModel model(defaults);
    ASSERT_TRUE(model.saveGestureWithStrokes(drawing(20), "a"));
    ASSERT_TRUE(model.addDrawingToGesture(drawing(20, 4), "a"));
    UndoableClear clears(model, writes);
    bool cleared = false;
    clears.clear({ model.getGestureWithIdentity("a"), "A" }, [&](const auto&, const Expected<Done>& done) { cleared = done.hasValue(); });
    ASSERT_TRUE(cleared);
    EXPECT_FALSE(model.getGestureWithIdentity("a"));
    bool undone = false;
    clears.undo([&](const auto&, const Expected<Done>& done) { undone = done.hasValue(); });
    ASSERT_TRUE(undone);
    auto back = model.getGestureWithIdentity("a");
    ASSERT_TRUE(back);
    ASSERT_EQ(back->drawingCount(), 2);
    EXPECT_EQ(back->drawing(1), drawing(20, 4));
}
