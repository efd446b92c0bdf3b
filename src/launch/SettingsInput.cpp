#include "launch/SettingsInput.h"

#include "launch/Settings.h"

#include <algorithm>
#include <limits>

namespace scriblo {

int32_t SettingsInput::leadingWholeNumber(std::string_view text)
{
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n'))
        ++at;
    bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;
    // Long runs of digits saturate instead of wrapping round into the accepted range.
    int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = std::min<int64_t>(value * 10 + (text[at] - '0'), int64_t(std::numeric_limits<int32_t>::max()) + 1);
    if (negative)
        value = -value;
    return int32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

std::optional<int32_t> SettingsInput::acceptedMinimumRecognitionScore(std::string_view text)
{
    return inRange(text, Settings::lowestMinimumRecognitionScore, Settings::highestMinimumRecognitionScore);
}

std::optional<int32_t> SettingsInput::acceptedReadingDelayTime(std::string_view text)
{
    return inRange(text, Settings::shortestReadingDelayTime, Settings::longestReadingDelayTime);
}

std::optional<int32_t> SettingsInput::inRange(std::string_view text, int32_t lowest, int32_t highest)
{
    int32_t value = leadingWholeNumber(text);
    if (value < lowest || value > highest)
        return std::nullopt;
    return value;
}

}
