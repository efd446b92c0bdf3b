#include "app/GestureJson.h"

#include "app/CommandLine.h"

#include <charconv>

namespace scriblo {

using nlohmann::json;

static float coordinate(const json& value, const std::string& where)
{
    if (!value.is_number())
        throw InputError(where + ": a coordinate is not a number");
    double number = value.get<double>();
    if (!Gesture::isValidCoordinate(number))
        throw InputError(where + ": a coordinate is not a number within ±1e6");
    return float(number);
}

std::vector<GestureStroke> GestureJson::strokesFromJson(const json& value, const std::string& where)
{
    if (!value.is_array())
        throw InputError(where + ": \"strokes\" must be a list of strokes");
    std::vector<GestureStroke> strokes;
    for (const auto& stroke : value) {
        if (!stroke.is_array())
            throw InputError(where + ": a stroke must be a list of [x, y] points");
        GestureStroke points;
        int32_t strokeId = int32_t(strokes.size()) + 1;
        for (const auto& point : stroke) {
            if (!point.is_array() || point.size() != 2)
                throw InputError(where + ": a point must be [x, y]");
            points.addPoint(GesturePoint(coordinate(point[0], where), coordinate(point[1], where), strokeId));
        }
        strokes.push_back(std::move(points));
    }
    return strokes;
}

std::vector<GestureJson::Entry> GestureJson::gesturesFromJson(const json& document, const std::string& where)
{
    if (!document.is_object() || !document.contains("gestures") || !document["gestures"].is_array())
        throw InputError(where + ": expected {\"gestures\": [...]}");
    std::vector<Entry> entries;
    for (const auto& gesture : document["gestures"]) {
        std::string entry = where + ": gesture " + std::to_string(entries.size() + 1);
        if (!gesture.is_object() || !gesture.contains("identity") || !gesture["identity"].is_string())
            throw InputError(entry + ": needs a string \"identity\"");
        if (!gesture.contains("strokes"))
            throw InputError(entry + ": needs \"strokes\"");
        entries.push_back({ gesture["identity"].get<std::string>(), strokesFromJson(gesture["strokes"], entry) });
    }
    return entries;
}

// The shortest decimal that reads back as the same float, where one exists as a double
// that narrows back exactly; otherwise the float's exact value.
static json exactNumber(float value)
{
    char buffer[32];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    double shortest = 0;
    std::from_chars(buffer, end, shortest);
    if (float(shortest) == value)
        return shortest;
    return double(value);
}

json GestureJson::strokesToJson(const std::vector<GestureStroke>& strokes)
{
    json result = json::array();
    for (const auto& stroke : strokes) {
        json points = json::array();
        for (const auto& point : stroke.points())
            points.push_back({ exactNumber(point.x()), exactNumber(point.y()) });
        result.push_back(std::move(points));
    }
    return result;
}

json GestureJson::gesturesToJson(const std::vector<std::shared_ptr<const Gesture>>& gestures)
{
    json list = json::array();
    for (const auto& gesture : gestures)
        list.push_back({ { "identity", gesture->identity() }, { "strokes", strokesToJson(gesture->strokes()) } });
    return { { "gestures", list } };
}

json GestureJson::parse(const std::string& text, const std::string& file, size_t firstLine)
{
    try {
        return json::parse(text);
    } catch (const json::parse_error& error) {
        size_t offset = std::min(error.byte > 0 ? error.byte - 1 : 0, text.size());
        size_t line = firstLine + size_t(std::count(text.begin(), text.begin() + long(offset), '\n'));
        std::string message = error.what();
        auto detail = message.find("parse error");
        throw InputError(file + ":" + std::to_string(line) + ": malformed JSON (" + message.substr(detail == std::string::npos ? 0 : detail) + ")");
    }
}

}
