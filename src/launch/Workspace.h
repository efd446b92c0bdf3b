#pragma once

#include "launch/BrowserScripting.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace scriblo {

// The desktop services that launching and the catalogue need.
class Workspace {
public:
    virtual ~Workspace() = default;

    // Starts, or brings forward, the application of a desktop file ID.
    virtual void launchApplication(const std::string& desktopId) = 0;
    // Runs a program file directly: no shell, no arguments, detached, in the home folder.
    virtual void runProgram(const std::filesystem::path& program) = 0;
    // The scripting handle of a browser, or null when that browser is not installed.
    virtual std::unique_ptr<BrowserScripting> browserScripting(const std::string& browserId) = 0;
    // The desktop file ID of the default handler of a content type.
    virtual std::optional<std::string> defaultApplicationForType(const std::string& contentType) = 0;
};

}
