#include "HandMadeArchive.h"
#include "ModelFixture.h"
#include "ParabolaDrawing.h"
#include "core/GestureStorability.h"

#include <gtest/gtest.h>
#include <cmath>
#include <thread>
#include <tuple>

using namespace scriblo;
using scriblo::testing::HandMadeArchive;
using scriblo::testing::archiveWithDamagedEntry;
using scriblo::testing::drawing;

namespace {

class GestureRecognitionModelTest : public scriblo::testing::ModelFixture { };

}

// Nothing is written for a refusal, nor for what a later load would drop.
TEST_F(GestureRecognitionModelTest, firstRunLoadsNothingAndSavesOnlyWhatALaterLoadKeeps)
{
    model.setup();
    EXPECT_TRUE(model.gestureDictionary().empty());
    // The refusal carries its cause, which the setup window words without working it out.
    EXPECT_EQ(model.saveGestureWithStrokes(drawing(10), "app").failure().reason, GestureRefusal::Reason::TooShort);
    EXPECT_EQ(model.saveGestureWithStrokes({}, "app").failure().reason, GestureRefusal::Reason::NothingDrawn);
    EXPECT_EQ(model.saveGestureWithStrokes({ GestureStroke() }, "app").failure().reason, GestureRefusal::Reason::NothingDrawn);
    auto tooMany = drawing(5);
    tooMany.insert(tooMany.end(), { drawing(5)[0], drawing(5)[0], drawing(5)[0] });
    EXPECT_FALSE(model.saveGestureWithStrokes(tooMany, "a"));
    EXPECT_FALSE(model.saveGestureWithStrokes(drawing(Gesture::maximumPointCount + 1), "a"));
    auto withEmpty = drawing(20);
    withEmpty.emplace_back();
    auto refused = model.saveGestureWithStrokes(withEmpty, "a");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.failure().reason, GestureRefusal::Reason::Unstorable);
    EXPECT_EQ(refused.failure().problem, "a stroke has no points");
    EXPECT_EQ(refused.error(), "'a': a stroke has no points");
    EXPECT_FALSE(model.saveGestureWithStrokes({ GestureStroke(std::vector<GesturePoint>(12, GesturePoint(NAN, 0, 1))) }, "a"));
    EXPECT_FALSE(model.saveGestureWithStrokes(drawing(20), std::string(Gesture::maximumIdentityLength + 1, 'a')));
    EXPECT_TRUE(GestureStorability::check(Gesture(std::string(Gesture::maximumIdentityLength, 'a'), drawing(20))));
    EXPECT_EQ(defaults.writes, 0);

    EXPECT_TRUE(model.saveGestureWithStrokes(drawing(11), "app"));
    EXPECT_TRUE(storedGestures().contains("app"));
    auto result = model.recognizer()->recognizeGestureWithStrokes(drawing(11));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->gestureIdentity(), "app");
}

TEST_F(GestureRecognitionModelTest, deletingAnAbsentGestureRewritesAndKeepsTheRest)
{
    EXPECT_TRUE(model.saveGestureWithStrokes(drawing(20), "a"));
    int writes = defaults.writes;
    EXPECT_TRUE(model.deleteGestureWithName("absent"));
    EXPECT_EQ(defaults.writes, writes + 1);
    EXPECT_EQ(model.recognizer()->loadedGestures()->size(), 1u);
    EXPECT_TRUE(model.deleteGestureWithName("a"));
    EXPECT_TRUE(storedGestures().empty());
    EXPECT_TRUE(model.recognizer()->loadedGestures()->empty());
}

TEST_F(GestureRecognitionModelTest, damagedEntryCostsOnlyItselfAndTheOriginalIsKept)
{
    Data original = archiveWithDamagedEntry([](HandMadeArchive& a) { return a.addGesture(a.addArray({}), a.add(plist_new_string("bad"))); });
    defaults.setObject(UserDefaultsValue(original), GestureRecognitionModel::gesturesKey);
    model.setup();
    EXPECT_EQ(model.loadProblems().size(), 1u);
    // Loading is reading: the damaged archive waits for the first save.
    EXPECT_TRUE(defaults.backups.empty());
    EXPECT_EQ(defaults.writes, 1);
    ASSERT_TRUE(model.saveGestureWithStrokes(drawing(20), "new"));
    ASSERT_EQ(defaults.backups.size(), 1u);
    EXPECT_EQ(*defaults.backups[0].dataValue(), original);
    auto stored = storedGestures();
    EXPECT_EQ(stored.size(), 2u);
    EXPECT_TRUE(stored.contains("good"));
}

