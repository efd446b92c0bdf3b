#include "core/KeyedUnarchiver.h"

#include "core/PlistPointer.h"
#include "core/Utf8.h"

#include <plist/plist.h>

#include <memory>
#include <stdexcept>

namespace scriblo {
namespace {

class InvalidGesture : public std::runtime_error {
public:
    explicit InvalidGesture(const std::string& detail)
        : std::runtime_error("InvalidGesture: Corrupted gesture data. (" + detail + ")") { }
};

plist_t childOfType(plist_t dictionary, const char* key, plist_type type)
{
    plist_t child = plist_dict_get_item(dictionary, key);
    if (!child || plist_get_node_type(child) != type)
        throw InvalidGesture(std::string("missing or mistyped \"") + key + "\"");
    return child;
}

// Reads objects through `$objects` references. Decoding follows the fixed shape
// dictionary → gesture → array → stroke → array → point, so no reference can lead the
// reader round a cycle, however the table is wired.
class ObjectReader {
public:
    explicit ObjectReader(plist_t objects)
        : m_objects(scriblo::arrayItems(objects)) { }

    // Nothing for the "$null" reference (index 0).
    plist_t resolve(plist_t reference) const
    {
        if (!reference || plist_get_node_type(reference) != PLIST_UID)
            throw InvalidGesture("a value is not an object reference");
        uint64_t index = 0;
        plist_get_uid_val(reference, &index);
        if (index >= m_objects.size())
            throw InvalidGesture("dangling object reference");
        return index == 0 ? nullptr : m_objects[index];
    }

    plist_t instance(plist_t reference, const char* className) const
    {
        plist_t object = resolve(reference);
        if (!object || plist_get_node_type(object) != PLIST_DICT)
            throw InvalidGesture(std::string("expected a ") + className);
        plist_t description = resolve(plist_dict_get_item(object, "$class"));
        if (!isClass(description, className))
            throw InvalidGesture(std::string("expected a ") + className);
        return object;
    }

    // A text is stored plainly, or as a string object holding "NS.string".
    std::optional<std::string> string(plist_t reference) const
    {
        plist_t object = resolve(reference);
        if (!object)
            return std::nullopt;
        if (plist_get_node_type(object) == PLIST_DICT)
            object = childOfType(object, "NS.string", PLIST_STRING);
        if (plist_get_node_type(object) != PLIST_STRING)
            throw InvalidGesture("expected a string");
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(object, &length);
        std::string_view view(text, length);
        // Such a text could not be written as JSON or saved again unchanged: a NUL would
        // cut it short, and the gesture would take the place of another.
        if (!isValidUtf8(view))
            throw InvalidGesture("a text is not valid UTF-8");
        if (view.find('\0') != std::string_view::npos)
            throw InvalidGesture("a text holds a NUL character");
        return std::string(view);
    }

    // The items of an array object ("NS.objects"), at most `limit` of them.
    std::vector<plist_t> arrayItems(plist_t reference, uint32_t limit) const
    {
        plist_t object = resolve(reference);
        if (!object || plist_get_node_type(object) != PLIST_DICT)
            throw InvalidGesture("expected an array");
        plist_t items = childOfType(object, "NS.objects", PLIST_ARRAY);
        if (plist_array_get_size(items) > limit)
            throw InvalidGesture("too many items");
        return scriblo::arrayItems(items);
    }

private:
    // Every point shares one class entry, so each entry is checked once.
    bool isClass(plist_t description, const char* className) const
    {
        for (const auto& [checked, name] : m_checkedClasses) {
            if (checked == description)
                return name == className;
        }
        if (!description || plist_get_node_type(description) != PLIST_DICT)
            throw InvalidGesture("object without a class");
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(childOfType(description, "$classname", PLIST_STRING), &length);
        m_checkedClasses.emplace_back(description, std::string(text, length));
        return m_checkedClasses.back().second == className;
    }

