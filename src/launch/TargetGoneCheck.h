#pragma once

#include "base/TargetAbsence.h"

#include <filesystem>
#include <string>
#include <vector>

// Whether a target a gesture is bound to has really gone, as opposed to being out of
// reach for a moment: a bookmarks file being rewritten, a locked database or a folder on
// an unmounted disk all make a lookup miss, and deleting the user's gesture then would
// lose it for good. Each check rebuilds the one list the identity belongs to and answers
// `Gone` only when that rebuild worked and still lacks the identity.
namespace scriblo::TargetGoneCheck {

// `scriptFolders` are the folders the catalogue lists scripts from.
TargetAbsence scriptAbsence(const std::filesystem::path& script, const std::vector<std::filesystem::path>& scriptFolders);
// Whether the identity is "<browser id>:<address>" of a browser this system knows.
bool isPage(const std::string& launchId);
TargetAbsence pageAbsence(const std::string& launchId);
TargetAbsence applicationAbsence(const std::string& desktopId);

}
