#include "platform/PropertyListUserDefaults.h"

#include "platform/FileLock.h"
#include "platform/PropertyListFile.h"
#include "platform/PropertyListNode.h"
#include "files/SafeFile.h"
#include "platform/XdgPaths.h"

#include <QLoggingCategory>
#include <QString>

#include <algorithm>
#include <cctype>
#include <utility>

namespace scriblo {

Q_LOGGING_CATEGORY(preferencesFile, "scriblo.preferences")

PropertyListUserDefaults::PropertyListUserDefaults(std::filesystem::path path, Access access)
    : m_path(std::move(path))
    , m_access(access)
    , m_root(plist_new_dict())
{
    // A file that cannot be read leaves the store empty, which failure() says.
    (void)reload();
}

PropertyListUserDefaults::~PropertyListUserDefaults()
{
    if (readOnly())
        return;
    if (auto written = synchronize(); !written)
        qCWarning(preferencesFile).noquote() << "Could not write" << QString::fromStdString(m_path.string())
                                             << "before closing it (" << QString::fromStdString(written.error())
                                             << "); changes since the last write are lost";
}

std::filesystem::path PropertyListUserDefaults::standardPath()
{
    return XdgPaths::configHome() / "scriblo" / "org.scriblo.Scriblo.plist";
}

std::optional<UserDefaultsValue> PropertyListUserDefaults::objectForKey(const std::string& key) const
{
    std::lock_guard lock(m_mutex);
    return PropertyListNode::toValue(plist_dict_get_item(m_root.get(), key.c_str()));
}

void PropertyListUserDefaults::setObject(const UserDefaultsValue& value, const std::string& key)
{
    std::lock_guard lock(m_mutex);
    plist_dict_set_item(m_root.get(), key.c_str(), PropertyListNode::fromValue(value));
    m_changes.insert_or_assign(key, true);
    ++m_revision;
}

// A key this process never saw is not its to remove: another process may have just
// added it.
void PropertyListUserDefaults::removeObjectForKey(const std::string& key)
{
    std::lock_guard lock(m_mutex);
    if (!plist_dict_get_item(m_root.get(), key.c_str()))
        return;
    plist_dict_remove_item(m_root.get(), key.c_str());
    m_changes.insert_or_assign(key, false);
    ++m_revision;
}

Expected<Done> PropertyListUserDefaults::synchronize()
{
    std::lock_guard lock(m_mutex);
    if (m_changes.empty())
        return Done {};
    return save([] { });
}

Expected<Done> PropertyListUserDefaults::synchronizeChange(const std::function<void()>& change)
{
    std::lock_guard lock(m_mutex);
    return save(change);
}

uint64_t PropertyListUserDefaults::revision() const
{
    std::lock_guard lock(m_mutex);
    return m_revision;
}

Expected<Done> PropertyListUserDefaults::reload()
{
    std::lock_guard lock(m_mutex);
    auto file = PropertyListFile::read(m_path, maximumFileSize);
    if (!file)
        return fail(file.error());
    m_failure.reset();
    takeIn(file.value());
    return Done {};
}

void PropertyListUserDefaults::takeIn(PropertyListFile& file)
{
    PlistPointer previous = std::exchange(m_root, std::move(file.root));
    for (const auto& [key, set] : m_changes) {
        plist_t value = set ? plist_dict_get_item(previous.get(), key.c_str()) : nullptr;
        if (value)
            plist_dict_set_item(m_root.get(), key.c_str(), plist_copy(value));
        else if (plist_dict_get_item(m_root.get(), key.c_str()))
            plist_dict_remove_item(m_root.get(), key.c_str());
    }
    m_stamp = file.stamp;
    m_damaged = file.damagedBytes.has_value();
    ++m_revision;
}

Expected<Done> PropertyListUserDefaults::save(const std::function<void()>& change)
{
    m_failure.reset();
    if (m_access == Access::ReadOnly) {
        change();
        if (m_changes.empty())
            return Done {};
        return fail("opened for reading only");
    }
    // Links are followed to the end, so the lock, the new file and any copy land beside
    // the real file and the user's link stays in place.
    std::filesystem::path target = SafeFile::finalTarget(m_path);
    std::filesystem::path lockPath = target;
    lockPath += ".lock";
    auto lock = FileLock::acquire(lockPath);
    if (!lock) {
        change();
        return fail(lock.error());
    }
    return writeLocked(target, change);
}

// Runs with the lock held: no other writer can be mid-write, so temporaries found now
// are leftovers, and the file read now is the one the new file replaces.
Expected<Done> PropertyListUserDefaults::writeLocked(const std::filesystem::path& target, const std::function<void()>& change)
{
    SafeFile::removeLeftoverTemporaries(target);
    std::optional<std::string> damagedBytes;
    // The version this store last read or wrote is what memory holds already: reading a
    // full gesture store's 128 MiB again would cost seconds and a gigabyte for nothing.
    if (m_damaged || !m_stamp.exists || FileStamp::of(target) != m_stamp) {
        auto file = PropertyListFile::read(target, maximumFileSize);
        if (!file) {
            change();
            return fail(file.error());
        }
        takeIn(file.value());
        damagedBytes = std::move(file->damagedBytes);
    }
    change();
    if (m_changes.empty())
        return Done {};
    if (damagedBytes) {
        auto copy = writeBeside(".unreadable-" + SafeFile::timestamp(), *damagedBytes);
        if (!copy)
            return fail("could not keep a copy of the damaged file, so it was left as it is: " + copy.error());
    }
    auto stamp = PropertyListFile::write(target, m_root.get());
    if (!stamp)
        return fail(stamp.error());
    m_stamp = stamp.value();
    m_changes.clear();
    m_damaged = false;
    return Done {};
}

Failure PropertyListUserDefaults::fail(std::string message)
{
    m_failure = Failure { std::move(message) };
    return *m_failure;
}

Expected<std::optional<std::string>> PropertyListUserDefaults::backupObjectForKey(const std::string& key)
{
    std::lock_guard lock(m_mutex);
    auto value = PropertyListNode::toValue(plist_dict_get_item(m_root.get(), key.c_str()));
    const Data* data = value ? value->dataValue() : nullptr;
    if (!data)
        return std::optional<std::string>();
    std::string name = key;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    auto written = m_access == Access::ReadOnly
        ? Expected<std::filesystem::path>(Failure { "opened for reading only" })
        : writeBeside("." + name + "-backup-" + SafeFile::timestamp(), std::string(data->begin(), data->end()));
    if (!written)
        return fail("could not keep a copy of the stored " + key + ": " + written.error());
    return std::optional(written->string());
}

Expected<std::filesystem::path> PropertyListUserDefaults::writeBeside(const std::string& suffix, const std::string& bytes) const
{
    std::filesystem::path copy = SafeFile::finalTarget(m_path);
    copy += suffix;
    if (auto written = SafeFile::writeAtomically(copy, bytes); !written)
        return Failure { written.error() };
    return copy;
}

std::optional<Failure> PropertyListUserDefaults::failure() const
{
    std::lock_guard lock(m_mutex);
    return m_failure;
}

bool PropertyListUserDefaults::isDamaged() const
{
    std::lock_guard lock(m_mutex);
    return m_damaged;
}

bool PropertyListUserDefaults::hasChangedOnDisk() const
{
    std::lock_guard lock(m_mutex);
    return FileStamp::of(m_path) != m_stamp;
}

}
