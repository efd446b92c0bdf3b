#include "files/SafeFile.h"
#include "support/TemporaryFolderTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using scriblo::SafeFile;

namespace {

class SafeFileTest : public scriblo::testing::TemporaryFolderTest {
protected:
    size_t entriesInFolder() const
    {
        return size_t(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()));
    }
};

TEST_F(SafeFileTest, aWriteReplacesTheFileWholeAndLeavesNoTemporaryBehind)
{
    auto path = m_folder / "sheet.json";
    ASSERT_TRUE(SafeFile::writeAtomically(path, "old"));
    ASSERT_TRUE(SafeFile::writeAtomically(path, "new contents"));
    EXPECT_EQ(SafeFile::read(path, 100).value(), "new contents");
    EXPECT_EQ(entriesInFolder(), 1u);
}

TEST_F(SafeFileTest, theStoreIsTheOwnersAloneWhileADocumentFollowsTheUmask)
{
    auto mask = ::umask(027);
    auto store = m_folder / "store.plist";
    auto sheet = m_folder / "sheet.pdf";
    ASSERT_TRUE(SafeFile::writeAtomically(store, "private"));
    ASSERT_TRUE(SafeFile::writeAtomically(sheet, "shared", SafeFile::Readers::AsUmaskAllows));
    ::umask(mask);
    EXPECT_EQ(fs::status(store).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(sheet).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A FIFO with no writer once hung the readers of bookmarks and recordings, and a link to
// /dev/zero filled their memory.
TEST_F(SafeFileTest, whatIsNotARegularFileIsRefusedWithoutBlocking)
{
    ASSERT_EQ(::mkfifo((m_folder / "fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", m_folder / "zero");
    for (const char* name : { "fifo", "zero" }) {
        auto read = SafeFile::read(m_folder / name, 1 << 20);
        ASSERT_FALSE(read) << name;
        EXPECT_EQ(read.error(), "is not a regular file") << name;
    }
}

// A user choosing where a file goes needs the reason in words, not just "failed".
TEST_F(SafeFileTest, aWriteThatCannotHappenSaysWhyAndTouchesNothing)
{
    auto blocker = m_folder / "not-a-folder";
    ASSERT_TRUE(SafeFile::writeAtomically(blocker, "x"));
    auto written = SafeFile::writeAtomically(blocker / "sheet.json", "bytes");
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().find("Not a directory"), std::string::npos) << written.error();
    EXPECT_NE(written.error().find(blocker.string()), std::string::npos) << written.error();

    auto folder = m_folder / "a-folder";
    fs::create_directories(folder);
    auto replaced = SafeFile::writeAtomically(folder, "bytes");
    ASSERT_FALSE(replaced);
    EXPECT_NE(replaced.error().find("cannot replace"), std::string::npos) << replaced.error();
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(entriesInFolder(), 2u) << "the temporary file is removed";
}

}
