#pragma once

#include <filesystem>

namespace scriblo::DesktopIntegration {

constexpr const char* desktopId = "org.scriblo.Scriblo.desktop";
constexpr const char* iconName = "org.scriblo.Scriblo";

// Makes a moved AppImage part of the desktop: a menu entry and icon in the user's data
// folder, and any start-at-login entry that started the old copy pointed at the new one.
// Best effort: the move itself has already succeeded, and the menus are a convenience.
void addMovedProgram(const std::filesystem::path& source, const std::filesystem::path& destination);

}
