#include "ScribloRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace scriblo;
namespace fs = std::filesystem;
using Outcome = scriblo::testing::ScribloRun;
using scriblo::testing::gesturesJson;
using scriblo::testing::numbered;
using scriblo::testing::strokeJson;

namespace {

// Drives the real program, as users' scripts do.
class GesturesCommandTest : public scriblo::testing::CommandFolderTest {
protected:
    Outcome scriblo(const std::string& arguments, const std::string& input = "")
    {
        // The sheet takes down the names of targets it sees, in the cache folder.
        return Outcome::of(m_folder, arguments + " --store " + store().string() + " <" + file("stdin", input).string(),
                           "XDG_CACHE_HOME='" + (m_folder / "cache").string() + "'");
    }

    // `before` runs in the same shell first (a limit, or the start of a pipe into the program).
    Outcome run(const std::string& before, const std::string& arguments, const std::optional<fs::path>& input = std::nullopt)
    {
        return Outcome::of(m_folder, arguments + (input ? " <" + input->string() : ""), before);
    }

    fs::path store() const { return m_folder / "store.plist"; }
};

// A further drawing of the first gesture.
const std::string second = strokeJson(900, 100, -30, 20, 20);

const std::string gestures = R"({"gestures":[
  {"identity":"org.gnome.Nautilus.desktop","strokes":[)" + strokeJson(100, 100, 30, 9, 25) + R"(],"moreDrawings":[[)" + second + R"(]]},
  {"identity":"short","strokes":[)" + strokeJson(0, 0, 5, 5, 10) + R"(]},
  {"identity":"two","strokes":[)" + strokeJson(100, 900, 40, -3, 12) + "," + strokeJson(500, 100, 0, 40, 12) + R"(]}
]})";

}

// Every drawing of a gesture is stored, recognised, exported and imported again; a
// replaced gesture loses the drawings it had.
TEST_F(GesturesCommandTest, importListRecognizeExportReplaceAndDelete)
{
    EXPECT_EQ(scriblo("gestures list").out, "");
    EXPECT_EQ(scriblo("gestures export").out, "{\n \"gestures\": []\n}\n");
    Outcome imported = scriblo("gestures import " + file("g.json", gestures).string());
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.err.find("skipped gesture 2 'short': 10 points, where a gesture needs 11 to 1024"), std::string::npos) << imported.err;
    const std::string listed = "org.gnome.Nautilus.desktop\t1\t25\t2\ntwo\t2\t24\t1\n";
    EXPECT_EQ(scriblo("gestures list").out, listed);

    std::string drawings = "{\"strokes\":[" + strokeJson(100, 100, 30, 9, 25) + "]}\n\n{\"strokes\":[" + strokeJson(0, 0, 1, 1, 5) + "]}\n{\"strokes\":["
        + second + "]}\n";
    Outcome recognized = scriblo("gestures recognize", drawings);
    EXPECT_EQ(recognized.status, 0);
    EXPECT_EQ(recognized.out, "org.gnome.Nautilus.desktop\t100\n-\norg.gnome.Nautilus.desktop\t100\n");

    Outcome exported = scriblo("gestures export");
    fs::path copy = file("exported.json", exported.out);
    fs::rename(store(), m_folder / "first.plist");
    EXPECT_EQ(scriblo("gestures import " + copy.string()).status, 0);
    EXPECT_EQ(scriblo("gestures list").out, listed) << "the export carries every drawing";
    EXPECT_EQ(scriblo("gestures export").out, exported.out);

    const std::string replacement = R"({"gestures":[{"identity":"org.gnome.Nautilus.desktop","strokes":[)" + strokeJson(100, 100, 30, 9, 30) + "]}]}";
    ASSERT_EQ(scriblo("gestures import " + file("replace.json", replacement).string()).status, 0);
    EXPECT_EQ(scriblo("gestures delete two").status, 0);
    EXPECT_EQ(scriblo("gestures list").out, "org.gnome.Nautilus.desktop\t1\t30\t1\n");
}

