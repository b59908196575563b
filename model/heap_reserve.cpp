#include "model/heap_reserve.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <mutex>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#define QUENK_HEAP_RESERVE 1
#endif

namespace {
#ifdef QUENK_HEAP_RESERVE
constexpr std::size_t kLargePage = std::size_t{2} << 20;
constexpr std::uintptr_t kSmallPage = 4096;
// Blocks at least this large get pages of their own from the kernel instead of the heap; the
// reservation is made of pieces below it. It is also glibc's largest such threshold.
constexpr std::size_t kOwnPagesFrom = std::size_t{32} << 20;
constexpr std::size_t kPiece = std::size_t{30} << 20;
constexpr std::size_t kMaxPieces = 64;  // about 2 GB
// Smaller imports are quick anyway and not worth the calls.
constexpr std::size_t kWorthReserving = std::size_t{16} << 20;
// glibc's default: a free block at the heap's end over this size is given back.
constexpr int kDefaultTrimThreshold = 128 * 1024;
// TouchAhead stays this far ahead of the frontier: the import's memory grows by at most this
// much beyond what it uses.
constexpr std::size_t kTouchAhead = 4 * kLargePage;

std::mutex g_lock;
int g_active = 0;  // reservations alive; imports may run in several documents at once

void MarkForLargePages(char* from, char* to) {
    const auto a = (reinterpret_cast<std::uintptr_t>(from) + kLargePage - 1) & ~(kLargePage - 1);
    const auto b = reinterpret_cast<std::uintptr_t>(to) & ~(kLargePage - 1);
    if (b > a) madvise(reinterpret_cast<void*>(a), b - a, MADV_HUGEPAGE);  // a refusal only costs speed
}
#endif
}  // namespace

void AdviseLargePages([[maybe_unused]] void* block, [[maybe_unused]] std::size_t bytes) {
#ifdef QUENK_HEAP_RESERVE
    if (bytes < kWorthReserving || !HeapReserveEnabled()) return;
    char* from = static_cast<char*>(block);
    MarkForLargePages(from, from + bytes);
#endif
}

bool HeapReserveEnabled() {
    const char* off = std::getenv("QUENK_NO_HEAP_RESERVE");
    return !(off && off[0] == '1');
}

HeapReserve::HeapReserve([[maybe_unused]] std::size_t bytes) {
#ifdef QUENK_HEAP_RESERVE
    if (bytes < kWorthReserving || !HeapReserveEnabled()) return;
    std::lock_guard<std::mutex> hold(g_lock);
    m_active = true;
    if (g_active++ == 0) {
        // Blocks of the import below 32 MB come from the heap and its large pages, and what
        // is freed during the import stays for its next chains instead of going back.
        mallopt(M_MMAP_THRESHOLD, static_cast<int>(kOwnPagesFrom));
        mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
    }
    // Pieces taken one after the other from the heap's end lie one behind the other; freed,
    // they become the heap's free end again, from which the import's blocks are cut.
    std::array<void*, kMaxPieces> pieces{};
    std::size_t n = 0;
    for (std::size_t got = 0; got < bytes && n < kMaxPieces; got += kPiece) {
        pieces[n] = std::malloc(kPiece);
        if (!pieces[n]) break;
        ++n;
    }
    char* runStart = nullptr;
    char* runEnd = nullptr;
    for (std::size_t k = 0; k < n; ++k) {
        char* p = static_cast<char*>(pieces[k]);
        if (runStart && (p < runEnd || p - runEnd > 64)) {
            MarkForLargePages(runStart, runEnd);
            if (!m_from) {
                m_from = runStart;
                m_to = runEnd;
            }
            runStart = nullptr;
        }
        if (!runStart) runStart = p;
        runEnd = p + kPiece;
    }
    if (runStart) MarkForLargePages(runStart, runEnd);
    if (runStart && !m_from) {
        m_from = runStart;
        m_to = runEnd;
    }
    m_touched = m_from;
    for (std::size_t k = n; k > 0; --k) std::free(pieces[k - 1]);
#endif
}

bool HeapReserve::CanTouchAhead() const {
#if defined(QUENK_HEAP_RESERVE) && defined(MADV_POPULATE_WRITE)
    return m_from != nullptr;
#else
    return false;
#endif
}

bool HeapReserve::TouchAhead([[maybe_unused]] const void* frontier) {
#if defined(QUENK_HEAP_RESERVE) && defined(MADV_POPULATE_WRITE)
    const auto at = reinterpret_cast<std::uintptr_t>(frontier);
    const auto from = reinterpret_cast<std::uintptr_t>(m_from);
    const auto to = reinterpret_cast<std::uintptr_t>(m_to) & ~(kSmallPage - 1);
    if (!m_from || at < from || at >= to) return false;
    // Pages behind the frontier were brought in by the allocating thread itself.
    const std::uintptr_t touched =
        (std::max(reinterpret_cast<std::uintptr_t>(m_touched), at) + kSmallPage - 1) & ~(kSmallPage - 1);
    const std::uintptr_t end = std::min(to, (touched + kLargePage) & ~(kLargePage - 1));
    if (touched >= std::min(to, at + kTouchAhead) || end <= touched) return false;
    // Asks the kernel to fault the pages in as if written; a refusal (an older kernel) only
    // costs speed, and the next call stops at once.
    if (madvise(reinterpret_cast<void*>(touched), end - touched, MADV_POPULATE_WRITE) != 0) {
        m_from = m_to = nullptr;
        return false;
    }
    m_touched = reinterpret_cast<char*>(end);
    return true;
#else
    return false;
#endif
}

HeapReserve::~HeapReserve() {
#ifdef QUENK_HEAP_RESERVE
    if (!m_active) return;
    std::lock_guard<std::mutex> hold(g_lock);
    if (--g_active == 0) mallopt(M_TRIM_THRESHOLD, kDefaultTrimThreshold);
#endif
}
