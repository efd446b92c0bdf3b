#include "core/KeyedArchiver.h"

#include "core/BinaryPropertyListWriter.h"

#include <plist/plist.h>

#include <map>
#include <vector>

namespace scriblo {
namespace {

// Collects `$objects` in the order they are first encoded; index 0 is the "$null"
// marker, as in archives made by the platform. Objects are kept in a vector until the
// end because the library places an array item by walking the list.
class ObjectTable {
public:
    ObjectTable() { m_objects.push_back(plist_new_string("$null")); }
    ~ObjectTable()
    {
        for (plist_t object : m_objects)
            plist_free(object);
    }

    uint64_t add(plist_t object)
    {
        m_objects.push_back(object);
        return m_objects.size() - 1;
    }

    // A placeholder keeps the index of an object whose contents come later.
    uint64_t reserve() { return add(nullptr); }
    void fill(uint64_t index, plist_t object) { m_objects[index] = object; }
    plist_t object(uint64_t index) const { return m_objects[index]; }

    uint64_t classReference(const std::vector<const char*>& classes)
    {
        auto found = m_classes.find(classes.front());
        if (found != m_classes.end())
            return found->second;
        plist_t names = plist_new_array();
        for (const char* name : classes)
            plist_array_append_item(names, plist_new_string(name));
        plist_t description = plist_new_dict();
        plist_dict_set_item(description, "$classname", plist_new_string(classes.front()));
        plist_dict_set_item(description, "$classes", names);
        return m_classes[classes.front()] = add(description);
    }

    plist_t take()
    {
        plist_t array = plist_new_array();
        for (plist_t object : m_objects)
            plist_array_append_item(array, object);
        m_objects.clear();
        return array;
    }

private:
    std::vector<plist_t> m_objects;
    std::map<std::string, uint64_t> m_classes;
};

plist_t instance(ObjectTable& table, const std::vector<const char*>& classes)
{
    plist_t object = plist_new_dict();
    plist_dict_set_item(object, "$class", plist_new_uid(table.classReference(classes)));
    return object;
}

uint64_t encodeArray(ObjectTable& table, const std::vector<uint64_t>& references)
{
    uint64_t index = table.reserve();
    plist_t items = plist_new_array();
    for (uint64_t reference : references)
        plist_array_append_item(items, plist_new_uid(reference));
    plist_t array = instance(table, { "NSMutableArray", "NSArray", "NSObject" });
    plist_dict_set_item(array, "NS.objects", items);
    table.fill(index, array);
    return index;
}

uint64_t encodePoint(ObjectTable& table, const GesturePoint& point)
{
    uint64_t index = table.reserve();
    plist_t object = instance(table, { "GesturePoint", "NSObject" });
    plist_dict_set_item(object, "x", plist_new_real(point.x()));
    plist_dict_set_item(object, "y", plist_new_real(point.y()));
    plist_dict_set_item(object, "strokeId", plist_new_uint(uint64_t(int64_t(point.strokeId()))));
    table.fill(index, object);
    return index;
}

// An object is placed before the objects it refers to, as the platform's archiver
// places them, so its index is taken first and its contents filled in last.
template<typename Item, typename Encode>
uint64_t encodeWithList(ObjectTable& table, const char* className, const char* key, const std::vector<Item>& items, Encode encode)
{
    uint64_t index = table.reserve();
    std::vector<uint64_t> references;
    references.reserve(items.size());
    for (const auto& item : items)
        references.push_back(encode(table, item));
    plist_t object = instance(table, { className, "NSObject" });
    plist_dict_set_item(object, key, plist_new_uid(encodeArray(table, references)));
    table.fill(index, object);
    return index;
}

uint64_t encodeStroke(ObjectTable& table, const GestureStroke& stroke)
{
    return encodeWithList(table, "GestureStroke", "points", stroke.points(), encodePoint);
}

uint64_t encodeGesture(ObjectTable& table, const Gesture& gesture)
{
    uint64_t index = encodeWithList(table, "Gesture", "strokes", gesture.strokes(), encodeStroke);
    uint64_t identity = table.add(plist_new_string(gesture.identity().c_str()));
    plist_dict_set_item(table.object(index), "identity", plist_new_uid(identity));
    return index;
}

uint64_t encodeDictionary(ObjectTable& table, const GestureDictionary& gestures)
{
    uint64_t index = table.reserve();
    plist_t keys = plist_new_array();
    plist_t values = plist_new_array();
    for (const auto& [identity, gesture] : gestures)
        plist_array_append_item(keys, plist_new_uid(table.add(plist_new_string(identity.c_str()))));
    for (const auto& [identity, gesture] : gestures)
        plist_array_append_item(values, plist_new_uid(encodeGesture(table, *gesture)));
    plist_t dictionary = instance(table, { "NSMutableDictionary", "NSDictionary", "NSObject" });
    plist_dict_set_item(dictionary, "NS.keys", keys);
    plist_dict_set_item(dictionary, "NS.objects", values);
    table.fill(index, dictionary);
    return index;
}

}

Data KeyedArchiver::archivedDataWithRootObject(const GestureDictionary& gestures)
{
    ObjectTable table;
    uint64_t root = encodeDictionary(table, gestures);
    plist_t top = plist_new_dict();
    plist_dict_set_item(top, "root", plist_new_uid(root));
    plist_t archive = plist_new_dict();
    plist_dict_set_item(archive, "$archiver", plist_new_string("NSKeyedArchiver"));
    plist_dict_set_item(archive, "$version", plist_new_uint(100000));
    plist_dict_set_item(archive, "$top", top);
    plist_dict_set_item(archive, "$objects", table.take());
    Data data = BinaryPropertyListWriter::write(archive);
    plist_free(archive);
    return data;
}

}
