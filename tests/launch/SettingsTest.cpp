#include "DesktopFixture.h"
#include "FakeWorkspace.h"
#include "base/InlineWorkQueue.h"
#include "launch/Settings.h"
#include "launch/XdgAutostart.h"
#include "platform/PropertyListUserDefaults.h"

#include <gmock/gmock.h>

using namespace scriblo;
using scriblo::testing::FakeLoginItems;

namespace {

class SettingsTest : public scriblo::testing::DesktopFixture {
protected:
    std::unique_ptr<Settings> makeSettings(bool touchpad = true)
    {
        storage = std::make_shared<PropertyListUserDefaults>(root / "store.plist");
        return std::make_unique<Settings>(storage, loginItems, [this, touchpad] {
            ++touchpadQuestions;
            return touchpad;
        });
    }

    std::shared_ptr<PropertyListUserDefaults> storage;
    std::shared_ptr<FakeLoginItems> loginItems = std::make_shared<FakeLoginItems>();
    int touchpadQuestions { 0 };
};

}

// A full store takes a quarter of a second to write, so the defaults go in one write.
TEST_F(SettingsTest, firstStartWritesEveryDefaultToDiskInOneWrite)
{
    for (bool touchpad : { true, false }) {
        std::filesystem::remove(root / "store.plist");
        scriblo::testing::InlineWorkQueue writes;
        writes.held = true;
        auto settings = makeSettings(touchpad);
        settings->writeOn(writes);
        settings->readAllStoringDefaults();
        EXPECT_EQ(writes.pendingCount(), 1u);
        writes.release();
        PropertyListUserDefaults reread(root / "store.plist");
        EXPECT_EQ(reread.objectForKey("minimumRecognitionScore"), UserDefaultsValue(int64_t(80)));
        // A mouse user needs time to move between strokes; a finger does not.
        EXPECT_EQ(reread.objectForKey("readingDelayTime"), UserDefaultsValue(int64_t(touchpad ? 5 : 300)));
        EXPECT_EQ(reread.objectForKey("multitouchOption"), UserDefaultsValue(touchpad));
        EXPECT_EQ(reread.objectForKey("fullscreenOption"), UserDefaultsValue(false));
        EXPECT_EQ(reread.objectForKey("quickdrawOption"), UserDefaultsValue(false));
        EXPECT_EQ(reread.objectForKey("explainMissesOption"), UserDefaultsValue(false));
    }
}

// Stored values are used as they are read, and the touchpad is not asked. A hand-edited
// score of -1 would launch something for every drawing; numbers beyond 32 bits must not
// wrap into the range either: those are used at the range's nearest end, and kept.
TEST_F(SettingsTest, storedValuesAreUsedWithinTheAcceptedRangeAndKept)
{
    struct Case {
        UserDefaultsValue score, delay;
        int32_t scoreInUse, delayInUse;
    };
    const Case cases[] = {
        { UserDefaultsValue(std::string("75 percent")), UserDefaultsValue(int64_t(200)), 75, 200 },
        { UserDefaultsValue(int64_t(-1)), UserDefaultsValue(int64_t(0)), 70, 1 },
        { UserDefaultsValue(int64_t(101)), UserDefaultsValue(int64_t(2000)), 100, 1000 },
        { UserDefaultsValue(int64_t(1) << 32 | 80), UserDefaultsValue(-(int64_t(1) << 40)), 100, 1 },
    };
    for (const auto& [score, delay, scoreInUse, delayInUse] : cases) {
        {
            PropertyListUserDefaults outside(root / "store.plist");
            outside.setObject(score, "minimumRecognitionScore");
            outside.setObject(delay, "readingDelayTime");
            outside.setInteger(0, "multitouchOption");
            outside.setObject(UserDefaultsValue(std::string("YES")), "quickdrawOption");
            ASSERT_TRUE(outside.synchronize());
        }
        auto settings = makeSettings(true);
        settings->readAllStoringDefaults();
        EXPECT_EQ(settings->minimumRecognitionScore(), scoreInUse) << scoreInUse;
        EXPECT_EQ(settings->readingDelayTime(), delayInUse) << delayInUse;
        EXPECT_FALSE(settings->multitouchOption());
        EXPECT_TRUE(settings->quickdrawOption());
        PropertyListUserDefaults reread(root / "store.plist");
        EXPECT_EQ(reread.objectForKey("minimumRecognitionScore"), score);
        EXPECT_EQ(reread.objectForKey("readingDelayTime"), delay);
    }
    EXPECT_EQ(touchpadQuestions, 0);
}

