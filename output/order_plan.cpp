// The order itself: tool phases that keep containment, and within each phase the open chains
// and then the closed contours, each block by nearest neighbour and 2-opt.

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

#include "output/near_grid.h"
#include "output/order_plan.h"

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFFu;
// Candidates per item for the 2-opt moves, and the passes over a block: beyond these the
// gains are small while the time grows with every contour.
constexpr std::size_t kNeighbours = 8;
constexpr int kPasses = 6;
// A move must gain more than this to count, so that rounding never makes the passes cycle.
constexpr double kGain = 1e-9;

double Dist(const CPunkt& a, const CPunkt& b) {
    const double d = std::hypot(a.x - b.x, a.y - b.y);
    return std::isfinite(d) ? d : 0.0;
}

// What the items of one block need: the items that lie inside each (its predecessors) are
// found through the containment lists the other way round.
struct Relations {
    const OrderInput& in;
    const Containment& c;
    std::vector<std::uint32_t> innerFirst, inner;

    Relations(const OrderInput& input, const Containment& cont) : in(input), c(cont) {
        const std::size_t n = in.items.size();
        innerFirst.assign(n + 1, 0);
        for (std::uint32_t a : c.outer) ++innerFirst[a + 1];
        std::partial_sum(innerFirst.begin(), innerFirst.end(), innerFirst.begin());
        inner.resize(c.outer.size());
        std::vector<std::uint32_t> fill(innerFirst.begin(), innerFirst.end() - 1);
        for (std::uint32_t b = 0; b < n; ++b)
            for (std::uint32_t k = c.outerFirst[b]; k < c.outerFirst[b + 1]; ++k) inner[fill[c.outer[k]]++] = b;
    }
};

class BlockOrder {
public:
    BlockOrder(const Relations& r, const std::vector<std::uint32_t>& block, std::vector<std::uint32_t>& localOf)
        : m_r(r), m_block(block), m_localOf(localOf), m_n(block.size()) {
        for (std::uint32_t k = 0; k < m_n; ++k) {
            m_localOf[block[k]] = k;
            m_entry.push_back(r.in.items[block[k]].entry);
            m_exit.push_back(r.in.items[block[k]].exit);
        }
    }
    ~BlockOrder() {
        for (std::uint32_t g : m_block) m_localOf[g] = kNone;
    }

    // Global item numbers in milling order, starting at from.
    std::vector<std::uint32_t> Run(const CPunkt& from) {
        m_from = from;
        NearestFirst();
        TwoOpt();
        std::vector<std::uint32_t> out(m_n);
        for (std::size_t k = 0; k < m_n; ++k) out[k] = m_block[m_seq[k]];
        return out;
    }

private:
    template <typename F>
    void ForOuters(std::uint32_t local, F&& f) const {
        const std::uint32_t g = m_block[local];
        for (std::uint32_t k = m_r.c.outerFirst[g]; k < m_r.c.outerFirst[g + 1]; ++k)
            if (const std::uint32_t a = m_localOf[m_r.c.outer[k]]; a != kNone) f(a);
    }

    void NearestFirst() {
        std::vector<std::uint32_t> pending(m_n, 0);
        for (std::uint32_t k = 0; k < m_n; ++k) ForOuters(k, [&](std::uint32_t a) { ++pending[a]; });
        NearGrid ready(m_entry);
        for (std::uint32_t k = 0; k < m_n; ++k)
            if (pending[k] == 0) ready.Insert(k);
        CPunkt at = m_from;
        m_seq.clear();
        while (ready.Size() > 0) {
            const auto k = static_cast<std::uint32_t>(ready.Nearest(at));
            ready.Remove(k);
            m_seq.push_back(k);
            at = m_exit[k];
            ForOuters(k, [&](std::uint32_t a) {
                if (--pending[a] == 0) ready.Insert(a);
            });
        }
        // Only a block taken without regard to containment leaves items waiting here.
        for (std::uint32_t k = 0; k < m_n && m_seq.size() < m_n; ++k)
            if (pending[k] > 0) m_seq.push_back(k);
    }

