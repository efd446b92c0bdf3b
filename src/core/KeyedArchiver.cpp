#include "core/KeyedArchiver.h"

#include "core/BinaryPropertyListWriter.h"

#include <array>
#include <initializer_list>
#include <map>
#include <span>
#include <string_view>
#include <vector>

namespace scriblo {
namespace {

using Writer = BinaryPropertyListWriter;

// Collects `$objects` in the order they are first encoded; index 0 is the "$null"
// marker, as in archives made by the platform. Each entry is the written object's
// reference; an entry is reserved before its contents are encoded, as the platform's
// archiver places an object before the objects it refers to.
class ObjectTable {
public:
    explicit ObjectTable(Writer& writer) : m_writer(writer) { m_objects.push_back(writer.text("$null")); }

    Writer& writer() { return m_writer; }

    uint64_t add(uint64_t object)
    {
        m_objects.push_back(object);
        return m_objects.size() - 1;
    }

    // A placeholder keeps the index of an object whose contents come later.
    uint64_t reserve() { return add(0); }
    void fill(uint64_t index, uint64_t object) { m_objects[index] = object; }

    uint64_t classReference(std::initializer_list<const char*> classes)
    {
        auto found = m_classes.find(std::string_view(*classes.begin()));
        if (found != m_classes.end())
            return found->second;
        std::vector<uint64_t> names;
        for (const char* name : classes)
            names.push_back(m_writer.text(name));
        uint64_t keys[] = { m_writer.text("$classname"), m_writer.text("$classes") };
        uint64_t values[] = { m_writer.text(*classes.begin()), m_writer.array(names) };
        return m_classes[*classes.begin()] = add(m_writer.dictionary(keys, values));
    }

    uint64_t take() { return m_writer.array(m_objects); }

private:
    Writer& m_writer;
    std::vector<uint64_t> m_objects;
    std::map<std::string, uint64_t, std::less<>> m_classes;
};

// An instance's keys and values, "$class" first, in the order the platform writes them.
// There is one for each of a million points, so its few keys are kept in place.
class Instance {
public:
    Instance(ObjectTable& table, std::initializer_list<const char*> classes)
        : m_writer(table.writer())
    {
        set("$class", m_writer.uid(table.classReference(classes)));
    }

    void set(const char* key, uint64_t value)
    {
        m_keys[m_count] = m_writer.text(key);
        m_values[m_count++] = value;
    }

    uint64_t write() { return m_writer.dictionary(std::span(m_keys).first(m_count), std::span(m_values).first(m_count)); }

private:
    static constexpr size_t mostKeys = 4;