// Usage errors, of every command, exit with 2 and one line that says why; help, wherever
// it is asked for, exits with 0 and reads nothing. What the desktop lacks (a display for
// the program, Xvfb for the demonstration) exits with 1 and one line that names it.
TEST_F(GesturesCommandTest, badUsageExitsTwoAMissingDesktopOneWithOneLineAndHelpExitsZero)
{
    fs::path regular = file("regular", "");
    struct Use {
        std::string arguments;
        int status;
        std::string said = "";
        std::string before = "";
    };
    const std::vector<Use> uses = { { "gestures", 2 }, { "gestures frobnicate", 2 }, { "gestures import", 2 }, { "gestures list extra", 2 },
        { "nonsense", 2 }, { "gestures list --store", 2 }, { "gestures list --store=", 2 }, { "--store=", 2 }, { "--version extra", 2 },
        { "gestures delete \"\"", 2 }, { "gestures delete \"   \"", 2, "empty or blank" }, { "targets launch \" \"", 2 },
        { "demo --screenshots " + regular.string(), 2, "is a file, not a folder" }, { "targets list --kind games", 2 },
        { "targets list --kind Utilities", 2 }, { "settings get colour", 2 }, { "gestures conflicts extra", 2 },
        { "gestures sheet", 2 }, { "gestures sheet --output " + (m_folder / "sheet.docx").string(), 2, "name a .pdf, .png or .svg" },
        { "--help", 0, "Usage: scriblo" },
        { "gestures import --help", 0, "Usage: scriblo" }, { "gestures list -h", 0, "Usage: scriblo" }, { "settings --help", 0, "Usage: scriblo" },
        { "targets --help", 0, "Usage: scriblo" }, { "--version", 0, "scriblo " },
        { "", 1, "DISPLAY", "unset DISPLAY QT_QPA_PLATFORM;" },
        { "demo --screenshots " + (m_folder / "shots").string(), 1, "xvfb", "PATH='" + (m_folder / "empty").string() + "'" } };
    for (const auto& use : uses) {
        Outcome outcome = run(use.before, use.arguments);
        EXPECT_EQ(outcome.status, use.status) << use.arguments << ": " << outcome.err;
        const std::string& said = use.status ? outcome.err : outcome.out;
        EXPECT_NE(said.find(use.said), std::string::npos) << use.arguments << ": " << said;
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), use.status ? 1 : 0) << use.arguments << ": " << outcome.err;
    }
    EXPECT_FALSE(fs::exists(store()));
    EXPECT_FALSE(fs::exists(m_folder / "sheet.docx"));
}

// Each refusal says where the input is wrong (file and line, or entry) and how, and
// leaves the store as it was. A NUL once cut the identity short in the archive, so the
// gesture replaced another one; a blank identity names no target.
TEST_F(GesturesCommandTest, badInputIsRefusedWithWhereAndWhyAndChangesNothing)
{
    // What skips every gesture of a file imports nothing. (Why a short gesture is skipped
    // the import test above pins; the reason changes nothing here.)
    std::string eight = "[" + second + "]";
    for (int i = 1; i < 8; ++i)
        eight += ",[" + second + "]";
    auto withDrawings = [](const std::string& more) {
        return R"({"gestures":[{"identity":"b","strokes":[)" + second + R"(],"moreDrawings":)" + more + "}]}";
    };
    Outcome skipped = scriblo("gestures import " + file("skipped.json", withDrawings("[" + eight + "]")).string());
    EXPECT_EQ(skipped.status, 1);
    EXPECT_NE(skipped.err.find("skipped gesture 1 'b': there are more than 8 drawings"), std::string::npos) << skipped.err;
    EXPECT_NE(skipped.err.find("nothing was imported"), std::string::npos) << skipped.err;
    EXPECT_FALSE(fs::exists(store()));

    ASSERT_EQ(scriblo("gestures import " + file("g.json", gestures).string()).status, 0);
    std::string before = *SafeFile::read(store(), 1 << 20);
    struct Refusal {
        std::string arguments;
        std::string said;
        std::string input = "";
        std::string out = "";
    };
    auto import = [&](const std::string& name, const std::string& contents) { return "gestures import " + file(name, contents).string(); };
    fs::path huge = m_folder / "huge.json";
    std::vector<Refusal> refusals = {
        { import("bad.json", "{\"gestures\": [\n  {\"identity\": \"x\",\n   \"strokes\": [[[1, 2], [3,]]]}]}"), (m_folder / "bad.json").string() + ":3:" },
        { import("shape.json", R"({"gestures":[{"identity":"ok","strokes":[)" + strokeJson(0, 0, 9, 9, 20) + R"(]},{"identity":5}]})"), "gesture 2" },
        { import("huge.json", "{\"gestures\": [\n {\"identity\": \"x\",\n  \"strokes\": [[[1e999" + std::string(400, '9') + ", 2]]]}]}"),
            "scriblo: " + huge.string() + ":3: a number is out of range\n" },
        { "gestures import " + (m_folder / "missing.json").string(), "missing.json" },
        { "gestures import " + m_folder.string(), "is a folder" },
        { "gestures recognize " + m_folder.string(), "is a folder" },
        { "gestures recognize", "<stdin>:2", "{\"strokes\":[]}\n{\"strokes\":[[[1,\"a\"]]]}\n", "-\n" },
        { import("over.json", gesturesJson(numbered("over", 1023))), "1022 more fit" }, { "gestures delete absent", "absent" },
        { import("more.json", withDrawings("3")), "\"moreDrawings\" must be a list" } };
    for (const char* identity : { "nul0\\u0000inside", "tab\\there", "line\\nbreak", "carriage\\rreturn", "", "  " }) {
        std::string text = R"({"gestures":[{"identity":"fine","strokes":[)" + strokeJson(0, 0, 9, 3, 12) + R"(]},{"identity":")" + identity
            + R"(","strokes":[)" + strokeJson(0, 0, 9, 3, 12) + "]}]}";
        refusals.push_back({ import("identity" + std::to_string(refusals.size()) + ".json", text), "gesture 2: the identity " });
    }
    for (const auto& refusal : refusals) {
        Outcome refused = scriblo(refusal.arguments, refusal.input);
        EXPECT_EQ(refused.status, 1) << refusal.arguments;
        EXPECT_NE(refused.err.find(refusal.said), std::string::npos) << refusal.arguments << ": " << refused.err;
        EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refusal.arguments << ": " << refused.err;
        EXPECT_EQ(refused.out, refusal.out) << refusal.arguments;
    }
    EXPECT_EQ(*SafeFile::read(store(), 1 << 20), before);
}

