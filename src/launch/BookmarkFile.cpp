#include "launch/BookmarkFile.h"

#include "files/SafeFile.h"

namespace scriblo::BookmarkFile {

Expected<std::vector<Bookmark>> read(const std::filesystem::path& file, Parser parse)
{
    auto bytes = SafeFile::readIfExists(file, maximumSize);
    if (!bytes)
        return Failure { bytes.error() };
    if (!bytes.value())
        return std::vector<Bookmark> {};
    return parse(*bytes.value());
}

}
