#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace scriblo {

// Bad usage: the program prints the message and exits 2.
class UsageError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Unreadable or malformed input: the program prints the message and exits 1.
class InputError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The words after the program name, consumed from the front by each subcommand.
class CommandLine {
public:
    explicit CommandLine(std::vector<std::string> arguments)
        : m_arguments(std::move(arguments)) { }

    bool atEnd() const { return m_arguments.empty(); }
    std::optional<std::string> next();
    std::string required(const std::string& what);
    // A launch target's identity; an empty or blank one names no target.
    std::string requiredIdentity(const std::string& what);
    // Removes `--name VALUE` (or `--name=VALUE`) wherever it stands; an empty value is
    // bad usage, never the default.
    std::optional<std::string> takeOption(const std::string& name);
    // Removes a `--name` flag wherever it stands.
    bool takeFlag(const std::string& name);
    std::vector<std::string> rest();
    void expectEnd() const;

    // Empty, or white space only.
    static bool isBlank(const std::string& text);

private:
    std::vector<std::string> m_arguments;
};

}
