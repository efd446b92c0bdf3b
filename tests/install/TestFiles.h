#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

namespace scriblo::testing {

inline std::string contentsOf(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& text, mode_t mode = 0644)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
    chmod(path.c_str(), mode);
}

}
