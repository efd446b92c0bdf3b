#include "HandMadeArchive.h"

namespace scriblo::testing {

HandMadeArchive::HandMadeArchive()
    : m_objects(plist_new_array())
{
    plist_array_append_item(m_objects, plist_new_string("$null"));
}

HandMadeArchive::~HandMadeArchive()
{
    plist_free(m_objects);
}

uint64_t HandMadeArchive::add(plist_t object)
{
    plist_array_append_item(m_objects, object);
    return plist_array_get_size(m_objects) - 1;
}

uint64_t HandMadeArchive::addClass(const std::string& name, const std::vector<std::string>& superclasses)
{
    plist_t classes = plist_new_array();
    plist_array_append_item(classes, plist_new_string(name.c_str()));
    for (const auto& superclass : superclasses)
        plist_array_append_item(classes, plist_new_string(superclass.c_str()));
    plist_t description = plist_new_dict();
    plist_dict_set_item(description, "$classes", classes);
    plist_dict_set_item(description, "$classname", plist_new_string(name.c_str()));
    return add(description);
}

static plist_t instance(uint64_t classReference)
{
    plist_t object = plist_new_dict();
    plist_dict_set_item(object, "$class", plist_new_uid(classReference));
    return object;
}

static plist_t uidArray(const std::vector<uint64_t>& indices)
{
    plist_t list = plist_new_array();
    for (uint64_t index : indices)
        plist_array_append_item(list, plist_new_uid(index));
    return list;
}

uint64_t HandMadeArchive::addPoint(plist_t x, plist_t y, plist_t strokeId)
{
    plist_t point = instance(addClass("GesturePoint"));
    plist_dict_set_item(point, "x", x);
    plist_dict_set_item(point, "y", y);
    plist_dict_set_item(point, "strokeId", strokeId);
    return add(point);
}

uint64_t HandMadeArchive::addArray(const std::vector<uint64_t>& references)
{
    plist_t array = instance(addClass("NSArray"));
    plist_dict_set_item(array, "NS.objects", uidArray(references));
    return add(array);
}

uint64_t HandMadeArchive::addStroke(uint64_t pointsArray)
{
    plist_t stroke = instance(addClass("GestureStroke"));
    plist_dict_set_item(stroke, "points", plist_new_uid(pointsArray));
    return add(stroke);
}

uint64_t HandMadeArchive::addGesture(uint64_t strokesArray, uint64_t identity)
{
    plist_t gesture = instance(addClass("Gesture"));
    plist_dict_set_item(gesture, "strokes", plist_new_uid(strokesArray));
    plist_dict_set_item(gesture, "identity", plist_new_uid(identity));
    return add(gesture);
}

uint64_t HandMadeArchive::addDictionary(const std::vector<uint64_t>& keys, const std::vector<uint64_t>& values)
{
    plist_t dictionary = instance(addClass("NSDictionary"));
    plist_dict_set_item(dictionary, "NS.keys", uidArray(keys));
    plist_dict_set_item(dictionary, "NS.objects", uidArray(values));
    return add(dictionary);
}

Data HandMadeArchive::bytes(uint64_t root)
{
    plist_t archive = plist_new_dict();
    plist_dict_set_item(archive, "$archiver", plist_new_string("NSKeyedArchiver"));
    plist_dict_set_item(archive, "$version", plist_new_uint(100000));
    plist_t top = plist_new_dict();
    plist_dict_set_item(top, "root", plist_new_uid(root));
    plist_dict_set_item(archive, "$top", top);
    plist_dict_set_item(archive, "$objects", plist_copy(m_objects));
    char* raw = nullptr;
    uint32_t length = 0;
    plist_to_bin(archive, &raw, &length);
    plist_free(archive);
    Data data(raw, raw + length);
    plist_to_bin_free(raw);
    return data;
}

Data archiveWithDamagedEntry(const std::function<uint64_t(HandMadeArchive&)>& damage)
{
    HandMadeArchive archive;
    std::vector<uint64_t> points;
    for (int i = 0; i < 12; ++i)
        points.push_back(archive.addPoint(plist_new_real(i * 40), plist_new_real(i * i), plist_new_uint(1)));
    uint64_t stroke = archive.addStroke(archive.addArray(points));
    uint64_t good = archive.addGesture(archive.addArray({ stroke }), archive.add(plist_new_string("good")));
    uint64_t damaged = damage(archive);
    uint64_t root = archive.addDictionary({ archive.add(plist_new_string("good")), archive.add(plist_new_string("bad")) }, { good, damaged });
    return archive.bytes(root);
}

}
