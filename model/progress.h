#pragma once
// The progress of long work (an import, the joining, the radius correction, a program
// written) for the front end's status bar. The loop calls Tick with the steps it has done;
// only every kStride-th call reads the clock, and the front end hears of the work at most
// once per interval and once more when it is over. So a loop over a million chains pays a
// counter and a compare per step, and the front end is not flooded by fast work.
//
// Only the thread that owns the front end may tick: work on helper threads does not report.

#include <chrono>
#include <cstddef>

class Interaction;

// done of total as whole percent, rounded down; 100 for work of no steps.
int ProgressPercent(std::size_t done, std::size_t total);

class ProgressTicker {
public:
    // Calls between two looks at the clock.
    static constexpr unsigned kStride = 256;

    // Work of `total` steps, reported to the current front end.
    explicit ProgressTicker(std::size_t total);
    ProgressTicker(std::size_t total, Interaction& ui);

    // `done` steps of the total are done. Reports never go back and never pass the total.
    void Tick(std::size_t done) {
        if (++m_calls < kStride) return;
        m_calls = 0;
        Report(done);
    }
    // The work is over: the front end hears total of total, once.
    void Finish();

private:
    void Report(std::size_t done);

    Interaction& m_ui;
    std::size_t m_total;
    std::size_t m_shown = 0;
    unsigned m_calls = 0;
    bool m_finished = false;
    std::chrono::steady_clock::time_point m_lastReport;
};
