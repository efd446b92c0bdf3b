#include "ModelFixture.h"
#include "ParabolaDrawing.h"
#include "core/KeyedArchiver.h"

#include <gtest/gtest.h>

using namespace scriblo;
using scriblo::testing::drawing;

namespace {

class GestureDrawingsTest : public scriblo::testing::ModelFixture { };

// A zigzag, which no parabola resembles.
std::vector<GestureStroke> zigzag(int points)
{
    GestureStroke stroke;
    for (int i = 0; i < points; ++i)
        stroke.addPoint(GesturePoint(float(i) * 50, float(i % 2) * 400, 1));
    return { stroke };
}

}

TEST_F(GestureDrawingsTest, aGestureKeepsItsDrawingsInOrderAndAlwaysOne)
{
    Gesture gesture("a", drawing(12));
    EXPECT_EQ(gesture.drawingCount(), 1);
    gesture.addDrawing(drawing(13));
    gesture.addDrawing(drawing(14));
    gesture.generateTemplates();
    EXPECT_EQ(gesture.drawingCount(), 3);
    EXPECT_EQ(gesture.drawing(2), drawing(14));
    EXPECT_TRUE(gesture.drawing(3).empty());
    EXPECT_EQ(gesture.templates(2).size(), 2u);
    EXPECT_EQ(gesture.pointCountOfAllDrawings(), 39);
    gesture.removeDrawing(0);
    EXPECT_EQ(gesture.strokes(), drawing(13));
    EXPECT_EQ(gesture.templates(1).source().get(), &gesture.drawing(1));
    gesture.removeDrawing(5);
    gesture.removeDrawing(1);
    gesture.removeDrawing(0);
    EXPECT_EQ(gesture.drawingCount(), 1);
    EXPECT_EQ(gesture.strokes(), drawing(13));
    EXPECT_EQ(Gesture::templateCountOf(3), 48);
    EXPECT_EQ(Gesture::templateCountOf(0), 0);
}

TEST_F(GestureDrawingsTest, addedDrawingsAreRecognisedStoredBesideTheFirstAndLoadedAgain)
{
    ASSERT_TRUE(model.saveGestureWithStrokes(drawing(20), "curve"));
    ASSERT_TRUE(model.saveGestureWithStrokes(drawing(20, 40), "steep"));
    auto before = model.recognizer()->recognizeGestureWithStrokes(zigzag(20));
    auto added = model.addDrawingToGesture(zigzag(20), "curve");
    ASSERT_TRUE(added) << added.error();
    auto result = model.recognizer()->recognizeGestureWithStrokes(zigzag(20));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->gestureIdentity(), "curve");
    EXPECT_EQ(result->score(), 100);
    EXPECT_TRUE(!before || before->score() < 100);
    // The gesture kept its place: an addition is no new assignment.
    EXPECT_EQ((*model.recognizer()->loadedGestures())[0]->identity(), "curve");

    // Whatever reads only the first drawings reads the gesture as it was.
    auto firsts = storedGestures();
    EXPECT_EQ(firsts.at("curve")->drawingCount(), 1);
    EXPECT_EQ(firsts.at("curve")->strokes(), drawing(20));
    std::vector<std::string> problems;
    auto loaded = reloaded("curve", &problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_EQ(loaded->drawingCount(), 2);
    EXPECT_EQ(loaded->drawing(1), zigzag(20));
    auto steep = reloaded("steep");
    ASSERT_TRUE(steep);
    EXPECT_EQ(steep->drawingCount(), 1);
    EXPECT_EQ(steep->templates(0).size(), 2u) << "a restart makes the templates again";
}

TEST_F(GestureDrawingsTest, additionsThatCannotBeStoredChangeNothing)
{
    ASSERT_TRUE(model.saveGestureWithStrokes(drawing(20), "a"));
    for (int i = 1; i < Gesture::maximumDrawingCount; ++i)
        ASSERT_TRUE(model.addDrawingToGesture(drawing(20, float(i)), "a"));
    int writes = defaults.writes;
    auto ninth = model.addDrawingToGesture(drawing(20, 9), "a");
    ASSERT_FALSE(ninth);
    EXPECT_NE(ninth.error().find("8 drawings"), std::string::npos) << ninth.error();
    EXPECT_FALSE(model.addDrawingToGesture(drawing(20), "gone"));
    EXPECT_FALSE(model.addDrawingToGesture(drawing(10), "a"));
    EXPECT_FALSE(model.removeDrawingOfGesture("a", 8));
    EXPECT_FALSE(model.removeDrawingOfGesture("gone", 0));
    EXPECT_EQ(defaults.writes, writes);
    EXPECT_EQ(model.getGestureWithIdentity("a")->drawingCount(), Gesture::maximumDrawingCount);
}

