#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace scriblo {
class GestureRecognitionModel;
}

namespace scriblo::BuiltInScripts {

// Where the scripts that ship with Scriblo are. In order: $SCRIBLO_BUILTIN_SCRIPTS
// when set; `share/scriblo/Scripts` beside the running program's `bin` folder when it
// exists (an installed copy, wherever it was installed); else the source tree's
// `data/scripts`, so an uninstalled build lists them too.
std::filesystem::path folder();

// What the user sees for a built-in script: the name of a script that ships with
// Scriblo in the user's language; any other file's name without its extension.
std::string displayName(const std::filesystem::path& file);

// A built-in script's identity: "builtin:" and its file name. The folder is left out
// because it changes with every start of an AppImage (a new mount point) and with every
// move or reinstall of the program, and a gesture bound to the script must outlive those.
std::string identity(const std::filesystem::path& file);

// The identity under which a target is looked up now. Earlier builds stored a built-in
// script by its absolute path, into some `share/scriblo/Scripts` or the source tree's
// `data/scripts`; such a path becomes the script's "builtin:" identity, so gestures bound
// then keep launching. Every other identity is returned as it is.
std::string currentIdentity(const std::string& storedIdentity);

// The identity the gesture of the target `launchId` is stored under in `model`: its
// own, or the path an earlier build stored the built-in script by. Nothing when the
// target has no gesture.
std::optional<std::string> storedIdentity(const std::string& launchId, const GestureRecognitionModel& model);

}
