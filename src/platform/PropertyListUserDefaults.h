#pragma once

#include "core/UserDefaults.h"

#include <filesystem>
#include <mutex>
#include <plist/plist.h>

namespace scriblo {

// The preferences as one property-list file. Reads accept XML or binary lists; writes
// are XML. `synchronize` writes a temporary file, syncs it and renames it over the old
// one, so an abrupt end leaves either the old file or the new one, never a torn one.
// One mutex makes every call safe from any thread.
class PropertyListUserDefaults final : public UserDefaults {
public:
    // Far above any real store (the gestures archive is capped at 64 MiB), low enough
    // that a link to /dev/zero is refused instead of filling memory.
    static constexpr size_t maximumFileSize = size_t(128) << 20;

    explicit PropertyListUserDefaults(std::filesystem::path path);
    ~PropertyListUserDefaults() override;
    PropertyListUserDefaults(const PropertyListUserDefaults&) = delete;
    PropertyListUserDefaults& operator=(const PropertyListUserDefaults&) = delete;

    // $XDG_CONFIG_HOME/scriblo/org.scriblo.Scriblo.plist, or ~/.config/… without it.
    static std::filesystem::path standardPath();

    std::optional<UserDefaultsValue> objectForKey(const std::string& key) const override;
    void setObject(const UserDefaultsValue& value, const std::string& key) override;
    void removeObjectForKey(const std::string& key) override;
    bool synchronize() override;
    std::optional<std::string> backupObjectForKey(const std::string& key) override;

    const std::filesystem::path& path() const { return m_path; }

private:
    void load();
    std::optional<std::filesystem::path> writeBeside(const std::string& suffix, const std::string& bytes) const;

    std::filesystem::path m_path;
    mutable std::mutex m_mutex;
    plist_t m_root { nullptr };
    bool m_dirty { false };
};

}
