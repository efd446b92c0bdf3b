#include "platform/FileStamp.h"

#include <sys/stat.h>

namespace scriblo {

FileStamp FileStamp::of(const std::filesystem::path& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return {};
    return { true, uint64_t(status.st_dev), uint64_t(status.st_ino), int64_t(status.st_size),
             int64_t(status.st_mtim.tv_sec), int64_t(status.st_mtim.tv_nsec) };
}

}
