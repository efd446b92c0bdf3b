#include "core/GestureConflicts.h"
#include "core/GestureImportPlan.h"
#include "core/GestureLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include <map>
#include <mutex>

using namespace scriblo;

namespace {

// The lowest minimum the setup window accepts, where conflicts are most frequent.
constexpr int32_t minimumScore = 70;

std::shared_ptr<const Gesture> prepared(Gesture gesture)
{
    gesture.generateTemplates();
    return std::make_shared<const Gesture>(std::move(gesture));
}

// Real drawings of the multistroke log set by one stylus user, keyed by file name
// without its folder and extension ("10-stylus-medium-H-01").
class GestureConflictsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto folder = gesturelog::sharedGestureFolder();
        if (!folder)
            GTEST_SKIP() << "no shared gesture data at " << SCRIBLO_SHARED_DATA << "/gestures";
        for (const auto& file : gesturelog::gestureLogFiles(*folder / "mmg" / "sample" / "10-stylus-MEDIUM")) {
            if (auto drawing = gesturelog::readGestureLog(file))
                m_drawings[file.stem().string()] = drawing->strokes;
        }
        ASSERT_FALSE(m_drawings.empty()) << "no drawings in " << (*folder / "mmg" / "sample").string();
    }

    const std::vector<GestureStroke>& drawing(const std::string& name) { return m_drawings.at("10-stylus-medium-" + name); }
    GestureRecognizer::GestureList awkwardStore();

    // Stored as a target whose identity is the drawing's name.
    GestureRecognizer::GestureList store(const std::vector<std::string>& names)
    {
        GestureRecognizer::GestureList stored;
        for (const auto& name : names)
            stored.push_back(prepared(Gesture(name, drawing(name))));
        return stored;
    }

    std::map<std::string, std::vector<GestureStroke>> m_drawings;
};

}

// Whether a take-over is named rightly, the comparison with matching each drawing on its
// own tells; here the drawing taken over is kept as a gesture's later drawing, behind one
// the matcher never compares with the new one, and must be taken over all the same.
TEST_F(GestureConflictsTest, aStoredDrawingTakenOverIsNamedBehindAnEarlierDrawingToo)
{
    size_t captures = 0;
    for (const auto& [name, strokes] : m_drawings) {
        GestureRecognizer::GestureList stored;
        for (const auto& [other, otherStrokes] : m_drawings) {
            if (other != name && other.substr(0, other.size() - 3) != name.substr(0, name.size() - 3))
                stored.push_back(prepared(Gesture(other, otherStrokes)));
        }
        auto conflict = GestureConflicts::find(strokes, name, std::nullopt, stored, minimumScore);
        if (!conflict || conflict->direction != GestureConflict::Direction::Captures)
            continue;
        ++captures;
        auto named = std::find_if(stored.begin(), stored.end(), [&](const auto& g) { return g->identity() == conflict->identity; });
        auto other = std::find_if(m_drawings.begin(), m_drawings.end(), [&](const auto& entry) { return entry.second.size() != strokes.size(); });
        Gesture behind((*named)->identity(), other->second);
        behind.addDrawing((*named)->strokes());
        *named = prepared(std::move(behind));
        auto later = GestureConflicts::find(strokes, name, std::nullopt, stored, minimumScore);
        ASSERT_TRUE(later);
        EXPECT_EQ(later->identity, conflict->identity);
        EXPECT_EQ(later->score, conflict->score);
    }
    EXPECT_GT(captures, 0u) << "no drawing of the set would take over another";
}

namespace {

// What pairs() hands over, pairs and progress alike, in the order it does.
using Events = std::vector<std::string>;

std::string scoreText(std::optional<int32_t> score)
{
    return score ? std::to_string(*score) : "-";
}

// Every pair matched both ways on its own, one recognition each, as the matcher is
// defined.
Events straightforwardPairs(const GestureRecognizer::GestureList& stored, int32_t minimum)
{
    // The best of the gesture's drawings.
    auto scoreAs = [&](size_t drawing, size_t templates) -> std::optional<int32_t> {
        std::optional<int32_t> best;
        for (int32_t d = 0; d < stored[drawing]->drawingCount(); ++d) {
            auto candidate = GestureRecognizer::candidateOf(stored[drawing]->drawing(d));
            auto result = candidate ? GestureRecognizer::recognizeCandidate({ stored[templates] }, *candidate) : std::nullopt;
            if (result && result->score() > best.value_or(0))
                best = result->score();
        }
        return best;
    };
    Events events;
    size_t n = stored.size();
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = i + 1; j < n; ++j) {
            auto a = scoreAs(i, j);
            auto b = scoreAs(j, i);
            if (a.value_or(0) >= minimum || b.value_or(0) >= minimum)
                events.push_back(stored[i]->identity() + " " + stored[j]->identity() + " " + scoreText(a) + " " + scoreText(b));
        }
        events.push_back("progress " + std::to_string(i * (2 * n - i - 1) / 2) + " of " + std::to_string(n * (n - 1) / 2));
    }
    return events;
}

