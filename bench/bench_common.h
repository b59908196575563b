#pragma once
// Timing helpers shared by the benchmark programs.

#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
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

// What a run in a child process of its own took: its wall and processor time (all threads)
// and its peak memory, which starts from the parent's resident memory at the fork. In a fresh
// process all memory comes new from the system, as in a program's first import.
struct ChildRun {
    bool ok = false;
    double wall = 0.0, cpu = 0.0, peakMb = 0.0;
};

template <typename F>
ChildRun RunInChild(F f) {
    ChildRun r;
    malloc_trim(0);        // the child starts from a small parent
    std::fflush(nullptr);  // and prints nothing of the parent's twice
    Stopwatch w;
    const pid_t pid = fork();
    if (pid == 0) {
        f();
        std::_Exit(0);
    }
    int status = 0;
    rusage u{};
    if (pid < 0 || wait4(pid, &status, 0, &u) != pid) return r;
    r.wall = w.Seconds();
    r.cpu = static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
            static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    r.peakMb = static_cast<double>(u.ru_maxrss) / 1024.0;
    r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return r;
}
