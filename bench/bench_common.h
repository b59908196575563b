#pragma once
// Timing helpers shared by the benchmark programs.

#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <time.h>

class Stopwatch {
public:
    Stopwatch() : m_start(std::chrono::steady_clock::now()) {}
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }

private:
    std::chrono::steady_clock::time_point m_start;
};

// Processor time of this process so far: on a shared machine far steadier than the clock on
// the wall, which counts the time other programs had the processor.
inline double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Best of several runs of f (seconds); the first run warms caches and allocator.
template <typename F>
double BestOf(int runs, F&& f) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        Stopwatch w;
        f();
        const double s = w.Seconds();
        if (s < best) best = s;
    }
    return best;
}

// Peak resident memory of this process in megabytes.
inline double PeakRssMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

inline void Report(const char* what, double seconds, const char* target) {
    std::printf("%-60s %9.1f ms   (target %s)\n", what, seconds * 1000.0, target);
}
