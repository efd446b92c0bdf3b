#include "app/RemovedGesturesFile.h"
#include "commands/ScribloRun.h"
#include "files/SafeFile.h"
#include "launch/DesktopFixture.h"

#include <gtest/gtest.h>

#include <cctype>

using namespace scriblo;
namespace fs = std::filesystem;

namespace {

Gesture drawn(const std::string& identity, float offset)
{
    GestureStroke stroke;
    for (int i = 0; i < 12; ++i)
        stroke.addPoint({ offset + 10.5f * float(i), 100 + float(i * i), 1 });
    return Gesture(identity, { stroke });
}

// A throw-away desktop: an import reads the desktop's targets.
class RemovedGesturesFileTest : public scriblo::testing::DesktopFixture {
protected:
    std::string scriblo(const std::string& arguments)
    {
        auto run = scriblo::testing::ScribloRun::of(root, arguments + " --store '" + (root / "store.plist").string() + "'");
        EXPECT_EQ(run.status, 0) << arguments << ": " << run.err;
        return run.out;
    }
};

}

// The file is the user's way back: what it keeps, every drawing of it, `gestures import`
// restores exactly, a later removal of the same identity replacing the earlier.
TEST_F(RemovedGesturesFileTest, keptGesturesAreMergedAndImportBringsThemBack)
{
    RemovedGesturesFile file(root / "data/Scriblo/removed-gestures.json");
    ASSERT_EQ(*file.keep(drawn("/scripts/Backup", 0)), (root / "data/Scriblo/removed-gestures.json").string());
    Gesture gone = drawn("org.example.Gone.desktop", 50);
    gone.addDrawing(drawn("", 300).strokes());
    ASSERT_TRUE(file.keep(gone));
    ASSERT_TRUE(file.keep(drawn("/scripts/Backup", 200)));

    scriblo("gestures import '" + (root / "data/Scriblo/removed-gestures.json").string() + "'");
    std::string listed = scriblo("gestures list");
    EXPECT_EQ(listed.size(), std::string("org.example.Gone.desktop\t1\t12\t2\n/scripts/Backup\t1\t12\t1\n").size()) << listed;
    EXPECT_NE(listed.find("org.example.Gone.desktop\t1\t12\t2\n"), std::string::npos) << listed;
    EXPECT_NE(listed.find("/scripts/Backup\t1\t12\t1\n"), std::string::npos) << listed;
    std::string exported = scriblo("gestures export");
    std::erase_if(exported, [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
    EXPECT_NE(exported.find("[200.0,100.0]"), std::string::npos) << "the later gesture replaced the earlier: " << exported;
    EXPECT_EQ(exported.find("[0.0,100.0]"), std::string::npos) << exported;
}

// A file the user broke by hand is theirs to mend: it is never overwritten, so a keep
// fails and the store holds on to the gesture.
TEST_F(RemovedGesturesFileTest, aFileThatIsNotGesturesIsLeftAloneAndNothingIsKept)
{
    auto path = root / "removed-gestures.json";
    ASSERT_TRUE(SafeFile::writeAtomically(path, "{\"gestures\": [ oops"));
    RemovedGesturesFile file(path);
    auto kept = file.keep(drawn("/scripts/Backup", 0));
    ASSERT_FALSE(kept);
    EXPECT_NE(kept.error().find("left as it is"), std::string::npos) << kept.error();
    EXPECT_EQ(*SafeFile::read(path, 1 << 20), "{\"gestures\": [ oops");
}
