#pragma once

#include <algorithm>
#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

#include <sched.h>

namespace scriblo {

// Splits the items [0, count) into `workers` consecutive runs and calls
// run(worker, first, length) for each, every run but the first on a thread of its own
// and the first on the caller's. Out of threads, a run goes on the caller's as well. A
// failure is rethrown once every run has ended, the earliest run's first.
class ParallelRuns {
public:
    // The processors this process may run on, which a container or taskset may make
    // fewer than the machine has.
    static size_t processors()
    {
        static const size_t count = [] {
            cpu_set_t usable;
            if (sched_getaffinity(0, sizeof usable, &usable) == 0)
                return size_t(std::max(CPU_COUNT(&usable), 1));
            return size_t(std::max(std::thread::hardware_concurrency(), 1u));
        }();
        return count;
    }

    template <class Run>
    static void run(size_t count, size_t workers, Run run)
    {
        workers = std::clamp<size_t>(workers, 1, std::max<size_t>(count, 1));
        size_t length = (count + workers - 1) / workers;
        std::vector<std::exception_ptr> failures(workers);
        auto guarded = [&](size_t worker) {
            try {
                size_t first = std::min(worker * length, count);
                run(worker, first, std::min(length, count - first));
            } catch (...) {
                failures[worker] = std::current_exception();
            }
        };
        std::vector<std::thread> threads;
        for (size_t worker = 1; worker < workers; ++worker) {
            try {
                threads.emplace_back(guarded, worker);
            } catch (const std::system_error&) {
                guarded(worker);
            }
        }
        guarded(0);
        for (auto& thread : threads)
            thread.join();
        for (const auto& failure : failures)
            if (failure)
                std::rethrow_exception(failure);
    }
};

}
