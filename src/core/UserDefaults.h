#pragma once

#include "base/Expected.h"

#include "core/UserDefaultsValue.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace scriblo {

// The per-user preferences store that the gesture store and the settings write through.
// Implementations accept calls from any thread.
class UserDefaults {
public:
    virtual ~UserDefaults() = default;

    virtual std::optional<UserDefaultsValue> objectForKey(const std::string& key) const = 0;
    virtual void setObject(const UserDefaultsValue& value, const std::string& key) = 0;
    virtual void removeObjectForKey(const std::string& key) = 0;
    // Moves on whenever a value is set or removed, or the file is read again: a caller
    // that kept it knows, without comparing values, whether any may have changed since.
    virtual uint64_t revision() const = 0;
    // Writes pending changes to disk before it returns; fails, saying why, when that did
    // not work, and the changes stay pending in memory.
    virtual Expected<Done> synchronize() = 0;
    // Like synchronize, but first takes in what other processes have saved since this one
    // read the store and runs `change` on the result, with every other writer held off
    // until the write is done. For a value computed from its stored self, such as the
    // gesture archive, which a plain synchronize would write back over another process's
    // update. `change` runs even when the write then fails, so memory stays as the caller
    // left it.
    virtual Expected<Done> synchronizeChange(const std::function<void()>& change) = 0;
    // Keeps the stored bytes of a value in a file of their own beside the store, so that
    // a value about to be replaced after a lossy read is never lost for good. Gives the
    // backup's path, nothing when there were no stored bytes to keep, or why the copy
    // could not be written.
    virtual Expected<std::optional<std::string>> backupObjectForKey(const std::string& key) = 0;
    // A store opened only to read keeps what callers set in memory, on purpose: a reader
    // fills in defaults without writing them, and must not warn that it could not.
    virtual bool readOnly() const { return false; }

    bool boolForKey(const std::string& key) const
    {
        auto value = objectForKey(key);
        return value && value->boolValue();
    }
    void setInteger(int64_t value, const std::string& key) { setObject(UserDefaultsValue(value), key); }
    void setBool(bool value, const std::string& key) { setObject(UserDefaultsValue(value), key); }
};

}