TEST_F(GestureDrawingsTest, removingTheFirstDrawingMakesTheNextOneFirstForEveryReader)
{
    ASSERT_TRUE(model.saveGestureWithStrokes(drawing(20), "a"));
    ASSERT_TRUE(model.addDrawingToGesture(drawing(21, 1), "a"));
    ASSERT_TRUE(model.addDrawingToGesture(drawing(22, 2), "a"));
    ASSERT_TRUE(model.removeDrawingOfGesture("a", 0));
    EXPECT_EQ(storedGestures().at("a")->strokes(), drawing(21, 1));
    auto loaded = reloaded("a");
    ASSERT_EQ(loaded->drawingCount(), 2);
    EXPECT_EQ(loaded->drawing(1), drawing(22, 2));
    ASSERT_TRUE(model.removeDrawingOfGesture("a", 1));
    auto last = model.removeDrawingOfGesture("a", 0);
    ASSERT_FALSE(last);
    EXPECT_NE(last.error().find("at least one"), std::string::npos);
    // With one drawing a gesture the store looks as it always did.
    EXPECT_FALSE(defaults.objectForKey(GestureRecognitionModel::moreDrawingsKey));
}

TEST_F(GestureDrawingsTest, assignReplacesAllDrawingsClearRemovesThemAndABatchKeepsThem)
{
    ASSERT_TRUE(model.saveGestureWithStrokes(drawing(20), "a"));
    ASSERT_TRUE(model.addDrawingToGesture(zigzag(20), "a"));
    auto undo = model.getGestureWithIdentity("a")->copy();
    ASSERT_TRUE(model.saveGestureWithStrokes(drawing(25), "a"));
    EXPECT_EQ(model.getGestureWithIdentity("a")->drawingCount(), 1);
    EXPECT_NE(model.recognizer()->recognizeGestureWithStrokes(zigzag(20)).value_or(GestureResult()).score(), 100);
    ASSERT_TRUE(model.deleteGestureWithName("a"));
    EXPECT_FALSE(defaults.objectForKey(GestureRecognitionModel::moreDrawingsKey));
    ASSERT_TRUE(model.saveGestures({ undo }));
    EXPECT_EQ(reloaded("a")->drawing(1), zigzag(20));
}

// A program that knows only the first drawings may replace one; the drawings added to
// the old one no longer belong to the gesture.
TEST_F(GestureDrawingsTest, furtherDrawingsOfAReplacedFirstDrawingAreLetGo)
{
    ASSERT_TRUE(model.saveGestureWithStrokes(drawing(20), "a"));
    ASSERT_TRUE(model.saveGestureWithStrokes(drawing(20), "b"));
    ASSERT_TRUE(model.addDrawingToGesture(zigzag(20), "a"));
    ASSERT_TRUE(model.addDrawingToGesture(zigzag(20), "b"));
    auto firsts = storedGestures();
    firsts["a"] = std::make_shared<const Gesture>("a", drawing(30));
    defaults.setObject(UserDefaultsValue(KeyedArchiver::archivedDataWithRootObject(firsts)), GestureRecognitionModel::gesturesKey);
    std::vector<std::string> problems;
    EXPECT_EQ(reloaded("a", &problems)->drawingCount(), 1);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(reloaded("b")->drawingCount(), 2);
}