Events pairEvents(const GestureRecognizer::GestureList& stored, int32_t minimum)
{
    Events events;
    GestureConflicts::pairs(
        stored, minimum,
        [&](const GesturePairConflict& pair) {
            events.push_back(pair.first + " " + pair.second + " " + scoreText(pair.firstAsSecond) + " " + scoreText(pair.secondAsFirst));
        },
        [&](size_t done, size_t total) { events.push_back("progress " + std::to_string(done) + " of " + std::to_string(total)); });
    return events;
}

}

// Drawings of every shape and stroke count, one the matcher cannot take, one twice (equal
// distances), one without an identity, which recognition never names, and gestures of
// several drawings, of one shape or of several.
GestureRecognizer::GestureList GestureConflictsTest::awkwardStore()
{
    std::vector<std::string> names;
    size_t index = 0;
    for (const auto& [name, strokes] : m_drawings) {
        if (index++ % 5 == 0)
            names.push_back(name.substr(std::string("10-stylus-medium-").size()));
    }
    auto stored = store(names);
    stored.push_back(prepared(Gesture("dot", { GestureStroke({ { 1, 1, 1 }, { 2, 2, 1 }, { 3, 3, 1 } }) })));
    stored.insert(stored.begin() + 7, store({ names[3] })[0]);
    stored.push_back(prepared(Gesture("", drawing("H-04"))));
    auto several = [&](const std::string& identity, const std::vector<std::string>& drawings) {
        Gesture gesture(identity, drawing(drawings.front()));
        for (size_t d = 1; d < drawings.size(); ++d)
            gesture.addDrawing(drawing(drawings[d]));
        return prepared(std::move(gesture));
    };
    stored.insert(stored.begin() + 3, several("Hs", { "H-05", "H-06", "H-07" }));
    stored.push_back(several("mixed", { "line-05", "X-06", "N-07", "P-08" }));
    return stored;
}

TEST_F(GestureConflictsTest, pairsAreThoseOfMatchingEachPairOnItsOwn)
{
    auto stored = awkwardStore();
    ASSERT_GT(stored.size(), 30u);
    for (int32_t minimum : { 0, 1, 60, minimumScore, 90, 100, 101 }) {
        SCOPED_TRACE(minimum);
        EXPECT_EQ(pairEvents(stored, minimum), straightforwardPairs(stored, minimum));
    }
}

