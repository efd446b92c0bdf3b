#pragma once

#include "platform/PropertyListUserDefaults.h"

#include <memory>
#include <optional>
#include <string>

namespace scriblo {

// The preferences file as the commands open it: the one --store names, or the user's.
class PreferencesStore {
public:
    // A file that cannot be read stops the command before anything is written; a damaged
    // one is only reported, since the first command that writes keeps a copy of it.
    static std::shared_ptr<PropertyListUserDefaults> open(const std::optional<std::string>& storePath, PropertyListUserDefaults::Access access);
    // Stops the command, naming the file, what was not written and why.
    [[noreturn]] static void failWrite(const PropertyListUserDefaults& store, const std::string& what, const std::string& reason);
};

}
