#include "core/KeyedArchiver.h"

#include <plist/plist.h>

#include <gtest/gtest.h>

#include <random>

using namespace scriblo;

namespace {

// The archive as a property-list reader sees it, key for key: the library's own reading
// of the bytes, in its XML form, folded to a 64-bit FNV-1a digest. The digests pinned
// below are those of the archives written before the writer streamed its objects, so
// whatever the byte layout, every key, value and reference stays as it was.
uint64_t archiveDigest(const GestureDictionary& gestures)
{
    Data data = KeyedArchiver::archivedDataWithRootObject(gestures);
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

void add(GestureDictionary& gestures, const std::string& identity, std::vector<std::vector<GesturePoint>> strokes)
{
    std::vector<GestureStroke> built;
    for (auto& points : strokes)
        built.emplace_back(std::move(points));
    gestures[identity] = std::make_shared<const Gesture>(identity, std::move(built));
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
        add(gestures, identity, std::move(strokes));
    }
    return gestures;
}

}

TEST(ArchiveDigestTest, craftedAndRandomStoresArchiveKeyForKeyAsBefore)
{
    GestureDictionary crafted;
    add(crafted, "org.gnome.Nautilus.desktop", { { { 12.5f, -3.25f, 7 }, { 0.1f, 999.9f, -5 } }, { { 3, 4, INT32_MIN } } });
    add(crafted, "firefox:https://example.org/\xC3\xBC \xF0\x9F\x98\x80", { { { 1e-7f, 1e6f, 1 } } });
    EXPECT_EQ(archiveDigest(crafted), 0xb50de1f73e5c6bcfull);
    EXPECT_EQ(archiveDigest({}), 0x5236bfaa0d042a32ull);
    EXPECT_EQ(archiveDigest(randomStore(1, 20)), 0x61cde266c40acfeaull);
    EXPECT_EQ(archiveDigest(randomStore(2, 20)), 0x8bcadf901f8880aeull);
    // Past 65,536 objects, where references take four bytes.
    EXPECT_EQ(archiveDigest(randomStore(3, 400)), 0xceb1cf9342d5309full);
}
