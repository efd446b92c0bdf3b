// GIO for the Trash: no Qt header may come in here.
#include "install/LinuxMoveServices.h"

#include "install/ChildProcess.h"

#include <fstream>
#include <gio/gio.h>
#include <regex>
#include <sstream>
#include <syslog.h>
#include <unistd.h>

namespace scriblo {

namespace {

// pkexec's exit status when the user dismissed the password prompt.
constexpr int promptDismissed = 126;

// Run as the administrator with the destination and the source as $1 and $2. The removal
// may fail on a destination that is not there; only the copy decides.
constexpr const char* authorizedCopyScript =
    "rm -rf -- \"$1\"; mkdir -p -- \"$(dirname -- \"$1\")\" && cp -p -- \"$2\" \"$1\"";

// Waits for the process named by $1 to end, then starts $2 in its place.
constexpr const char* relaunchScript =
    "while kill -0 \"$1\" 2>/dev/null; do sleep 0.1; done; exec \"$2\"";

constexpr const char* detachScript =
    "sleep 5 && udisksctl unmount -b \"$1\" && udisksctl loop-delete -b \"$2\"";

// mountinfo writes a space, tab, newline and backslash in a path as \ and three octal digits.
std::string unescapedMountField(const std::string& field)
{
    std::string text;
    for (size_t at = 0; at < field.size(); ++at) {
        if (field[at] == '\\' && at + 3 < field.size()) {
            text += char(std::stoi(field.substr(at + 1, 3), nullptr, 8));
            at += 3;
        } else {
            text += field[at];
        }
    }
    return text;
}

// The device that the longest mount point containing `folder` is mounted from.
std::optional<std::string> mountSource(const std::filesystem::path& folder)
{
    std::ifstream mounts("/proc/self/mountinfo");
    std::string best;
    std::optional<std::string> source;
    for (std::string line; std::getline(mounts, line);) {
        std::istringstream fields(line);
        std::string id, parent, numbers, root, mountPoint, field;
        fields >> id >> parent >> numbers >> root >> mountPoint;
        while (fields >> field && field != "-") { }
        std::string type, device;
        fields >> type >> device;
        auto point = unescapedMountField(mountPoint);
        auto relative = folder.lexically_relative(point);
        bool inside = !relative.empty() && *relative.begin() != "..";
        if (inside && point.size() >= best.size()) {
            best = point;
            source = unescapedMountField(device);
        }
    }
    return source;
}

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool runsProgramAt(const std::filesystem::path& process, const std::string& destination)
{
    const std::string wanted = "APPIMAGE=" + destination;
    std::istringstream environment(readAll(process / "environ"));
    for (std::string variable; std::getline(environment, variable, '\0');) {
        if (variable == wanted)
            return true;
    }
    std::error_code error;
    auto executable = std::filesystem::read_symlink(process / "exe", error);
    return !error && executable.string().starts_with(destination);
}

}

bool LinuxMoveServices::isWritable(const std::filesystem::path& path)
{
    return access(path.c_str(), W_OK) == 0;
}

std::optional<std::string> LinuxMoveServices::loopDevice(std::string_view device)
{
    static const std::regex loop(R"(/dev/(loop[0-9]+)(p[0-9]+)?)");
    std::cmatch match;
    if (!std::regex_match(device.begin(), device.end(), match, loop))
        return std::nullopt;
    std::error_code error;
    if (!std::filesystem::exists("/sys/block/" + match[1].str() + "/loop/backing_file", error))
        return std::nullopt;
    return "/dev/" + match[1].str();
}

std::optional<std::string> LinuxMoveServices::diskImageDevice(const std::filesystem::path& folder)
{
    std::error_code error;
    auto resolved = std::filesystem::canonical(folder, error);
    if (error)
        return std::nullopt;
    auto device = mountSource(resolved);
    if (!device || !loopDevice(*device))
        return std::nullopt;
    return device;
}

bool LinuxMoveServices::trash(const std::filesystem::path& path)
{
    g_autoptr(GFile) file = g_file_new_for_path(path.c_str());
    if (g_file_trash(file, nullptr, nullptr))
        return true;
    log("ERROR -- Could not trash '" + path.string() + "'");
    return false;
}

std::vector<std::string> LinuxMoveServices::authorizedCopyCommand(const std::filesystem::path& source, const std::filesystem::path& destination)
{
    return { "/usr/bin/pkexec", "/bin/sh", "-c", authorizedCopyScript, "scriblo-move", destination.string(), source.string() };
}

AuthorizedCopy LinuxMoveServices::copyWithAuthorization(const std::filesystem::path& source, const std::filesystem::path& destination)
{
    auto status = ChildProcess::runAndWait(authorizedCopyCommand(source, destination));
    if (status == promptDismissed)
        return AuthorizedCopy::Cancelled;
    return status == 0 ? AuthorizedCopy::Copied : AuthorizedCopy::Failed;
}

bool LinuxMoveServices::isRunning(const std::filesystem::path& destination)
{
    const auto self = std::to_string(getpid());
    std::error_code error;
    for (std::filesystem::directory_iterator entry("/proc", error), end; !error && entry != end; entry.increment(error)) {
        auto name = entry->path().filename().string();
        if (name != self && name.find_first_not_of("0123456789") == std::string::npos && runsProgramAt(entry->path(), destination.string()))
            return true;
    }
    return false;
}

void LinuxMoveServices::open(const std::filesystem::path& destination)
{
    // The running copy answers a second start by coming forward, and the second start ends.
    ChildProcess::startDetached({ destination.string() });
}

void LinuxMoveServices::relaunchAfterExit(const std::filesystem::path& destination)
{
    ChildProcess::startDetached({ "/bin/sh", "-c", relaunchScript, "scriblo-relaunch", std::to_string(getpid()), destination.string() });
}

void LinuxMoveServices::detachLater(const std::string& device)
{
    auto loop = loopDevice(device);
    if (loop)
        ChildProcess::startDetached({ "/bin/sh", "-c", detachScript, "scriblo-detach", device, *loop });
}

void LinuxMoveServices::log(const std::string& line)
{
    int priority = line.starts_with("ERROR") ? LOG_ERR : line.starts_with("WARNING") ? LOG_WARNING : LOG_INFO;
    openlog("scriblo", LOG_PID, LOG_USER);
    syslog(priority, "%s", line.c_str());
}

}
