#pragma once

#include "base/Expected.h"
#include "multitouch/SyntheticTouchpad.h"

#include <filesystem>
#include <string>
#include <vector>

namespace scriblo::DemoSamples {

using Shape = std::vector<SyntheticTouchpad::Point>;

// Clean shapes in the drawing space (thousandths, y upward), as a steady hand draws them.
Shape zigzag();
Shape circle();
Shape vee();
Shape triangle();
Shape ell();

// The built-in script the replayed touchpad draws for, and the one the setup window
// binds a new drawing to.
inline const std::string recognisedScript = "builtin:Lock Screen.sh";
inline const std::string assignedScript = "builtin:Log Out.sh";
// Drawn the assigned script's triangle, it looks like that gesture.
inline const std::string lookAlikeScript = "builtin:Suspend.sh";
// An application the demonstration's store remembers but the desktop no longer has.
inline const std::string retiredApplication = "org.example.Retired.desktop";

// Writes the sample gestures and the settings the demonstration runs with into the
// preferences file at `store`; how many gestures were stored.
Expected<size_t> writeStore(const std::filesystem::path& store);

// Writes a file for `gestures import` that adds a gesture, replaces one and repeats one
// that is stored, two of them look-alikes of other targets' gestures.
Expected<std::filesystem::path> writeImportFile(const std::filesystem::path& file);

// Writes a touchpad recording, a four-finger tap and then the zigzag drawn with one
// finger, to `file` in the evemu format.
Expected<std::filesystem::path> writeTouchpadRecording(const std::filesystem::path& file);

}
