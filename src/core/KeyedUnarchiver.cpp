#include "core/KeyedUnarchiver.h"

#include "core/BinaryPropertyListReader.h"
#include "core/Utf8.h"

#include <array>
#include <memory>
#include <stdexcept>

namespace scriblo {
namespace {

class InvalidGesture : public std::runtime_error {
public:
    explicit InvalidGesture(const std::string& detail)
        : std::runtime_error("InvalidGesture: Corrupted gesture data. (" + detail + ")") { }
};

// The archive as a whole could not be read; what was read of it is let go.
struct WholeArchive {
    std::vector<std::string> problems;
};

// Reads objects through `$objects` references. Decoding follows the fixed shape
// dictionary → gesture → array → stroke → array → point, so no reference can lead the
// reader round a cycle, however the table is wired.
class ObjectReader {
public:
    using Object = uint64_t;

    explicit ObjectReader(const BinaryPropertyListReader& list)
        : m_list(list)
        , m_top(childOfType(list.topObject(), "$top"))
    {
        auto table = child(m_list.topObject(), "$objects");
        auto objects = table ? m_list.arrayItems(*table, m_list.objectCount()) : std::nullopt;
        if (!objects)
            throw InvalidGesture("missing or mistyped \"$objects\"");
        m_objects = std::move(*objects);
    }

    Object top() const { return m_top; }

    // A dictionary's value for `key`; a missing value reads as the "$null" reference.
    std::optional<Object> child(Object dictionary, const char* key) const
    {
        return m_list.valueForKey(dictionary, key);
    }

    Object childOfType(Object dictionary, const char* key) const
    {
        auto found = child(dictionary, key);
        if (!found || !m_list.isDictionary(*found))
            throw InvalidGesture(std::string("missing or mistyped \"") + key + "\"");
        return *found;
    }

    // Nothing for the "$null" reference (index 0).
    std::optional<Object> resolve(std::optional<Object> reference) const
    {
        auto index = reference ? m_list.uid(*reference) : std::nullopt;
        if (!index)
            throw InvalidGesture("a value is not an object reference");
        if (*index >= m_objects.size())
            throw InvalidGesture("dangling object reference");
        if (*index == 0)
            return std::nullopt;
        return m_objects[*index];
    }

    Object instance(std::optional<Object> reference, const char* className) const
    {
        auto object = resolve(reference);
        if (!object || !m_list.isDictionary(*object))
            throw InvalidGesture(std::string("expected a ") + className);
        if (!isClass(resolve(child(*object, "$class")), className))
            throw InvalidGesture(std::string("expected a ") + className);
        return *object;
    }

    // A text is stored plainly, or as a string object holding "NS.string".
    std::optional<std::string> string(std::optional<Object> reference) const
    {
        auto object = resolve(reference);
        if (!object)
            return std::nullopt;
        if (m_list.isDictionary(*object)) {
            object = child(*object, "NS.string");
            if (!object || !m_list.text(*object))
                throw InvalidGesture("missing or mistyped \"NS.string\"");
        }
        auto text = m_list.text(*object);
        // Such a text could not be written as JSON or saved again unchanged: a NUL would
        // cut it short, and the gesture would take the place of another.
        if (!text)
            throw InvalidGesture("expected a string");
        if (!isValidUtf8(*text))
            throw InvalidGesture("a text is not valid UTF-8");
        if (text->find('\0') != std::string::npos)
            throw InvalidGesture("a text holds a NUL character");
        return text;
    }

    // The items of an array object ("NS.objects"), at most `limit` of them.
    std::vector<Object> arrayItems(std::optional<Object> reference, uint64_t limit) const
    {
        auto object = resolve(reference);
        if (!object || !m_list.isDictionary(*object))
            throw InvalidGesture("expected an array");
        return listOf(*object, "NS.objects", limit);
    }

    // A list kept directly in a dictionary, as the root's keys and objects are.
    std::vector<Object> listOf(Object dictionary, const char* key, uint64_t limit) const
    {
        auto items = child(dictionary, key);
        if (!items || !m_list.isArray(*items))
            throw InvalidGesture(std::string("missing or mistyped \"") + key + "\"");
        auto bounded = m_list.arrayItems(*items, limit);
        if (!bounded)
            throw InvalidGesture("too many items");
        return std::move(*bounded);
    }