namespace {

std::string conflictText(const std::optional<GestureConflict>& conflict)
{
    if (!conflict)
        return "none";
    bool resembles = conflict->direction == GestureConflict::Direction::Resembles;
    return (resembles ? "resembles " : "captures ") + conflict->identity + " " + std::to_string(conflict->score);
}

// Each new drawing recognised among the others, and each other drawing recognised among
// the rest with the new gesture stored last, one recognition each.
std::string straightforwardConflict(const Gesture& gesture, const std::optional<std::string>& earlierIdentity,
                                    const GestureRecognizer::GestureList& stored, int32_t minimum)
{
    GestureRecognizer::GestureList others;
    for (const auto& kept : stored)
        if (kept->identity() != gesture.identity() && kept->identity() != earlierIdentity)
            others.push_back(kept);
    auto recognize = [](const GestureRecognizer::GestureList& among, const std::vector<GestureStroke>& drawing) {
        auto candidate = GestureRecognizer::candidateOf(drawing);
        return candidate ? GestureRecognizer::recognizeCandidate(among, *candidate) : std::nullopt;
    };
    std::optional<GestureConflict> resembled;
    for (int32_t d = 0; d < gesture.drawingCount(); ++d) {
        auto result = recognize(others, gesture.drawing(d));
        if (result && result->score() >= (resembled ? resembled->score + 1 : minimum))
            resembled = GestureConflict { result->gestureIdentity(), result->score(), GestureConflict::Direction::Resembles };
    }
    auto drawn = prepared(gesture.copy());
    std::optional<GestureConflict> captured;
    for (size_t i = 0; i < others.size(); ++i) {
        auto rivals = others;
        rivals.erase(rivals.begin() + std::ptrdiff_t(i));
        rivals.push_back(drawn);
        for (int32_t d = 0; d < others[i]->drawingCount(); ++d) {
            auto result = recognize(rivals, others[i]->drawing(d));
            if (result && result->gestureIdentity() == gesture.identity() && result->score() >= minimum
                && (!captured || result->score() > captured->score))
                captured = GestureConflict { others[i]->identity(), result->score(), GestureConflict::Direction::Captures };
        }
    }
    return conflictText(captured && (!resembled || captured->score > resembled->score) ? captured : resembled);
}

Gesture renamed(const Gesture& gesture, const std::string& identity)
{
    Gesture copy(identity, gesture.strokes());
    for (int32_t d = 1; d < gesture.drawingCount(); ++d)
        copy.addDrawing(gesture.drawing(d));
    return copy;
}

}

// Each stored gesture assigned anew, to a new target, to its own and to its own beside
// another's earlier identity; and all of them imported as a file at once.
TEST_F(GestureConflictsTest, conflictsAreThoseOfMatchingEachDrawingOnItsOwn)
{
    auto stored = awkwardStore();
    std::vector<Gesture> file;
    for (size_t i = 0; i < stored.size(); ++i)
        file.push_back(renamed(*stored[i], "file-" + std::to_string(i)));
    auto plan = GestureImportPlan::of(file, stored);
    GestureRecognizer::GestureList after;
    for (const auto& step : plan.steps())
        if (step.action != GestureImportPlan::Action::Skip)
            after.push_back(prepared(step.gesture));
    after.insert(after.end(), stored.begin(), stored.end());
    for (int32_t minimum : { 0, 60, minimumScore, 90, 100, 101 }) {
        SCOPED_TRACE(minimum);
        std::map<size_t, std::string> imported;
        plan.findConflicts(stored, minimum, [&](size_t step, const auto& conflict) { imported[step] = conflictText(conflict); });
        for (size_t i = 0; i < stored.size(); ++i) {
            const auto& identity = stored[i]->identity();
            auto earlier = stored[(i + 1) % stored.size()]->identity();
            SCOPED_TRACE(identity);
            Gesture anew = renamed(*stored[i], "new");
            EXPECT_EQ(conflictText(GestureConflicts::find(anew, std::nullopt, stored, minimum)),
                      straightforwardConflict(anew, std::nullopt, stored, minimum));
            EXPECT_EQ(conflictText(GestureConflicts::find(*stored[i], earlier, stored, minimum)),
                      straightforwardConflict(*stored[i], earlier, stored, minimum));
            if (plan.steps()[i].action != GestureImportPlan::Action::Skip) {
                EXPECT_EQ(imported.at(i), straightforwardConflict(file[i], std::nullopt, after, minimum));
            }
        }
    }
}

namespace {

std::vector<std::string> identitiesOf(const std::vector<Gesture>& gestures)
{
    std::vector<std::string> identities;
    for (const auto& gesture : gestures)
        identities.push_back(gesture.identity());
    return identities;
}

}

