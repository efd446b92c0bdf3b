#include "platform/SafeFile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace scriblo {

std::optional<std::string> SafeFile::read(const std::filesystem::path& path)
{
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return std::nullopt;
    std::ostringstream contents;
    contents << stream.rdbuf();
    if (stream.bad())
        return std::nullopt;
    return contents.str();
}

static bool writeAll(int descriptor, const std::string& bytes)
{
    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t count = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        written += size_t(count);
    }
    return true;
}

static void syncFolder(const std::filesystem::path& folder)
{
    int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

bool SafeFile::writeAtomically(const std::filesystem::path& path, const std::string& bytes)
{
    std::error_code error;
    std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    std::filesystem::create_directories(folder, error);
    std::string temporary = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return false;
    bool written = writeAll(descriptor, bytes) && ::fsync(descriptor) == 0;
    written = ::close(descriptor) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

std::string SafeFile::timestamp()
{
    std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc {};
    gmtime_r(&now, &utc);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y%m%dT%H%M%SZ", &utc);
    return buffer;
}

}