    std::vector<plist_t> m_objects;
    mutable std::vector<std::pair<plist_t, std::string>> m_checkedClasses;
};

float coordinate(plist_t point, const char* key)
{
    plist_t node = plist_dict_get_item(point, key);
    double value = 0;
    if (node && plist_get_node_type(node) == PLIST_REAL) {
        plist_get_real_val(node, &value);
    } else if (node && plist_get_node_type(node) == PLIST_UINT) {
        uint64_t bits = 0;
        plist_get_uint_val(node, &bits);
        value = double(int64_t(bits));
    } else {
        throw InvalidGesture(std::string("point without \"") + key + "\"");
    }
    if (!Gesture::isValidCoordinate(value))
        throw InvalidGesture("coordinate is not a number within ±1e6");
    return float(value);
}

int32_t strokeIdentifier(plist_t point)
{
    uint64_t bits = 0;
    plist_get_uint_val(childOfType(point, "strokeId", PLIST_UINT), &bits);
    int64_t value = int64_t(bits);
    if (value < INT32_MIN || value > INT32_MAX)
        throw InvalidGesture("stroke identifier out of range");
    return int32_t(value);
}

GestureStroke decodeStroke(const ObjectReader& reader, plist_t reference, int32_t& pointBudget)
{
    plist_t stroke = reader.instance(reference, "GestureStroke");
    auto items = reader.arrayItems(plist_dict_get_item(stroke, "points"), uint32_t(pointBudget));
    if (items.empty())
        throw InvalidGesture("a stroke has no points");
    pointBudget -= int32_t(items.size());
    std::vector<GesturePoint> points;
    points.reserve(items.size());
    for (plist_t item : items) {
        plist_t point = reader.instance(item, "GesturePoint");
        points.emplace_back(coordinate(point, "x"), coordinate(point, "y"), strokeIdentifier(point));
    }
    return GestureStroke(std::move(points));
}

// The checks that decide whether a stored entry is a usable gesture: an identity, at
// least one stroke, and no more than the store ever accepts.
Gesture decodeGesture(const ObjectReader& reader, plist_t reference)
{
    plist_t object = reader.instance(reference, "Gesture");
    auto identity = reader.string(plist_dict_get_item(object, "identity"));
    if (!identity)
        throw InvalidGesture("gesture without identity");
    plist_t strokeReference = plist_dict_get_item(object, "strokes");
    if (!strokeReference || !reader.resolve(strokeReference))
        throw InvalidGesture("gesture without strokes");
    auto items = reader.arrayItems(strokeReference, uint32_t(Gesture::maximumStrokeCount));
    if (items.empty())
        throw InvalidGesture("gesture with an empty stroke list");
    int32_t pointBudget = Gesture::maximumPointCount;
    std::vector<GestureStroke> strokes;
    for (plist_t item : items)
        strokes.push_back(decodeStroke(reader, item, pointBudget));
    return Gesture(std::move(*identity), std::move(strokes));
}

PlistPointer parse(const Data& data)
{
    if (data.size() > KeyedUnarchiver::maximumArchiveSize)
        throw InvalidGesture("archive is too large");
    auto archive = parsePropertyList(data.data(), data.size());
    if (!archive)
        throw InvalidGesture(archive.error());
    if (plist_get_node_type(archive->get()) != PLIST_DICT)
        throw InvalidGesture("not a property list");
    return std::move(*archive);
}
}

KeyedUnarchiver::Result KeyedUnarchiver::unarchiveGestures(const Data& data)
{
    Result result;
    try {
        PlistPointer archive = parse(data);
        ObjectReader reader(childOfType(archive.get(), "$objects", PLIST_ARRAY));
        plist_t top = childOfType(archive.get(), "$top", PLIST_DICT);
        plist_t root = reader.resolve(plist_dict_get_item(top, "root"));
        if (!root || plist_get_node_type(root) != PLIST_DICT)
            throw InvalidGesture("root is not a dictionary");
        auto keys = arrayItems(childOfType(root, "NS.keys", PLIST_ARRAY));
        auto values = arrayItems(childOfType(root, "NS.objects", PLIST_ARRAY));
        if (keys.size() != values.size())
            throw InvalidGesture("keys and values differ in number");
        GestureDictionary gestures;
        for (size_t i = 0; i < keys.size(); ++i) {
            try {
                if (gestures.size() >= maximumGestureCount)
                    throw InvalidGesture("more gestures than the store holds");
                auto key = reader.string(keys[i]);
                if (!key)
                    throw InvalidGesture("entry without a key");
                auto gesture = decodeGesture(reader, values[i]);
                gestures[*key] = std::make_shared<const Gesture>(std::move(gesture));
            } catch (const InvalidGesture& failure) {
                result.problems.push_back("entry " + std::to_string(i + 1) + ": " + failure.what());
            }
        }
        result.gestures = std::move(gestures);
    } catch (const InvalidGesture& failure) {
        result.problems.push_back(failure.what());
    }
    return result;
}

}
