#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const fs::path sourceRoot = fs::path(SCRIBLO_SOURCE_DIR) / "src";

struct Layer {
    std::set<std::string> folders;
    // Single headers of a folder the layer may not use as a whole.
    std::set<std::string> headers = {};
};

// Each folder of src/ and the folders its code may include, lowest first.
// docs/architecture.md carries the same table in words; a change to one belongs in the
// other.
const std::map<std::string, Layer> layers = {
    { "base", {} },
    { "core", { { "base" } } },
    { "files", { { "base" } } },
    { "platform", { { "base", "core", "files" } } },
    { "appearance", { { "base", "files" } } },
    // udev's announcements of devices coming and going are shared with the mice; they
    // have a library of their own, which brings none of the desktop's other parts.
    { "multitouch", { { "base", "files" }, { "platform/UdevMonitor.h" } } },
    { "launch", { { "base", "core", "files", "platform" } } },
    { "install", { { "base", "core", "files", "platform" } } },
    { "sheet", { { "base", "core", "files", "platform", "appearance", "launch" } } },
    { "recognition", { { "base", "core", "files", "platform", "appearance", "launch", "multitouch" } } },
    { "setup", { { "base", "core", "files", "platform", "appearance", "launch", "multitouch", "recognition", "sheet" } } },
    { "app/commands", { { "base", "core", "files", "platform", "appearance", "launch", "multitouch", "install", "sheet" } } },
    // main.cpp hands `scriblo demo` to the demonstration, which sits on the root's library.
    { "app", { { "base", "core", "files", "platform", "appearance", "launch", "multitouch", "install", "recognition",
                 "sheet", "setup", "app/commands" },
               { "app/demo/DemoCommand.h" } } },
    { "app/demo", { { "base", "core", "files", "platform", "appearance", "launch", "multitouch", "install",
                      "recognition", "sheet", "setup", "app/commands", "app" } } },
};

std::vector<fs::path> sourceFiles(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.path().extension() == ".h" || entry.path().extension() == ".cpp")
            files.push_back(entry.path());
    return files;
}

// The project's own headers a file includes, as paths below src/.
std::vector<std::pair<int, std::string>> projectIncludes(const fs::path& file)
{
    static const std::regex projectInclude(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::vector<std::pair<int, std::string>> includes;
    std::ifstream stream(file);
    std::string line;
    std::smatch match;
    for (int number = 1; std::getline(stream, line); ++number)
        if (std::regex_search(line, match, projectInclude) && fs::exists(sourceRoot / match[1].str()))
            includes.emplace_back(number, match[1].str());
    return includes;
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

// A library of src/ as the build describes it: its own files, below src/, and the
// libraries it links itself.
struct Library {
    std::string name;
    std::string folder;
    std::set<std::string> files;
    std::set<std::string> links;
};

std::vector<Library> projectLibraries()
{
    std::vector<Library> libraries;
    std::ifstream stream(SCRIBLO_PROJECT_LIBRARIES);
    for (std::string line; std::getline(stream, line);) {
        std::vector<std::string> fields = split(line, '|');
        fields.resize(4);
        Library library { fields[0], fs::path(fields[1]).lexically_relative(sourceRoot).generic_string(), {}, {} };
        for (const std::string& file : split(fields[2], ';')) {
            fs::path path = (fs::path(fields[1]) / file).lexically_normal();
            library.files.insert(path.lexically_relative(sourceRoot).generic_string());
            // A source file's header is the library's too, though the build need not list it.
            fs::path header = fs::path(path).replace_extension(".h");
            if (path.extension() == ".cpp" && fs::exists(header))
                library.files.insert(header.lexically_relative(sourceRoot).generic_string());
        }
        for (const std::string& link : split(fields[3], ';'))
            library.links.insert(link);
        libraries.push_back(std::move(library));
    }
    return libraries;
}

// The library a header belongs to: the one that lists it or its source file, or else the
// only library of its folder, or the one named for the folder where it holds several.
std::string owner(const std::vector<Library>& libraries, const std::string& header)
{
    std::string source = fs::path(header).replace_extension(".cpp").generic_string();
    std::vector<std::string> ofFolder;
    for (const Library& library : libraries) {
        for (const std::string& file : library.files)
            if (file == header || file == source)
                return library.name;
        if (library.folder == fs::path(header).parent_path().generic_string())
            ofFolder.push_back(library.name);
    }
    if (ofFolder.size() == 1)
        return ofFolder.front();
    std::string named = "scriblo_" + fs::path(header).parent_path().filename().string();
    return std::count(ofFolder.begin(), ofFolder.end(), named) ? named : "no library";
}

// Follows the project's own includes too: a Qt header reached through another layer's
// header is as much a dependency as one included directly.
void findQtIncludes(const fs::path& file, std::set<fs::path>& seen, std::vector<std::string>& offences)
{
    if (!seen.insert(fs::weakly_canonical(file)).second)
        return;
    static const std::regex qtInclude(R"(^\s*#\s*include\s*[<"](Q|qt))");
    std::ifstream stream(file);
    ASSERT_TRUE(stream) << file;
    std::string line;
    for (int number = 1; std::getline(stream, line); ++number)
        if (std::regex_search(line, qtInclude))
            offences.push_back(file.string() + ":" + std::to_string(number) + ": " + line);
    for (const auto& [number, include] : projectIncludes(file))
        findQtIncludes(sourceRoot / include, seen, offences);
}

}

