#include "DesktopFixture.h"
#include "launch/ChromeBookmarks.h"
#include "launch/FirefoxBookmarks.h"
#include "launch/SafariBookmarks.h"

#include <gmock/gmock.h>
#include <plist/plist.h>
#include <sqlite3.h>
#include <sys/stat.h>

using namespace scriblo;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

class BookmarksTest : public scriblo::testing::DesktopFixture { };

const char chromeBar[] = R"({"roots": {"bookmark_bar": {"children": [
    {"type": "url", "name": "Zeta", "url": "https://z.org/"},
    {"type": "folder", "name": "Folder", "children": [{"type": "url", "name": "Inner", "url": "https://i.org"}]},
    {"type": "url", "name": "No address"},
    {"type": "url", "name": "Alpha", "url": "https://a.org"}]}}})";

void execute(sqlite3* database, const std::string& sql)
{
    ASSERT_EQ(sqlite3_exec(database, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(database);
}

// A places database with Firefox's two tables, the toolbar folder and a menu folder.
void writePlaces(const std::filesystem::path& file)
{
    std::filesystem::create_directories(file.parent_path());
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &database), SQLITE_OK);
    execute(database,
        "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT);"
        "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER, parent INTEGER, position INTEGER, title TEXT, guid TEXT);"
        "INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 0, 0, '', 'root________');"
        "INSERT INTO moz_bookmarks VALUES (2, 2, NULL, 1, 0, 'menu', 'menu________');"
        "INSERT INTO moz_bookmarks VALUES (3, 2, NULL, 1, 1, 'toolbar', 'toolbar_____');"
        "INSERT INTO moz_places VALUES (10, 'https://second.org/'), (11, 'https://first.org'), (12, 'https://menu.org'), (13, 'https://untitled.org');"
        "INSERT INTO moz_bookmarks VALUES (20, 1, 10, 3, 2, 'Second', 'a');"
        "INSERT INTO moz_bookmarks VALUES (21, 1, 11, 3, 0, 'First', 'b');"
        "INSERT INTO moz_bookmarks VALUES (22, 2, NULL, 3, 1, 'A folder', 'c');"
        "INSERT INTO moz_bookmarks VALUES (23, 1, 12, 2, 0, 'Menu', 'd');"
        "INSERT INTO moz_bookmarks VALUES (24, 3, NULL, 3, 3, NULL, 'e');"
        "INSERT INTO moz_bookmarks VALUES (25, 1, 13, 3, 4, NULL, 'f');");
    sqlite3_close(database);
}

// As Safari writes it: a bar beside History, with a link, a folder and a link.
const char safariBookmarks[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>Children</key><array>
  <dict><key>Title</key><string>History</string></dict>
  <dict><key>Title</key><string>BookmarksBar</string><key>Children</key><array>
    <dict><key>URIDictionary</key><dict><key>title</key><string>Zulu</string></dict><key>URLString</key><string>https://zulu.org/</string></dict>
    <dict><key>Title</key><string>Folder</string><key>Children</key><array>
      <dict><key>URIDictionary</key><dict><key>title</key><string>Inner</string></dict><key>URLString</key><string>https://i.org</string></dict>
    </array></dict>
    <dict><key>URIDictionary</key><dict><key>title</key><string>Alpha</string></dict><key>URLString</key><string>https://alpha.org</string></dict>
  </array></dict>
</array></dict></plist>)";

// The links a reader found; a failure is reported and gives none.
std::vector<Bookmark> links(const Expected<std::vector<Bookmark>>& read)
{
    if (!read) {
        ADD_FAILURE() << "unexpected failure: " << read.error();
        return {};
    }
    return *read;
}

std::string failure(const Expected<std::vector<Bookmark>>& read)
{
    return read ? "no failure" : read.error();
}

std::string asBinary(const std::string& xml)
{
    plist_t root = nullptr;
    plist_from_xml(xml.data(), uint32_t(xml.size()), &root);
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &bytes, &length);
    std::string binary(bytes, length);
    free(bytes);
    plist_free(root);
    return binary;
}

}

