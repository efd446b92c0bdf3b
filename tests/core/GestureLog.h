#pragma once

#include "core/GestureStroke.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Reads the public stroke-gesture logs kept in the shared data folder: one XML file per
// drawing, with `<Stroke>` elements for multistroke sets and bare `<Point>` elements for
// unistroke sets. Only what matching needs is read: the strokes' X and Y in pixels.
namespace scriblo::gesturelog {

struct DrawnGesture {
    std::string file;
    std::vector<GestureStroke> strokes;
};

std::optional<DrawnGesture> readGestureLog(const std::filesystem::path& path);

// Every `*.xml` below `folder`, sorted by path so that runs are repeatable.
std::vector<std::filesystem::path> gestureLogFiles(const std::filesystem::path& folder);

// The shared data folder, when this checkout has one.
std::optional<std::filesystem::path> sharedGestureFolder();

// A scratch folder holding one unpacked archive; removed with the object.
class UnpackedArchive {
public:
    explicit UnpackedArchive(const std::filesystem::path& archive);
    ~UnpackedArchive();
    UnpackedArchive(const UnpackedArchive&) = delete;
    UnpackedArchive& operator=(const UnpackedArchive&) = delete;

    // Nothing when the archive could not be unpacked.
    const std::optional<std::filesystem::path>& folder() const { return m_folder; }

private:
    std::optional<std::filesystem::path> m_folder;
};

}
