#include "multitouch/EvemuRecording.h"

#include "files/SafeFile.h"

#include <map>
#include <sstream>

namespace scriblo {

namespace {

class LineParser {
public:
    explicit LineParser(const std::string& source) : m_source(source) { }

    bool parseLine(const std::string& line, EvemuRecording& recording);
    const std::string& error() const { return m_error; }

private:
    bool fail(const std::string& what)
    {
        m_error = m_source + ":" + std::to_string(m_lineNumber) + ": " + what;
        return false;
    }
    TouchpadDescription& description(EvemuRecording& recording)
    {
        if (!recording.description)
            recording.description.emplace();
        return *recording.description;
    }
    bool parseIdentity(std::istringstream& fields, TouchpadDescription& description);
    bool parseBits(std::istringstream& fields, int base, std::set<uint16_t>& bits);
    bool parseAxis(std::istringstream& fields, TouchpadDescription& description);
    bool parseEvent(std::istringstream& fields, EvemuRecording& recording);

    std::string m_source;
    std::string m_error;
    int m_lineNumber = 0;
    int m_propertyLines = 0;
    std::map<int, int> m_bitLinesPerType;
};

bool LineParser::parseLine(const std::string& rawLine, EvemuRecording& recording)
{
    ++m_lineNumber;
    if (rawLine.size() < 2 || rawLine[0] == '#' || rawLine[1] != ':')
        return true;
    if (rawLine[0] == 'N') {
        auto start = rawLine.find_first_not_of(' ', 2);
        description(recording).name = start == std::string::npos ? "" : rawLine.substr(start);
        return true;
    }
    std::istringstream fields(rawLine.substr(2, rawLine.find('#') - 2));
    switch (rawLine[0]) {
    case 'I': return parseIdentity(fields, description(recording));
    case 'P': return parseBits(fields, 64 * m_propertyLines++, description(recording).properties);
    case 'B': {
        int type = -1;
        if (!(fields >> std::hex >> type))
            return fail("bad bit mask line");
        std::set<uint16_t> ignored;
        auto& bits = type == 1 ? description(recording).keys : ignored;
        return parseBits(fields, 64 * m_bitLinesPerType[type]++, bits);
    }
    case 'A': return parseAxis(fields, description(recording));
    case 'E': return parseEvent(fields, recording);
    default: return true; // L: and S: lines, and anything newer, carry nothing we use
    }
}

bool LineParser::parseIdentity(std::istringstream& fields, TouchpadDescription& description)
{
    unsigned bus = 0, vendor = 0, product = 0;
    if (!(fields >> std::hex >> bus >> vendor >> product) || bus > 0xffff)
        return fail("bad device identity line");
    description.bus = uint16_t(bus);
    description.vendor = uint16_t(vendor);
    description.product = uint16_t(product);
    return true;
}

bool LineParser::parseBits(std::istringstream& fields, int base, std::set<uint16_t>& bits)
{
    unsigned byte = 0;
    for (int index = 0; fields >> std::hex >> byte; ++index) {
        if (byte > 0xff)
            return fail("bad bit mask byte");
        for (int bit = 0; bit < 8; ++bit) {
            if (byte & (1u << bit))
                bits.insert(uint16_t(base + index * 8 + bit));
        }
    }
    return true;
}

bool LineParser::parseAxis(std::istringstream& fields, TouchpadDescription& description)
{
    unsigned code = 0;
    AxisRange range;
    int32_t fuzz = 0, flat = 0;
    if (!(fields >> std::hex >> code >> std::dec >> range.minimum >> range.maximum >> fuzz >> flat))
        return fail("bad axis line");
    if (!(fields >> range.resolution))
        range.resolution = 0; // descriptions older than format 1.2 carry no resolution
    if (code > 0x3f || range.maximum < range.minimum)
        return fail("implausible axis " + std::to_string(code));
    description.axes[uint16_t(code)] = range;
    return true;
}

bool LineParser::parseEvent(std::istringstream& fields, EvemuRecording& recording)
{
    InputEvent event;
    unsigned type = 0, code = 0;
    if (!(fields >> event.time >> std::hex >> type >> code >> std::dec >> event.value))
        return fail("bad event line");
    if (type > 0x1f || code > 0x2ff)
        return fail("event type or code out of range");
    event.type = uint16_t(type);
    event.code = uint16_t(code);
    recording.events.push_back(event);
    return true;
}

}

Expected<EvemuRecording> EvemuRecording::parse(std::istream& input, const std::string& source)
{
    EvemuRecording recording;
    recording.source = source;
    LineParser parser(source);
    std::string line;
    while (std::getline(input, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!parser.parseLine(line, recording))
            return Failure { parser.error() };
    }
    if (!recording.description && recording.events.empty())
        return Failure { source + ": no device description and no events: not an evemu recording" };
    return recording;
}

Expected<EvemuRecording> EvemuRecording::load(const std::string& path)
{
    // Hours of recorded touching stay below this; a link to /dev/zero would not.
    constexpr size_t maximumRecordingSize = size_t(256) << 20;
    auto text = SafeFile::read(path, maximumRecordingSize);
    if (!text)
        return Failure { path + ": " + text.error() };
    std::istringstream input(std::move(*text));
    return parse(input, path);
}

Expected<std::vector<EvemuRecording>> EvemuRecording::loadAll(const std::vector<std::string>& paths)
{
    std::vector<EvemuRecording> recordings;
    for (const auto& path : paths) {
        auto loaded = load(path);
        if (!loaded)
            return Failure { loaded.error() };
        EvemuRecording& recording = loaded.value();
        if (recording.description) {
            recordings.push_back(std::move(recording));
            continue;
        }
        if (recordings.empty() || !recordings.back().events.empty())
            return Failure { path + ": events without a device description (name the description file first)" };
        recordings.back().events = std::move(recording.events);
        recordings.back().source += "+" + path;
    }
    return recordings;
}

}
