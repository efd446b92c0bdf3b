#include "files/SafeFile.h"
#include "support/TemporaryFolderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

using namespace scriblo;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        result.push_back(text.substr(start, end - start));
    return result;
}

// Runs the real program as separate processes, so several can work on one store at once
// and one can be killed mid-write. The store lives in a folder of its own, so a test can
// tell every file that a command left there.
class SharedStoreTest : public scriblo::testing::TemporaryFolderTest {
protected:
    struct Outcome {
        int status;
        std::string out;
        std::string err;
    };

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

    fs::path file(const std::string& name, const std::string& contents)
    {
        fs::path path = m_folder / name;
        EXPECT_TRUE(SafeFile::writeAtomically(path, contents));
        return path;
    }

    pid_t start(std::vector<std::string> arguments, const std::string& name, const std::string& input = "")
    {
        arguments.insert(arguments.begin(), SCRIBLO_BINARY_DIR "/scriblo");
        arguments.push_back("--store");
        arguments.push_back(store().string());
        std::vector<char*> argv;
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        fs::path in = file(name + ".in", input);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, (m_folder / (name + ".out")).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, (m_folder / (name + ".err")).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }

    Outcome finish(pid_t pid, const std::string& name)
    {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return { WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
                 *SafeFile::read(m_folder / (name + ".out"), 1 << 20), *SafeFile::read(m_folder / (name + ".err"), 1 << 20) };
    }

    Outcome scriblo(const std::vector<std::string>& arguments, const std::string& input = "")
    {
        return finish(start(arguments, "run", input), "run");
    }

    std::vector<std::string> storedIdentities()
    {
        Outcome listed = scriblo({ "gestures", "list" });
        EXPECT_EQ(listed.status, 0) << listed.err;
        EXPECT_EQ(listed.err, "");
        std::vector<std::string> identities;
        for (const auto& line : lines(listed.out))
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

std::string gesturesJson(const std::vector<std::string>& identities, int points = 20)
{
    std::string text = R"({"gestures":[)";
    for (size_t g = 0; g < identities.size(); ++g) {
        text += (g ? "," : "") + std::string(R"({"identity":")") + identities[g] + R"(","strokes":[[)";
        for (int i = 0; i < points; ++i)
            text += (i ? ",[" : "[") + std::to_string(i * 17 + int(g)) + "," + std::to_string((i * i) % 300) + "]";
        text += "]]}";
    }
    return text + "]}";
}

}

TEST_F(SharedStoreTest, concurrentImportsLoseNothing)
{
    constexpr int rounds = 50;
    std::vector<std::string> expected;
    for (int round = 0; round < rounds; ++round) {
        std::string first = "first-" + std::to_string(round);
        std::string second = "second-" + std::to_string(round);
        pid_t a = start({ "gestures", "import", file("a.json", gesturesJson({ first })).string() }, "a");
        pid_t b = start({ "gestures", "import", file("b.json", gesturesJson({ second })).string() }, "b");
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
    ASSERT_EQ(scriblo({ "gestures", "import", file("old.json", gesturesJson({ "old" })).string() }).status, 0);
    std::string old = *SafeFile::read(store(), 1 << 20);
    std::vector<std::string> many;
    for (int i = 0; i < 40; ++i)
        many.push_back("new-" + std::to_string(i));
    fs::path big = file("new.json", gesturesJson(many, 200));
    // The kills fall anywhere in an import's run, measured whole first.
    auto began = std::chrono::steady_clock::now();
    ASSERT_EQ(finish(start({ "gestures", "import", big.string() }, "import"), "import").status, 0);
    auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - began);
    std::mt19937 random(7);
    std::uniform_int_distribution<long> delay(0, whole.count() * 6 / 5);
    for (int round = 0; round < 16; ++round) {
        ASSERT_TRUE(SafeFile::writeAtomically(store(), old));
        pid_t import = start({ "gestures", "import", big.string() }, "import");
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(import, SIGKILL);
        finish(import, "import");
        // The old gesture stays, and the new ones are all there or none.
        auto stored = storedIdentities();
        EXPECT_NE(std::find(stored.begin(), stored.end(), "old"), stored.end());
        EXPECT_TRUE(stored.size() == 1 || stored.size() == 41) << "round " << round << ": " << stored.size() << " gestures";
    }
    ASSERT_EQ(scriblo({ "settings", "set", "quickdrawOption", "true" }).status, 0);
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
        for (const auto& command : std::vector<std::vector<std::string>> {
                 { "settings" }, { "settings", "get", "minimumRecognitionScore" }, { "gestures", "list" },
                 { "gestures", "export" }, { "gestures", "recognize" } }) {
            Outcome run = scriblo(command);
            EXPECT_EQ(run.status, 0) << kind << " " << command.back() << ": " << run.err;
            EXPECT_EQ(storeFolderContents(), before) << kind << " " << command.back();
        }
    }
}

TEST_F(SharedStoreTest, storeThatCannotBeReadStopsEveryCommand)
{
    fs::create_directories(store() / "inside");
    for (const auto& command : std::vector<std::vector<std::string>> {
             { "settings" }, { "settings", "set", "quickdrawOption", "true" }, { "gestures", "list" },
             { "gestures", "import", file("g.json", gesturesJson({ "a" })).string() } }) {
        Outcome run = scriblo(command);
        EXPECT_EQ(run.status, 1) << command.back();
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
    Outcome run = scriblo({ "settings", "set", "quickdrawOption", "true" });
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
    std::string command = "trap '' XFSZ; ulimit -f 32; exec " SCRIBLO_BINARY_DIR "/scriblo settings set quickdrawOption true --store "
        + store().string() + " 2>" + (m_folder / "err").string();
    int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_NE(SafeFile::read(m_folder / "err", 1 << 20)->find("could not keep a copy"), std::string::npos);
    EXPECT_TRUE(*SafeFile::read(store(), 1 << 20) == damaged) << "the damaged store was replaced";
}
