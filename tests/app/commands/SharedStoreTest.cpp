#include "ScribloRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>
#include <thread>
#include <unistd.h>

using namespace scriblo;
using scriblo::testing::gesturesJson;
using scriblo::testing::numbered;
using Outcome = scriblo::testing::ScribloRun;
namespace fs = std::filesystem;

namespace {

// Runs the real program as separate processes, so several can work on one store at once
// and one can be killed mid-write. The store lives in a folder of its own, so a test can
// tell every file that a command left there.
class SharedStoreTest : public scriblo::testing::CommandFolderTest {
protected:
    void SetUp() override
    {
        TemporaryFolderTest::SetUp();
        fs::create_directories(storeFolder());
        fs::create_directories(m_folder / "home");
        // Settings also look at the autostart folder; keep that away from the user's.
        ::setenv("XDG_CONFIG_HOME", (m_folder / "home").c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("XDG_CONFIG_HOME");
        TemporaryFolderTest::TearDown();
    }

    fs::path storeFolder() const { return m_folder / "store"; }
    fs::path store() const { return storeFolder() / "org.scriblo.Scriblo.plist"; }

    // Standard input is empty, as for a command run from a script.
    pid_t start(const std::string& arguments, const std::string& name)
    {
        return Outcome::start(m_folder, arguments + " --store " + store().string() + " </dev/null", "", name);
    }
    Outcome finish(pid_t pid, const std::string& name) { return Outcome::finish(pid, m_folder, name); }
    Outcome scriblo(const std::string& arguments) { return finish(start(arguments, "run"), "run"); }

    std::vector<std::string> storedIdentities()
    {
        Outcome listed = scriblo("gestures list");
        EXPECT_EQ(listed.status, 0) << listed.err;
        EXPECT_EQ(listed.err, "");
        std::vector<std::string> identities;
        std::istringstream stream(listed.out);
        for (std::string line; std::getline(stream, line);)
            identities.push_back(line.substr(0, line.find('\t')));
        return identities;
    }

    // Every file in the store's folder with its bytes.
    std::map<std::string, std::string> storeFolderContents() const
    {
        std::map<std::string, std::string> contents;
        for (const auto& entry : fs::directory_iterator(storeFolder()))
            contents[entry.path().filename().string()] = entry.is_directory() ? "(folder)" : *SafeFile::read(entry.path(), 1 << 26);
        return contents;
    }
};

}

TEST_F(SharedStoreTest, concurrentImportsLoseNothing)
{
    constexpr int rounds = 50;
    std::vector<std::string> expected;
    for (int round = 0; round < rounds; ++round) {
        std::string first = "first-" + std::to_string(round);
        std::string second = "second-" + std::to_string(round);
        pid_t a = start("gestures import " + file("a.json", gesturesJson({ first })).string(), "a");
        pid_t b = start("gestures import " + file("b.json", gesturesJson({ second })).string(), "b");
        Outcome outcomeA = finish(a, "a");
        Outcome outcomeB = finish(b, "b");
        ASSERT_EQ(outcomeA.status, 0) << outcomeA.err;
        ASSERT_EQ(outcomeB.status, 0) << outcomeB.err;
        expected.insert(expected.end(), { first, second });
    }
    auto stored = storedIdentities();
    std::sort(stored.begin(), stored.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(stored, expected);
}

TEST_F(SharedStoreTest, killedImportsLeaveAWholeStoreAndTheNextWriterClearsTheirLeftovers)
{
    ASSERT_EQ(scriblo("gestures import " + file("old.json", gesturesJson({ "old" })).string()).status, 0);
    std::string old = *SafeFile::read(store(), 1 << 20);
    fs::path big = file("new.json", gesturesJson(numbered("new-", 40), 200));
    // The kills fall anywhere in an import's run, measured whole first.
    auto began = std::chrono::steady_clock::now();
    ASSERT_EQ(finish(start("gestures import " + big.string(), "import"), "import").status, 0);
    auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - began);
    std::mt19937 random(7);
    std::uniform_int_distribution<long> delay(0, whole.count() * 6 / 5);
    for (int round = 0; round < 16; ++round) {
        ASSERT_TRUE(SafeFile::writeAtomically(store(), old));
        pid_t import = start("gestures import " + big.string(), "import");
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(import, SIGKILL);
        finish(import, "import");
        // The old gesture stays, and the new ones are all there or none.
        auto stored = storedIdentities();
        EXPECT_NE(std::find(stored.begin(), stored.end(), "old"), stored.end());
        EXPECT_TRUE(stored.size() == 1 || stored.size() == 41) << "round " << round << ": " << stored.size() << " gestures";
    }
    ASSERT_EQ(scriblo("settings set quickdrawOption true").status, 0);
    for (const auto& [name, bytes] : storeFolderContents())
        EXPECT_TRUE(name == "org.scriblo.Scriblo.plist" || name == "org.scriblo.Scriblo.plist.lock") << name;
}

TEST_F(SharedStoreTest, readingCommandsLeaveTheStoreFolderAsItWas)
{
    const std::map<std::string, std::string> stores = {
        { "missing", "" },
        { "damaged", "settings, but not a property list" },
        { "partial", R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict><key>Gestures</key><string>not an archive</string></dict></plist>)" },
    };
    for (const auto& [kind, contents] : stores) {
        fs::remove_all(storeFolder());
        fs::create_directories(storeFolder());
        if (!contents.empty()) {
            EXPECT_TRUE(SafeFile::writeAtomically(store(), contents));
        }
        auto before = storeFolderContents();
        for (const char* command : { "settings", "settings get minimumRecognitionScore", "gestures list", "gestures export",
                 "gestures recognize" }) {
            Outcome run = scriblo(command);
            EXPECT_EQ(run.status, 0) << kind << " " << command << ": " << run.err;
            EXPECT_EQ(storeFolderContents(), before) << kind << " " << command;
        }
    }
}

TEST_F(SharedStoreTest, storeThatCannotBeReadStopsEveryCommand)
{
    fs::create_directories(store() / "inside");
    for (const std::string& command : { std::string("settings"), std::string("settings set quickdrawOption true"), std::string("gestures list"),
             "gestures import " + file("g.json", gesturesJson({ "a" })).string() }) {
        Outcome run = scriblo(command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.err, "scriblo: " + store().string() + ": is a folder\n");
        EXPECT_EQ(storeFolderContents(), (std::map<std::string, std::string> { { "org.scriblo.Scriblo.plist", "(folder)" } }));
    }
}

TEST_F(SharedStoreTest, storeWithoutReadPermissionIsNotReplaced)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root, where file permissions do not stop reads";
    EXPECT_TRUE(SafeFile::writeAtomically(store(), "<plist><dict/></plist>"));
    fs::permissions(store(), fs::perms::none);
    Outcome run = scriblo("settings set quickdrawOption true");
    fs::permissions(store(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Permission denied"), std::string::npos) << run.err;
    EXPECT_EQ(*SafeFile::read(store(), 1 << 20), "<plist><dict/></plist>");
}

// On a full disk the copy of a damaged store cannot be written: the store must stay.
TEST_F(SharedStoreTest, damagedStoreStaysWhenItsCopyCannotBeWritten)
{
    std::string damaged(64 * 1024, 'x');
    EXPECT_TRUE(SafeFile::writeAtomically(store(), damaged));
    Outcome run = Outcome::of(m_folder, "settings set quickdrawOption true --store " + store().string(), "trap '' XFSZ; ulimit -f 32;");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("could not keep a copy"), std::string::npos) << run.err;
    EXPECT_TRUE(*SafeFile::read(store(), 1 << 20) == damaged) << "the damaged store was replaced";
}
