#include "platform/X11StartupNotifier.h"

#include "platform/X11StartupMessage.h"

#include <X11/Xlib.h>

#include <memory>
#include <unistd.h>

namespace scriblo {

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

std::string hostName()
{
    char name[256] = {};
    gethostname(name, sizeof name - 1);
    return name;
}

}

std::string X11StartupNotifier::quoted(const std::string& value)
{
    std::string result = "\"";
    for (char character : value) {
        if (character == '"' || character == '\\')
            result += '\\';
        result += character;
    }
    return result + "\"";
}

std::optional<std::string> X11StartupNotifier::begin(const std::string& program, const std::string& name, bool announce)
{
    std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display)
        return std::nullopt;
    X11StartupMessage messages(display.get());
    std::string time = std::to_string(messages.serverTime());
    std::string id = "scriblo-" + std::to_string(getpid()) + "-" + hostName() + "-" + program + "-"
        + std::to_string(++m_sequence) + "_TIME" + time;
    if (announce) {
        messages.send("new: ID=" + quoted(id) + " NAME=" + quoted(name) + " BIN=" + quoted(program)
                      + " SCREEN=" + std::to_string(DefaultScreen(display.get())) + " TIMESTAMP=" + time);
    }
    return id;
}

void X11StartupNotifier::cancel(const std::string& startupId)
{
    std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (display)
        X11StartupMessage(display.get()).send("remove: ID=" + quoted(startupId));
}

}
