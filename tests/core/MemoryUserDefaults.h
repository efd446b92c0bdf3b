#pragma once

#include "core/UserDefaults.h"

#include <map>
#include <mutex>

namespace scriblo::testing {

// Preferences held in memory, counting writes and backups so tests can see them.
class MemoryUserDefaults final : public UserDefaults {
public:
    std::optional<UserDefaultsValue> objectForKey(const std::string& key) const override
    {
        std::lock_guard lock(m_mutex);
        auto found = m_values.find(key);
        if (found == m_values.end())
            return std::nullopt;
        return found->second;
    }
    void setObject(const UserDefaultsValue& value, const std::string& key) override
    {
        std::lock_guard lock(m_mutex);
        m_values.insert_or_assign(key, value);
        ++writes;
        ++m_revision;
    }
    void removeObjectForKey(const std::string& key) override
    {
        std::lock_guard lock(m_mutex);
        m_values.erase(key);
        ++m_revision;
    }
    uint64_t revision() const override
    {
        std::lock_guard lock(m_mutex);
        return m_revision;
    }
    Expected<Done> synchronize() override
    {
        if (!synchronizeSucceeds)
            return Failure { "the disk is full" };
        return Done {};
    }
    Expected<Done> synchronizeChange(const std::function<void()>& change) override
    {
        change();
        return synchronize();
    }
    Expected<std::optional<std::string>> backupObjectForKey(const std::string& key) override
    {
        // As the preferences file does, only an archive's bytes are kept.
        auto value = objectForKey(key);
        if (!value || !value->dataValue())
            return std::optional<std::string>();
        if (!backupSucceeds)
            return Failure { "the disk is full" };
        backups.push_back(*value);
        return std::optional("backup-" + std::to_string(backups.size()));
    }

    int writes { 0 };
    bool synchronizeSucceeds { true };
    bool backupSucceeds { true };
    std::vector<UserDefaultsValue> backups;

private:
    mutable std::mutex m_mutex;
    std::map<std::string, UserDefaultsValue> m_values;
    uint64_t m_revision = 0;
};

}