    // A point's keys in one pass: a full store holds three million points.
    GesturePoint point(std::optional<Object> reference) const
    {
        std::array<std::optional<Object>, 4> values;
        auto object = resolve(reference);
        if (!object || !m_list.valuesForKeys(*object, m_pointKeys, values) || !isClass(resolve(values[0]), "GesturePoint"))
            throw InvalidGesture("expected a GesturePoint");
        float x = coordinate(values[1], "x");
        float y = coordinate(values[2], "y");
        return GesturePoint(x, y, strokeIdentifier(values[3]));
    }

private:
    float coordinate(std::optional<Object> node, const char* key) const
    {
        std::optional<double> value = node ? m_list.real(*node) : std::nullopt;
        if (!value && node) {
            if (auto integer = m_list.integer(*node))
                value = double(*integer);
        }
        if (!value)
            throw InvalidGesture(std::string("point without \"") + key + "\"");
        if (!Gesture::isValidCoordinate(*value))
            throw InvalidGesture("coordinate is not a number within ±1e6");
        return float(*value);
    }

    int32_t strokeIdentifier(std::optional<Object> node) const
    {
        auto value = node ? m_list.integer(*node) : std::nullopt;
        if (!value)
            throw InvalidGesture("missing or mistyped \"strokeId\"");
        if (*value < INT32_MIN || *value > INT32_MAX)
            throw InvalidGesture("stroke identifier out of range");
        return int32_t(*value);
    }

    // Every point shares one class entry, so each entry is checked once.
    bool isClass(std::optional<Object> description, const char* className) const
    {
        for (const auto& [checked, name] : m_checkedClasses) {
            if (checked == description)
                return name == className;
        }
        if (!description || !m_list.isDictionary(*description))
            throw InvalidGesture("object without a class");
        auto name = child(*description, "$classname");
        auto text = name ? m_list.text(*name) : std::nullopt;
        if (!text)
            throw InvalidGesture("missing or mistyped \"$classname\"");
        m_checkedClasses.emplace_back(description, std::move(*text));
        return m_checkedClasses.back().second == className;
    }

