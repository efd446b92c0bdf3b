#pragma once

#include "launch/DesktopEntries.h"

#include <optional>
#include <string>

namespace scriblo {

// Which desktop entry stands for a browser. Distributions and Flatpak name the same
// browser differently, so each identifier has a few candidate desktop file IDs.
namespace BrowserEntries {

// The first installed entry of a browser, or nothing when none is installed.
std::optional<DesktopEntry> installedEntry(const std::string& browserId);

}

}
