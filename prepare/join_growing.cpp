#include "prepare/join_growing.h"

#include <cmath>
#include <limits>

#include "model/vector.h"
#include "prepare/join_detail.h"

namespace join_detail {

namespace {
// Below this many points a chain that gets points in front keeps them in order: moving them
// costs less than the block with room at both ends.
constexpr std::size_t kLongChain = 1024;
// The tests of new starts against every old point may read this many times the chain's
// points in all; a chain that gets more points in front than that keeps its points by cell.
// Only a chain drawn backwards stroke by stroke comes to that, and nothing else pays for cells.
constexpr std::size_t kReadsPerPoint = 4;
// Points nearer than the clean-up's distance lie in the same or a neighbouring cell.
constexpr double kCell = 2 * kNearDuplicate;

std::int64_t CellOf(double v) {
    const double c = std::floor(v / kCell);
    // Far out, near points have equal coordinates and so equal cells, saturated or not.
    if (!(c > -9.0e18)) return std::numeric_limits<std::int64_t>::min();
    if (!(c < 9.0e18)) return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(c);
}

// Cells that share a key only cost a test more: every candidate is tested exactly.
std::uint64_t KeyOf(std::uint64_t cx, std::uint64_t cy) {
    return cx * 0x9E3779B97F4A7C15ull ^ (cy + 0x632BE59BD9B4E019ull);
}

std::uint64_t KeyOf(const CPunkt& q) {
    return KeyOf(static_cast<std::uint64_t>(CellOf(q.x)), static_cast<std::uint64_t>(CellOf(q.y)));
}
}  // namespace

void GrowingChain::Join(CVector& a, CVector& b, bool aCurrent, std::uint8_t& aMade, bool bMade, SpentPoints& spent,
                        DirectionNotes& notes) {
    if (m_held != Held::BothEnds && EndsTouching(a, b).AtFront() && static_cast<std::size_t>(a.PointCount()) >= kLongChain &&
        TakesBothEnds(a, aCurrent)) {
        Finish(a);
        BeginBothEnds(a, spent, aMade != 0);
        aMade = 1;
        m_held = Held::BothEnds;
    }
    if (m_held == Held::BothEnds) {
        if (JoinBothEnds(a, b, spent, bMade, notes)) return;
        Finish(a);
    }
    if (m_held == Held::InPlace) {
        std::vector<CPunkt>& points = a.m_points.Raw();
        m_inOrder.assign(points.begin(), points.end());
        points.swap(m_inOrder);
        spent.Release(m_inOrder, aMade != 0);
        aMade = 1;
        m_held = Held::InOrder;
    }
    JoinTouchingPair(a, b, aCurrent ? ChainPoints::Unchanged : ChainPoints::MayHaveChanged, spent, aMade, bMade, notes);
}

void GrowingChain::Finish(CVector& a) {
    if (m_held == Held::InOrder) {
        std::vector<CPunkt>& points = a.m_points.Raw();
        std::vector<CPunkt> exact(points.begin(), points.end());
        points.swap(exact);
        m_inOrder.swap(exact);
        m_inOrder.clear();
    } else if (m_held == Held::BothEnds) {
        std::vector<CPunkt> exact(m_block.begin() + static_cast<std::ptrdiff_t>(m_head),
                                  m_block.begin() + static_cast<std::ptrdiff_t>(m_tail));
        a.TakeGrownPoints(exact, m_box.minX, m_box.maxX, m_box.minY, m_box.maxY);
    }
    m_held = Held::InPlace;
}

bool GrowingChain::TakesBothEnds(const CVector& a, bool aCurrent) {
    return aCurrent && !a.m_empty && !a.m_closed && a.m_settled;
}

void GrowingChain::BeginBothEnds(CVector& a, SpentPoints& spent, bool aMade) {
    std::vector<CPunkt>& points = a.m_points.Raw();
    m_head = m_tail = m_block.size() / 2;
    MakeRoom(0, points.size());
    std::copy(points.begin(), points.end(), m_block.begin() + static_cast<std::ptrdiff_t>(m_tail));
    m_tail += points.size();
    spent.Release(points, aMade);
    m_box = {a.m_minX, a.m_maxX, a.m_minY, a.m_maxY};
    m_cells.clear();
    m_indexed = false;
    m_read = 0;
    m_firstPlace = 0;
}

void GrowingChain::MakeRoom(std::size_t front, std::size_t back) {
    if (m_head >= front && m_block.size() - m_tail >= back) return;
    const std::size_t size = Size();
    std::vector<CPunkt> block(2 * (size + front + back) + 64);
    const std::size_t head = front + (block.size() - size - front - back) / 2;
    const auto from = m_block.begin() + static_cast<std::ptrdiff_t>(m_head);
    std::copy(from, from + static_cast<std::ptrdiff_t>(size), block.begin() + static_cast<std::ptrdiff_t>(head));
    m_block.swap(block);
    m_head = head;
    m_tail = head + size;
}

void GrowingChain::IndexPoints(std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k)
        m_cells.emplace(KeyOf(Point(k)), m_firstPlace + static_cast<std::int64_t>(k));
}

