#pragma once

#include "base/Expected.h"

#include <QImage>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace scriblo {

class GestureSheet;

// Writes a gesture sheet to the file a user named, in the format its extension names.
// PDF holds every page; PNG and SVG hold one page a file, so a longer sheet becomes
// NAME-1.png, NAME-2.png and so on beside the name given. Each file is written whole or
// not at all, through a link to the file it names; anything but a regular file, or a
// folder that does not exist, is refused before a page is written.
class GestureSheetFile {
public:
    enum class Format { Png, Svg, Pdf };

    // Nothing for an extension that names none of the formats; case does not matter.
    static std::optional<Format> formatOf(const std::filesystem::path& path);
    static std::vector<std::filesystem::path> pagePaths(const std::filesystem::path& path, Format format, int pageCount);

    // Hears how many pages have been drawn, of how many.
    using Progress = std::function<void(int drawn, int pages)>;

    // The files written, in page order.
    static Expected<std::vector<std::filesystem::path>> write(const GestureSheet& sheet, const std::filesystem::path& path,
                                                              Format format, const Progress& progress = nullptr);

private:
    static void removePagesBeyond(const std::filesystem::path& path, int lastPage);
    static Expected<Done> writeDocument(const std::filesystem::path& path, const std::string& bytes);
    static Expected<Done> writePngPages(const GestureSheet& sheet, const std::vector<std::filesystem::path>& paths,
                                        const Progress& progress);
    static std::string pdf(const GestureSheet& sheet, const Progress& progress);
    static QImage pngPage(const GestureSheet& sheet, int page);
    static std::string svg(const GestureSheet& sheet, int page);
};

}
