#include "app/commands/CommandProgress.h"

#include <iostream>

#include <unistd.h>

namespace scriblo {

CommandProgress::CommandProgress(std::string what, std::ostream& out, bool terminal)
    : m_what(std::move(what))
    , m_out(out)
    , m_terminal(terminal)
    , m_started(Clock::now())
{
}

// Where the command's own output goes to the same terminal, the lines it prints show
// how far it is, and a line rewritten in place between them would break them.
CommandProgress::CommandProgress(std::string what)
    : CommandProgress(std::move(what), std::cerr, isatty(STDERR_FILENO) == 1 && isatty(STDOUT_FILENO) != 1)
{
}

CommandProgress::~CommandProgress()
{
    clear();
}

void CommandProgress::clear()
{
    if (m_shown)
        m_out << "\r\033[K" << std::flush;
    m_shown = false;
}

void CommandProgress::advance(size_t done, size_t total, Clock::time_point now)
{
    using namespace std::chrono_literals;
    if (!m_terminal || total == 0 || now - m_started < 1s || (m_shown && now - m_lastShown < 100ms))
        return;
    m_out << "\rscriblo: " << m_what << " " << done * 100 / total << "%" << std::flush;
    m_lastShown = now;
    m_shown = true;
}

}