TEST_F(GestureRecognitionModelTest, undecodableValueStaysUntilTheNextSaveBacksItUp)
{
    Data garbage { 1, 2, 3 };
    defaults.setObject(UserDefaultsValue(garbage), GestureRecognitionModel::gesturesKey);
    model.setup();
    EXPECT_TRUE(model.gestureDictionary().empty());
    EXPECT_EQ(*defaults.objectForKey(GestureRecognitionModel::gesturesKey)->dataValue(), garbage);
    defaults.backupSucceeds = false;
    // The refusal says why the copy failed, not only that the store was not written.
    auto refused = model.saveGestureWithStrokes(drawing(20), "a");
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("the disk is full"), std::string::npos) << refused.error();
    EXPECT_EQ(*defaults.objectForKey(GestureRecognitionModel::gesturesKey)->dataValue(), garbage);
    defaults.backupSucceeds = true;
    EXPECT_TRUE(model.saveGestureWithStrokes(drawing(20), "b"));
    ASSERT_EQ(defaults.backups.size(), 1u);
    EXPECT_EQ(*defaults.backups[0].dataValue(), garbage);
    EXPECT_EQ(storedGestures().size(), 2u);
}

TEST_F(GestureRecognitionModelTest, aValueThatIsNoArchiveIsReplacedByTheFirstSave)
{
    defaults.setObject(UserDefaultsValue(std::string("not an archive")), GestureRecognitionModel::gesturesKey);
    model.setup();
    EXPECT_EQ(model.loadProblems().size(), 1u);
    EXPECT_TRUE(model.saveGestureWithStrokes(drawing(20), "a"));
    EXPECT_TRUE(defaults.backups.empty());
    EXPECT_EQ(storedGestures().size(), 1u);
}

// Partial checks delete stale gestures from worker threads while the setup window saves.
TEST_F(GestureRecognitionModelTest, savesDeletesAndRecognitionsInterleaveSafely)
{
    EXPECT_TRUE(model.saveGestureWithStrokes(drawing(40), "stable"));
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) {
            EXPECT_TRUE(model.deleteGestureWithName("churn" + std::to_string(i % 4)));
            EXPECT_TRUE(model.recognizer()->recognizeGestureWithStrokes(drawing(40)));
        }
    });
    for (int i = 0; i < 100; ++i)
        EXPECT_TRUE(model.saveGestureWithStrokes(drawing(15 + i % 7, float(i % 3)), "churn" + std::to_string(i % 4)));
    worker.join();
    auto stored = storedGestures();
    EXPECT_EQ(stored.size(), model.gestureDictionary().size());
    EXPECT_EQ(model.recognizer()->loadedGestures()->size(), stored.size());
}

std::vector<Gesture> gesturesNamed(const std::vector<std::string>& identities, int points = 20)
{
    std::vector<Gesture> gestures;
    for (size_t i = 0; i < identities.size(); ++i)
        gestures.emplace_back(identities[i], drawing(points + int(i % 10)));
    return gestures;
}

TEST_F(GestureRecognitionModelTest, manyGesturesAreSavedWithOneWriteAndTheLastOfAnIdentityWins)
{
    EXPECT_TRUE(model.saveGestureWithStrokes(drawing(40), "kept"));
    EXPECT_TRUE(model.saveGestureWithStrokes(drawing(40), "twice"));
    int writes = defaults.writes;
    EXPECT_TRUE(model.saveGestures({}));
    EXPECT_EQ(defaults.writes, writes);
    auto added = model.saveGestures(gesturesNamed({ "twice", "new", "twice" }));
    ASSERT_TRUE(added) << added.error();
    EXPECT_EQ(*added, 1u);
    EXPECT_EQ(defaults.writes, writes + 1);
    auto loaded = model.recognizer()->loadedGestures();
    ASSERT_EQ(loaded->size(), 3u);
    EXPECT_EQ((*loaded)[0]->identity(), "kept");
    EXPECT_EQ((*loaded)[1]->identity(), "new");
    EXPECT_EQ((*loaded)[2]->identity(), "twice");
    EXPECT_EQ((*loaded)[2]->totalPointCount(), 22);
    EXPECT_FALSE((*loaded)[2]->templates(0).empty());
    EXPECT_EQ(storedGestures().at("twice")->totalPointCount(), 22);
}

