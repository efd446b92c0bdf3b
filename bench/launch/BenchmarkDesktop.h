#pragma once

#include "launch/LoginItems.h"

#include <filesystem>

namespace scriblo::benchmarks {

// A generated desktop for measuring: 300 desktop entries, 1,000 bookmarks across Chrome,
// Firefox and Safari, and 50 scripts, under a temporary folder that HOME and the XDG
// variables point into once it is prepared.
class BenchmarkDesktop {
public:
    static const std::filesystem::path& root();
    // Writes the desktop once per process and points the environment at it.
    static void prepare();
    // Removes the whole folder; call once, at the end.
    static void remove();
};

class NoLoginItems final : public LoginItems {
public:
    bool containsApplication() override { return false; }
    void setContainsApplication(bool) override { }
};

}