TEST_F(GestureDrawingsTest, damagedFurtherDrawingsNeverCostTheFirstOnesAndAreKeptBeforeTheyAreReplaced)
{
    ASSERT_TRUE(model.saveGestureWithStrokes(drawing(20), "a"));
    ASSERT_TRUE(model.addDrawingToGesture(zigzag(20), "a"));
    Data garbage { 'b', 'p', 'l', 'i', 's', 't', '0', '0', 1, 2, 3 };
    defaults.setObject(UserDefaultsValue(garbage), GestureRecognitionModel::moreDrawingsKey);
    GestureRecognitionModel restarted(defaults);
    restarted.setup();
    ASSERT_TRUE(restarted.getGestureWithIdentity("a"));
    EXPECT_EQ(restarted.getGestureWithIdentity("a")->drawingCount(), 1);
    ASSERT_EQ(restarted.loadProblems().size(), 1u);
    EXPECT_EQ(restarted.loadProblems()[0].rfind("further drawings: ", 0), 0u) << restarted.loadProblems()[0];
    EXPECT_TRUE(defaults.backups.empty());
    ASSERT_TRUE(restarted.addDrawingToGesture(drawing(20, 5), "a"));
    ASSERT_EQ(defaults.backups.size(), 1u);
    EXPECT_EQ(*defaults.backups[0].dataValue(), garbage);
    EXPECT_EQ(reloaded("a")->drawingCount(), 2);
}

// Drawings of three strokes make 48 templates each; the store makes at most as many as
// 1,024 such gestures of one drawing.
TEST_F(GestureDrawingsTest, theStoresLimitsCountEveryDrawing)
{
    auto threeStrokes = [](float turn) {
        auto strokes = drawing(12, turn);
        strokes.push_back(drawing(12, turn + 1)[0]);
        strokes.push_back(drawing(12, turn + 2)[0]);
        return strokes;
    };
    std::vector<Gesture> full;
    for (size_t i = 0; i + 1 < KeyedUnarchiver::maximumGestureCount; ++i)
        full.emplace_back("g" + std::to_string(i), threeStrokes(float(i % 5)));
    Gesture last("last", drawing(20));
    GestureRecognitionModel withoutTemplates(defaults, GestureRecognitionModel::Templates::Skip);
    ASSERT_TRUE(withoutTemplates.saveGestures(full));
    ASSERT_TRUE(withoutTemplates.saveGestureWithStrokes(drawing(20), "last"));
    // 1,023 × 48 + 2 templates leave room for 46 more: drawings of two strokes (8 each).
    auto twoStrokes = drawing(12);
    twoStrokes.push_back(drawing(12, 1)[0]);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(withoutTemplates.addDrawingToGesture(twoStrokes, "last"));
    auto refused = withoutTemplates.addDrawingToGesture(twoStrokes, "last");
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("store is full"), std::string::npos) << refused.error();
    EXPECT_TRUE(withoutTemplates.addDrawingToGesture(drawing(20, 3), "last"));
    last.addDrawing(threeStrokes(1));
    auto batch = withoutTemplates.saveGestures({ last });
    ASSERT_FALSE(batch);
    EXPECT_NE(batch.error().find("templates"), std::string::npos) << batch.error();
}

TEST_F(GestureDrawingsTest, closestGesturesGiveEachGesturesBestDrawingHighestFirst)
{
    GestureRecognizer recognizer;
    Gesture curve("curve", drawing(20));
    curve.addDrawing(zigzag(20));
    recognizer.addGesture(std::move(curve));
    recognizer.addGesture(Gesture("steep", drawing(20, 40)));
    recognizer.addGesture(Gesture("same", drawing(20, 40)));
    recognizer.addGesture(Gesture("", zigzag(20)));
    auto closest = recognizer.closestGestures(zigzag(20), 5);
    ASSERT_EQ(closest.size(), 3u);
    EXPECT_EQ(closest[0].gestureIdentity(), "curve");
    EXPECT_EQ(closest[0].score(), 100);
    EXPECT_EQ(closest[1].gestureIdentity(), "steep");
    EXPECT_EQ(closest[2].gestureIdentity(), "same");
    EXPECT_EQ(closest[1].score(), closest[2].score());
    EXPECT_EQ(recognizer.closestGestures(zigzag(20), 1).size(), 1u);
    EXPECT_TRUE(recognizer.closestGestures(zigzag(5), 3).empty());
    auto best = recognizer.recognizeGestureWithStrokes(drawing(20, 1));
    auto first = recognizer.closestGestures(drawing(20, 1), 3);
    ASSERT_TRUE(best);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first[0].gestureIdentity(), best->gestureIdentity());
    EXPECT_EQ(first[0].score(), best->score());
}