    const BinaryPropertyListReader& m_list;
    Object m_top;
    std::vector<Object> m_objects;
    mutable std::vector<std::pair<std::optional<Object>, std::string>> m_checkedClasses;
    BinaryPropertyListReader::Keys m_pointKeys { "$class", "x", "y", "strokeId" };
};

GestureStroke decodeStroke(const ObjectReader& reader, ObjectReader::Object reference, int32_t& pointBudget)
{
    auto stroke = reader.instance(reference, "GestureStroke");
    auto items = reader.arrayItems(reader.child(stroke, "points"), uint64_t(pointBudget));
    if (items.empty())
        throw InvalidGesture("a stroke has no points");
    pointBudget -= int32_t(items.size());
    std::vector<GesturePoint> points;
    points.reserve(items.size());
    for (auto item : items)
        points.push_back(reader.point(item));
    return GestureStroke(std::move(points));
}

// One drawing's strokes, each drawing within a gesture's limits.
std::vector<GestureStroke> decodeDrawing(const ObjectReader& reader, std::optional<ObjectReader::Object> reference, const char* empty)
{
    auto items = reader.arrayItems(reference, uint64_t(Gesture::maximumStrokeCount));
    if (items.empty())
        throw InvalidGesture(empty);
    int32_t pointBudget = Gesture::maximumPointCount;
    std::vector<GestureStroke> strokes;
    for (auto item : items)
        strokes.push_back(decodeStroke(reader, item, pointBudget));
    return strokes;
}

// The store never writes a longer one, which keeps its largest archive readable.
std::optional<std::string> identityText(const ObjectReader& reader, std::optional<ObjectReader::Object> reference)
{
    auto text = reader.string(reference);
    if (text && text->size() > Gesture::maximumIdentityLength)
        throw InvalidGesture("an identity is longer than " + std::to_string(Gesture::maximumIdentityLength) + " bytes");
    return text;
}

// The checks that decide whether a stored entry is a usable gesture: an identity, at
// least one stroke, and no more than the store ever accepts.
Gesture decodeGesture(const ObjectReader& reader, ObjectReader::Object reference)
{
    auto object = reader.instance(reference, "Gesture");
    auto identity = identityText(reader, reader.child(object, "identity"));
    if (!identity)
        throw InvalidGesture("gesture without identity");
    auto strokeReference = reader.child(object, "strokes");
    if (!strokeReference || !reader.resolve(strokeReference))
        throw InvalidGesture("gesture without strokes");
    return Gesture(std::move(*identity), decodeDrawing(reader, strokeReference, "gesture with an empty stroke list"));
}

KeyedUnarchiver::MoreDrawings decodeMoreDrawings(const ObjectReader& reader, const BinaryPropertyListReader& list,
                                                 ObjectReader::Object reference)
{
    auto object = reader.instance(reference, "GestureDrawings");
    auto fingerprint = reader.child(object, "firstDrawing");
    auto value = fingerprint ? list.integer(*fingerprint) : std::nullopt;
    if (!value)
        throw InvalidGesture("missing or mistyped \"firstDrawing\"");
    KeyedUnarchiver::MoreDrawings more;
    more.firstDrawingFingerprint = uint64_t(*value);
    auto items = reader.arrayItems(reader.child(object, "drawings"), uint64_t(Gesture::maximumDrawingCount - 1));
    for (auto item : items)
        more.drawings.push_back(decodeDrawing(reader, item, "a drawing without strokes"));
    return more;
}

BinaryPropertyListReader open(const Data& data, size_t maximumSize)
{
    if (data.size() > maximumSize)
        throw InvalidGesture("archive is too large");
    auto list = BinaryPropertyListReader::open(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    if (!list)
        throw InvalidGesture(list.error());
    if (!list->isDictionary(list->topObject()))
        throw InvalidGesture("not a property list");
    return std::move(*list);
}

// The root dictionary's keys and values, each value handed to `decode` with its key; a
// damaged entry costs only itself.
template<typename Decode>
std::vector<std::string> readRoot(const Data& data, size_t maximumSize, Decode decode,
                                  const KeyedUnarchiver::Progress& progress = nullptr)
{
    std::vector<std::string> problems;
    try {
        BinaryPropertyListReader list = open(data, maximumSize);
        ObjectReader reader(list);
        auto root = reader.resolve(reader.child(reader.top(), "root"));
        if (!root || !list.isDictionary(*root))
            throw InvalidGesture("root is not a dictionary");
        auto keys = reader.listOf(*root, "NS.keys", list.objectCount());
        auto values = reader.listOf(*root, "NS.objects", list.objectCount());
        if (keys.size() != values.size())
            throw InvalidGesture("keys and values differ in number");
        for (size_t i = 0; i < keys.size(); ++i) {
            try {
                auto key = identityText(reader, keys[i]);
                if (!key)
                    throw InvalidGesture("entry without a key");
                decode(std::move(*key), reader, list, values[i]);
            } catch (const InvalidGesture& failure) {
                problems.push_back("entry " + std::to_string(i + 1) + ": " + failure.what());
            }
            if (progress)
                progress(i + 1, keys.size());
        }
    } catch (const InvalidGesture& failure) {
        problems.push_back(failure.what());
        throw WholeArchive(std::move(problems));
    }
    return problems;
}

}

KeyedUnarchiver::Result KeyedUnarchiver::unarchiveGestures(const Data& data, const Progress& progress)
{
    Result result;
    GestureDictionary gestures;
    try {
        result.problems = readRoot(data, maximumArchiveSize, [&](std::string key, const ObjectReader& reader, const BinaryPropertyListReader&,
                                                                 ObjectReader::Object value) {
            if (gestures.size() >= maximumGestureCount)
                throw InvalidGesture("more gestures than the store holds");
            gestures[std::move(key)] = std::make_shared<const Gesture>(decodeGesture(reader, value));
        }, progress);
        result.gestures = std::move(gestures);
    } catch (const WholeArchive& failure) {
        result.problems = failure.problems;
    }
    return result;
}

KeyedUnarchiver::MoreDrawingsResult KeyedUnarchiver::unarchiveMoreDrawings(const Data& data)
{
    MoreDrawingsResult result;
    std::map<std::string, MoreDrawings> drawings;
    try {
        result.problems = readRoot(data, maximumMoreDrawingsArchiveSize, [&](std::string key, const ObjectReader& reader,
                                                                           const BinaryPropertyListReader& list, ObjectReader::Object value) {
            if (drawings.size() >= maximumGestureCount)
                throw InvalidGesture("more gestures than the store holds");
            drawings[std::move(key)] = decodeMoreDrawings(reader, list, value);
        });
        result.drawings = std::move(drawings);
    } catch (const WholeArchive& failure) {
        result.problems = failure.problems;
    }
    return result;
}

}
