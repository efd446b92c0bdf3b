#include "core/PlistPointer.h"
#include "core/PropertyListShape.h"

#include <gmock/gmock.h>

#include <optional>
#include <string>
#include <vector>

using namespace scriblo;
using ::testing::HasSubstr;

namespace {

// A binary property list of arrays and integer leaves: each object is the list of the
// objects it refers to, or nothing for a leaf. Object 0 is the top.
std::string binaryList(const std::vector<std::optional<std::vector<uint8_t>>>& objects)
{
    std::string bytes = "bplist00";
    std::vector<size_t> offsets;
    for (const auto& object : objects) {
        offsets.push_back(bytes.size());
        if (!object) {
            bytes += "\x10\x01";
            continue;
        }
        if (object->size() < 15) {
            bytes += char(0xa0 | object->size());
        } else {
            bytes += "\xaf\x10";
            bytes += char(object->size());
        }
        bytes.append(object->begin(), object->end());
    }
    size_t table = bytes.size();
    for (size_t offset : offsets) {
        bytes += char(offset >> 8);
        bytes += char(offset & 0xff);
    }
    std::string trailer(32, '\0');
    trailer[6] = 2;
    trailer[7] = 1;
    trailer[15] = char(objects.size());
    trailer[30] = char(table >> 8);
    trailer[31] = char(table & 0xff);
    return bytes + trailer;
}

// Each level's array refers `fanOut` times to the next, ending in one leaf.
std::string sharedLevels(int depth, int fanOut)
{
    std::vector<std::optional<std::vector<uint8_t>>> objects;
    for (int level = 0; level < depth; ++level)
        objects.push_back(std::vector<uint8_t>(fanOut, uint8_t(level + 1)));
    objects.push_back(std::nullopt);
    return binaryList(objects);
}

std::string nestedXml(int depth)
{
    std::string xml = "<?xml version=\"1.0\"?><!-- <array> --><plist version=\"1.0\">";
    for (int i = 0; i < depth; ++i)
        xml += "<array><true/>";
    for (int i = 0; i < depth; ++i)
        xml += "</array>";
    return xml + "</plist>";
}

Expected<PropertyListShape> measure(const std::string& bytes)
{
    return PropertyListShape::measure(bytes.data(), bytes.size());
}

std::string failure(const std::string& bytes)
{
    auto parsed = parsePropertyList(bytes.data(), bytes.size());
    return parsed ? "parsed" : parsed.error();
}

}

TEST(PropertyListShapeTest, nestingIsMeasuredAlikeInXmlAndBinary)
{
    auto xml = measure(nestedXml(3));
    ASSERT_TRUE(xml);
    EXPECT_EQ(xml->depth, 3u);
    EXPECT_EQ(xml->nodeCount, 6u);
    auto binary = measure(sharedLevels(3, 1));
    ASSERT_TRUE(binary);
    EXPECT_EQ(binary->depth, 3u);
    EXPECT_EQ(binary->nodeCount, 4u);
}

// libplist recursed once per level: 40,000 nested arrays overflowed the stack.
TEST(PropertyListShapeTest, nestingBeyondTheLimitIsRefusedBeforeParsing)
{
    constexpr int limit = int(PropertyListShape::maximumDepth);
    EXPECT_EQ(failure(nestedXml(limit)), "parsed");
    EXPECT_EQ(failure(nestedXml(limit + 1)), "too deeply nested (more than 64 levels)");
    EXPECT_EQ(failure(nestedXml(40'000)), "too deeply nested (more than 64 levels)");
    EXPECT_EQ(failure(sharedLevels(limit, 1)), "parsed");
    EXPECT_EQ(failure(sharedLevels(limit + 1, 1)), "too deeply nested (more than 64 levels)");
}

// libplist copies a shared object at every reference: eight references per level took
// 1.9 GB at depth 8 from 478 bytes.
TEST(PropertyListShapeTest, sharedObjectsCountAtEveryUseAndTheirExpansionIsRefused)
{
    auto shape = measure(sharedLevels(7, 8));
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->nodeCount, 2396745u) << "8^0 + 8^1 + ... + 8^7";
    EXPECT_THAT(failure(sharedLevels(8, 8)), HasSubstr("too many values"));
    EXPECT_THAT(failure(sharedLevels(12, 8)), HasSubstr("too many values"));
    // Wide and shallow: a 200-entry array whose entries all share one 200-entry array.
    std::vector<std::optional<std::vector<uint8_t>>> wide { std::vector<uint8_t>(200, 1), std::vector<uint8_t>(200, 2), std::nullopt };
    auto wideShape = measure(binaryList(wide));
    ASSERT_TRUE(wideShape);
    EXPECT_EQ(wideShape->nodeCount, 1u + 200u * 201u);
}

TEST(PropertyListShapeTest, malformedBinaryListsAreRefusedWithoutReadingOutsideThem)
{
    EXPECT_THAT(failure(binaryList({ std::vector<uint8_t> { 0 } })), HasSubstr("contains itself"));
    EXPECT_THAT(failure(binaryList({ std::vector<uint8_t> { 1 }, std::vector<uint8_t> { 0 } })), HasSubstr("contains itself"));
    EXPECT_THAT(failure(binaryList({ std::vector<uint8_t> { 9 } })), HasSubstr("missing object"));
    std::string valid = sharedLevels(2, 2);
    for (size_t cut = 0; cut < valid.size(); ++cut)
        EXPECT_THAT(failure(valid.substr(0, cut)), ::testing::Not("parsed")) << cut;
    std::string wrongTable = valid;
    wrongTable[wrongTable.size() - 1] = char(0xff);
    EXPECT_THAT(failure(wrongTable), HasSubstr("damaged binary property list"));
    std::string longList = valid;
    longList[8] = char(0xaf);
    longList[9] = char(0x13);
    EXPECT_THAT(failure(longList), HasSubstr("damaged binary property list"));
}
