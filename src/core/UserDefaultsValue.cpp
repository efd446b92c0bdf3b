#include "core/UserDefaultsValue.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace scriblo {

static int64_t leadingInteger(const std::string& text)
{
    return std::strtoll(text.c_str(), nullptr, 10);
}

int64_t UserDefaultsValue::intValue() const
{
    struct Converter {
        int64_t operator()(bool value) const { return value ? 1 : 0; }
        int64_t operator()(int64_t value) const { return value; }
        int64_t operator()(double value) const
        {
            if (!std::isfinite(value) || std::fabs(value) >= 9.2e18)
                return 0;
            return int64_t(value);
        }
        int64_t operator()(const std::string& value) const { return leadingInteger(value); }
        int64_t operator()(const Data&) const { return 0; }
    };
    return std::visit(Converter {}, m_value);
}

bool UserDefaultsValue::boolValue() const
{
    if (const auto* text = std::get_if<std::string>(&m_value)) {
        size_t start = text->find_first_not_of(" \t\n");
        if (start == std::string::npos)
            return false;
        char first = char(std::tolower((*text)[start]));
        return first == 'y' || first == 't' || leadingInteger(*text) != 0;
    }
    if (const auto* real = std::get_if<double>(&m_value))
        return *real != 0;
    return intValue() != 0;
}

}