    // Forward and backward running costs of the sequence from position i on, for moves that
    // are weighed in constant time.
    void Prefix(std::size_t i) {
        for (std::size_t k = i; k + 1 < m_n; ++k) {
            m_fwd[k + 1] = m_fwd[k] + Dist(m_exit[m_seq[k]], m_entry[m_seq[k + 1]]);
            m_bwd[k + 1] = m_bwd[k] + Dist(m_exit[m_seq[k + 1]], m_entry[m_seq[k]]);
        }
        for (std::size_t k = i; k < m_n; ++k) m_pos[m_seq[k]] = static_cast<std::uint32_t>(k);
    }

    // Reversing positions i..j mills every pair in it the other way round: not allowed when
    // one of them lies inside the other.
    bool MayReverse(std::size_t i, std::size_t j) const {
        for (std::size_t k = i; k <= j; ++k) {
            bool blocked = false;
            ForOuters(m_seq[k], [&](std::uint32_t a) { blocked |= m_pos[a] > k && m_pos[a] <= j; });
            if (blocked) return false;
        }
        return true;
    }

    void TwoOpt() {
        if (m_n < 3) return;
        std::vector<std::uint32_t> near(m_n * kNeighbours, kNone);
        {
            NearGrid all(m_entry);
            for (std::uint32_t k = 0; k < m_n; ++k) all.Insert(k);
            std::vector<std::uint32_t> found;
            for (std::uint32_t k = 0; k < m_n; ++k) {
                all.KNearest(m_exit[k], kNeighbours, k, found);
                std::copy(found.begin(), found.end(), near.begin() + static_cast<std::ptrdiff_t>(k * kNeighbours));
            }
        }
        m_fwd.assign(m_n, 0.0);
        m_bwd.assign(m_n, 0.0);
        m_pos.assign(m_n, 0);
        Prefix(0);
        for (int pass = 0; pass < kPasses; ++pass) {
            bool improved = false;
            for (std::size_t i = 1; i < m_n; ++i) {
                const std::uint32_t before = m_seq[i - 1];
                for (std::size_t t = 0; t < kNeighbours; ++t) {
                    const std::uint32_t b = near[before * kNeighbours + t];
                    if (b == kNone) break;
                    const std::size_t j = m_pos[b];
                    if (j <= i) continue;
                    const CPunkt& prev = m_exit[before];
                    double gain = Dist(prev, m_entry[m_seq[i]]) + (m_fwd[j] - m_fwd[i]) -
                                  Dist(prev, m_entry[m_seq[j]]) - (m_bwd[j] - m_bwd[i]);
                    if (j + 1 < m_n)
                        gain += Dist(m_exit[m_seq[j]], m_entry[m_seq[j + 1]]) -
                                Dist(m_exit[m_seq[i]], m_entry[m_seq[j + 1]]);
                    if (gain <= kGain || !MayReverse(i, j)) continue;
                    std::reverse(m_seq.begin() + static_cast<std::ptrdiff_t>(i),
                                 m_seq.begin() + static_cast<std::ptrdiff_t>(j) + 1);
                    Prefix(i);
                    improved = true;
                    break;
                }
            }
            if (!improved) break;
        }
    }

    const Relations& m_r;
    const std::vector<std::uint32_t>& m_block;
    std::vector<std::uint32_t>& m_localOf;
    std::size_t m_n;
    std::vector<CPunkt> m_entry, m_exit;
    CPunkt m_from;
    std::vector<std::uint32_t> m_seq, m_pos;
    std::vector<double> m_fwd, m_bwd;
};

