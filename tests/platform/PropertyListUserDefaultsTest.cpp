#include "core/GestureRecognitionModel.h"
#include "platform/PropertyListUserDefaults.h"
#include "platform/SafeFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace scriblo;
namespace fs = std::filesystem;

namespace {

class PropertyListUserDefaultsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/scriblo-defaults-XXXXXX";
        m_folder = ::mkdtemp(pattern);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path storePath() const { return m_folder / "scriblo" / "org.scriblo.Scriblo.plist"; }
    std::vector<fs::path> filesBesideStore() const
    {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(storePath().parent_path()))
            files.push_back(entry.path());
        return files;
    }

    fs::path m_folder;
};

std::vector<GestureStroke> drawing()
{
    GestureStroke stroke;
    for (int i = 0; i < 20; ++i)
        stroke.addPoint(GesturePoint(float(i) * 30, float(i % 5) * 40, 1));
    return { stroke };
}

}

TEST_F(PropertyListUserDefaultsTest, valuesSurviveARestartWithTheirKinds)
{
    {
        PropertyListUserDefaults defaults(storePath());
        defaults.setInteger(-42, "readingDelayTime");
        defaults.setBool(true, "quickdrawOption");
        defaults.setObject(UserDefaultsValue(Data { 0, 1, 255 }), "Gestures");
        defaults.setObject(UserDefaultsValue(std::string("12abc")), "text");
        ASSERT_TRUE(defaults.synchronize());
    }
    PropertyListUserDefaults reloaded(storePath());
    EXPECT_EQ(reloaded.objectForKey("readingDelayTime")->intValue(), -42);
    EXPECT_TRUE(reloaded.boolForKey("quickdrawOption"));
    EXPECT_FALSE(reloaded.boolForKey("absent"));
    EXPECT_FALSE(reloaded.objectForKey("absent"));
    EXPECT_EQ(*reloaded.objectForKey("Gestures")->dataValue(), (Data { 0, 1, 255 }));
    EXPECT_EQ(reloaded.objectForKey("text")->intValue(), 12);
}

TEST_F(PropertyListUserDefaultsTest, synchronizeReplacesTheFileWholeAndLeavesNoTemporaries)
{
    PropertyListUserDefaults defaults(storePath());
    for (int i = 0; i < 5; ++i) {
        defaults.setInteger(i, "minimumRecognitionScore");
        ASSERT_TRUE(defaults.synchronize());
    }
    EXPECT_EQ(filesBesideStore(), std::vector<fs::path> { storePath() });
    EXPECT_NE(SafeFile::read(storePath(), 1 << 20)->find("<integer>4</integer>"), std::string::npos);
}

TEST_F(PropertyListUserDefaultsTest, unreadableFileIsMovedAsideNotLost)
{
    fs::create_directories(storePath().parent_path());
    ASSERT_TRUE(SafeFile::writeAtomically(storePath(), "<plist><dict><key>x</key>"));
    PropertyListUserDefaults defaults(storePath());
    EXPECT_FALSE(defaults.objectForKey("x"));
    defaults.setBool(true, "fullscreenOption");
    ASSERT_TRUE(defaults.synchronize());
    auto files = filesBesideStore();
    ASSERT_EQ(files.size(), 2u);
    auto aside = files[0] == storePath() ? files[1] : files[0];
    EXPECT_NE(aside.filename().string().find(".unreadable-"), std::string::npos);
    EXPECT_EQ(*SafeFile::read(aside, 1 << 20), "<plist><dict><key>x</key>");
}

TEST_F(PropertyListUserDefaultsTest, writesFromSeveralThreadsAllLand)
{
    PropertyListUserDefaults defaults(storePath());
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 25; ++i) {
                defaults.setInteger(i, "key" + std::to_string(t));
                defaults.synchronize();
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    PropertyListUserDefaults reloaded(storePath());
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(reloaded.objectForKey("key" + std::to_string(t))->intValue(), 24);
}

TEST_F(PropertyListUserDefaultsTest, standardPathFollowsXdgConfigHome)
{
    ::setenv("XDG_CONFIG_HOME", m_folder.c_str(), 1);
    EXPECT_EQ(PropertyListUserDefaults::standardPath(), storePath());
    ::unsetenv("XDG_CONFIG_HOME");
}

// The store on a real file: a damaged gestures value is kept beside the store.
TEST_F(PropertyListUserDefaultsTest, gestureStoreKeepsABackupOfAnUndecodableValue)
{
    {
        PropertyListUserDefaults defaults(storePath());
        defaults.setObject(UserDefaultsValue(Data { 'b', 'a', 'd' }), "Gestures");
        defaults.synchronize();
    }
    PropertyListUserDefaults defaults(storePath());
    GestureRecognitionModel model(defaults);
    model.setup();
    ASSERT_TRUE(model.saveGestureWithStrokes(drawing(), "org.gnome.Calculator.desktop"));
    ASSERT_TRUE(model.backupPath());
    EXPECT_NE(model.backupPath()->find("org.scriblo.Scriblo.plist.gestures-backup-"), std::string::npos);
    EXPECT_EQ(*SafeFile::read(*model.backupPath(), 1 << 20), "bad");
    PropertyListUserDefaults reloaded(storePath());
    GestureRecognitionModel restarted(reloaded);
    restarted.setup();
    EXPECT_TRUE(restarted.getGestureWithIdentity("org.gnome.Calculator.desktop"));
}
