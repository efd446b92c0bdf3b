#pragma once

#include <string>
#include <utility>
#include <variant>

namespace scriblo {

// Why something from outside (a file, a device) could not be used, in words for the user.
struct Failure {
    std::string message;
};

// The value of an operation that yields nothing but may fail.
using Done = std::monostate;

// A value, or the failure that prevented it. A caller that acts on why, not only tells
// it, gets a failure that carries its cause (a type derived from Failure), so it never
// has to work the cause out again.
template <class Value, class Error = Failure>
class [[nodiscard]] Expected {
public:
    Expected(Value value) : m_content(std::move(value)) { }
    Expected(Error failure) : m_content(std::move(failure)) { }

    bool hasValue() const { return std::holds_alternative<Value>(m_content); }
    explicit operator bool() const { return hasValue(); }
    Value& value() { return std::get<Value>(m_content); }
    const Value& value() const { return std::get<Value>(m_content); }
    Value& operator*() { return value(); }
    const Value& operator*() const { return value(); }
    Value* operator->() { return &value(); }
    const Value* operator->() const { return &value(); }
    const std::string& error() const { return failure().message; }
    const Error& failure() const { return std::get<Error>(m_content); }

private:
    std::variant<Value, Error> m_content;
};

}
