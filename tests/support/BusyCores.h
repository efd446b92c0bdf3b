#pragma once

#include <csignal>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace scriblo::testing {

// Keeps the machine's cores busy while it lives, as a build or a video encode would:
// `loops` processes that spin at the ordinary priority, twice as many as two cores run.
class BusyCores {
public:
    explicit BusyCores(int loops = 4)
    {
        for (int loop = 0; loop < loops; ++loop) {
            pid_t child = fork();
            if (child == 0) {
                for (volatile unsigned long spin = 0;;)
                    spin = spin + 1;
            }
            if (child > 0)
                m_children.push_back(child);
        }
    }
    ~BusyCores()
    {
        for (pid_t child : m_children)
            kill(child, SIGKILL);
        for (pid_t child : m_children)
            waitpid(child, nullptr, 0);
    }
    BusyCores(const BusyCores&) = delete;
    BusyCores& operator=(const BusyCores&) = delete;

private:
    std::vector<pid_t> m_children;
};

}
