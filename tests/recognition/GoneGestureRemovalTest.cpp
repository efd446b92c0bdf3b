#include "recognition/GoneGestureRemoval.h"

#include "core/GestureRecognitionModel.h"
#include "core/ParabolaDrawing.h"
#include "recognition/RecognitionFixture.h"

#include <gtest/gtest.h>

using namespace scriblo;
using namespace scriblo::testing;

namespace {

// A store of one gesture whose target is gone, written through a queue the test holds.
class GoneGestureRemovalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(store.saveGestureWithStrokes(drawing(20), "gone.desktop"));
        writes.held = true;
    }
    bool stored() { return bool(store.getGestureWithIdentity("gone.desktop")); }

    MemoryUserDefaults defaults;
    GestureRecognitionModel store { defaults };
    InlineWorkQueue writes;
    std::shared_ptr<FakeRemovedGestures> kept = std::make_shared<FakeRemovedGestures>();
    std::shared_ptr<RecordingNotifier> notifier = std::make_shared<RecordingNotifier>();
    GoneGestureRemoval removal { store, writes, kept, notifier };
};

TEST_F(GoneGestureRemovalTest, theGestureLeavesByAWriteOnTheQueueOnlyOnceKeptAndTheUserIsToldWhere)
{
    std::optional<bool> removed;
    removal.remove("gone.desktop", [&](bool outcome) { removed = outcome; });
    EXPECT_FALSE(removed) << "the keeping and deleting are writes, on the store's queue";
    EXPECT_TRUE(stored());
    std::optional<bool> again;
    removal.remove("gone.desktop", [&](bool outcome) { again = outcome; });
    EXPECT_EQ(again, false) << "a gesture on its way out is not kept twice";

    writes.release();
    EXPECT_EQ(removed, true);
    EXPECT_FALSE(stored());
    EXPECT_EQ(kept->kept, std::vector<std::string> { "gone.desktop" });
    ASSERT_EQ(notifier->notices.size(), 1u);
    EXPECT_TRUE(notifier->notices[0].contains("scriblo gestures import /kept/removed-gestures.json"))
        << notifier->notices[0].toStdString();
}

TEST_F(GoneGestureRemovalTest, aGestureThatCannotBeKeptOrDeletedStaysAndNobodyIsToldOfARemoval)
{
    kept->failure = "the disk is full";
    std::optional<bool> removed;
    removal.remove("gone.desktop", [&](bool outcome) { removed = outcome; });
    writes.release();
    EXPECT_EQ(removed, false);
    EXPECT_TRUE(stored());

    kept->failure.reset();
    defaults.synchronizeSucceeds = false;
    removal.remove("gone.desktop", [&](bool outcome) { removed = outcome; });
    writes.release();
    EXPECT_EQ(removed, false);
    EXPECT_TRUE(notifier->notices.empty());
}

}