TEST_F(GestureRecognitionModelTest, aBatchThatCannotAllBeStoredStoresNoneAndAFailedWriteOfTheLastThatFitsSaysSo)
{
    std::vector<std::string> names;
    for (size_t i = 0; i + 2 < KeyedUnarchiver::maximumGestureCount; ++i)
        names.push_back("g" + std::to_string(i));
    ASSERT_TRUE(model.saveGestures(gesturesNamed(names, 12)));
    int writes = defaults.writes;

    auto tooMany = model.saveGestures(gesturesNamed({ "g0", "a", "b", "c" }));
    ASSERT_FALSE(tooMany);
    EXPECT_NE(tooMany.error().find("2 more fit"), std::string::npos) << tooMany.error();
    auto withNul = model.saveGestures(gesturesNamed({ "a", std::string("nul\0inside", 10) }));
    ASSERT_FALSE(withNul);
    EXPECT_NE(withNul.error().find("NUL"), std::string::npos);
    auto tooShort = gesturesNamed({ "a", "short" });
    tooShort[1].setStrokes(drawing(10));
    EXPECT_FALSE(model.saveGestures(std::move(tooShort)));
    EXPECT_EQ(defaults.writes, writes);
    EXPECT_EQ(model.gestureDictionary().size(), names.size());
    EXPECT_FALSE(model.getGestureWithIdentity("a"));

    EXPECT_TRUE(model.saveGestures(gesturesNamed({ "g0", "a" })));
    EXPECT_EQ(storedGestures().size(), KeyedUnarchiver::maximumGestureCount - 1);
    // Assign once worked the reason out again after the fact and, with the store full by
    // then, called a failed write of the last gesture that fits a full store.
    defaults.synchronizeSucceeds = false;
    auto last = model.saveGestureWithStrokes(drawing(20), "last");
    ASSERT_FALSE(last);
    EXPECT_EQ(last.failure().reason, GestureRefusal::Reason::NotWritten) << last.error();
    EXPECT_TRUE(model.getGestureWithIdentity("last")) << "it stays loaded and works until the process ends";
    defaults.synchronizeSucceeds = true;
    auto oneMore = model.saveGestures(gesturesNamed({ "z" }));
    ASSERT_FALSE(oneMore);
    EXPECT_EQ(oneMore.failure().reason, GestureRefusal::Reason::StoreFull);
    EXPECT_NE(oneMore.error().find("1 new gesture does not fit: the store holds 1024 of at most 1024, so 0 more fit"), std::string::npos) << oneMore.error();
}

// A command that changes a full store says how far it is from what each pass reports.
TEST_F(GestureRecognitionModelTest, readsAndWritesReportEachGestureInTurn)
{
    using Pass = GestureRecognitionModel::Pass;
    using Heard = std::vector<std::tuple<Pass, size_t, size_t>>;
    Heard heard;
    auto listen = [&](Pass pass, size_t done, size_t total) { heard.emplace_back(pass, done, total); };
    GestureRecognitionModel writer(defaults);
    writer.setup();
    writer.setProgress(listen);
    std::vector<Gesture> gestures;
    gestures.emplace_back("a", drawing(11));
    gestures.emplace_back("b", drawing(12));
    ASSERT_TRUE(writer.saveGestures(std::move(gestures)));
    EXPECT_EQ(heard, (Heard { { Pass::Writing, 1, 2 }, { Pass::Writing, 2, 2 } }));
    heard.clear();
    GestureRecognitionModel reader(defaults);
    reader.setProgress(listen);
    reader.setup();
    EXPECT_EQ(heard, (Heard { { Pass::Reading, 1, 2 }, { Pass::Reading, 2, 2 } }));
}