// A shared file's identity must not drive the terminal that lists it either.
TEST_F(GesturesCommandTest, identitiesInTabSeparatedOutputAreEscaped)
{
    std::string text = gesturesJson({ "C:\\\\path", "a\\u001b]0;owned\\u0007\\u009b2J" }, 25);
    ASSERT_EQ(scriblo("gestures import " + file("g.json", text).string()).status, 0);
    EXPECT_EQ(scriblo("gestures list").out, "C:\\\\path\t1\t25\t1\na\\x1B]0;owned\\x07\\u009B2J\t1\t25\t1\n");
    EXPECT_EQ(scriblo("gestures recognize", "{\"strokes\":[" + strokeJson(0, 0, 9, 0, 25) + "]}\n").out, "C:\\\\path\t100\n");
}

// 40 MB of `[` once took 2.9 GB: the text is measured before the parser builds anything,
// and standard input is read no further than a file would be. Under the memory limit
// an unbounded reader or parser fails with something other than these messages.
TEST_F(GesturesCommandTest, deepLongOrHugeJsonIsRefusedBeforeItIsParsed)
{
    // AddressSanitizer reserves terabytes of shadow address space at start, which no
    // address-space limit admits; there the messages alone are checked.
#if defined(SCRIBLO_SANITIZED_PROGRAM)
    const std::string limit;
#else
    const std::string limit = "ulimit -v 2000000;";
#endif
    Outcome nested = run(limit, "gestures recognize --store " + store().string(), file("nested", std::string(40'000'000, '[')));
    EXPECT_EQ(nested.status, 1);
    EXPECT_EQ(nested.err, "scriblo: <stdin>:1: nested more than 16 levels deep\n");

    std::string items = "{\"gestures\":[" + std::string(9'000'000, '0');
    for (size_t i = 14; i < items.size(); i += 2)
        items[i] = ',';
    fs::path wide = file("wide.json", "\n" + items + "]}");
    Outcome many = run(limit, "gestures import " + wide.string() + " --store " + store().string());
    EXPECT_EQ(many.status, 1);
    EXPECT_EQ(many.err, "scriblo: " + wide.string() + ":2: more than 4194304 values\n");

    Outcome endless = run(limit + " head -c 200000000 /dev/zero |", "gestures recognize --store " + store().string());
    EXPECT_EQ(endless.status, 1);
    EXPECT_NE(endless.err.find("<stdin>:1: a line is longer than"), std::string::npos) << endless.err;
}

