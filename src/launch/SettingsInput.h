#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace scriblo {

// What the setup window's two number fields accept. A text is read as the whole number
// it begins with (after blanks and an optional sign), 0 when it begins with none, so
// "85%" is 85 and "abc" is 0, which both ranges reject.
class SettingsInput {
public:
    static int32_t leadingWholeNumber(std::string_view text);

    static std::optional<int32_t> acceptedMinimumRecognitionScore(std::string_view text);
    static std::optional<int32_t> acceptedReadingDelayTime(std::string_view text);

private:
    static std::optional<int32_t> inRange(std::string_view text, int32_t lowest, int32_t highest);
};

}
