#include "platform/FileLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace scriblo {

Expected<FileLock> FileLock::acquire(const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
    if (descriptor < 0)
        return Failure { std::string("cannot open the lock file ") + path.string() + ": " + std::strerror(errno) };
    FileLock lock(descriptor);
    while (::flock(descriptor, LOCK_EX) != 0) {
        if (errno != EINTR)
            return Failure { std::string("cannot lock ") + path.string() + ": " + std::strerror(errno) };
    }
    return lock;
}

FileLock::FileLock(FileLock&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1))
{
}

FileLock::~FileLock()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

}