// A store this large is read with glibc's allocator advising huge pages, which takes a
// restart: the restarted program keeps its name and its arguments.
TEST_F(GesturesCommandTest, aLargeStoreIsReadByTheProgramRestartedWithItsHeapAdvised)
{
    ASSERT_EQ(scriblo("gestures import " + file("g.json", gestures).string()).status, 0);
    // Padded by hand: writing it would take minutes under AddressSanitizer, whose realloc
    // copies libplist's growing text at every page.
    std::string text = *SafeFile::read(store(), 1 << 20);
    text.insert(text.rfind("</dict>"), "<key>Padding</key><data>" + std::string(17 << 20, 'A') + "</data>");
    ASSERT_TRUE(SafeFile::writeAtomically(store(), text));
    fs::path drawings = m_folder / "drawings";
    ASSERT_EQ(::mkfifo(drawings.c_str(), 0600), 0);
    // Held open for writing, so that the program starts and then waits for a drawing.
    int writer = ::open(drawings.c_str(), O_RDWR | O_CLOEXEC);
    pid_t program = Outcome::start(m_folder, "gestures recognize --store " + store().string() + " <" + drawings.string());
    auto proc = [program](const char* name) {
        std::ifstream file("/proc/" + std::to_string(program) + "/" + name);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    std::string environment;
    for (auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
         environment.find("GLIBC_TUNABLES=glibc.malloc.hugetlb=1") == std::string::npos && std::chrono::steady_clock::now() < until;)
        environment = proc("environ");
    EXPECT_NE(environment.find("GLIBC_TUNABLES=glibc.malloc.hugetlb=1"), std::string::npos);
    EXPECT_EQ(proc("comm"), "scriblo\n");
    std::string drawing = "{\"strokes\":[" + second + "]}\n";
    EXPECT_EQ(::write(writer, drawing.data(), drawing.size()), ssize_t(drawing.size()));
    ::close(writer);
    Outcome recognized = Outcome::finish(program, m_folder);
    EXPECT_EQ(recognized.out, "org.gnome.Nautilus.desktop\t100\n") << recognized.err;
}

TEST_F(GesturesCommandTest, conflictsListConfusablePairsAtTheMinimumScore)
{
    const std::string alike = R"({"gestures":[
      {"identity":"first","strokes":[)" + strokeJson(100, 100, 30, 9, 25) + R"(]},
      {"identity":"two","strokes":[)" + strokeJson(100, 900, 40, -3, 12) + "," + strokeJson(500, 100, 0, 40, 12) + R"(]},
      {"identity":"second","strokes":[)" + strokeJson(300, 150, 25, 11, 25) + R"(]}
    ]})";
    ASSERT_EQ(scriblo("gestures import " + file("g.json", alike).string()).status, 0);
    Outcome listed = scriblo("gestures conflicts");
    EXPECT_EQ(listed.status, 0) << listed.err;
    ASSERT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 1) << listed.out;
    EXPECT_EQ(listed.out.rfind("first\tsecond\t", 0), 0u) << listed.out;
    int firstAsSecond = 0, secondAsFirst = 0;
    ASSERT_EQ(std::sscanf(listed.out.c_str() + 13, "%d\t%d", &firstAsSecond, &secondAsFirst), 2) << listed.out;
    EXPECT_GE(std::max(firstAsSecond, secondAsFirst), 70);

    // The pair goes once the minimum is above both of its scores.
    ASSERT_EQ(scriblo("settings set minimumRecognitionScore " + std::to_string(std::max(firstAsSecond, secondAsFirst) + 1)).status, 0);
    EXPECT_EQ(scriblo("gestures conflicts").out, "");
}

namespace {

// The width and height a PNG file's header gives.
std::pair<uint32_t, uint32_t> pngSize(const std::string& bytes)
{
    auto number = [&](size_t at) {
        return uint32_t(uint8_t(bytes[at])) << 24 | uint32_t(uint8_t(bytes[at + 1])) << 16 | uint32_t(uint8_t(bytes[at + 2])) << 8
            | uint32_t(uint8_t(bytes[at + 3]));
    };
    return bytes.size() > 24 && bytes.compare(1, 3, "PNG") == 0 ? std::pair(number(16), number(20)) : std::pair(0u, 0u);
}

size_t pdfPages(const std::string& bytes)
{
    size_t pages = 0;
    for (size_t at = bytes.find("/Type /Page"); at != std::string::npos; at = bytes.find("/Type /Page", at + 1))
        pages += bytes.compare(at, 12, "/Type /Pages") != 0;
    return pages;
}

}

