// GLib only for its shell-word parser: no Qt header may come in here.
#include "platform/DesktopExec.h"

#include <glib.h>

namespace scriblo::DesktopExec {

std::string quoted(const std::filesystem::path& program)
{
    std::string result = "\"";
    for (char c : program.string()) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            result += '\\';
        result += c;
        if (c == '%')
            result += '%';
    }
    return result + "\"";
}

std::filesystem::path program(const std::string& exec)
{
    int count = 0;
    gchar** arguments = nullptr;
    if (!g_shell_parse_argv(exec.c_str(), &count, &arguments, nullptr))
        return {};
    std::string name = arguments[0];
    g_strfreev(arguments);
    for (size_t at = name.find("%%"); at != std::string::npos; at = name.find("%%", at + 1))
        name.erase(at, 1);
    if (name.find('/') != std::string::npos)
        return name;
    g_autofree gchar* found = g_find_program_in_path(name.c_str());
    return found ? std::filesystem::path(found) : std::filesystem::path();
}

}
