#include "model/heap_reserve.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <system_error>
#include <thread>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#define QUENK_HEAP_RESERVE 1
#endif

namespace {
#ifdef QUENK_HEAP_RESERVE
constexpr std::size_t kLargePage = std::size_t{2} << 20;
// Blocks at least this large get pages of their own from the kernel instead of the heap; the
// reservation is made of pieces below it. It is also glibc's largest such threshold.
constexpr std::size_t kOwnPagesFrom = std::size_t{32} << 20;
constexpr std::size_t kPiece = std::size_t{30} << 20;
constexpr std::size_t kMaxPieces = 64;  // about 2 GB
// Smaller imports are quick anyway and not worth the calls.
constexpr std::size_t kWorthReserving = std::size_t{16} << 20;
// glibc's default: a free block at the heap's end over this size is given back.
constexpr int kDefaultTrimThreshold = 128 * 1024;

// How often the helper looks whether the front moved, when it is ahead.
constexpr auto kLookAgain = std::chrono::microseconds(500);

std::mutex g_lock;
int g_active = 0;  // reservations alive; imports may run in several documents at once
// The range the helper works in (none: both 0) and the front the import told last.
std::atomic<std::uintptr_t> g_aheadFrom{0}, g_aheadTo{0}, g_front{0};

// Marks the whole large pages inside [from, to) and answers how many bytes they are.
std::size_t MarkForLargePages(char* from, char* to) {
    const auto a = (reinterpret_cast<std::uintptr_t>(from) + kLargePage - 1) & ~(kLargePage - 1);
    const auto b = reinterpret_cast<std::uintptr_t>(to) & ~(kLargePage - 1);
    if (b <= a) return 0;
    madvise(reinterpret_cast<void*>(a), b - a, MADV_HUGEPAGE);  // a refusal only costs speed
    return b - a;
}
#endif
}  // namespace

#ifdef QUENK_HEAP_RESERVE
// The first touch of a fresh page (the kernel clears it) was the largest single cost of the
// CAD import's walk, which takes the memory of every chain. Asking the kernel to make the
// pages writable ahead (MADV_POPULATE_WRITE) leaves their contents as they are, so the helper
// never races with the blocks the heap cuts from them; it only moves the clearing to the
// other core.
class PagesAhead {
public:
    PagesAhead(std::uintptr_t from, std::uintptr_t to, std::size_t ahead) {
        g_front.store(from, std::memory_order_relaxed);
        m_thread = std::thread([this, from, to, ahead] { Run(from, to, ahead); });
        // Only once the helper runs: without it, the range stays free for a later one.
        g_aheadTo.store(to, std::memory_order_relaxed);
        g_aheadFrom.store(from, std::memory_order_relaxed);
    }
    ~PagesAhead() {
        m_stop.store(true, std::memory_order_relaxed);
        m_thread.join();
        g_aheadFrom.store(0, std::memory_order_relaxed);
        g_aheadTo.store(0, std::memory_order_relaxed);
    }
    PagesAhead(const PagesAhead&) = delete;
    PagesAhead& operator=(const PagesAhead&) = delete;

private:
    void Run(std::uintptr_t from, std::uintptr_t to, std::size_t ahead) {
        std::uintptr_t ready = from;
        while (!m_stop.load(std::memory_order_relaxed)) {
            // Pages below the front were touched by the import itself already.
            const std::uintptr_t front = std::max(from, g_front.load(std::memory_order_relaxed) & ~(kLargePage - 1));
            ready = std::max(ready, front);
            const std::uintptr_t want = std::min(to, front + ahead);
            if (ready >= want) {
                std::this_thread::sleep_for(kLookAgain);
                continue;
            }
            const std::uintptr_t next = std::min(want, ready + kLargePage);
            // A kernel without the request, or a range no longer there: the import touches
            // its pages itself, as without the helper.
            if (madvise(reinterpret_cast<void*>(ready), next - ready, MADV_POPULATE_WRITE) != 0) return;
            ready = next;
        }
    }

    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
#else
class PagesAhead {};
#endif

void NoteHeapFront([[maybe_unused]] const void* p) {
#ifdef QUENK_HEAP_RESERVE
    const auto a = reinterpret_cast<std::uintptr_t>(p);
    if (a < g_aheadFrom.load(std::memory_order_relaxed) || a >= g_aheadTo.load(std::memory_order_relaxed)) return;
    if (a > g_front.load(std::memory_order_relaxed)) g_front.store(a, std::memory_order_relaxed);
#endif
}

void AdviseLargePages([[maybe_unused]] void* block, [[maybe_unused]] std::size_t bytes) {
#ifdef QUENK_HEAP_RESERVE
    if (bytes < kWorthReserving || !HeapReserveEnabled()) return;
    char* from = static_cast<char*>(block);
    MarkForLargePages(from, from + bytes);
#endif
}

#ifdef QUENK_HEAP_RESERVE
struct PagesFromTheEnd::Helper {
    std::atomic<std::uintptr_t> reached{0};
    std::thread thread;
};
#else
struct PagesFromTheEnd::Helper {};
#endif

PagesFromTheEnd::PagesFromTheEnd([[maybe_unused]] void* block, [[maybe_unused]] std::size_t bytes) {
#ifdef QUENK_HEAP_RESERVE
    if (bytes < kWorthReserving || !HeapReserveEnabled()) return;
    const auto from = reinterpret_cast<std::uintptr_t>(block);
    const auto to = (from + bytes) & ~(kLargePage - 1);
    auto helper = std::make_unique<Helper>();
    helper->reached.store(from, std::memory_order_relaxed);
    Helper* h = helper.get();
    try {
        helper->thread = std::thread([h, from, to] {
            for (std::uintptr_t end = to; end > from;) {
                const std::uintptr_t start = end - kLargePage < from ? from : end - kLargePage;
                // Stops short of the writer: a page it is writing would only be fought over.
                if (start < h->reached.load(std::memory_order_relaxed) + kLargePage) return;
                if (madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE) != 0) return;
                end = start;
            }
        });
    } catch (const std::system_error&) {
        return;  // no second thread: the writer touches its pages itself
    }
    m_helper = std::move(helper);
#endif
}

