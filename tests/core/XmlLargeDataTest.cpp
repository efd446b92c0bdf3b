#include "core/PlistPointer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

using namespace scriblo;

namespace {

// The tree as libplist writes it back, which two trees share when they are equal.
std::string written(plist_t root)
{
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    std::string text(xml, length);
    plist_to_xml_free(xml);
    return text;
}

std::string base64Lines(size_t bytes, unsigned seed)
{
    std::mt19937 random(seed);
    std::string data(bytes, '\0');
    for (char& c : data)
        c = char(random());
    plist_t node = plist_new_data(data.data(), data.size());
    std::string xml = written(node);
    plist_free(node);
    size_t start = xml.find("<data>") + 6;
    return xml.substr(start, xml.find("</data>") - start);
}

std::string store(const std::string& value, const std::string& root = "dict", const std::string& extraKeys = "")
{
    return "<?xml version=\"1.0\"?>\n<plist version=\"1.0\">\n<" + root + ">\n\t<key>Before</key>\n\t<string>a &amp; b</string>\n"
        + extraKeys + "\t<key>Gestures</key>\n\t<data>" + value + "</data>\n\t<key>After</key>\n\t<integer>7</integer>\n</" + root + ">\n</plist>\n";
}

// Whatever way the text takes, the tree is the one libplist alone builds from it.
// Returns whether the text was released, as it is once the values were taken out.
bool parsesAsLibraryDoes(const std::string& text)
{
    auto expected = parsePropertyList(text.data(), text.size());
    std::string consumed = text;
    auto parsed = parsePropertyListText(consumed);
    EXPECT_EQ(parsed.hasValue(), expected.hasValue());
    if (parsed && expected) {
        EXPECT_EQ(written(parsed->get()), written(expected->get()));
    }
    if (!consumed.empty()) {
        EXPECT_EQ(consumed, text);
    }
    return consumed.empty();
}

}

TEST(XmlLargeDataTest, decodesLargeValuesAsTheLibraryDoesAndLeavesItEverythingItReadsOtherwise)
{
    // Every length modulo three, so every kind of last group and its padding.
    for (size_t bytes : { 90000u, 90001u, 90002u })
        EXPECT_TRUE(parsesAsLibraryDoes(store(base64Lines(bytes, unsigned(bytes)))));
    EXPECT_TRUE(parsesAsLibraryDoes(store(std::string(100000, 'A'))));
    EXPECT_TRUE(parsesAsLibraryDoes(store(std::string(99998, 'A') + "=\n\t=")));
    // Small values are not worth it; the rest libplist reads its own lenient way.
    EXPECT_FALSE(parsesAsLibraryDoes(store(base64Lines(100, 1))));
    std::string large = base64Lines(60000, 2);
    for (const std::string& odd : { large + "QUJ", large + "QQ=", large + "Q===", "QQ==" + large, large + "&#65;AAA",
                                    large + "-_", large + std::string(1, '\0'), std::string(80000, '\n') })
        EXPECT_FALSE(parsesAsLibraryDoes(store(odd)));
    EXPECT_FALSE(parsesAsLibraryDoes(store(large, "array")));
    EXPECT_FALSE(parsesAsLibraryDoes(store(large + "<!-- x -->" + large)));
    // The last of two equal keys wins, and the placeholder of the first is gone with it.
    EXPECT_FALSE(parsesAsLibraryDoes(store(large, "dict", "\t<key>Gestures</key>\n\t<data>" + large + "</data>\n")));
    // A broken file keeps its bytes for the copy kept beside it.
    EXPECT_FALSE(parsesAsLibraryDoes(store(large).substr(0, store(large).size() - 20)));
}