TEST_F(GestureConflictsTest, anImportPlanAddsReplacesAndSkipsEachWithItsReason)
{
    using Action = GestureImportPlan::Action;
    auto stored = store({ "H-01", "D-01" });
    std::vector<GestureStroke> tooShort { GestureStroke({ { 1, 1, 1 }, { 2, 2, 1 }, { 3, 3, 1 } }) };
    // The JSON form numbers strokes afresh; the same points are the same drawing.
    auto renumbered = drawing("H-01");
    for (auto& stroke : renumbered) {
        auto points = stroke.points();
        for (auto& point : points)
            point = GesturePoint(point.x(), point.y(), point.strokeId() + 7);
        stroke.setPoints(points);
    }
    auto plan = GestureImportPlan::of({ Gesture("H-01", renumbered), Gesture("D-01", drawing("D-02")), Gesture("dot", tooShort),
                                        Gesture("twice", drawing("asterisk-01")), Gesture("new", drawing("five_point_star-01")),
                                        Gesture("twice", drawing("asterisk-02")) },
                                      stored);
    const auto& steps = plan.steps();
    ASSERT_EQ(steps.size(), 6u);
    EXPECT_EQ(steps[0].action, Action::Skip);
    EXPECT_EQ(steps[0].skip, GestureImportPlan::SkipReason::AlreadyStored);
    EXPECT_EQ(steps[1].action, Action::Replace);
    EXPECT_EQ(steps[2].action, Action::Skip);
    EXPECT_EQ(steps[2].skip, GestureImportPlan::SkipReason::CannotBeStored);
    EXPECT_EQ(steps[2].refusal, "3 points, where a gesture needs 11 to 1024");
    EXPECT_EQ(steps[3].skip, GestureImportPlan::SkipReason::SupersededLater) << "the file's last gesture of an identity is stored";
    EXPECT_EQ(steps[4].action, Action::Add);
    EXPECT_EQ(steps[5].action, Action::Add);
    EXPECT_EQ(plan.count(Action::Add), 2u);
    EXPECT_EQ(plan.count(Action::Skip), 3u);
    EXPECT_EQ(identitiesOf(plan.gesturesToStore()), (std::vector<std::string> { "D-01", "new", "twice" }));
}

// A gesture is already stored only with all its drawings; a replacement brings its own.
TEST_F(GestureConflictsTest, anImportPlanComparesAndStoresEveryDrawing)
{
    using Action = GestureImportPlan::Action;
    Gesture twoDrawings("H-01", drawing("H-01"));
    twoDrawings.addDrawing(drawing("H-02"));
    GestureRecognizer::GestureList stored { prepared(twoDrawings) };
    Gesture more = twoDrawings.copy();
    more.addDrawing(drawing("H-03"));
    auto plan = GestureImportPlan::of({ twoDrawings.copy() }, stored);
    EXPECT_EQ(plan.steps()[0].skip, GestureImportPlan::SkipReason::AlreadyStored);
    for (const auto& replacement : { Gesture("H-01", drawing("H-01")), more }) {
        plan = GestureImportPlan::of({ replacement }, stored);
        ASSERT_EQ(plan.steps()[0].action, Action::Replace);
        ASSERT_EQ(plan.gesturesToStore().size(), 1u);
        EXPECT_EQ(plan.gesturesToStore()[0].drawingCount(), replacement.drawingCount());
    }
}

// Look-alikes are judged against the store as the import leaves it: the stored gestures
// it keeps and the others it brings, but not the drawings it replaces.
TEST_F(GestureConflictsTest, anImportPlanNamesLookAlikesInTheStoreItLeaves)
{
    auto stored = store({ "H-01", "D-01" });
    auto plan = GestureImportPlan::of({ Gesture("also-H", drawing("H-02")), Gesture("star", drawing("five_point_star-01")),
                                        Gesture("another-star", drawing("five_point_star-02")),
                                        Gesture("D-01", drawing("H-03")), Gesture("was-D", drawing("D-02")) },
                                      stored);
    // Found on every processor at once; each step is handed over once.
    std::mutex handing;
    std::vector<size_t> checked;
    plan.findConflicts(stored, minimumScore, [&](size_t step, const std::optional<GestureConflict>& conflict) {
        std::lock_guard lock(handing);
        checked.push_back(step);
        plan.setConflict(step, conflict);
    });
    std::sort(checked.begin(), checked.end());
    EXPECT_EQ(checked, (std::vector<size_t> { 0, 1, 2, 3, 4 }));
    const auto& steps = plan.steps();
    ASSERT_TRUE(steps[1].conflict) << "two stars in one file";
    EXPECT_EQ(steps[1].conflict->identity, "another-star");
    EXPECT_FALSE(steps[4].conflict) << "the D it resembles is replaced by this very import";

    // A preview closed before the check ends stops it.
    std::atomic<int> handedOver { 0 };
    plan.findConflicts(stored, minimumScore, [&](size_t, const auto&) { ++handedOver; }, [] { return true; });
    EXPECT_EQ(handedOver, 0);
}