// The items in blocks: one tool at a time, its open chains before its closed contours. A tool
// whose items wait for nothing of another tool takes all of them, the smallest such tool
// first; when every tool waits for another (a contour of tool 2 in a hole of tool 1 whose part
// holds a hole of tool 2), the smallest tool with something ready mills what it can, and
// comes again later.
std::vector<std::vector<std::uint32_t>> Blocks(const Relations& r) {
    const std::size_t n = r.in.items.size();
    std::vector<std::uint32_t> byArea(n);
    std::iota(byArea.begin(), byArea.end(), 0u);
    // The smaller contour first: everything inside a contour comes before it in this order.
    std::stable_sort(byArea.begin(), byArea.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return r.c.area[a] < r.c.area[b]; });
    std::map<std::int32_t, std::size_t> left;
    for (const OrderItem& it : r.in.items) ++left[it.tool];
    std::vector<std::uint8_t> done(n, 0), taking(n, 0);
    auto waitsOnOther = [&](std::uint32_t x, std::int32_t tool) {
        for (std::uint32_t k = r.innerFirst[x]; k < r.innerFirst[x + 1]; ++k)
            if (const std::uint32_t y = r.inner[k]; !done[y] && r.in.items[y].tool != tool) return true;
        return false;
    };
    auto ready = [&](std::uint32_t x) {
        for (std::uint32_t k = r.innerFirst[x]; k < r.innerFirst[x + 1]; ++k)
            if (!done[r.inner[k]] && !taking[r.inner[k]]) return false;
        return true;
    };
    std::vector<std::vector<std::uint32_t>> blocks;
    while (!left.empty()) {
        std::int32_t tool = left.begin()->first;
        bool free = false;
        for (const auto& [t, count] : left) {
            free = std::none_of(byArea.begin(), byArea.end(), [&, t = t](std::uint32_t x) {
                return !done[x] && r.in.items[x].tool == t && waitsOnOther(x, t);
            });
            if (free) {
                tool = t;
                break;
            }
        }
        if (!free) {
            std::int32_t best = 0;
            bool found = false;
            for (std::uint32_t x : byArea)
                if (!done[x] && ready(x) && (!found || r.in.items[x].tool < best)) {
                    best = r.in.items[x].tool;
                    found = true;
                }
            tool = best;
        }
        std::vector<std::uint32_t> open, closed;
        for (std::uint32_t x : byArea) {
            if (done[x] || r.in.items[x].tool != tool || !ready(x)) continue;
            taking[x] = 1;
            (r.in.items[x].open ? open : closed).push_back(x);
        }
        // Containment has no cycle, so some item is always ready; should that ever fail, the
        // tool's items are milled as they are rather than the loop running for ever.
        if (open.empty() && closed.empty())
            for (std::uint32_t x : byArea)
                if (!done[x] && r.in.items[x].tool == tool) closed.push_back(x);
        for (auto* block : {&open, &closed}) {
            std::sort(block->begin(), block->end());  // drawing order, for the fallback
            for (std::uint32_t x : *block) done[x] = 1, taking[x] = 0;
            if (block->empty()) continue;
            left[tool] -= block->size();
            blocks.push_back(std::move(*block));
        }
        if (left[tool] == 0) left.erase(tool);
    }
    return blocks;
}

}  // namespace

double TravelOf(const OrderInput& in, const std::vector<std::uint32_t>& order) {
    double travel = 0.0;
    CPunkt at = in.start;
    for (std::uint32_t k : order) {
        travel += Dist(at, in.items[k].entry);
        at = in.items[k].exit;
    }
    return travel;
}

std::vector<std::uint32_t> PlanOrder(const OrderInput& in) {
    const Containment c = FindContainment(in);
    const Relations r(in, c);
    const auto blocks = Blocks(r);
    std::vector<std::uint32_t> localOf(in.items.size(), kNone);
    std::vector<std::uint32_t> planned, listed;
    CPunkt at = in.start;
    for (const auto& block : blocks) {
        const auto part = BlockOrder(r, block, localOf).Run(at);
        planned.insert(planned.end(), part.begin(), part.end());
        listed.insert(listed.end(), block.begin(), block.end());
        at = in.items[planned.back()].exit;
    }
    // The drawing order within the same blocks, where it keeps containment, is the order the
    // operator would otherwise click; the plan never travels further than it.
    if (KeepsContainment(c, listed) && TravelOf(in, listed) < TravelOf(in, planned)) return listed;
    return planned;
}
