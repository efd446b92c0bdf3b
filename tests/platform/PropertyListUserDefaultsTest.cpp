#include "core/GestureRecognitionModel.h"
#include "core/KeyedUnarchiver.h"
#include "core/ParabolaDrawing.h"
#include "platform/PropertyListUserDefaults.h"
#include "files/SafeFile.h"
#include "support/TemporaryFolderTest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

using namespace scriblo;
using scriblo::testing::drawing;
namespace fs = std::filesystem;

namespace {

class PropertyListUserDefaultsTest : public scriblo::testing::TemporaryFolderTest {
protected:
    fs::path storePath() const { return m_folder / "scriblo" / "org.scriblo.Scriblo.plist"; }
    std::vector<fs::path> filesBesideStore() const
    {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(storePath().parent_path()))
            files.push_back(entry.path());
        return files;
    }
};

// The gestures side of a program on the store: its own hold of the file, and its model
// set up from it.
struct GestureStore {
    explicit GestureStore(const fs::path& path)
        : defaults(path)
        , model(defaults)
    {
        model.setup();
    }
    PropertyListUserDefaults defaults;
    GestureRecognitionModel model;
};

}

TEST_F(PropertyListUserDefaultsTest, valuesSurviveARestartWithTheirKindsInTheStandardPlace)
{
    ::setenv("XDG_CONFIG_HOME", m_folder.c_str(), 1);
    EXPECT_EQ(PropertyListUserDefaults::standardPath(), storePath());
    ::unsetenv("XDG_CONFIG_HOME");
    // Large values are written beside the library's text; one byte past a whole group.
    Data large(200 * 1024 + 1);
    for (size_t i = 0; i < large.size(); ++i)
        large[i] = uint8_t(i * 131 + (i >> 9));
    {
        PropertyListUserDefaults defaults(storePath());
        defaults.setInteger(-42, "readingDelayTime");
        defaults.setBool(true, "quickdrawOption");
        defaults.setObject(UserDefaultsValue(Data { 0, 1, 255 }), "Gestures");
        defaults.setObject(UserDefaultsValue(std::string("12abc")), "text");
        defaults.setObject(UserDefaultsValue(large), "Large <data> & more");
        defaults.setObject(UserDefaultsValue(std::string("<string>&")), "markup");
        ASSERT_TRUE(defaults.synchronize());
    }
    PropertyListUserDefaults reloaded(storePath());
    EXPECT_EQ(reloaded.objectForKey("readingDelayTime")->intValue(), -42);
    EXPECT_TRUE(reloaded.boolForKey("quickdrawOption"));
    EXPECT_FALSE(reloaded.boolForKey("absent"));
    EXPECT_FALSE(reloaded.objectForKey("absent"));
    EXPECT_EQ(*reloaded.objectForKey("Gestures")->dataValue(), (Data { 0, 1, 255 }));
    EXPECT_EQ(reloaded.objectForKey("text")->intValue(), 12);
    EXPECT_EQ(*reloaded.objectForKey("Large <data> & more")->dataValue(), large) << "every length of the last group";
    EXPECT_EQ(*reloaded.objectForKey("markup"), UserDefaultsValue(std::string("<string>&")));
}

TEST_F(PropertyListUserDefaultsTest, damagedFileIsCopiedAsideByTheFirstSaveOnly)
{
    fs::create_directories(storePath().parent_path());
    ASSERT_TRUE(SafeFile::writeAtomically(storePath(), "<plist><dict><key>x</key>"));
    PropertyListUserDefaults defaults(storePath());
    EXPECT_TRUE(defaults.isDamaged());
    EXPECT_FALSE(defaults.failure());
    EXPECT_FALSE(defaults.objectForKey("x"));
    EXPECT_EQ(filesBesideStore(), std::vector<fs::path> { storePath() });
    defaults.setBool(true, "fullscreenOption");
    ASSERT_TRUE(defaults.synchronize());
    EXPECT_FALSE(defaults.isDamaged());
    auto files = filesBesideStore();
    std::set<fs::path> beside(files.begin(), files.end());
    beside.erase(storePath());
    beside.erase(storePath().string() + ".lock");
    ASSERT_EQ(beside.size(), 1u) << "one copy";
    EXPECT_NE(beside.begin()->filename().string().find(".unreadable-"), std::string::npos);
    EXPECT_EQ(*SafeFile::read(*beside.begin(), 1 << 20), "<plist><dict><key>x</key>");
}

