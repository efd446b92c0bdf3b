#include "HandMadeArchive.h"
#include "core/KeyedArchiver.h"
#include "core/KeyedUnarchiver.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

using namespace scriblo;
using scriblo::testing::HandMadeArchive;

namespace {

std::shared_ptr<const Gesture> gestureOf(std::vector<std::vector<GesturePoint>> strokes, const std::string& identity)
{
    std::vector<GestureStroke> built;
    for (auto& points : strokes)
        built.emplace_back(std::move(points));
    return std::make_shared<const Gesture>(identity, std::move(built));
}

// One valid entry ("good") beside one entry built by `damage`, which returns the
// reference of the damaged gesture object.
Data archiveWithDamagedEntry(const std::function<uint64_t(HandMadeArchive&)>& damage)
{
    HandMadeArchive archive;
    uint64_t point = archive.addPoint(plist_new_real(1), plist_new_real(2), plist_new_uint(1));
    uint64_t stroke = archive.addStroke(archive.addArray({ point, point }));
    uint64_t good = archive.addGesture(archive.addArray({ stroke }), archive.add(plist_new_string("good")));
    uint64_t damaged = damage(archive);
    uint64_t root = archive.addDictionary({ archive.add(plist_new_string("good")), archive.add(plist_new_string("bad")) }, { good, damaged });
    return archive.bytes(root);
}

uint64_t gestureWithPoints(HandMadeArchive& archive, const std::vector<uint64_t>& points)
{
    uint64_t stroke = archive.addStroke(archive.addArray(points));
    return archive.addGesture(archive.addArray({ stroke }), archive.add(plist_new_string("bad")));
}

// A damaged entry of one point made of these values.
std::function<uint64_t(HandMadeArchive&)> onePoint(plist_t x, plist_t y, plist_t strokeId)
{
    return [=](HandMadeArchive& a) { return gestureWithPoints(a, { a.addPoint(x, y, strokeId) }); };
}

// A gesture of `strokeCount` strokes of one point each, under the identity object given.
uint64_t gestureNamed(HandMadeArchive& archive, uint64_t identity, size_t strokeCount = 1)
{
    uint64_t point = archive.addPoint(plist_new_real(0), plist_new_real(0), plist_new_uint(1));
    uint64_t stroke = archive.addStroke(archive.addArray({ point }));
    return archive.addGesture(archive.addArray(std::vector<uint64_t>(strokeCount, stroke)), identity);
}

}

// Points to the bit, texts beyond the basic plane (two UTF-16 units each), and past
// 65,536 objects, where references take four bytes.
TEST(KeyedArchiveTest, roundTripsPointsAndTextsExactlyInAStoreOfManyObjects)
{
    GestureDictionary gestures;
    gestures["org.gnome.Nautilus.desktop"] = gestureOf({ { { 12.5f, -3.25f, 7 }, { 0.1f, 999.9f, -5 } }, { { 3, 4, INT32_MIN } } }, "org.gnome.Nautilus.desktop");
    gestures["firefox:https://example.org/ü"] = gestureOf({ { { 1e-7f, 1e6f, 1 } } }, "firefox:https://example.org/ü");
    for (int g = 0; g < 70; ++g) {
        std::vector<GesturePoint> points;
        for (int i = 0; i < Gesture::maximumPointCount; ++i)
            points.emplace_back(float(i), float(g) + 0.1f, 1);
        std::string identity = "gesture " + std::to_string(g) + (g % 2 ? " \xF0\x9F\x98\x80 \xC3\xA9" : "");
        gestures[identity] = gestureOf({ points }, identity);
    }
    auto result = KeyedUnarchiver::unarchiveGestures(KeyedArchiver::archivedDataWithRootObject(gestures));
    ASSERT_TRUE(result.isComplete()) << result.problems.front();
    ASSERT_EQ(result.gestures->size(), gestures.size());
    for (const auto& [identity, gesture] : gestures) {
        const auto& decoded = result.gestures->at(identity);
        EXPECT_EQ(decoded->identity(), identity);
        EXPECT_EQ(decoded->strokes(), gesture->strokes()) << identity;
        EXPECT_TRUE(decoded->templates(0).empty());
    }
}

