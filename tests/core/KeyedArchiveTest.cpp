#include "HandMadeArchive.h"
#include "core/KeyedArchiver.h"
#include "core/KeyedUnarchiver.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <random>

using namespace scriblo;
using scriblo::testing::HandMadeArchive;
using scriblo::testing::archiveWithDamagedEntry;

namespace {

std::shared_ptr<const Gesture> gestureOf(std::vector<std::vector<GesturePoint>> strokes, const std::string& identity)
{
    std::vector<GestureStroke> built;
    for (auto& points : strokes)
        built.emplace_back(std::move(points));
    return std::make_shared<const Gesture>(identity, std::move(built));
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

// The archive as a property-list reader sees it, key for key: the library's own reading
// of the bytes, in its XML form, folded to a 64-bit FNV-1a digest.
uint64_t archiveDigest(const Data& data)
{
    plist_t root = nullptr;
    plist_from_bin(reinterpret_cast<const char*>(data.data()), uint32_t(data.size()), &root);
    if (!root)
        return 0;
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    plist_free(root);
    uint64_t digest = 14695981039346656037ull;
    for (uint32_t i = 0; i < length; ++i)
        digest = (digest ^ uint8_t(xml[i])) * 1099511628211ull;
    plist_to_xml_free(xml);
    return digest;
}

// Gestures drawn from a seeded generator: its raw output is the same on every platform,
// unlike the standard distributions.
GestureDictionary randomStore(uint32_t seed, int count)
{
    std::mt19937 random(seed);
    GestureDictionary gestures;
    for (int g = 0; g < count; ++g) {
        std::vector<std::vector<GesturePoint>> strokes(1 + random() % 3);
        int32_t strokeId = int32_t(random() % 7) - 3;
        for (auto& points : strokes) {
            for (uint32_t i = 0, n = 2 + random() % 300; i < n; ++i)
                points.emplace_back(float(random() % 100000) / 97.0f, float(random() % 100000) / 89.0f, strokeId);
            ++strokeId;
        }
        std::string identity = g % 3 ? "/home/user/.local/share/Scriblo/Scripts/" + std::to_string(random())
                                     : "firefox:https://example.org/\xC3\xBC/" + std::to_string(g);
        gestures[identity] = gestureOf(std::move(strokes), identity);
    }
    return gestures;
}

}

// Writes each store, compares the archive's digest with the one pinned, if any, and reads
// it back to the same gestures. The digests pinned are those of the archives written
// before the writer streamed its objects, so whatever the byte layout, every key, value
// and reference stays as it was.
void expectArchivedAsBeforeAndRoundTrip(const std::vector<std::pair<GestureDictionary, std::optional<uint64_t>>>& stores)
{
    for (const auto& [gestures, digest] : stores) {
        SCOPED_TRACE(gestures.empty() ? "empty" : gestures.begin()->first);
        Data data = KeyedArchiver::archivedDataWithRootObject(gestures);
        if (digest) {
            EXPECT_EQ(archiveDigest(data), *digest);
        }
        auto result = KeyedUnarchiver::unarchiveGestures(data);
        ASSERT_TRUE(result.isComplete()) << result.problems.front();
        ASSERT_EQ(result.gestures->size(), gestures.size());
        for (const auto& [identity, gesture] : gestures) {
            const auto& decoded = result.gestures->at(identity);
            EXPECT_EQ(decoded->identity(), identity);
            EXPECT_EQ(decoded->strokes(), gesture->strokes()) << identity;
            EXPECT_TRUE(decoded->templates(0).empty());
        }
    }
}

// Points to the bit, negative stroke identifiers, texts beyond the basic plane (two UTF-16
// units each) and the longest stroke the store takes.
TEST(KeyedArchiveTest, storesArchiveKeyForKeyAsBeforeAndRoundTripExactly)
{
    GestureDictionary crafted;
    crafted["org.gnome.Nautilus.desktop"] = gestureOf({ { { 12.5f, -3.25f, 7 }, { 0.1f, 999.9f, -5 } }, { { 3, 4, INT32_MIN } } }, "org.gnome.Nautilus.desktop");
    crafted["firefox:https://example.org/\xC3\xBC \xF0\x9F\x98\x80"] = gestureOf({ { { 1e-7f, 1e6f, 1 } } }, "firefox:https://example.org/\xC3\xBC \xF0\x9F\x98\x80");
    GestureDictionary longest;
    longest["longest"] = gestureOf({ std::vector<GesturePoint>(Gesture::maximumPointCount, { 0.5f, 2, 1 }) }, "longest");
    expectArchivedAsBeforeAndRoundTrip({ { crafted, 0xb50de1f73e5c6bcfull }, { {}, 0x5236bfaa0d042a32ull },
                                         { randomStore(1, 20), 0x61cde266c40acfeaull },
                                         { randomStore(2, 20), 0x8bcadf901f8880aeull }, { longest, std::nullopt } });
}

// Past 65,536 objects references take four bytes. The library's XML writer, which the
// digest reads, grows its text a page at a time, and AddressSanitizer's realloc copies the
// whole text each time: the sanitizers' run leaves this test to the plain one, and checks
// four-byte references through the largest store's round trip instead.
TEST(KeyedArchiveTest, storesAnArchiveOfFourByteReferencesAsBefore)
{
    expectArchivedAsBeforeAndRoundTrip({ { randomStore(3, 400), 0xceb1cf9342d5309full } });
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
        { "identity that is not UTF-8", [](HandMadeArchive& a) { return gestureNamed(a, a.add(plist_new_string("latin1~"))); } },
        { "identity longer than the store writes", [](HandMadeArchive& a) {
             std::string identity(Gesture::maximumIdentityLength + 1, 'x');
             return gestureNamed(a, a.add(plist_new_string(identity.c_str())));
         } },
        { "object of another class", [](HandMadeArchive& a) { return a.addArray({}); } },
        { "plain value instead of an object", [](HandMadeArchive& a) { return a.add(plist_new_uint(5)); } },
    };
    for (const auto& [name, damage] : damages) {
        Data data = archiveWithDamagedEntry(damage);
        // An identity that is not UTF-8 made `gestures export` fail for the whole store. The
        // library would turn its byte into valid text when writing, so the byte is put in
        // afterwards.
        const std::string marker = "latin1~";
        if (auto found = std::search(data.begin(), data.end(), marker.begin(), marker.end()); found != data.end())
            found[6] = 0xE9;
        auto result = KeyedUnarchiver::unarchiveGestures(data);
        ASSERT_TRUE(result.gestures) << name;
        EXPECT_EQ(result.gestures->size(), 1u) << name;
        EXPECT_TRUE(result.gestures->contains("good")) << name;
        ASSERT_EQ(result.problems.size(), 1u) << name;
        EXPECT_NE(result.problems[0].find("InvalidGesture"), std::string::npos) << name;
    }
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
