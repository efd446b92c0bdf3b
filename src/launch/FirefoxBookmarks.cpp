// GLib only for the key file reader: no Qt header may come in here.
#include "launch/FirefoxBookmarks.h"

#include "launch/GioHandle.h"
#include "files/SafeFile.h"

#include <cctype>
#include <glib.h>
#include <sqlite3.h>

namespace scriblo::FirefoxBookmarks {

namespace {

// An empty value counts as none: an empty profile path would name the Firefox folder.
std::optional<std::string> value(GKeyFile* file, const char* group, const char* key)
{
    GioHandle<char> text(g_key_file_get_string(file, group, key, nullptr));
    return text && *text.get() ? std::optional<std::string>(text.get()) : std::nullopt;
}

std::filesystem::path profilePath(GKeyFile* file, const char* group, const std::filesystem::path& folder)
{
    std::filesystem::path path = value(file, group, "Path").value_or("");
    bool relative = value(file, group, "IsRelative").value_or("1") != "0";
    return relative ? folder / path : path;
}

std::optional<std::string> chosenProfileGroup(GKeyFile* file, char** groups)
{
    std::optional<std::string> onlyProfile;
    int profileCount = 0;
    for (char** group = groups; *group; ++group) {
        std::string name = *group;
        if (name.rfind("Profile", 0) != 0 || !value(file, *group, "Path"))
            continue;
        if (value(file, *group, "Default") == "1")
            return name;
        onlyProfile = name;
        ++profileCount;
    }
    return profileCount == 1 ? onlyProfile : std::nullopt;
}

// sqlite opens "file:" addresses with percent escapes; every byte outside the
// unreserved set is escaped so that '?', '#' or '%' in a home folder cannot cut it short.
std::string fileUri(const std::filesystem::path& file, const char* parameters)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (unsigned char c : file.string()) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            uri += char(c);
        } else {
            uri += '%';
            uri += digits[c >> 4];
            uri += digits[c & 15];
        }
    }
    return uri + parameters;
}

const char toolbarQuery[] =
    "SELECT b.title, p.url FROM moz_bookmarks b JOIN moz_places p ON p.id = b.fk "
    "WHERE b.type = 1 AND b.parent = (SELECT id FROM moz_bookmarks WHERE guid = 'toolbar_____') "
    "ORDER BY b.position";

}

Expected<std::optional<std::filesystem::path>> defaultProfile(const std::filesystem::path& firefoxFolder)
{
    // Real profile lists are a few hundred bytes.
    constexpr size_t maximumIniSize = size_t(1) << 20;
    auto text = SafeFile::readIfExists(firefoxFolder / "profiles.ini", maximumIniSize);
    if (!text)
        return Failure { text.error() };
    if (!text.value())
        return std::optional<std::filesystem::path>();
    return profileFromIni(*text.value(), firefoxFolder);
}

std::optional<std::filesystem::path> profileFromIni(std::string_view text, const std::filesystem::path& firefoxFolder)
{
    KeyFile file(g_key_file_new());
    if (!g_key_file_load_from_data(file.get(), text.data(), text.size(), G_KEY_FILE_NONE, nullptr))
        return std::nullopt;
    gchar** groups = g_key_file_get_groups(file.get(), nullptr);
    std::optional<std::filesystem::path> chosen;
    for (gchar** group = groups; *group && !chosen; ++group) {
        std::string name = *group;
        if (name.rfind("Install", 0) == 0) {
            if (auto path = value(file.get(), *group, "Default"))
                chosen = firefoxFolder / *path;
        }
    }
    if (!chosen) {
        if (auto group = chosenProfileGroup(file.get(), groups))
            chosen = profilePath(file.get(), group->c_str(), firefoxFolder);
    }
    g_strfreev(groups);
    return chosen;
}

namespace {

// Nothing when the database cannot be opened or read to the end.
std::optional<std::vector<Bookmark>> query(const std::string& uri, int flags)
{
    sqlite3* database = nullptr;
    std::optional<std::vector<Bookmark>> bookmarks;
    if (sqlite3_open_v2(uri.c_str(), &database, flags | SQLITE_OPEN_URI, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(database, toolbarQuery, -1, &statement, nullptr) == SQLITE_OK) {
            bookmarks.emplace();
            int step;
            while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
                auto title = sqlite3_column_text(statement, 0);
                auto url = sqlite3_column_text(statement, 1);
                if (title && url)
                    bookmarks->push_back({ reinterpret_cast<const char*>(title), reinterpret_cast<const char*>(url) });
            }
            if (step != SQLITE_DONE)
                bookmarks.reset();
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(database);
    return bookmarks;
}

// A running Firefox keeps recent changes in the write-ahead log, which an immutable
// reader ignores. A private copy of the database and its log is read instead; a log
// caught mid-write is safe, since its frames carry checksums and torn ones are skipped.
std::optional<std::vector<Bookmark>> readCopyWithLog(const std::filesystem::path& placesFile, const std::filesystem::path& log)
{
    GioHandle<char> folder(g_dir_make_tmp("scriblo-places-XXXXXX", nullptr));
    if (!folder)
        return std::nullopt;
    std::filesystem::path copy = std::filesystem::path(folder.get()) / "places.sqlite";
    std::error_code error;
    std::filesystem::copy_file(placesFile, copy, error);
    if (!error)
        std::filesystem::copy_file(log, copy.string() + "-wal", error);
    std::optional<std::vector<Bookmark>> bookmarks;
    if (!error)
        bookmarks = query(fileUri(copy, ""), SQLITE_OPEN_READWRITE);
    std::filesystem::remove_all(folder.get(), error);
    return bookmarks;
}

}

Expected<std::vector<Bookmark>> read(const std::filesystem::path& placesFile)
{
    // A copy lands in the temporary folder; past this size the live file is read in place
    // instead, without the log's latest changes.
    constexpr uintmax_t maximumCopySize = uintmax_t(1) << 30;
    std::error_code error;
    auto status = std::filesystem::status(placesFile, error);
    if (!std::filesystem::exists(status))
        return std::vector<Bookmark> {};
    if (!std::filesystem::is_regular_file(status))
        return Failure { "is not a regular file" };
    std::filesystem::path log = placesFile.string() + "-wal";
    uintmax_t logSize = std::filesystem::is_regular_file(log, error) ? std::filesystem::file_size(log, error) : 0;
    if (!error && logSize > 0 && logSize + std::filesystem::file_size(placesFile, error) <= maximumCopySize && !error) {
        if (auto bookmarks = readCopyWithLog(placesFile, log))
            return *bookmarks;
    }
    return query(fileUri(placesFile, "?immutable=1"), SQLITE_OPEN_READONLY).value_or(std::vector<Bookmark> {});
}

}