// Two processes hold the store at once; each save carries only its own keys.
TEST_F(PropertyListUserDefaultsTest, twoStoresOnOneFileKeepEachOthersChanges)
{
    {
        PropertyListUserDefaults seed(storePath());
        seed.setInteger(1, "removedByFirst");
        seed.setInteger(1, "changedBySecond");
    }
    PropertyListUserDefaults first(storePath());
    PropertyListUserDefaults second(storePath());
    first.removeObjectForKey("removedByFirst");
    ASSERT_TRUE(first.synchronize());
    second.setInteger(2, "changedBySecond");
    second.setInteger(2, "addedBySecond");
    ASSERT_TRUE(second.synchronize());
    first.setInteger(3, "addedByFirst");
    ASSERT_TRUE(first.synchronize());

    EXPECT_EQ(first.objectForKey("addedBySecond"), UserDefaultsValue(int64_t(2)));
    PropertyListUserDefaults reread(storePath());
    EXPECT_FALSE(reread.objectForKey("removedByFirst"));
    EXPECT_EQ(reread.objectForKey("changedBySecond"), UserDefaultsValue(int64_t(2)));
    EXPECT_EQ(reread.objectForKey("addedBySecond"), UserDefaultsValue(int64_t(2)));
    EXPECT_EQ(reread.objectForKey("addedByFirst"), UserDefaultsValue(int64_t(3)));
}

TEST_F(PropertyListUserDefaultsTest, outsideChangesAreNoticedAndReloadedUnderPendingOnes)
{
    PropertyListUserDefaults running(storePath());
    EXPECT_FALSE(running.hasChangedOnDisk());
    running.setInteger(90, "minimumRecognitionScore");
    {
        PropertyListUserDefaults command(storePath());
        command.setInteger(70, "minimumRecognitionScore");
        command.setBool(true, "quickdrawOption");
    }
    EXPECT_TRUE(running.hasChangedOnDisk());
    ASSERT_TRUE(running.reload());
    EXPECT_FALSE(running.hasChangedOnDisk());
    EXPECT_TRUE(running.boolForKey("quickdrawOption"));
    EXPECT_EQ(running.objectForKey("minimumRecognitionScore"), UserDefaultsValue(int64_t(90)));
    ASSERT_TRUE(running.synchronize());
    EXPECT_FALSE(running.hasChangedOnDisk());
    EXPECT_EQ(PropertyListUserDefaults(storePath()).objectForKey("minimumRecognitionScore"), UserDefaultsValue(int64_t(90)));
}

TEST_F(PropertyListUserDefaultsTest, linkedStoreStaysALinkAndItsNeighboursGoBesideTheTarget)
{
    fs::path target = m_folder / "dotfiles" / "scriblo.plist";
    fs::create_directories(target.parent_path());
    fs::create_directories(storePath().parent_path());
    fs::create_symlink("../dotfiles/scriblo.plist", storePath());
    ASSERT_TRUE(SafeFile::writeAtomically(target, "damaged"));
    {
        PropertyListUserDefaults defaults(storePath());
        defaults.setBool(true, "fullscreenOption");
        ASSERT_TRUE(defaults.synchronize());
    }
    EXPECT_TRUE(fs::is_symlink(storePath()));
    EXPECT_TRUE(PropertyListUserDefaults(storePath()).boolForKey("fullscreenOption"));
    EXPECT_EQ(filesBesideStore(), std::vector<fs::path> { storePath() });
    EXPECT_TRUE(fs::exists(m_folder / "dotfiles" / "scriblo.plist.lock"));
}

TEST_F(PropertyListUserDefaultsTest, leftoversOfKilledWritersGoWithTheNextSave)
{
    fs::create_directories(storePath().parent_path());
    fs::path folder = storePath().parent_path();
    for (const char* name : { ".org.scriblo.Scriblo.plist.a1B2c3", ".org.scriblo.Scriblo.plist.zzzzzz" })
        ASSERT_TRUE(SafeFile::writeAtomically(folder / name, "half"));
    for (const char* name : { ".org.scriblo.Scriblo.plist.notes", ".other.plist.a1B2c3" })
        ASSERT_TRUE(SafeFile::writeAtomically(folder / name, "keep"));
    PropertyListUserDefaults defaults(storePath());
    for (bool quickdraw : { true, false }) {
        defaults.setBool(quickdraw, "quickdrawOption");
        ASSERT_TRUE(defaults.synchronize());
    }
    std::set<std::string> names;
    for (const auto& file : filesBesideStore())
        names.insert(file.filename().string());
    EXPECT_EQ(names, (std::set<std::string> { "org.scriblo.Scriblo.plist", "org.scriblo.Scriblo.plist.lock", ".org.scriblo.Scriblo.plist.notes", ".other.plist.a1B2c3" }));
}

