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
    // Removes `--name VALUE` (or `--name=VALUE`) wherever it stands.
    std::optional<std::string> takeOption(const std::string& name);
    // Removes a `--name` flag wherever it stands.
    bool takeFlag(const std::string& name);
    std::vector<std::string> rest();
    void expectEnd() const;

private:
    std::vector<std::string> m_arguments;
};

}
