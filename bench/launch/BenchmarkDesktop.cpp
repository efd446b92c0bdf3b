#include "BenchmarkDesktop.h"

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <plist/plist.h>
#include <sqlite3.h>
#include <string>
#include <sys/stat.h>

namespace scriblo::benchmarks {

namespace {

const std::filesystem::path root = BenchmarkDesktop::root();
const auto home = root / "home";
const auto dataHome = home / ".local/share";
const auto configHome = home / ".config";
const auto systemData = root / "usr/share";

void writeFile(const std::filesystem::path& path, const std::string& text, mode_t mode = 0644)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    chmod(path.c_str(), mode);
}

void writeDesktopEntries()
{
    const char* categories[] = { "GNOME;GTK;Office;", "GNOME;Utility;", "GNOME;System;", "Settings;", "Graphics;" };
    for (int i = 0; i < 300; ++i) {
        auto folder = i % 3 == 0 ? dataHome : systemData;
        writeFile(folder / "applications" / ("app" + std::to_string(i) + ".desktop"),
            "[Desktop Entry]\nType=Application\nName=Application " + std::to_string(i) + "\nName[de]=Anwendung\n"
            "Comment=Does thing " + std::to_string(i) + "\nExec=/bin/true %U\nIcon=app" + std::to_string(i)
            + "\nCategories=" + categories[i % 5] + "\nMimeType=text/plain;\n" + (i % 17 == 0 ? "NoDisplay=true\n" : ""));
    }
    writeFile(systemData / "applications/google-chrome.desktop", "[Desktop Entry]\nType=Application\nName=Google Chrome\nExec=/bin/true\n");
    writeFile(systemData / "applications/firefox-esr.desktop", "[Desktop Entry]\nType=Application\nName=Firefox ESR\nExec=/bin/true\n");
}

void writeChromeBookmarks(int count)
{
    nlohmann::json children = nlohmann::json::array();
    for (int i = 0; i < count; ++i)
        children.push_back({ { "type", "url" }, { "name", "Chrome page " + std::to_string(i) }, { "url", "https://chrome.example/" + std::to_string(i) } });
    nlohmann::json document = { { "roots", { { "bookmark_bar", { { "children", children } } } } } };
    writeFile(configHome / "google-chrome/Default/Bookmarks", document.dump());
}

void writeFirefoxBookmarks(int count)
{
    auto folder = home / ".mozilla/firefox";
    writeFile(folder / "profiles.ini", "[Profile0]\nName=default\nIsRelative=1\nPath=bench.default\nDefault=1\n");
    std::filesystem::create_directories(folder / "bench.default");
    sqlite3* database = nullptr;
    sqlite3_open((folder / "bench.default/places.sqlite").c_str(), &database);
    std::string sql = "BEGIN;"
                      "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT);"
                      "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER, parent INTEGER, position INTEGER, title TEXT, guid TEXT);"
                      "INSERT INTO moz_bookmarks VALUES (3, 2, NULL, 1, 1, 'toolbar', 'toolbar_____');";
    for (int i = 0; i < count; ++i) {
        auto n = std::to_string(i);
        sql += "INSERT INTO moz_places VALUES (" + n + ", 'https://firefox.example/" + n + "');"
            + "INSERT INTO moz_bookmarks VALUES (" + std::to_string(i + 10) + ", 1, " + n + ", 3, " + n + ", 'Firefox page " + n + "', 'g" + n + "');";
    }
    sqlite3_exec(database, (sql + "COMMIT;").c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(database);
}

void writeSafariBookmarks(int count)
{
    plist_t bar = plist_new_array();
    for (int i = 0; i < count; ++i) {
        plist_t title = plist_new_dict();
        plist_dict_set_item(title, "title", plist_new_string(("Safari page " + std::to_string(i)).c_str()));
        plist_t leaf = plist_new_dict();
        plist_dict_set_item(leaf, "URIDictionary", title);
        plist_dict_set_item(leaf, "URLString", plist_new_string(("https://safari.example/" + std::to_string(i)).c_str()));
        plist_array_append_item(bar, leaf);
    }
    plist_t barFolder = plist_new_dict();
    plist_dict_set_item(barFolder, "Title", plist_new_string("BookmarksBar"));
    plist_dict_set_item(barFolder, "Children", bar);
    plist_t children = plist_new_array();
    plist_array_append_item(children, barFolder);
    plist_t top = plist_new_dict();
    plist_dict_set_item(top, "Children", children);
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(top, &bytes, &length);
    writeFile(home / "Library/Safari/Bookmarks.plist", std::string(bytes, length));
    free(bytes);
    plist_free(top);
}

void writeScripts()
{
    for (int i = 0; i < 50; ++i)
        writeFile(dataHome / "Scriblo/Scripts" / ("Script " + std::to_string(i) + ".sh"), "#!/bin/sh\n", 0755);
}

}

void BenchmarkDesktop::prepare()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    setenv("XDG_DATA_DIRS", systemData.c_str(), 1);
    writeDesktopEntries();
    writeChromeBookmarks(400);
    writeFirefoxBookmarks(400);
    writeSafariBookmarks(200);
    writeScripts();
}

const std::filesystem::path& BenchmarkDesktop::root()
{
    static const std::filesystem::path folder = [] {
        char pattern[] = "/tmp/scriblo-bench-desktop-XXXXXX";
        return std::filesystem::path(mkdtemp(pattern));
    }();
    return folder;
}

void BenchmarkDesktop::remove()
{
    std::error_code ignored;
    std::filesystem::remove_all(root(), ignored);
}

}
