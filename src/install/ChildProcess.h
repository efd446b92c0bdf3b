#pragma once

#include <optional>
#include <string>
#include <vector>

namespace scriblo::ChildProcess {

// Runs a program with these arguments (no shell, so paths need no quoting) and waits
// for it. Its exit status, or none when it could not start or did not exit normally.
std::optional<int> runAndWait(const std::vector<std::string>& arguments);

// Starts a program in a session of its own that outlives this process. The AppImage
// variables are left out of its environment: they describe this copy's mount, which is
// gone once this process ends. False when it could not start.
bool startDetached(const std::vector<std::string>& arguments);

}
