#include "sheet/GestureSheetFile.h"

#include "files/SafeFile.h"
#include "sheet/GestureSheet.h"
#include "sheet/PngEncoder.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <deque>
#include <future>
#include <thread>

namespace scriblo {

namespace {

// The bytes a device wrote into the buffer, once the painter on it has ended.
std::string bytesOf(const QBuffer& buffer)
{
    return std::string(buffer.data().constData(), size_t(buffer.data().size()));
}

std::filesystem::path folderOf(const std::filesystem::path& path)
{
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// Where a page named `path` is written: the file a link names, as the store writes
// through its own link. Only a regular file, or none yet, in a folder that exists, is
// replaced; a pipe or a device of that name would be swapped for a file.
Expected<std::filesystem::path> writableTarget(const std::filesystem::path& path)
{
    std::filesystem::path target = SafeFile::finalTarget(path);
    std::error_code error;
    std::filesystem::path folder = folderOf(target);
    if (!std::filesystem::exists(folder, error))
        return Failure { path.string() + ": the folder " + folder.string() + " does not exist" };
    if (!std::filesystem::is_directory(folder, error))
        return Failure { path.string() + ": " + folder.string() + " is not a folder" };
    auto status = std::filesystem::status(target, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return Failure { path.string() + " is not a regular file, so it was left as it is" };
    return target;
}

// The number of a page file of the sheet at `path` ("NAME-12.png"), or nothing.
std::optional<int> pageNumberOf(const std::string& name, const std::string& stem, const std::string& extension)
{
    if (name.size() <= stem.size() + 1 + extension.size() || name.compare(0, stem.size() + 1, stem + "-") != 0
        || name.compare(name.size() - extension.size(), extension.size(), extension) != 0)
        return std::nullopt;
    std::string digits = name.substr(stem.size() + 1, name.size() - stem.size() - 1 - extension.size());
    if (digits.empty() || digits.size() > 6 || digits[0] == '0'
        || !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
        return std::nullopt;
    return std::stoi(digits);
}

}

std::optional<GestureSheetFile::Format> GestureSheetFile::formatOf(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (extension == ".png")
        return Format::Png;
    if (extension == ".svg")
        return Format::Svg;
    if (extension == ".pdf")
        return Format::Pdf;
    return std::nullopt;
}

std::vector<std::filesystem::path> GestureSheetFile::pagePaths(const std::filesystem::path& path, Format format, int pageCount)
{
    if (format == Format::Pdf || pageCount == 1)
        return { path };
    std::vector<std::filesystem::path> paths;
    for (int page = 1; page <= pageCount; ++page) {
        auto name = path.stem().string() + "-" + std::to_string(page) + path.extension().string();
        paths.push_back(path.parent_path() / name);
    }
    return paths;
}

Expected<std::vector<std::filesystem::path>> GestureSheetFile::write(const GestureSheet& sheet,
                                                                     const std::filesystem::path& path, Format format,
                                                                     const Progress& progress)
{
    auto paths = pagePaths(path, format, sheet.pageCount());
    std::vector<std::filesystem::path> targets;
    for (const auto& page : paths) {
        auto target = writableTarget(page);
        if (!target)
            return Failure { target.error() };
        targets.push_back(target.value());
    }
    Expected<Done> written = Done {};
    if (format == Format::Pdf)
        written = writeDocument(targets.front(), pdf(sheet, progress));
    else if (format == Format::Svg)
        for (size_t page = 0; page < targets.size() && written; ++page) {
            written = writeDocument(targets[page], svg(sheet, int(page)));
            if (progress)
                progress(int(page) + 1, sheet.pageCount());
        }
    else
        written = writePngPages(sheet, targets, progress);
    if (!written)
        return Failure { written.error() };
    if (format != Format::Pdf)
        removePagesBeyond(path, sheet.pageCount() == 1 ? 0 : sheet.pageCount());
    return paths;
}

// A sheet that shrank would leave its old last pages beside the new ones, read as part
// of it. Only regular files named as pages of this very name go; links are left.
void GestureSheetFile::removePagesBeyond(const std::filesystem::path& path, int lastPage)
{
    std::error_code error;
    std::string stem = path.stem().string();
    std::string extension = path.extension().string();
    for (const auto& entry : std::filesystem::directory_iterator(folderOf(path), error)) {
        auto page = pageNumberOf(entry.path().filename().string(), stem, extension);
        if (page && *page > lastPage && entry.is_regular_file(error) && !entry.is_symlink(error))
            std::filesystem::remove(entry.path(), error);
    }
}

Expected<Done> GestureSheetFile::writeDocument(const std::filesystem::path& path, const std::string& bytes)
{
    return SafeFile::writeAtomically(path, bytes, SafeFile::Readers::AsUmaskAllows);
}

// Compressing a page takes about as long as painting it, so pages are compressed and
// written on other threads, as many at once as there are cores, while the next are
// painted here, the one thread on which Qt promises that fonts may be used.
Expected<Done> GestureSheetFile::writePngPages(const GestureSheet& sheet, const std::vector<std::filesystem::path>& paths,
                                               const Progress& progress)
{
    const size_t parallel = std::max(1u, std::thread::hardware_concurrency());
    std::deque<std::future<Expected<Done>>> pending;
    Expected<Done> written = Done {};
    auto finishOldest = [&] {
        auto result = pending.front().get();
        pending.pop_front();
        if (written && !result)
            written = std::move(result);
    };
    for (size_t page = 0; page < paths.size() && written; ++page) {
        if (pending.size() == parallel)
            finishOldest();
        pending.push_back(std::async(std::launch::async, [image = pngPage(sheet, int(page)), path = paths[page]] {
            auto bytes = PngEncoder::encode(image);
            if (!bytes)
                return Expected<Done>(Failure { path.string() + ": the page could not be encoded as PNG" });
            return writeDocument(path, *bytes);
        }));
        if (progress)
            progress(int(page) + 1, sheet.pageCount());
    }
    while (!pending.empty())
        finishOldest();
    return written;
}

std::string GestureSheetFile::pdf(const GestureSheet& sheet, const Progress& progress)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF());
    writer.setTitle(GestureSheet::tr("Scriblo Gestures"));
    writer.setCreator(QStringLiteral("Scriblo"));
    QPainter painter(&writer);
    // The sheet is laid out in units of 1/96 inch; the writer counts in its own resolution.
    const double scale = writer.resolution() / 96.0;
    painter.scale(scale, scale);
    for (int page = 0; page < sheet.pageCount(); ++page) {
        if (page > 0)
            writer.newPage();
        sheet.paintPage(painter, page);
        if (progress)
            progress(page + 1, sheet.pageCount());
    }
    painter.end();
    return bytesOf(buffer);
}

QImage GestureSheetFile::pngPage(const GestureSheet& sheet, int page)
{
    QImage image(GestureSheet::pageSize.toSize(), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(96 / 0.0254));
    image.setDotsPerMeterY(int(96 / 0.0254));
    // The page is a fraction of a pixel narrower than the image.
    image.fill(Qt::white);
    QPainter painter(&image);
    sheet.paintPage(painter, page);
    painter.end();
    return image;
}

std::string GestureSheetFile::svg(const GestureSheet& sheet, int page)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(GestureSheet::pageSize.toSize());
    generator.setViewBox(QRectF(QPointF(0, 0), GestureSheet::pageSize));
    generator.setResolution(96);
    generator.setTitle(GestureSheet::tr("Scriblo Gestures"));
    QPainter painter(&generator);
    sheet.paintPage(painter, page);
    painter.end();
    return bytesOf(buffer);
}

}
