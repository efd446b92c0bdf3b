#include "core/GestureLog.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace scriblo::gesturelog {

namespace {

std::optional<float> attribute(const std::string& text, size_t from, size_t to, const char* name)
{
    std::string key = std::string(" ") + name + "=\"";
    size_t found = text.find(key, from);
    if (found == std::string::npos || found >= to)
        return std::nullopt;
    return std::strtof(text.c_str() + found + key.size(), nullptr);
}

}

std::optional<DrawnGesture> readGestureLog(const std::filesystem::path& path)
{
    std::ifstream input(path, std::ios::binary);
    if (!input)
        return std::nullopt;
    std::stringstream buffer;
    buffer << input.rdbuf();
    std::string text = buffer.str();
    DrawnGesture gesture { path.filename().string(), {} };
    bool hasStrokeElements = text.find("<Stroke") != std::string::npos;
    if (!hasStrokeElements)
        gesture.strokes.emplace_back();
    for (size_t position = 0; (position = text.find('<', position)) != std::string::npos; ++position) {
        size_t end = text.find('>', position);
        if (end == std::string::npos)
            break;
        if (text.compare(position, 7, "<Stroke") == 0) {
            gesture.strokes.emplace_back();
        } else if (text.compare(position, 6, "<Point") == 0 && !gesture.strokes.empty()) {
            auto x = attribute(text, position, end, "X");
            auto y = attribute(text, position, end, "Y");
            if (!x || !y)
                return std::nullopt;
            gesture.strokes.back().addPoint(GesturePoint(*x, *y, int32_t(gesture.strokes.size())));
        }
    }
    std::erase_if(gesture.strokes, [](const GestureStroke& stroke) { return stroke.pointCount() == 0; });
    if (gesture.strokes.empty())
        return std::nullopt;
    return gesture;
}

std::vector<std::filesystem::path> gestureLogFiles(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == ".xml")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<std::filesystem::path> sharedGestureFolder()
{
    std::filesystem::path folder = std::filesystem::path(SCRIBLO_SHARED_DATA) / "gestures";
    if (!std::filesystem::is_directory(folder))
        return std::nullopt;
    return folder;
}

UnpackedArchive::UnpackedArchive(const std::filesystem::path& archive)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "scriblo-gestures-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return;
    m_folder = pattern;
    std::string command = "tar -xJf '" + archive.string() + "' -C '" + pattern + "' 2>/dev/null";
    if (!std::filesystem::exists(archive) || std::system(command.c_str()) != 0) {
        std::filesystem::remove_all(*m_folder);
        m_folder.reset();
    }
}

UnpackedArchive::~UnpackedArchive()
{
    if (m_folder) {
        std::error_code ignored;
        std::filesystem::remove_all(*m_folder, ignored);
    }
}

}
