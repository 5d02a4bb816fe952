#pragma once

#include <algorithm>
#include <ctime>

// CPU time of the calling thread. On a machine shared with other work, time
// spent waiting for a core does not count, so two paths timed one after the
// other in the same run can be compared even when the load changes.
namespace ThreadCpuClock
{
inline double now() noexcept
{
    timespec t;
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &t);
    return (double) t.tv_sec + 1e-9 * (double) t.tv_nsec;
}

// What one reading of the clock itself costs (a system call, about a
// microsecond on a virtual machine): taken off every interval measured.
inline double readingCost() noexcept
{
    static const double cost = [] {
        constexpr int readings = 2000;
        double best = 1.0;
        for (int attempt = 0; attempt < 5; ++attempt)
        {
            const double start = now();
            for (int i = 1; i < readings; ++i)
                now();
            best = std::min (best, (now() - start) / readings);
        }
        return best;
    }();
    return cost;
}

// Seconds of thread CPU time `work` takes.
template <typename Work>
double measure (Work&& work)
{
    const double start = now();
    work();
    return std::max (0.0, now() - start - readingCost());
}
} // namespace ThreadCpuClock
