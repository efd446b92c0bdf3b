#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace scriblo {

// Says how far a long step of a command has come, on one line of the terminal that
// standard error is, rewritten in place: only once the step has taken a second, at most
// ten times a second, and never into a file or a pipe, where it would be noise.
class CommandProgress {
public:
    using Clock = std::chrono::steady_clock;

    CommandProgress(std::string what, std::ostream& out, bool terminal);
    // On the terminal standard error is, if it is one and standard output is not.
    explicit CommandProgress(std::string what);
    ~CommandProgress();
    CommandProgress(const CommandProgress&) = delete;
    CommandProgress& operator=(const CommandProgress&) = delete;

    void advance(size_t done, size_t total, Clock::time_point now = Clock::now());
    // Clears the line, so that a message printed next starts on a clean one.
    void clear();

private:
    std::string m_what;
    std::ostream& m_out;
    bool m_terminal;
    Clock::time_point m_started;
    Clock::time_point m_lastShown;
    bool m_shown = false;
};

}
