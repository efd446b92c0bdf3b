#include "app/commands/GestureJson.h"

#include "app/commands/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

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
        auto identity = gesture["identity"].get<std::string>();
        // Identities are listed one per line, and the archive keeps them as C strings.
        if (identity.find_first_of(std::string_view("\0\t\n\r", 4)) != std::string::npos)
            throw InputError(entry + ": the identity holds a NUL character, a tab or a line break");
        if (CommandLine::isBlank(identity))
            throw InputError(entry + ": the identity is empty or blank");
        std::vector<std::vector<GestureStroke>> moreDrawings;
        if (gesture.contains("moreDrawings")) {
            const json& drawings = gesture["moreDrawings"];
            if (!drawings.is_array())
                throw InputError(entry + ": \"moreDrawings\" must be a list of drawings, each a list of strokes");
            for (const auto& drawing : drawings)
                moreDrawings.push_back(strokesFromJson(drawing, entry + ", drawing " + std::to_string(moreDrawings.size() + 2)));
        }
        entries.push_back({ std::move(identity), strokesFromJson(gesture["strokes"], entry), std::move(moreDrawings) });
    }
    return entries;
}

Gesture GestureJson::Entry::gesture() &&
{
    Gesture made(std::move(identity), std::move(strokes));
    for (auto& drawing : moreDrawings)
        made.addDrawing(std::move(drawing));
    return made;
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
    for (const auto& gesture : gestures) {
        json entry = { { "identity", gesture->identity() }, { "strokes", strokesToJson(gesture->strokes()) } };
        // Left out for one drawing, so such a file reads as it always did.
        if (gesture->drawingCount() > 1) {
            json more = json::array();
            for (int32_t d = 1; d < gesture->drawingCount(); ++d)
                more.push_back(strokesToJson(gesture->drawing(d)));
            entry["moreDrawings"] = std::move(more);
        }
        list.push_back(std::move(entry));
    }
    return { { "gestures", list } };
}

namespace {

// Builds the document as the library's own parser does, but keeps where parsing stopped:
// the library's exception for a number beyond double range carries no position.
class LocatingParser : public nlohmann::detail::json_sax_dom_parser<json> {
public:
    explicit LocatingParser(json& document)
        : json_sax_dom_parser(document, false) { }

    template <class Exception>
    bool parse_error(size_t position, const std::string&, const Exception& exception)
    {
        m_position = position;
        m_message = exception.what();
        m_isNumberOverflow = exception.id == numberOverflow;
        return false;
    }

    // The first line of the text is `firstLine`.
    size_t errorLine(const std::string& text, size_t firstLine) const
    {
        size_t offset = std::min(m_position > 0 ? m_position - 1 : 0, text.size());
        return firstLine + size_t(std::count(text.begin(), text.begin() + long(offset), '\n'));
    }

    // Short, without the library's prefix or the number itself, which may be
    // thousands of digits long.
    std::string errorText() const
    {
        if (m_isNumberOverflow)
            return "a number is out of range";
        auto detail = m_message.find("parse error");
        return "malformed JSON (" + m_message.substr(detail == std::string::npos ? 0 : detail) + ")";
    }

private:
    static constexpr int numberOverflow = 406;

    size_t m_position { 0 };
    std::string m_message;
    bool m_isNumberOverflow { false };
};

// The library builds any depth and any number of values it is given, so the text's
// shape is measured first; a failure names the byte where a limit was passed.
std::optional<std::pair<size_t, std::string>> shapeProblem(const std::string& text)
{
    size_t depth = 0;
    size_t items = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > GestureJson::maximumDepth)
                return std::pair(i, "nested more than " + std::to_string(GestureJson::maximumDepth) + " levels deep");
            ++items;
        } else if (c == ']' || c == '}') {
            depth -= depth > 0;
        } else if (c == ',') {
            ++items;
        }
        if (items > GestureJson::maximumItemCount)
            return std::pair(i, "more than " + std::to_string(GestureJson::maximumItemCount) + " values");
    }
    return std::nullopt;
}

}

json GestureJson::parse(const std::string& text, const std::string& file, size_t firstLine)
{
    if (auto problem = shapeProblem(text)) {
        size_t line = firstLine + size_t(std::count(text.begin(), text.begin() + long(problem->first), '\n'));
        throw InputError(file + ":" + std::to_string(line) + ": " + problem->second);
    }
    json document;
    LocatingParser parser(document);
    if (!json::sax_parse(text, &parser))
        throw InputError(file + ":" + std::to_string(parser.errorLine(text, firstLine)) + ": " + parser.errorText());
    return document;
}

}
