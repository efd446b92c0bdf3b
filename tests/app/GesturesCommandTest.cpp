#include "platform/SafeFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

using namespace scriblo;
namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// Drives the real program, as users' scripts do.
class GesturesCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/scriblo-cli-XXXXXX";
        m_folder = ::mkdtemp(pattern);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path file(const std::string& name, const std::string& contents)
    {
        fs::path path = m_folder / name;
        SafeFile::writeAtomically(path, contents);
        return path;
    }

    Outcome scriblo(const std::string& arguments, const std::string& input = "")
    {
        fs::path in = file("stdin", input);
        std::string command = std::string(SCRIBLO_BINARY_DIR "/scriblo ") + arguments + " --store " + store().string()
            + " <" + in.string() + " >" + (m_folder / "out").string() + " 2>" + (m_folder / "err").string();
        int status = std::system(command.c_str());
        return { WEXITSTATUS(status), *SafeFile::read(m_folder / "out", 1 << 20), *SafeFile::read(m_folder / "err", 1 << 20) };
    }

    fs::path store() const { return m_folder / "store.plist"; }

    fs::path m_folder;
};

std::string stroke(float x0, float y0, float dx, float dy, int count)
{
    std::string text = "[";
    for (int i = 0; i < count; ++i)
        text += (i ? ",[" : "[") + std::to_string(x0 + dx * float(i)) + "," + std::to_string(y0 + dy * float(i) * float(i) / 20) + "]";
    return text + "]";
}

const std::string gestures = R"({"gestures":[
  {"identity":"org.gnome.Nautilus.desktop","strokes":[)" + stroke(100, 100, 30, 9, 25) + R"(]},
  {"identity":"short","strokes":[)" + stroke(0, 0, 5, 5, 10) + R"(]},
  {"identity":"two","strokes":[)" + stroke(100, 900, 40, -3, 12) + "," + stroke(500, 100, 0, 40, 12) + R"(]}
]})";

}

TEST_F(GesturesCommandTest, importListRecognizeExportAndDelete)
{
    Outcome imported = scriblo("gestures import " + file("g.json", gestures).string());
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.err.find("ignored 1"), std::string::npos);
    EXPECT_EQ(scriblo("gestures list").out, "org.gnome.Nautilus.desktop\t1\t25\ntwo\t2\t24\n");

    std::string drawings = "{\"strokes\":[" + stroke(100, 100, 30, 9, 25) + "]}\n\n{\"strokes\":[" + stroke(0, 0, 1, 1, 5) + "]}\n";
    Outcome recognized = scriblo("gestures recognize", drawings);
    EXPECT_EQ(recognized.status, 0);
    EXPECT_EQ(recognized.out, "org.gnome.Nautilus.desktop\t100\n-\n");

    Outcome exported = scriblo("gestures export");
    fs::path copy = file("exported.json", exported.out);
    fs::rename(store(), m_folder / "first.plist");
    EXPECT_EQ(scriblo("gestures import " + copy.string()).status, 0);
    EXPECT_EQ(scriblo("gestures export").out, exported.out);

    EXPECT_EQ(scriblo("gestures delete two").status, 0);
    EXPECT_EQ(scriblo("gestures list").out, "org.gnome.Nautilus.desktop\t1\t25\n");
}

TEST_F(GesturesCommandTest, badUsageExitsTwo)
{
    for (const char* arguments : { "gestures", "gestures frobnicate", "gestures import", "gestures list extra", "nonsense", "gestures list --store" }) {
        Outcome run = scriblo(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << arguments;
    }
    EXPECT_EQ(scriblo("--help").status, 0);
    EXPECT_NE(scriblo("--version").out.find("scriblo "), std::string::npos);
}

TEST_F(GesturesCommandTest, badInputNamesFileAndLineAndChangesNothing)
{
    ASSERT_EQ(scriblo("gestures import " + file("g.json", gestures).string()).status, 0);
    std::string before = *SafeFile::read(store(), 1 << 20);

    fs::path malformed = file("bad.json", "{\"gestures\": [\n  {\"identity\": \"x\",\n   \"strokes\": [[[1, 2], [3,]]]}]}");
    Outcome syntax = scriblo("gestures import " + malformed.string());
    EXPECT_EQ(syntax.status, 1);
    EXPECT_NE(syntax.err.find(malformed.string() + ":3:"), std::string::npos) << syntax.err;

    fs::path wrongShape = file("shape.json", R"({"gestures":[{"identity":"ok","strokes":[)" + stroke(0, 0, 9, 9, 20) + R"(]},{"identity":5}]})");
    Outcome shape = scriblo("gestures import " + wrongShape.string());
    EXPECT_EQ(shape.status, 1);
    EXPECT_NE(shape.err.find("gesture 2"), std::string::npos) << shape.err;

    EXPECT_EQ(scriblo("gestures import " + (m_folder / "missing.json").string()).status, 1);
    EXPECT_EQ(scriblo("gestures delete absent").status, 1);

    Outcome drawing = scriblo("gestures recognize", "{\"strokes\":[]}\n{\"strokes\":[[[1,\"a\"]]]}\n");
    EXPECT_EQ(drawing.status, 1);
    EXPECT_EQ(drawing.out, "-\n");
    EXPECT_NE(drawing.err.find("<stdin>:2"), std::string::npos) << drawing.err;

    EXPECT_EQ(*SafeFile::read(store(), 1 << 20), before);
}

TEST_F(GesturesCommandTest, missingStoreIsEmptyAndNotCreatedByReading)
{
    EXPECT_EQ(scriblo("gestures list").out, "");
    EXPECT_EQ(scriblo("gestures export").out, "{\n \"gestures\": []\n}\n");
    EXPECT_FALSE(fs::exists(store()));
}