TEST_F(BookmarksTest, chromeReadsLinksOnTheBarInFileOrderAndNothingFromBadFiles)
{
    writeFile(root / "Bookmarks", chromeBar);
    EXPECT_THAT(links(ChromeBookmarks::read(root / "Bookmarks")),
        ElementsAre(Bookmark { "Zeta", "https://z.org/" }, Bookmark { "Alpha", "https://a.org" }));
    EXPECT_THAT(links(ChromeBookmarks::read(root / "absent")), IsEmpty());
    writeFile(root / "truncated", std::string(chromeBar).substr(0, 120));
    EXPECT_EQ(failure(ChromeBookmarks::read(root / "truncated")), "not a JSON file");
    // An entry of the wrong shape costs only itself.
    EXPECT_THAT(links(ChromeBookmarks::parse(R"({"roots": {"bookmark_bar": {"children": [
        {"type": "url", "name": "First", "url": "https://1.org"},
        {"type": "url", "name": 5, "url": "https://numeric-name.org"},
        {"type": "url", "name": "Null address", "url": null},
        {"type": 3, "name": "Numeric type", "url": "https://3.org"},
        "a string", null, [],
        {"type": "url", "name": "Last", "url": "https://2.org"}]}}})")),
        ElementsAre(Bookmark { "First", "https://1.org" }, Bookmark { "Last", "https://2.org" }));
    EXPECT_THAT(links(ChromeBookmarks::parse(R"({"roots": {}})")), IsEmpty());
    EXPECT_THAT(links(ChromeBookmarks::parse(R"({"roots": {"bookmark_bar": {"children": 7}}})")), IsEmpty());
    // Nesting that would build millions of values.
    EXPECT_EQ(failure(ChromeBookmarks::parse(std::string(1'000'000, '[') + std::string(1'000'000, ']'))), "too deeply nested");
}