TEST(LayersTest, everyIncludeStaysWithinWhatItsFoldersLayerMayUse)
{
    std::vector<std::string> offences;
    size_t checked = 0;
    for (const fs::path& file : sourceFiles(sourceRoot)) {
        std::string folder = file.parent_path().lexically_relative(sourceRoot).generic_string();
        auto layer = layers.find(folder);
        if (layer == layers.end()) {
            offences.push_back(folder + " is in no layer");
            continue;
        }
        for (const auto& [number, include] : projectIncludes(file)) {
            std::string included = fs::path(include).parent_path().generic_string();
            ++checked;
            if (included != folder && !layer->second.folders.count(included) && !layer->second.headers.count(include))
                offences.push_back(file.lexically_relative(sourceRoot).generic_string() + ":" + std::to_string(number) + " includes " + include);
        }
    }
    EXPECT_GT(checked, 500u);
    EXPECT_TRUE(offences.empty()) << testing::PrintToString(offences);
}

// Linking what one includes keeps each library buildable on its own: a header that
// compiles only because another library happens to bring its neighbour along breaks as
// soon as that one stops.
TEST(LayersTest, everyLibraryLinksTheLibrariesWhoseHeadersItIncludes)
{
    std::vector<Library> libraries = projectLibraries();
    ASSERT_GT(libraries.size(), 10u);
    std::vector<std::string> offences;
    for (const Library& library : libraries)
        for (const std::string& file : library.files)
            for (const auto& [number, include] : projectIncludes(sourceRoot / file)) {
                std::string included = owner(libraries, include);
                if (included != library.name && !library.links.count(included))
                    offences.push_back(library.name + ": " + file + ":" + std::to_string(number) + " includes "
                                       + include + " of " + included + ", which it does not link");
            }
    EXPECT_TRUE(offences.empty()) << testing::PrintToString(offences);
}

TEST(LayersTest, theQtFreeLibrariesIncludeNoQtHeaderDirectlyOrThroughAnother)
{
    std::vector<fs::path> files = sourceFiles(sourceRoot / "base");
    for (const std::string& name : split(SCRIBLO_QT_FREE_FILES, ','))
        files.push_back(name);
    ASSERT_GT(files.size(), 70u);
    std::set<fs::path> seen;
    std::vector<std::string> offences;
    for (const fs::path& file : files)
        findQtIncludes(file, seen, offences);
    EXPECT_TRUE(offences.empty()) << testing::PrintToString(offences);
}
