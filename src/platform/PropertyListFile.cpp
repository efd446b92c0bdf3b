#include "platform/PropertyListFile.h"

#include "files/SafeFile.h"

namespace scriblo {

Expected<PropertyListFile> PropertyListFile::read(const std::filesystem::path& path, size_t limit)
{
    // Stamped before the read: a change in between then shows as a change later, which
    // costs one needless reload, never a missed one.
    PropertyListFile file { PlistPointer(plist_new_dict()), FileStamp::of(path), std::nullopt };
    auto bytes = SafeFile::readIfExists(path, limit);
    if (!bytes)
        return Failure { bytes.error() };
    if (!bytes.value())
        return file;
    // Bytes the parse released belonged to a dictionary, which is never damaged.
    auto parsed = parsePropertyListText(*bytes.value());
    if (parsed && plist_get_node_type(parsed->get()) == PLIST_DICT)
        file.root = std::move(*parsed);
    else
        file.damagedBytes = std::move(*bytes.value());
    return file;
}

Expected<FileStamp> PropertyListFile::write(const std::filesystem::path& path, plist_t root)
{
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    if (!xml)
        return Failure { "the settings could not be turned into a property list" };
    // Written from the library's buffer: a copy of a full store's text is 128 MiB.
    auto written = SafeFile::writeAtomically(path, std::string_view(xml, length));
    plist_to_xml_free(xml);
    if (!written)
        return Failure { written.error() };
    return FileStamp::of(path);
}

}