// While Firefox runs, its latest bookmarks live only in the write-ahead log. Its
// database is opened by SQLite, not read as a file: it makes its own check that a FIFO
// or a link to /dev/zero is no database.
TEST_F(BookmarksTest, firefoxReadsTheToolbarLeavingTheLiveDatabaseAndItsLogUntouched)
{
    auto folder = root / "a ?#%;'\"b";
    writePlaces(folder / "places.sqlite");
    auto before = std::filesystem::last_write_time(folder / "places.sqlite");
    EXPECT_THAT(links(FirefoxBookmarks::read(folder / "places.sqlite")),
        ElementsAre(Bookmark { "First", "https://first.org" }, Bookmark { "Second", "https://second.org/" }))
        << "toolbar links in position order";
    EXPECT_EQ(std::filesystem::last_write_time(folder / "places.sqlite"), before);
    EXPECT_FALSE(std::filesystem::exists(folder / "places.sqlite-journal"));
    EXPECT_FALSE(std::filesystem::exists(folder / "places.sqlite-wal"));
    writeFile(root / "garbage.sqlite", "not a database at all");
    writeFile(root / "garbage.sqlite-wal", "not a log either");
    EXPECT_THAT(links(FirefoxBookmarks::read(root / "garbage.sqlite")), IsEmpty());
    EXPECT_THAT(links(FirefoxBookmarks::read(root / "absent.sqlite")), IsEmpty());
    ASSERT_EQ(mkfifo((root / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", root / "zero");
    for (const char* name : { "fifo", "zero" })
        EXPECT_EQ(failure(FirefoxBookmarks::read(root / name)), "is not a regular file") << name;

    auto places = root / "running" / "places.sqlite";
    writePlaces(places);
    sqlite3* browser = nullptr;
    ASSERT_EQ(sqlite3_open(places.c_str(), &browser), SQLITE_OK);
    execute(browser, "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                     "INSERT INTO moz_places VALUES (14, 'https://new.org');"
                     "INSERT INTO moz_bookmarks VALUES (26, 1, 14, 3, 5, 'New', 'g');");
    auto logBefore = std::filesystem::last_write_time(places.string() + "-wal");
    EXPECT_THAT(links(FirefoxBookmarks::read(places)), ElementsAre(Bookmark { "First", "https://first.org" },
        Bookmark { "Second", "https://second.org/" }, Bookmark { "New", "https://new.org" }));
    EXPECT_EQ(std::filesystem::last_write_time(places.string() + "-wal"), logBefore);
    sqlite3_close(browser);
}

TEST_F(BookmarksTest, firefoxDefaultProfilePrefersInstallThenDefaultThenOnlyProfile)
{
    auto folder = root / "firefox";
    writeFile(folder / "profiles.ini",
        "[Profile1]\nName=other\nIsRelative=1\nPath=other.default\nDefault=1\n\n"
        "[Profile0]\nName=main\nIsRelative=1\nPath=main.default-release\n\n"
        "[Install4F96D1932A9F858E]\nDefault=main.default-release\nLocked=1\n");
    EXPECT_EQ(*FirefoxBookmarks::defaultProfile(folder), folder / "main.default-release");
    EXPECT_EQ(FirefoxBookmarks::profileFromIni("[Profile0]\nIsRelative=0\nPath=/elsewhere/p\n\n[Profile1]\nPath=q\nDefault=1\n", folder), folder / "q");
    EXPECT_EQ(FirefoxBookmarks::profileFromIni("[General]\nStartWithLastProfile=1\n\n[Profile0]\nIsRelative=0\nPath=/elsewhere/p\n", folder),
        std::filesystem::path("/elsewhere/p"));
    EXPECT_EQ(FirefoxBookmarks::profileFromIni("[Profile0]\nPath=a\n\n[Profile1]\nPath=b\n", folder), std::nullopt);
    EXPECT_EQ(FirefoxBookmarks::profileFromIni("[Install]\nDefault=", folder), std::nullopt);
    EXPECT_EQ(*FirefoxBookmarks::defaultProfile(root / "none"), std::nullopt);
    std::filesystem::create_directories(root / "unreadable/profiles.ini");
    EXPECT_EQ(FirefoxBookmarks::defaultProfile(root / "unreadable").error(), "is a folder");
}

TEST_F(BookmarksTest, safariReadsXmlAndBinaryBarsAlikeAndNothingElse)
{
    for (bool binary : { false, true }) {
        writeFile(root / "Bookmarks.plist", binary ? asBinary(safariBookmarks) : safariBookmarks);
        EXPECT_THAT(links(SafariBookmarks::read(root / "Bookmarks.plist")),
            ElementsAre(Bookmark { "Zulu", "https://zulu.org/" }, Bookmark { "Alpha", "https://alpha.org" }))
            << (binary ? "binary" : "XML");
    }
    std::string menuOnly = safariBookmarks;
    menuOnly.replace(menuOnly.find("BookmarksBar"), 12, "BookmarksMenu");
    EXPECT_THAT(links(SafariBookmarks::parse(menuOnly)), IsEmpty());
    EXPECT_THAT(links(SafariBookmarks::parse(asBinary("<plist><array/></plist>"))), IsEmpty());
    EXPECT_EQ(failure(SafariBookmarks::parse("<?xml version=\"1.0\"?><plist><dict><key>Children</key>")), "not a property list");
    EXPECT_THAT(failure(SafariBookmarks::parse("bplist00")), HasSubstr("damaged binary property list"));
    EXPECT_THAT(links(SafariBookmarks::read(root / "absent.plist")), IsEmpty());

    // An entry of the wrong shape costs only itself.
    std::string odd = safariBookmarks;
    odd.insert(odd.find("<dict><key>URIDictionary</key><dict><key>title</key><string>Alpha"),
        "<string>loose</string><dict><key>URIDictionary</key><dict><key>title</key><integer>4</integer></dict>"
        "<key>URLString</key><string>https://numeric-title.org</string></dict>"
        "<dict><key>URIDictionary</key><string>t</string><key>URLString</key><string>https://x.org</string></dict>"
        "<dict><key>URIDictionary</key><dict><key>title</key><string>Data address</string></dict>"
        "<key>URLString</key><data>AAAA</data></dict>");
    // A binary string holding a NUL, on which libplist aborted, is kept in the fuzz corpus.
    EXPECT_THAT(links(SafariBookmarks::parse(odd)),
        ElementsAre(Bookmark { "Zulu", "https://zulu.org/" }, Bookmark { "Alpha", "https://alpha.org" }));
}