TEST_F(PropertyListUserDefaultsTest, writesFromSeveralThreadsAllLand)
{
    PropertyListUserDefaults defaults(storePath());
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 25; ++i) {
                defaults.setInteger(i, "key" + std::to_string(t));
                EXPECT_TRUE(defaults.synchronize());
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    PropertyListUserDefaults reloaded(storePath());
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(reloaded.objectForKey("key" + std::to_string(t))->intValue(), 24);
}

// The store on a real file: a damaged gestures value is kept beside the store.
TEST_F(PropertyListUserDefaultsTest, gestureStoreKeepsABackupOfAnUndecodableValue)
{
    {
        PropertyListUserDefaults defaults(storePath());
        defaults.setObject(UserDefaultsValue(Data { 'b', 'a', 'd' }), "Gestures");
        ASSERT_TRUE(defaults.synchronize());
    }
    GestureStore store(storePath());
    ASSERT_TRUE(store.model.saveGestureWithStrokes(drawing(20), "org.gnome.Calculator.desktop"));
    ASSERT_TRUE(store.model.backupPath());
    EXPECT_NE(store.model.backupPath()->find("org.scriblo.Scriblo.plist.gestures-backup-"), std::string::npos);
    EXPECT_EQ(*SafeFile::read(*store.model.backupPath(), 1 << 20), "bad");
    EXPECT_TRUE(GestureStore(storePath()).model.getGestureWithIdentity("org.gnome.Calculator.desktop")) << "after a restart";
}

// Two processes that loaded the same gestures each save one more: the archive is written
// whole, so the second save must take in the first one's gesture.
TEST_F(PropertyListUserDefaultsTest, gestureStoresOfTwoProcessesKeepEachOthersGestures)
{
    GestureStore first(storePath());
    GestureStore second(storePath());
    ASSERT_TRUE(first.model.saveGestureWithStrokes(drawing(20), "first"));
    ASSERT_TRUE(second.model.saveGestureWithStrokes(drawing(20), "second"));
    EXPECT_TRUE(second.model.getGestureWithIdentity("first"));
    EXPECT_EQ(second.model.recognizer()->loadedGestures()->size(), 2u);
    ASSERT_TRUE(first.model.deleteGestureWithName("absent"));
    EXPECT_TRUE(first.model.getGestureWithIdentity("second"));

    GestureStore restarted(storePath());
    EXPECT_TRUE(restarted.model.getGestureWithIdentity("first"));
    EXPECT_TRUE(restarted.model.getGestureWithIdentity("second"));
}

namespace {

// The largest gesture the store takes, in the archive's costliest form: the longest
// identity, three strokes of 1,024 points in all, and stroke numbers written in eight
// bytes.
Gesture largestGesture(size_t number)
{
    std::string identity = std::to_string(number) + "/";
    identity.resize(Gesture::maximumIdentityLength, 'x');
    std::vector<GestureStroke> strokes(Gesture::maximumStrokeCount);
    for (int32_t i = 0; i < Gesture::maximumPointCount; ++i) {
        int32_t stroke = i % Gesture::maximumStrokeCount;
        strokes[size_t(stroke)].addPoint(GesturePoint(float(i) * 0.37f + float(number), float(i % 97) * 9.13f, -1 - stroke));
    }
    return Gesture(std::move(identity), std::move(strokes));
}

}

// A store filled within its limits was once written past what the reader admits: it
// then read as empty and the next save replaced it.
TEST_F(PropertyListUserDefaultsTest, largestStoreRoundTrips)
{
    std::vector<Gesture> gestures;
    for (size_t i = 0; i < KeyedUnarchiver::maximumGestureCount; ++i)
        gestures.push_back(largestGesture(i));
    auto saved = GestureStore(storePath()).model.saveGestures(gestures);
    ASSERT_TRUE(saved) << saved.error();
    GestureStore restarted(storePath());
    ASSERT_FALSE(restarted.defaults.failure()) << restarted.defaults.failure()->message;
    EXPECT_TRUE(restarted.model.loadProblems().empty()) << restarted.model.loadProblems().front();
    auto stored = restarted.model.gestureDictionary();
    ASSERT_EQ(stored.size(), gestures.size());
    for (const auto& gesture : gestures)
        EXPECT_EQ(stored.at(gesture.identity())->strokes(), gesture.strokes());
}
