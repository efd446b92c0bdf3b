#include "app/commands/CommandLine.h"

#include <algorithm>
#include <utility>

namespace scriblo {

std::optional<std::string> CommandLine::next()
{
    if (m_arguments.empty())
        return std::nullopt;
    std::string word = m_arguments.front();
    m_arguments.erase(m_arguments.begin());
    return word;
}

std::string CommandLine::required(const std::string& what)
{
    auto word = next();
    if (!word)
        throw UsageError("missing " + what);
    return *word;
}

std::string CommandLine::requiredIdentity(const std::string& what)
{
    std::string identity = required(what);
    if (isBlank(identity))
        throw UsageError("an identity cannot be empty or blank");
    return identity;
}

std::optional<std::string> CommandLine::takeOption(const std::string& name)
{
    for (size_t i = 0; i < m_arguments.size(); ++i) {
        const std::string& word = m_arguments[i];
        std::optional<std::string> value;
        if (word == name) {
            if (i + 1 >= m_arguments.size())
                throw UsageError(name + " needs a value");
            value = m_arguments[i + 1];
            m_arguments.erase(m_arguments.begin() + long(i), m_arguments.begin() + long(i) + 2);
        } else if (word.rfind(name + "=", 0) == 0) {
            value = word.substr(name.size() + 1);
            m_arguments.erase(m_arguments.begin() + long(i));
        } else {
            continue;
        }
        if (value->empty())
            throw UsageError(name + " needs a value");
        return value;
    }
    return std::nullopt;
}

bool CommandLine::takeFlag(const std::string& name)
{
    auto found = std::find(m_arguments.begin(), m_arguments.end(), name);
    if (found == m_arguments.end())
        return false;
    m_arguments.erase(found);
    return true;
}

std::vector<std::string> CommandLine::rest()
{
    return std::exchange(m_arguments, {});
}

void CommandLine::expectEnd() const
{
    if (!m_arguments.empty())
        throw UsageError("unexpected argument '" + m_arguments.front() + "'");
}

bool CommandLine::isBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\n\r\f\v") == std::string::npos;
}

}