PagesFromTheEnd::~PagesFromTheEnd() {
#ifdef QUENK_HEAP_RESERVE
    if (m_helper) {
        m_helper->reached.store(std::numeric_limits<std::uintptr_t>::max() - kLargePage, std::memory_order_relaxed);
        m_helper->thread.join();
    }
#endif
}

void PagesFromTheEnd::Reached([[maybe_unused]] const void* p) {
#ifdef QUENK_HEAP_RESERVE
    if (m_helper) m_helper->reached.store(reinterpret_cast<std::uintptr_t>(p), std::memory_order_relaxed);
#endif
}

bool HeapReserveEnabled() {
    const char* off = std::getenv("QUENK_NO_HEAP_RESERVE");
    return !(off && off[0] == '1');
}

HeapReserve::HeapReserve([[maybe_unused]] std::size_t bytes, [[maybe_unused]] std::size_t pagesAhead,
                         [[maybe_unused]] bool largePages) {
#ifdef QUENK_HEAP_RESERVE
    if (bytes < kWorthReserving || !HeapReserveEnabled()) return;
    std::lock_guard<std::mutex> hold(g_lock);
    m_active = true;
    // One helper at a time: an import inside another's reservation shares its helper.
    if (g_aheadTo.load(std::memory_order_relaxed) != 0) pagesAhead = 0;
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
    char* largest = nullptr;  // the start of the largest run, where the helper works
    std::size_t largestBytes = 0;
    const auto mark = [&] {
        if (!largePages) return;
        const std::size_t marked = MarkForLargePages(runStart, runEnd);
        if (marked > largestBytes) {
            largestBytes = marked;
            largest = runStart;
        }
    };
    for (std::size_t k = 0; k < n; ++k) {
        char* p = static_cast<char*>(pieces[k]);
        if (runStart && (p < runEnd || p - runEnd > 64)) {
            mark();
            runStart = nullptr;
        }
        if (!runStart) runStart = p;
        runEnd = p + kPiece;
    }
    if (runStart) mark();
    for (std::size_t k = n; k > 0; --k) std::free(pieces[k - 1]);
    if (pagesAhead > 0 && largestBytes > 0) {
        const auto from = (reinterpret_cast<std::uintptr_t>(largest) + kLargePage - 1) & ~(kLargePage - 1);
        try {
            m_ahead = std::make_unique<PagesAhead>(from, from + largestBytes, pagesAhead);
        } catch (const std::system_error&) {
            // No second thread: the import touches its pages itself.
        }
    }
#endif
}

HeapReserve::~HeapReserve() {
#ifdef QUENK_HEAP_RESERVE
    if (!m_active) return;
    m_ahead.reset();  // before the heap may give its pages back
    std::lock_guard<std::mutex> hold(g_lock);
    if (--g_active == 0) mallopt(M_TRIM_THRESHOLD, kDefaultTrimThreshold);
#endif
}