TEST(KeyedArchiveTest, writesNegativeIntegersInTheEightByteSignedForm)
{
    GestureDictionary gestures;
    gestures["n"] = gestureOf({ { { 0, 0, -5 } } }, "n");
    Data data = KeyedArchiver::archivedDataWithRootObject(gestures);
    const uint8_t signedMinusFive[] = { 0x13, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xfb };
    EXPECT_NE(std::search(data.begin(), data.end(), std::begin(signedMinusFive), std::end(signedMinusFive)), data.end());
    EXPECT_EQ(std::string(data.begin(), data.begin() + 8), "bplist00");
}

// An archive laid out as the platform's archiver writes it: a plain dictionary class,
// keys as string objects, floats as reals and integers as integers.
TEST(KeyedArchiveTest, loadsAnArchiveMadeByThePlatformLayout)
{
    HandMadeArchive archive;
    uint64_t first = archive.addPoint(plist_new_real(12.5), plist_new_real(-3.25), plist_new_uint(uint64_t(int64_t(-7))));
    uint64_t second = archive.addPoint(plist_new_real(400), plist_new_uint(20), plist_new_uint(1));
    uint64_t stroke = archive.addStroke(archive.addArray({ first, second }));
    plist_t key = plist_new_dict();
    plist_dict_set_item(key, "NS.string", plist_new_string("org.mozilla.firefox.desktop"));
    plist_dict_set_item(key, "$class", plist_new_uid(archive.addClass("NSMutableString", { "NSString", "NSObject" })));
    uint64_t keyReference = archive.add(key);
    uint64_t gesture = archive.addGesture(archive.addArray({ stroke, stroke }), keyReference);
    auto result = KeyedUnarchiver::unarchiveGestures(archive.bytes(archive.addDictionary({ keyReference }, { gesture })));
    ASSERT_TRUE(result.isComplete()) << result.problems.front();
    const auto& decoded = result.gestures->at("org.mozilla.firefox.desktop");
    ASSERT_EQ(decoded->strokes().size(), 2u);
    EXPECT_EQ(decoded->strokes()[0].pointAtIndex(0), GesturePoint(12.5f, -3.25f, -7));
    EXPECT_EQ(decoded->strokes()[1].pointAtIndex(1), GesturePoint(400, 20, 1));
}

