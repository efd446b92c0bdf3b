#include "app/commands/PreferencesStore.h"

#include "app/commands/CommandLine.h"

#include <iostream>

namespace scriblo {

std::shared_ptr<PropertyListUserDefaults> PreferencesStore::open(const std::optional<std::string>& storePath, PropertyListUserDefaults::Access access)
{
    auto store = std::make_shared<PropertyListUserDefaults>(storePath ? std::filesystem::path(*storePath) : PropertyListUserDefaults::standardPath(), access);
    if (auto failure = store->failure())
        throw InputError(store->path().string() + ": " + failure->message);
    if (store->isDamaged())
        std::cerr << "scriblo: warning: " << store->path().string() << ": not a property list of settings; read as empty, "
                  << "and kept as a copy beside it when a change replaces it\n";
    return store;
}

void PreferencesStore::failWrite(const PropertyListUserDefaults& store, const std::string& what, const std::string& reason)
{
    throw InputError(store.path().string() + ": could not write " + what + ": " + reason);
}

}