// In the running program the store is written on its worker, after the writes queued
// before; the value is used at once.
TEST_F(SettingsTest, everySaveWritesThroughToDiskOrOnlyThroughTheQueueItIsGiven)
{
    auto settings = makeSettings();
    settings->saveMinimumRecognitionScore(91);
    settings->saveReadingDelayTime(250);
    settings->saveFullscreenOption(true);
    settings->saveMultitouchOption(false);
    settings->saveLoginStartOption(true);
    EXPECT_EQ(settings->minimumRecognitionScore(), 91);
    EXPECT_TRUE(settings->loginStartOption());
    EXPECT_TRUE(loginItems->contains);
    PropertyListUserDefaults reread(root / "store.plist");
    EXPECT_EQ(reread.objectForKey("minimumRecognitionScore"), UserDefaultsValue(int64_t(91)));
    EXPECT_EQ(reread.objectForKey("readingDelayTime"), UserDefaultsValue(int64_t(250)));
    EXPECT_EQ(reread.objectForKey("fullscreenOption"), UserDefaultsValue(true));
    EXPECT_EQ(reread.objectForKey("multitouchOption"), UserDefaultsValue(false));

    scriblo::testing::InlineWorkQueue writes;
    writes.held = true;
    settings->writeOn(writes);
    settings->saveMinimumRecognitionScore(93);
    EXPECT_EQ(settings->minimumRecognitionScore(), 93);
    EXPECT_EQ(storage->objectForKey("minimumRecognitionScore"), UserDefaultsValue(int64_t(91))) << "the store is left to the queue";
    writes.release();
    EXPECT_EQ(PropertyListUserDefaults(root / "store.plist").objectForKey("minimumRecognitionScore"), UserDefaultsValue(int64_t(93)));
}

// Entries are found by what they start, not by name: one of our name that starts a copy
// on a disk not mounted now is kept.
TEST_F(SettingsTest, autostartWritesOneEntryAndFindsEntriesByWhatTheyStart)
{
    auto program = root / "bin dir/scrib\"lo$";
    writeFile(program, "#!/bin/sh\n", true);
    XdgAutostart autostart(program);
    auto folder = configHome / "autostart";
    auto entryCount = [&] {
        return size_t(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
    };
    const std::string elsewhere = "[Desktop Entry]\nType=Application\nExec=/media/usb/scriblo\n";
    writeFile(folder / XdgAutostart::entryFileName, elsewhere);
    auto kept = [&] { return readFile(folder / XdgAutostart::entryFileName); };
    EXPECT_FALSE(autostart.containsApplication());
    autostart.setContainsApplication(true);
    autostart.setContainsApplication(true);
    EXPECT_EQ(entryCount(), 2u);
    EXPECT_EQ(kept(), elsewhere);
    EXPECT_TRUE(autostart.containsApplication());
    EXPECT_FALSE(XdgAutostart(root / "another program").containsApplication());
    autostart.setContainsApplication(false);
    EXPECT_EQ(entryCount(), 1u);
    EXPECT_EQ(kept(), elsewhere);

    std::filesystem::create_symlink(program, root / "link");
    writeFile(folder / "a-hidden.desktop", "[Desktop Entry]\nType=Application\nExec=" + (root / "link").string() + "\nHidden=true\n");
    writeFile(folder / "a-off.desktop", "[Desktop Entry]\nType=Application\nExec=" + (root / "link").string() + "\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_FALSE(autostart.containsApplication());
    writeFile(folder / "b-mine.desktop", "[Desktop Entry]\nType=Application\nExec='" + (root / "link").string() + "' --flag %U\n");
    writeFile(folder / "c-mine-too.desktop", "[Desktop Entry]\nType=Application\nExec=\"" + (root / "bin dir/scrib\\\\\"lo\\\\$").string() + "\"\n");
    writeFile(folder / "d-gone.desktop", "[Desktop Entry]\nType=Application\nExec=/nowhere/scriblo\n");
    EXPECT_TRUE(autostart.containsApplication());
    autostart.setContainsApplication(false);
    EXPECT_FALSE(std::filesystem::exists(folder / "b-mine.desktop"));
    EXPECT_TRUE(std::filesystem::exists(folder / "c-mine-too.desktop"));
    EXPECT_TRUE(std::filesystem::exists(folder / "a-hidden.desktop"));
    EXPECT_TRUE(std::filesystem::exists(folder / "a-off.desktop"));
    EXPECT_TRUE(std::filesystem::exists(folder / "d-gone.desktop"));
    EXPECT_TRUE(autostart.containsApplication());
}
