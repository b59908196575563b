#include "model/progress.h"

#include <algorithm>

#include "model/core_context.h"

int ProgressPercent(std::size_t done, std::size_t total) {
    if (total == 0 || done >= total) return 100;
    // In doubles: a hundred times a count near the end of size_t would wrap.
    return static_cast<int>(100.0 * static_cast<double>(done) / static_cast<double>(total));
}

ProgressTicker::ProgressTicker(std::size_t total) : ProgressTicker(total, Ui()) {}

ProgressTicker::ProgressTicker(std::size_t total, Interaction& ui)
    : m_ui(ui), m_total(total), m_lastReport(std::chrono::steady_clock::now()) {}

void ProgressTicker::Report(std::size_t done) {
    done = std::min(done, m_total);
    if (done <= m_shown) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastReport < CurrentContext().progressInterval) return;
    m_lastReport = now;
    m_shown = done;
    m_ui.Progress(done, m_total);
}

void ProgressTicker::Finish() {
    if (m_finished) return;
    m_finished = true;
    // A last report of the total may have gone out already.
    if (m_shown == m_total && m_total != 0) return;
    m_shown = m_total;
    m_ui.Progress(m_total, m_total);
}