bool GrowingChain::InteriorNear(const CPunkt& s) {
    const std::size_t old = Size();
    if (old < 3) return false;
    if (!m_indexed && m_read + old <= kReadsPerPoint * old) {
        m_read += old;
        return AnyNearStart([this](std::size_t k) -> const CPunkt& { return Point(k); }, s, 1, old - 1);
    }
    if (!m_indexed) {
        m_cells.reserve(2 * old);
        IndexPoints(0, old);
        m_indexed = true;
    }
    const auto cx = static_cast<std::uint64_t>(CellOf(s.x));
    const auto cy = static_cast<std::uint64_t>(CellOf(s.y));
    for (std::uint64_t dx : {~std::uint64_t{0}, std::uint64_t{0}, std::uint64_t{1}})
        for (std::uint64_t dy : {~std::uint64_t{0}, std::uint64_t{0}, std::uint64_t{1}}) {
            const auto [first, last] = m_cells.equal_range(KeyOf(cx + dx, cy + dy));
            for (auto it = first; it != last; ++it) {
                const std::int64_t k = it->second - m_firstPlace;
                if (k >= 1 && k + 1 < static_cast<std::int64_t>(old) &&
                    Nearer(s, Point(static_cast<std::size_t>(k)), kNearDuplicate))
                    return true;
            }
        }
    return false;
}

bool GrowingChain::JoinBothEnds(CVector& a, CVector& b, SpentPoints& spent, bool bMade, DirectionNotes& notes) {
    const std::vector<CPunkt>& pb = b.m_points.Raw();
    const std::size_t k = pb.size();
    if (k < 2) return false;
    const TouchingEnds ends = EndsTouching(a, b);
    if (ends.startStart + ends.startEnd + ends.endStart + ends.endEnd != 1) return false;
    // The points B gives, in the order they take in A (see JoinTouchingPair).
    const std::size_t added = k - 1;
    const auto given = [&](std::size_t t) -> const CPunkt& {
        if (ends.startStart) return pb[k - 1 - t];
        if (ends.startEnd) return pb[t];
        if (ends.endStart) return pb[1 + t];
        return pb[k - 2 - t];
    };
    const bool atFront = ends.AtFront();
    const std::size_t old = Size();
    const std::size_t n = old + added;
    const auto at = [&](std::size_t i) -> const CPunkt& {
        if (atFront) return i < added ? given(i) : Point(i - added);
        return i < old ? Point(i) : given(i - old);
    };
    if (n >= 3 && at(0) == at(n - 1)) return false;  // A closes: its direction needs all points
    if (AnySeamNeedsWork(at, old, added, atFront)) return false;
    if (atFront && InteriorNear(at(0))) return false;

    FoldedBox box;
    for (std::size_t t = 0; t < added; ++t) box.Add(given(t));
    if (atFront) {
        MakeRoom(added, 0);
        for (std::size_t t = 0; t < added; ++t) m_block[m_head - added + t] = given(t);
        m_head -= added;
        m_firstPlace -= static_cast<std::int64_t>(added);
        box.FollowedBy(m_box);
        m_box = box;
        if (m_indexed) IndexPoints(0, added);
    } else {
        MakeRoom(0, added);
        for (std::size_t t = 0; t < added; ++t) m_block[m_tail + t] = given(t);
        m_tail += added;
        m_box.FollowedBy(box);
        if (m_indexed) IndexPoints(old, n);
    }
    // What the walk reads of A before the next partner; the rest waits for Finish. A stays
    // open, so its recomputation notes nothing.
    a.m_startX = TruncToInt32(Point(0).x);
    a.m_startY = TruncToInt32(Point(0).y);
    a.m_endX = TruncToInt32(Point(n - 1).x);
    a.m_endY = TruncToInt32(Point(n - 1).y);
    spent.Release(b.m_points.Raw(), bMade);
    notes.Add(b.Recompute());
    return true;
}

}  // namespace join_detail
