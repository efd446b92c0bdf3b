#include "platform/PropertyListUserDefaults.h"

#include "core/PlistPointer.h"
#include "platform/PropertyListNode.h"
#include "platform/SafeFile.h"
#include "platform/XdgPaths.h"

#include <algorithm>
#include <cctype>

namespace scriblo {

PropertyListUserDefaults::PropertyListUserDefaults(std::filesystem::path path)
    : m_path(std::move(path))
{
    load();
}

PropertyListUserDefaults::~PropertyListUserDefaults()
{
    plist_free(m_root);
}

std::filesystem::path PropertyListUserDefaults::standardPath()
{
    return XdgPaths::configHome() / "scriblo" / "org.scriblo.Scriblo.plist";
}

// A file that exists but cannot be parsed is moved aside before anything replaces it,
// so the user's other settings can still be recovered by hand.
void PropertyListUserDefaults::load()
{
    m_root = plist_new_dict();
    auto read = SafeFile::readIfExists(m_path, maximumFileSize);
    if (!read || !read.value())
        return;
    const std::string* bytes = &*read.value();
    auto parsed = parsePropertyList(bytes->data(), bytes->size());
    if (parsed && plist_get_node_type(parsed->get()) == PLIST_DICT) {
        plist_free(m_root);
        m_root = parsed->release();
        return;
    }
    writeBeside(".unreadable-" + SafeFile::timestamp(), *bytes);
}

std::optional<UserDefaultsValue> PropertyListUserDefaults::objectForKey(const std::string& key) const
{
    std::lock_guard lock(m_mutex);
    return PropertyListNode::toValue(plist_dict_get_item(m_root, key.c_str()));
}

void PropertyListUserDefaults::setObject(const UserDefaultsValue& value, const std::string& key)
{
    std::lock_guard lock(m_mutex);
    plist_dict_set_item(m_root, key.c_str(), PropertyListNode::fromValue(value));
    m_dirty = true;
}

void PropertyListUserDefaults::removeObjectForKey(const std::string& key)
{
    std::lock_guard lock(m_mutex);
    if (!plist_dict_get_item(m_root, key.c_str()))
        return;
    plist_dict_remove_item(m_root, key.c_str());
    m_dirty = true;
}

bool PropertyListUserDefaults::synchronize()
{
    std::lock_guard lock(m_mutex);
    if (!m_dirty)
        return true;
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(m_root, &xml, &length);
    if (!xml)
        return false;
    std::string text(xml, length);
    plist_to_xml_free(xml);
    if (!SafeFile::writeAtomically(m_path, text))
        return false;
    m_dirty = false;
    return true;
}

std::optional<std::string> PropertyListUserDefaults::backupObjectForKey(const std::string& key)
{
    std::lock_guard lock(m_mutex);
    auto value = PropertyListNode::toValue(plist_dict_get_item(m_root, key.c_str()));
    const Data* data = value ? value->dataValue() : nullptr;
    if (!data)
        return std::nullopt;
    std::string bytes(data->begin(), data->end());
    std::string name = key;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    auto written = writeBeside("." + name + "-backup-" + SafeFile::timestamp(), bytes);
    if (!written)
        return std::nullopt;
    return written->string();
}

std::optional<std::filesystem::path> PropertyListUserDefaults::writeBeside(const std::string& suffix, const std::string& bytes) const
{
    std::filesystem::path backup = m_path;
    backup += suffix;
    if (!SafeFile::writeAtomically(backup, bytes))
        return std::nullopt;
    return backup;
}

}
