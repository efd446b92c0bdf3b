#include "platform/PropertyListNode.h"

#include "files/HugePages.h"

#include <cstdlib>

namespace scriblo {

int64_t PropertyListNode::signedInteger(plist_t node)
{
    uint64_t bits = 0;
    plist_get_uint_val(node, &bits);
    return int64_t(bits);
}

std::optional<UserDefaultsValue> PropertyListNode::toValue(plist_t node)
{
    if (!node)
        return std::nullopt;
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        return UserDefaultsValue(bool(value));
    }
    case PLIST_UINT:
        return UserDefaultsValue(signedInteger(node));
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return UserDefaultsValue(value);
    }
    case PLIST_STRING: {
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        return UserDefaultsValue(std::string(text ? text : "", length));
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        const auto* begin = reinterpret_cast<const uint8_t*>(bytes);
        Data copy;
        copy.reserve(length);
        HugePages::advise(copy.data(), length);
        copy.assign(begin, begin + length);
        return UserDefaultsValue(std::move(copy));
    }
    default:
        return std::nullopt;
    }
}

plist_t PropertyListNode::fromValue(const UserDefaultsValue& value)
{
    struct Converter {
        plist_t operator()(bool value) const { return plist_new_bool(value); }
        plist_t operator()(int64_t value) const { return plist_new_uint(uint64_t(value)); }
        plist_t operator()(double value) const { return plist_new_real(value); }
        plist_t operator()(const std::string& value) const { return plist_new_string(value.c_str()); }
        plist_t operator()(const Data& value) const
        {
            return plist_new_data(reinterpret_cast<const char*>(value.data()), value.size());
        }
    };
    return std::visit(Converter {}, value.value());
}

}
