#pragma once

#include "base/Expected.h"
#include "core/KeyedUnarchiver.h"
#include "core/PlistPointer.h"
#include "core/UserDefaults.h"
#include "platform/FileStamp.h"

#include <filesystem>
#include <map>
#include <mutex>

namespace scriblo {

struct PropertyListFile;

// The preferences as one property-list file, shared by every process of the user. Reads
// accept XML or binary lists; writes are XML. Each process remembers which keys it set
// or removed, and a save applies only those to the file as it is at that moment, under
// a lock file beside the store, so two processes saving at once lose nothing. The file
// is replaced by rename, so an abrupt end leaves the old file or the new one, never a
// torn one. One mutex makes every call safe from any thread.
class PropertyListUserDefaults final : public UserDefaults {
public:
    // Room for the largest gestures archive the store writes, which the XML form keeps
    // as base64 in indented lines (under 1.4 bytes for each archived byte), and for the
    // settings beside it; a link to /dev/zero is still refused instead of filling memory.
    static constexpr size_t maximumFileSize = 2 * KeyedUnarchiver::maximumArchiveSize;

    // A store opened for reading never creates, rewrites, moves or backs up anything on
    // disk: what callers set stays in memory and synchronize reports it unsaved.
    enum class Access { ReadWrite, ReadOnly };

    explicit PropertyListUserDefaults(std::filesystem::path path, Access access = Access::ReadWrite);
    // Saves pending changes, so a key set without synchronize is not lost (unless the
    // store was opened for reading, whose changes are meant to stay in memory).
    ~PropertyListUserDefaults() override;
    PropertyListUserDefaults(const PropertyListUserDefaults&) = delete;
    PropertyListUserDefaults& operator=(const PropertyListUserDefaults&) = delete;

    // $XDG_CONFIG_HOME/scriblo/org.scriblo.Scriblo.plist, or ~/.config/… without it.
    static std::filesystem::path standardPath();

    std::optional<UserDefaultsValue> objectForKey(const std::string& key) const override;
    void setObject(const UserDefaultsValue& value, const std::string& key) override;
    void removeObjectForKey(const std::string& key) override;
    Expected<Done> synchronize() override;
    Expected<Done> synchronizeChange(const std::function<void()>& change) override;
    uint64_t revision() const override;
    Expected<std::optional<std::string>> backupObjectForKey(const std::string& key) override;
    bool readOnly() const override { return m_access == Access::ReadOnly; }

    // Why the file could not be read when the store was made. A store that could not be
    // read holds no settings and must not be taken for an empty one.
    std::optional<Failure> failure() const;
    // Set when the file was read but is not a property list of settings; the first save
    // keeps a copy of it beside the store before replacing it.
    bool isDamaged() const;

    // Whether the file differs from the version this process last read or wrote.
    bool hasChangedOnDisk() const;
    // Takes in the file as it is now, with this process's unsaved changes on top. Fails,
    // saying why, when it cannot be read; the settings then stay as they were.
    Expected<Done> reload();

    const std::filesystem::path& path() const { return m_path; }

private:
    Expected<Done> save(const std::function<void()>& change);
    Expected<Done> writeLocked(const std::filesystem::path& target, const std::function<void()>& change);
    void takeIn(PropertyListFile& file);
    // Kept for failure() as well as returned.
    Failure fail(std::string message);
    Expected<std::filesystem::path> writeBeside(const std::string& suffix, const std::string& bytes) const;

    const std::filesystem::path m_path;
    const Access m_access;
    // Recursive because a change run by synchronizeChange reads and writes through the
    // public calls while the save holds the mutex.
    mutable std::recursive_mutex m_mutex;
    PlistPointer m_root;
    // The keys this process changed and has not saved: set (true) or removed (false).
    // Their values are in the root; a second copy of a full gesture archive would cost
    // 90 MiB for as long as a change waits.
    std::map<std::string, bool> m_changes;
    uint64_t m_revision = 0;
    FileStamp m_stamp;
    bool m_damaged { false };
    std::optional<Failure> m_failure;
};

}
