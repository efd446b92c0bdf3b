#include "platform/InputSourceReport.h"

namespace scriblo {

namespace {

const std::string accessHint = "install the udev rule 70-scriblo-touchpad.rules and log in again "
                               "(see docs/touchpad-access.md)";

}

std::string InputSourceReport::touchpadLine(size_t found, size_t readable)
{
    std::string count = std::to_string(found);
    if (found == 0)
        return "Touchpads: none found.";
    if (readable == found)
        return "Touchpads: " + count + " found, all watched.";
    if (readable == 0)
        return "Touchpads: " + count + " found, none readable yet; " + accessHint + ".";
    return "Touchpads: " + count + " found, " + std::to_string(readable) + " watched; for the others " + accessHint + ".";
}

std::string InputSourceReport::mouseLine(const Expected<std::string>& watching)
{
    if (watching)
        return "Mouse: watching " + *watching + ".";
    return "Mouse: not watched, " + watching.error() + ".";
}

}
