#include "files/SafeFile.h"

#include "files/HugePages.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace scriblo {

namespace {

class Descriptor {
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) { }
    ~Descriptor()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_descriptor; }

private:
    int m_descriptor;
};

std::string sizeText(size_t bytes)
{
    if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0)
        return std::to_string(bytes / (1024 * 1024)) + " MiB";
    if (bytes >= 1024 && bytes % 1024 == 0)
        return std::to_string(bytes / 1024) + " KiB";
    return std::to_string(bytes) + " bytes";
}

Failure tooLarge(size_t limit)
{
    return Failure { "larger than " + sizeText(limit) };
}

// Reads up to one byte past the limit, so that a file growing while it is read is still
// refused rather than cut short.
Expected<std::string> readAll(int descriptor, size_t limit, size_t expected)
{
    std::string bytes;
    bytes.reserve(std::min(expected, limit) + 1);
    HugePages::advise(bytes.data(), bytes.capacity());
    bytes.resize(std::min(expected, limit) + 1);
    size_t used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used > limit)
                return tooLarge(limit);
            bytes.resize(std::min(bytes.size() * 2, limit + 1));
        }
        ssize_t count = ::read(descriptor, bytes.data() + used, bytes.size() - used);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return Failure { std::strerror(errno) };
        if (count == 0)
            break;
        used += size_t(count);
    }
    if (used > limit)
        return tooLarge(limit);
    bytes.resize(used);
    return bytes;
}

}

Expected<std::optional<std::string>> SafeFile::readIfExists(const std::filesystem::path& path, size_t limit)
{
    // O_NONBLOCK keeps a FIFO with no writer from hanging the open; it is refused below.
    Descriptor descriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (descriptor.get() < 0) {
        if (errno == ENOENT)
            return std::optional<std::string>();
        return Failure { std::strerror(errno) };
    }
    struct stat status {};
    if (::fstat(descriptor.get(), &status) != 0)
        return Failure { std::strerror(errno) };
    if (S_ISDIR(status.st_mode))
        return Failure { "is a folder" };
    if (!S_ISREG(status.st_mode))
        return Failure { "is not a regular file" };
    if (uint64_t(status.st_size) > limit)
        return tooLarge(limit);
    auto bytes = readAll(descriptor.get(), limit, size_t(status.st_size));
    if (!bytes)
        return Failure { bytes.error() };
    return std::optional<std::string>(std::move(bytes.value()));
}

Expected<std::string> SafeFile::read(const std::filesystem::path& path, size_t limit)
{
    auto bytes = readIfExists(path, limit);
    if (!bytes)
        return Failure { bytes.error() };
    if (!bytes.value())
        return Failure { std::strerror(ENOENT) };
    return std::move(*bytes.value());
}

// Writes every byte, or says why it could not.
static Expected<Done> writeAll(int descriptor, std::string_view bytes)
{
    size_t written = 0;
    while (written < bytes.size()) {
        ssize_t count = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return Failure { std::strerror(errno) };
        if (count == 0)
            return Failure { "nothing more could be written" };
        written += size_t(count);
    }
    return Done {};
}

static void syncFolder(const std::filesystem::path& folder)
{
    int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

static std::filesystem::path folderOf(const std::filesystem::path& path)
{
    return path.parent_path().empty() ? "." : path.parent_path();
}

static std::string temporaryPrefix(const std::filesystem::path& path)
{
    return "." + path.filename().string() + ".";
}

// Setting the umask to read it would race with other threads creating files, so it is
// read from the kernel's status of this process; 022 where that says nothing.
static mode_t permissionsFromUmask()
{
    mode_t mask = 022;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            mask = mode_t(std::stoul(line.substr(6), nullptr, 8));
            break;
        }
    }
    return 0666 & ~mask;
}

Expected<Done> SafeFile::writeAtomically(const std::filesystem::path& path, std::string_view bytes, Readers readers)
{
    std::error_code error;
    std::filesystem::path folder = folderOf(path);
    std::filesystem::create_directories(folder, error);
    std::string temporary = (folder / (temporaryPrefix(path) + "XXXXXX")).string();
    int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return Failure { "cannot create a file in " + folder.string() + ": " + std::strerror(errno) };
    auto written = writeAll(descriptor, bytes);
    if (written && readers == Readers::AsUmaskAllows && ::fchmod(descriptor, permissionsFromUmask()) != 0)
        written = Failure { std::strerror(errno) };
    if (written && ::fsync(descriptor) != 0)
        written = Failure { std::strerror(errno) };
    if (::close(descriptor) != 0 && written)
        written = Failure { std::strerror(errno) };
    if (written && std::rename(temporary.c_str(), path.c_str()) != 0)
        written = Failure { "cannot replace " + path.string() + ": " + std::strerror(errno) };
    if (!written) {
        std::remove(temporary.c_str());
        return written;
    }
    syncFolder(folder);
    return Done {};
}

// mkstemp fills the six places with letters and digits; requiring exactly that keeps
// other files that merely share the prefix (backups' own temporaries) out of reach.
static bool isTemporaryName(const std::string& name, const std::string& prefix)
{
    constexpr size_t uniquePart = 6;
    if (name.size() != prefix.size() + uniquePart || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(name.begin() + long(prefix.size()), name.end(), [](unsigned char c) { return std::isalnum(c); });
}

void SafeFile::removeLeftoverTemporaries(const std::filesystem::path& path)
{
    std::error_code error;
    std::string prefix = temporaryPrefix(path);
    for (const auto& entry : std::filesystem::directory_iterator(folderOf(path), error)) {
        if (isTemporaryName(entry.path().filename().string(), prefix) && entry.is_regular_file(error))
            std::filesystem::remove(entry.path(), error);
    }
}

std::filesystem::path SafeFile::finalTarget(const std::filesystem::path& path)
{
    // The kernel's own limit on links followed in one lookup; a loop ends here too.
    constexpr int maximumLinks = 40;
    std::filesystem::path current = path;
    std::error_code error;
    for (int i = 0; i < maximumLinks && std::filesystem::is_symlink(current, error); ++i) {
        std::filesystem::path target = std::filesystem::read_symlink(current, error);
        if (error)
            break;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return current;
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