// An empty store's sheet is one page that says so.
TEST_F(GesturesCommandTest, sheetIsWrittenAsPdfPngOrSvgInPagesOfA4)
{
    Outcome empty = scriblo("gestures sheet --output " + (m_folder / "empty.png").string());
    ASSERT_EQ(empty.status, 0) << empty.err;
    EXPECT_EQ(empty.out, (m_folder / "empty.png").string() + "\n");
    Outcome blocked = scriblo("gestures sheet --output " + (m_folder / "empty.png" / "sheet.pdf").string());
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.err.find("empty.png is not a folder"), std::string::npos) << blocked.err;

    ASSERT_EQ(scriblo("gestures import " + file("g.json", gesturesJson(numbered("gone", 20))).string()).status, 0);

    Outcome pdf = scriblo("gestures sheet --output " + (m_folder / "sheet.pdf").string());
    ASSERT_EQ(pdf.status, 0) << pdf.err;
    EXPECT_EQ(pdf.out, (m_folder / "sheet.pdf").string() + "\n");
    auto document = SafeFile::read(m_folder / "sheet.pdf", 1 << 24).value();
    EXPECT_EQ(document.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(pdfPages(document), 2u) << "sixteen gestures fill a page";

    Outcome png = scriblo("gestures sheet --output " + (m_folder / "sheet.PNG").string());
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(png.out, (m_folder / "sheet-1.PNG").string() + "\n" + (m_folder / "sheet-2.PNG").string() + "\n");
    for (const char* page : { "sheet-1.PNG", "sheet-2.PNG" })
        EXPECT_EQ(pngSize(SafeFile::read(m_folder / page, 1 << 24).value()), std::pair(794u, 1123u)) << "A4 at 96 dpi";

    Outcome svg = scriblo("gestures sheet --output " + (m_folder / "sheet.svg").string());
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_NE(SafeFile::read(m_folder / "sheet-2.svg", 1 << 24).value().find("<svg"), std::string::npos);
}

// Output names a user, or a script, may hand over without looking.
TEST_F(GesturesCommandTest, sheetOutputsThatAreNotPlainFilesAreRefusedOrWrittenThrough)
{
    ASSERT_EQ(scriblo("gestures import " + file("g.json", gesturesJson(numbered("gone", 40))).string()).status, 0);
    Outcome missing = scriblo("gestures sheet --output " + (m_folder / "no" / "such" / "x.pdf").string());
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("does not exist"), std::string::npos) << missing.err;
    EXPECT_FALSE(fs::exists(m_folder / "no"));

    ASSERT_EQ(mkfifo((m_folder / "pipe.pdf").c_str(), 0600), 0);
    EXPECT_EQ(scriblo("gestures sheet --output " + (m_folder / "pipe.pdf").string()).status, 1);
    EXPECT_TRUE(fs::is_fifo(m_folder / "pipe.pdf"));

    fs::create_symlink("real.pdf", m_folder / "link.pdf");
    ASSERT_EQ(scriblo("gestures sheet --output " + (m_folder / "link.pdf").string()).status, 0);
    EXPECT_TRUE(fs::is_symlink(m_folder / "link.pdf"));
    EXPECT_EQ(SafeFile::read(m_folder / "real.pdf", 1 << 24).value().rfind("%PDF-", 0), 0u);

    Outcome newline = scriblo("gestures sheet --output '" + (m_folder / "two\nlines.pdf").string() + "'");
    EXPECT_EQ(newline.out, (m_folder / "two\\nlines.pdf").string() + "\n") << "one line a file, escaped as in the lists";

    // Three pages, then one: only the old pages of the same name go.
    ASSERT_EQ(scriblo("gestures sheet --output " + (m_folder / "s.png").string()).status, 0);
    for (const char* other : { "s-3.png.bak", "sx-3.png", "s-03.png" })
        file(other, "keep");
    fs::remove(store());
    ASSERT_EQ(scriblo("gestures import " + file("one.json", gesturesJson(numbered("one", 1))).string()).status, 0);
    ASSERT_EQ(scriblo("gestures sheet --output " + (m_folder / "s.png").string()).status, 0);
    for (const char* gone : { "s-1.png", "s-2.png", "s-3.png" })
        EXPECT_FALSE(fs::exists(m_folder / gone)) << gone;
    for (const char* kept : { "s.png", "s-3.png.bak", "sx-3.png", "s-03.png" })
        EXPECT_TRUE(fs::exists(m_folder / kept)) << kept;
}
