#pragma once

#include <filesystem>
#include <vector>

namespace scriblo {

// The XDG base folders, read from the environment at every call so that a test can
// point them at a fixture. Relative values are ignored, as the base directory rules say.
namespace XdgPaths {

std::filesystem::path home();
std::filesystem::path dataHome();
std::filesystem::path configHome();
std::filesystem::path cacheHome();
std::vector<std::filesystem::path> dataDirs();
// dataHome() first, then dataDirs(): the order in which an earlier file overrides a later.
std::vector<std::filesystem::path> dataSearchPath();

}

}