TEST(KeyedArchiveTest, damagedEntriesCostOnlyThemselves)
{
    const std::vector<std::pair<const char*, std::function<uint64_t(HandMadeArchive&)>>> damages = {
        { "coordinate of the wrong type", onePoint(plist_new_string("1"), plist_new_real(0), plist_new_uint(1)) },
        { "not-a-number coordinate", onePoint(plist_new_real(NAN), plist_new_real(0), plist_new_uint(1)) },
        { "infinite coordinate", onePoint(plist_new_real(1e300), plist_new_real(0), plist_new_uint(1)) },
        { "coordinate far outside the drawing space",
          onePoint(plist_new_real(0), plist_new_uint(uint64_t(int64_t(-3000000000))), plist_new_uint(1)) },
        { "stroke identifier beyond 32 bits", onePoint(plist_new_real(0), plist_new_real(0), plist_new_uint(1ull << 40)) },
        { "dangling reference", [](HandMadeArchive& a) { return gestureWithPoints(a, { 9999 }); } },
        { "stroke with no points", [](HandMadeArchive& a) { return gestureWithPoints(a, {}); } },
        { "huge point count", [](HandMadeArchive& a) {
             uint64_t point = a.addPoint(plist_new_real(0), plist_new_real(0), plist_new_uint(1));
             return gestureWithPoints(a, std::vector<uint64_t>(200000, point));
         } },
        { "stroke that refers to itself", [](HandMadeArchive& a) {
             uint64_t stroke = a.addStroke(0);
             plist_dict_set_item(a.object(stroke), "points", plist_new_uid(stroke));
             return a.addGesture(a.addArray({ stroke }), a.add(plist_new_string("bad")));
         } },
        { "array that contains itself", [](HandMadeArchive& a) {
             uint64_t array = a.addArray({});
             plist_array_append_item(plist_dict_get_item(a.object(array), "NS.objects"), plist_new_uid(array));
             return a.addGesture(array, a.add(plist_new_string("bad")));
         } },
        { "four strokes", [](HandMadeArchive& a) { return gestureNamed(a, a.add(plist_new_string("bad")), 4); } },
        { "no identity", [](HandMadeArchive& a) { return gestureNamed(a, 0); } },
        { "empty stroke list", [](HandMadeArchive& a) { return a.addGesture(a.addArray({}), a.add(plist_new_string("bad"))); } },
        { "identity longer than the store writes", [](HandMadeArchive& a) {
             std::string identity(Gesture::maximumIdentityLength + 1, 'x');
             return gestureNamed(a, a.add(plist_new_string(identity.c_str())));
         } },
        { "object of another class", [](HandMadeArchive& a) { return a.addArray({}); } },
        { "plain value instead of an object", [](HandMadeArchive& a) { return a.add(plist_new_uint(5)); } },
    };
    for (const auto& [name, damage] : damages) {
        auto result = KeyedUnarchiver::unarchiveGestures(archiveWithDamagedEntry(damage));
        ASSERT_TRUE(result.gestures) << name;
        EXPECT_EQ(result.gestures->size(), 1u) << name;
        EXPECT_TRUE(result.gestures->contains("good")) << name;
        ASSERT_EQ(result.problems.size(), 1u) << name;
        EXPECT_NE(result.problems[0].find("InvalidGesture"), std::string::npos) << name;
    }
}

// Such an identity made `gestures export` fail for the whole store. The library would
// turn the byte into valid text when writing, so it is put into the written bytes.
TEST(KeyedArchiveTest, identityThatIsNotUtf8CostsOnlyItsEntry)
{
    Data data = archiveWithDamagedEntry([](HandMadeArchive& a) { return gestureNamed(a, a.add(plist_new_string("latin1~"))); });
    const std::string marker = "latin1~";
    auto found = std::search(data.begin(), data.end(), marker.begin(), marker.end());
    ASSERT_NE(found, data.end());
    found[6] = 0xE9;
    auto result = KeyedUnarchiver::unarchiveGestures(data);
    ASSERT_TRUE(result.gestures);
    EXPECT_TRUE(result.gestures->contains("good"));
    EXPECT_EQ(result.gestures->size(), 1u);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_NE(result.problems[0].find("UTF-8"), std::string::npos) << result.problems[0];
}

TEST(KeyedArchiveTest, undecodableArchivesFailAsAWhole)
{
    GestureDictionary gestures;
    gestures["x"] = gestureOf({ { { 1, 2, 1 } } }, "x");
    Data valid = KeyedArchiver::archivedDataWithRootObject(gestures);
    std::vector<Data> broken = {
        {},
        Data { 'n', 'o', 't', ' ', 'a', ' ', 'p', 'l', 'i', 's', 't' },
        Data(valid.begin(), valid.begin() + long(valid.size() / 2)),
    };
    HandMadeArchive danglingRoot;
    broken.push_back(danglingRoot.bytes(77));
    HandMadeArchive arrayRoot;
    broken.push_back(arrayRoot.bytes(arrayRoot.add(plist_new_array())));
    for (const auto& data : broken) {
        auto result = KeyedUnarchiver::unarchiveGestures(data);
        EXPECT_FALSE(result.gestures);
        EXPECT_FALSE(result.problems.empty());
    }
}
