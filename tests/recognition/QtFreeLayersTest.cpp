#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const fs::path sourceRoot = fs::path(SCRIBLO_SOURCE_DIR) / "src";

std::vector<fs::path> filesOf(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".h" || entry.path().extension() == ".cpp")
            files.push_back(entry.path());
    return files;
}

// The rules library's own list, handed over by the build, so new files are checked too.
std::vector<fs::path> recognitionRulesFiles()
{
    std::vector<fs::path> files;
    std::stringstream list(SCRIBLO_RECOGNITION_RULES_FILES);
    for (std::string name; std::getline(list, name, ',');)
        files.push_back(sourceRoot / "recognition" / name);
    return files;
}

// Follows the project's own includes too: a Qt header reached through another layer's
// header is as much a dependency as one included directly.
void findQtIncludes(const fs::path& file, std::set<fs::path>& seen, std::vector<std::string>& offences)
{
    if (!seen.insert(fs::weakly_canonical(file)).second)
        return;
    static const std::regex qtInclude(R"(^\s*#\s*include\s*[<"](Q|qt))");
    static const std::regex projectInclude(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::ifstream stream(file);
    ASSERT_TRUE(stream) << file;
    std::string line;
    for (int number = 1; std::getline(stream, line); ++number) {
        std::smatch match;
        if (std::regex_search(line, qtInclude))
            offences.push_back(file.string() + ":" + std::to_string(number) + ": " + line);
        else if (std::regex_search(line, match, projectInclude) && fs::exists(sourceRoot / match[1].str()))
            findQtIncludes(sourceRoot / match[1].str(), seen, offences);
    }
}

}

TEST(QtFreeLayersTest, baseCoreAndTheRecognitionRulesIncludeNoQtHeader)
{
    std::vector<fs::path> files = recognitionRulesFiles();
    for (const char* folder : { "base", "core" })
        for (const fs::path& file : filesOf(sourceRoot / folder))
            files.push_back(file);
    ASSERT_GT(files.size(), 40u);
    std::set<fs::path> seen;
    std::vector<std::string> offences;
    for (const fs::path& file : files)
        findQtIncludes(file, seen, offences);
    EXPECT_TRUE(offences.empty()) << testing::PrintToString(offences);
}