    Writer& m_writer;
    std::array<uint64_t, mostKeys> m_keys {};
    std::array<uint64_t, mostKeys> m_values {};
    size_t m_count = 0;
};

std::vector<uint64_t> uids(Writer& writer, const std::vector<uint64_t>& references)
{
    std::vector<uint64_t> items;
    items.reserve(references.size());
    for (uint64_t reference : references)
        items.push_back(writer.uid(reference));
    return items;
}

uint64_t encodeArray(ObjectTable& table, const std::vector<uint64_t>& references)
{
    uint64_t index = table.reserve();
    uint64_t items = table.writer().array(uids(table.writer(), references));
    Instance array(table, { "NSMutableArray", "NSArray", "NSObject" });
    array.set("NS.objects", items);
    table.fill(index, array.write());
    return index;
}

uint64_t encodePoint(ObjectTable& table, const GesturePoint& point)
{
    uint64_t index = table.reserve();
    Writer& writer = table.writer();
    Instance object(table, { "GesturePoint", "NSObject" });
    object.set("x", writer.real(point.x()));
    object.set("y", writer.real(point.y()));
    object.set("strokeId", writer.integer(uint64_t(int64_t(point.strokeId()))));
    table.fill(index, object.write());
    return index;
}

// The instance is left open for the caller to add to, then written by it.
template<typename Item, typename Encode>
Instance encodeWithList(ObjectTable& table, const char* className, const char* key, const std::vector<Item>& items, Encode encode)
{
    std::vector<uint64_t> references;
    references.reserve(items.size());
    for (const auto& item : items)
        references.push_back(encode(table, item));
    Instance object(table, { className, "NSObject" });
    object.set(key, table.writer().uid(encodeArray(table, references)));
    return object;
}

uint64_t encodeStroke(ObjectTable& table, const GestureStroke& stroke)
{
    uint64_t index = table.reserve();
    table.fill(index, encodeWithList(table, "GestureStroke", "points", stroke.points(), encodePoint).write());
    return index;
}

uint64_t encodeGesture(ObjectTable& table, const Gesture& gesture)
{
    uint64_t index = table.reserve();
    Instance object = encodeWithList(table, "Gesture", "strokes", gesture.strokes(), encodeStroke);
    uint64_t identity = table.add(table.writer().text(gesture.identity()));
    object.set("identity", table.writer().uid(identity));
    table.fill(index, object.write());
    return index;
}

// The drawings after the first of one gesture, with the fingerprint of the first drawing
// they were added to.
uint64_t encodeMoreDrawings(ObjectTable& table, const Gesture& gesture)
{
    uint64_t index = table.reserve();
    std::vector<uint64_t> drawings;
    for (int32_t d = 1; d < gesture.drawingCount(); ++d) {
        std::vector<uint64_t> strokes;
        for (const auto& stroke : gesture.drawing(d))
            strokes.push_back(encodeStroke(table, stroke));
        drawings.push_back(encodeArray(table, strokes));
    }
    uint64_t list = encodeArray(table, drawings);
    Instance object(table, { "GestureDrawings", "NSObject" });
    object.set("drawings", table.writer().uid(list));
    object.set("firstDrawing", table.writer().integer(gesture.firstDrawingFingerprint()));
    table.fill(index, object.write());
    return index;
}

template<typename Encode>
uint64_t encodeDictionary(ObjectTable& table, const GestureDictionary& gestures, Encode encode)
{
    uint64_t index = table.reserve();
    std::vector<uint64_t> keys;
    for (const auto& [identity, gesture] : gestures)
        keys.push_back(table.add(table.writer().text(identity)));
    std::vector<uint64_t> values;
    for (const auto& [identity, gesture] : gestures)
        values.push_back(encode(table, *gesture));
    Writer& writer = table.writer();
    Instance dictionary(table, { "NSMutableDictionary", "NSDictionary", "NSObject" });
    dictionary.set("NS.keys", writer.array(uids(writer, keys)));
    dictionary.set("NS.objects", writer.array(uids(writer, values)));
    table.fill(index, dictionary.write());
    return index;
}

template<typename Encode>
Data archive(const GestureDictionary& gestures, size_t points, Encode encode)
{
    // Each point is five objects (an instance, two reals, an integer, its reference) in
    // some 60 bytes, with its offset and references written after them.
    Writer writer(5 * points + 1024, 60 * points + 4096);
    ObjectTable table(writer);
    uint64_t root = encodeDictionary(table, gestures, encode);
    uint64_t rootKey[] = { writer.text("root") };
    uint64_t rootValue[] = { writer.uid(root) };
    uint64_t top = writer.dictionary(rootKey, rootValue);
    uint64_t archiver = writer.text("NSKeyedArchiver");
    uint64_t version = writer.integer(100000);
    uint64_t objects = table.take();
    uint64_t keys[] = { writer.text("$archiver"), writer.text("$version"), writer.text("$top"), writer.text("$objects") };
    uint64_t values[] = { archiver, version, top, objects };
    return writer.finish(writer.dictionary(keys, values));
}

}

Data KeyedArchiver::archivedDataWithRootObject(const GestureDictionary& gestures, const Progress& progress)
{
    size_t points = 0;
    for (const auto& [identity, gesture] : gestures)
        points += size_t(gesture->totalPointCount());
    size_t done = 0;
    return archive(gestures, points, [&](ObjectTable& table, const Gesture& gesture) {
        uint64_t index = encodeGesture(table, gesture);
        if (progress)
            progress(++done, gestures.size());
        return index;
    });
}

std::optional<Data> KeyedArchiver::archivedMoreDrawings(const GestureDictionary& gestures)
{
    GestureDictionary withMore;
    size_t points = 0;
    for (const auto& [identity, gesture] : gestures) {
        if (gesture->drawingCount() > 1) {
            withMore.emplace(identity, gesture);
            points += size_t(gesture->pointCountOfAllDrawings() - gesture->totalPointCount());
        }
    }
    if (withMore.empty())
        return std::nullopt;
    return archive(withMore, points, encodeMoreDrawings);
}

}
