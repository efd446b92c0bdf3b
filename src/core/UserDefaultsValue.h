#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace scriblo {

using Data = std::vector<uint8_t>;

// One stored preference: a boolean, an integer, a real, a text or a data block.
class UserDefaultsValue {
public:
    using Storage = std::variant<bool, int64_t, double, std::string, Data>;

    UserDefaultsValue(Storage value)
        : m_value(std::move(value)) { }

    const Storage& value() const { return m_value; }

    // A number converts directly; a text that begins with digits reads as that number;
    // anything else reads as 0.
    int64_t intValue() const;
    // Non-zero numbers are true; texts read as true when they begin with Y, y, T or t, or
    // with a non-zero number.
    bool boolValue() const;
    const Data* dataValue() const { return std::get_if<Data>(&m_value); }

    bool operator==(const UserDefaultsValue&) const = default;

private:
    Storage m_value;
};

}
