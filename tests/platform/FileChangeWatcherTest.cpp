#include "platform/FileChangeWatcher.h"
#include "platform/PropertyListUserDefaults.h"
#include "files/SafeFile.h"
#include "support/QtTestApplication.h"
#include "support/TemporaryFolderTest.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <thread>
#include <sys/stat.h>

using namespace scriblo;
using namespace scriblo::testing;
namespace fs = std::filesystem;

namespace {

ino_t inodeOf(const fs::path& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

// A running program's store and a watcher that takes in every change it is told of, as
// the application does; the tests change the file the ways other programs and users do.
class FileChangeWatcherTest : public scriblo::testing::TemporaryFolderTest {
protected:
    void SetUp() override
    {
        ensureCoreApplication();
        TemporaryFolderTest::SetUp();
    }

    fs::path folder() const { return m_folder / "config" / "scriblo"; }
    fs::path store() const { return folder() / "org.scriblo.Scriblo.plist"; }

    void follow()
    {
        running = std::make_unique<PropertyListUserDefaults>(store());
        watcher = std::make_unique<FileChangeWatcher>(store());
        QObject::connect(watcher.get(), &FileChangeWatcher::changed, [this] {
            if (running->hasChangedOnDisk()) {
                EXPECT_TRUE(running->reload());
            }
        });
    }

    // The bytes of a store holding one score, as another program would write them.
    std::string storeBytes(int64_t score)
    {
        fs::path scratch = m_folder / ("scratch-" + std::to_string(score) + ".plist");
        PropertyListUserDefaults(scratch).setInteger(score, "minimumRecognitionScore");
        return *SafeFile::read(scratch, 1 << 20);
    }

    // As `cat > FILE` or an editor saving in place: the same file, truncated and written.
    // Each test's scores differ in length, since two versions of one size written within
    // one tick of the file clock look alike to a stamp.
    void writeInPlace(int64_t score)
    {
        std::string bytes = storeBytes(score);
        std::ofstream(store(), std::ios::binary | std::ios::trunc) << bytes;
    }

    bool takenIn(int64_t score)
    {
        return processEventsUntil([&] {
            return running->objectForKey("minimumRecognitionScore") == UserDefaultsValue(score);
        });
    }

    std::unique_ptr<PropertyListUserDefaults> running;
    std::unique_ptr<FileChangeWatcher> watcher;
};

}

TEST_F(FileChangeWatcherTest, aStoreWrittenInPlaceIsTakenInEvenAfterItWasReplacedByRename)
{
    fs::create_directories(folder());
    writeInPlace(1);
    follow();
    ino_t inode = inodeOf(store());
    writeInPlace(22);
    EXPECT_TRUE(takenIn(22)) << "a write in place changes no folder entry";
    EXPECT_EQ(inodeOf(store()), inode);

    // Another process saves by rename; the watch must move to the new file.
    PropertyListUserDefaults(store()).setInteger(333, "minimumRecognitionScore");
    EXPECT_TRUE(takenIn(333));
    EXPECT_NE(inodeOf(store()), inode);
    writeInPlace(4444);
    EXPECT_TRUE(takenIn(4444));
}

TEST_F(FileChangeWatcherTest, aStoreWhoseFoldersAreMadeOnlyLaterIsFollowed)
{
    follow();
    EXPECT_EQ(watcher->watchedPaths(), QStringList { QString::fromStdString(m_folder.string()) });
    fs::create_directories(folder());
    PropertyListUserDefaults(store()).setInteger(70, "minimumRecognitionScore");
    EXPECT_TRUE(takenIn(70));
}

// Another program removes the folder and at once makes it again with a store written in
// place, while the watcher is still busy with the removal's notices: the write must be
// taken in whichever moment of the watcher's re-arming the folder and file appear in.
TEST_F(FileChangeWatcherTest, aStoreWrittenAtOnceIntoAFolderMadeAgainIsTakenInEveryTime)
{
    fs::create_directories(folder());
    writeInPlace(1);
    follow();
    std::mt19937 random(18);
    for (int round = 0; round < 150; ++round) {
        int64_t score = 1000 + round;
        std::string bytes = storeBytes(score);
        int pause = std::uniform_int_distribution(0, 3000)(random);
        std::thread maker([&] {
            fs::remove_all(folder());
            std::this_thread::sleep_for(std::chrono::microseconds(pause));
            fs::create_directories(folder());
            std::ofstream written(store(), std::ios::binary | std::ios::trunc);
            std::this_thread::sleep_for(std::chrono::microseconds(3000 - pause));
            written << bytes;
        });
        bool seen = takenIn(score);
        maker.join();
        ASSERT_TRUE(seen) << "round " << round << " was never taken in";
    }
}
