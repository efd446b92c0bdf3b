#include "HandMadeArchive.h"
#include "core/BinaryPropertyListReader.h"
#include "core/PlistPointer.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace scriblo;
using scriblo::testing::HandMadeArchive;

namespace {

void expectSameAsLibrary(plist_t node, const BinaryPropertyListReader& reader, uint64_t object);

void expectSameDictionary(plist_t node, const BinaryPropertyListReader& reader, uint64_t object)
{
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(node, &iterator);
    for (;;) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(node, iterator, &key, &value);
        if (!key)
            break;
        auto found = reader.valueForKey(object, key);
        EXPECT_TRUE(found) << key;
        if (found)
            expectSameAsLibrary(value, reader, *found);
        std::free(key);
    }
    std::free(iterator);
}

// Walks the library's tree and the reader's objects side by side.
void expectSameAsLibrary(plist_t node, const BinaryPropertyListReader& reader, uint64_t object)
{
    switch (plist_get_node_type(node)) {
    case PLIST_DICT:
        return expectSameDictionary(node, reader, object);
    case PLIST_ARRAY: {
        auto items = reader.arrayItems(object, UINT64_MAX);
        auto expected = arrayItems(node);
        ASSERT_TRUE(items);
        ASSERT_EQ(items->size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            expectSameAsLibrary(expected[i], reader, (*items)[i]);
        return;
    }
    case PLIST_UINT: {
        uint64_t bits = 0;
        plist_get_uint_val(node, &bits);
        EXPECT_EQ(reader.integer(object), int64_t(bits));
        return;
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        auto read = reader.real(object);
        ASSERT_TRUE(read);
        EXPECT_EQ(std::memcmp(&*read, &value, sizeof value), 0) << *read << " " << value;
        return;
    }
    case PLIST_STRING: {
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        EXPECT_EQ(reader.text(object), std::string(text, length));
        return;
    }
    case PLIST_UID: {
        uint64_t value = 0;
        plist_get_uid_val(node, &value);
        EXPECT_EQ(reader.uid(object), value);
        return;
    }
    default:
        ADD_FAILURE() << "a node kind the test inputs do not hold";
    }
}

void expectReadAsTheLibraryReads(const std::string& bytes)
{
    auto library = parsePropertyList(bytes.data(), bytes.size());
    ASSERT_TRUE(library) << library.error();
    auto reader = BinaryPropertyListReader::open(bytes);
    ASSERT_TRUE(reader) << reader.error();
    expectSameAsLibrary(library->get(), *reader, reader->topObject());
}

std::string text(const Data& data)
{
    return std::string(data.begin(), data.end());
}

}

TEST(BinaryPropertyListReaderTest, readsTheKeptArchivesAsTheLibraryDoes)
{
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SCRIBLO_SOURCE_DIR "/tests/fuzz/corpus/keyed_archive")) {
        std::ifstream stream(entry.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().string());
        expectReadAsTheLibraryReads(bytes);
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

// The store's own archives are read in the keyed archive's round trip, whose bytes the
// library's reading pins; here, what only another writer makes: a real that needs eight
// bytes and integers as the library writes them.
TEST(BinaryPropertyListReaderTest, readsWhatOnlyTheLibraryWritesAsTheLibraryDoes)
{
    HandMadeArchive archive;
    uint64_t point = archive.addPoint(plist_new_real(0.1), plist_new_uint(uint64_t(int64_t(-7))), plist_new_uint(70000));
    expectReadAsTheLibraryReads(text(archive.bytes(archive.addArray({ point, point }))));
}

TEST(BinaryPropertyListReaderTest, valuesOfAnotherKindOrPastTheObjectAreaReadAsNothing)
{
    // Object 0 is an array claiming 200 references, object 1 a lone high surrogate,
    // object 2 "x", and object 3 a real that claims 8 bytes with 2 before the offset table.
    std::string bytes = "bplist00";
    bytes += std::string("\xaf\x10\xc8", 3);
    bytes += std::string("\x61\xd8\x00", 3);
    bytes += std::string("\x51x", 2);
    bytes += std::string("\x23\x40\x09", 3);
    size_t table = bytes.size();
    bytes += std::string("\x08\x0b\x0e\x10", 4);
    bytes += std::string(6, '\0') + "\x01\x01";
    bytes += std::string(7, '\0') + "\x04" + std::string(8, '\0') + std::string(7, '\0') + char(table);
    auto reader = BinaryPropertyListReader::open(bytes);
    ASSERT_TRUE(reader) << reader.error();
    EXPECT_FALSE(reader->arrayItems(0, UINT64_MAX));
    EXPECT_FALSE(reader->text(1));
    EXPECT_EQ(reader->text(2), "x");
    EXPECT_FALSE(reader->integer(2));
    EXPECT_FALSE(reader->valueForKey(2, "x"));
    EXPECT_FALSE(reader->real(3));
    EXPECT_FALSE(reader->text(4));
    EXPECT_FALSE(BinaryPropertyListReader::open("<plist/>"));
}
