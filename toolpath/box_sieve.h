#pragma once
// The boxes of a small contour's segments, sieved by strips: the region of the boxes is cut
// into 64 columns and 64 rows, and for each column the set of boxes that start in it or
// before it and the set of those that end before it are kept as bits (the same for rows). A
// query box's candidates are the boxes that start at or before its last column and do not
// end before its first, and the same for rows: two words per axis, whatever the query's
// size. Every box that meets the query is among them (the strip of a coordinate only grows
// with it), and they come in index order, so the caller's exact box test picks the same
// boxes in the same order as a scan over all of them would.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/punkt.h"

class BoxSieve {
public:
    struct Box {
        double loX, hiX, loY, hiY;
    };

    // For the boxes of the segments pts[k] -> pts[k+1], each grown by grow on every side as
    // min(x) - grow .. max(x) + grow.
    void Build(const std::vector<CPunkt>& pts, double grow) {
        const std::size_t n = pts.size() < 2 ? 0 : pts.size() - 1;
        m_count = n;
        m_words = (n + 63) / 64;
        double loX = INFINITY, hiX = -INFINITY, loY = INFINITY, hiY = -INFINITY;
        // v - v is 0 for every finite v and not a number otherwise: the sum tells whether all
        // points are finite without a branch per point.
        double nonFinite = 0;
        for (const CPunkt& p : pts) {
            loX = std::min(loX, p.x);
            hiX = std::max(hiX, p.x);
            loY = std::min(loY, p.y);
            hiY = std::max(hiY, p.y);
            nonFinite += (p.x - p.x) + (p.y - p.y);
        }
        // A box that is not finite may meet anything: with one, every box is a candidate.
        m_all = !(nonFinite == 0);
        if (m_all) return;
        m_x = Axis(loX - grow, hiX + grow);
        m_y = Axis(loY - grow, hiY + grow);
        // Each box's first and last strip, then the running sets. Rounding is monotone, so
        // the strips of a box's sides are the least and the greatest of its ends' strips.
        m_cols.assign(2 * kStrips * m_words, 0);
        m_rows.assign(2 * kStrips * m_words, 0);
        std::size_t x0 = 0, x1 = 0, y0 = 0, y1 = 0;
        for (std::size_t k = 0; k < pts.size(); ++k) {
            const CPunkt& p = pts[k];
            std::size_t a0 = m_x.Inside(p.x - grow), b0 = m_y.Inside(p.y - grow);
            std::size_t a1 = a0, b1 = b0;
            if (grow != 0) {
                a1 = m_x.Inside(p.x + grow);
                b1 = m_y.Inside(p.y + grow);
            }
            if (k > 0) {
                const std::size_t word = (k - 1) / 64;
                const std::uint64_t bit = std::uint64_t{1} << ((k - 1) % 64);
                m_cols[std::min(a0, x0) * m_words + word] |= bit;
                m_cols[(kStrips + std::max(a1, x1)) * m_words + word] |= bit;
                m_rows[std::min(b0, y0) * m_words + word] |= bit;
                m_rows[(kStrips + std::max(b1, y1)) * m_words + word] |= bit;
            }
            x0 = a0;
            x1 = a1;
            y0 = b0;
            y1 = b1;
        }
        Sweep(m_cols);
        Sweep(m_rows);
    }

    // Hands the candidates of q to visit(k), ascending, until it returns true; whether it did.
    template <class Visit>
    bool Any(const Box& q, Visit&& visit) const {
        if (m_count == 0) return false;
        if (m_all || !Finite(q)) {
            for (std::size_t k = 0; k < m_count; ++k)
                if (visit(k)) return true;
            return false;
        }
        const std::size_t i0 = m_x.Strip(q.loX), i1 = m_x.Strip(q.hiX);
        const std::size_t j0 = m_y.Strip(q.loY), j1 = m_y.Strip(q.hiY);
        const std::uint64_t* startedX = &m_cols[i1 * m_words];
        const std::uint64_t* endedX = &m_cols[(kStrips + i0) * m_words];
        const std::uint64_t* startedY = &m_rows[j1 * m_words];
        const std::uint64_t* endedY = &m_rows[(kStrips + j0) * m_words];
        for (std::size_t w = 0; w < m_words; ++w) {
            const std::uint64_t cols = startedX[w] & ~endedX[w], rows = startedY[w] & ~endedY[w];
            for (std::uint64_t bits = cols & rows; bits != 0; bits &= bits - 1)
                if (visit(w * 64 + static_cast<std::size_t>(std::countr_zero(bits)))) return true;
        }
        return false;
    }

private:
    static constexpr std::size_t kStrips = 64;

    // From the boxes starting in each strip (the first half) and ending in it (the second):
    // those that started in it or before, and those that ended before it.
    void Sweep(std::vector<std::uint64_t>& strips) const {
        for (std::size_t w = 0; w < m_words; ++w) {
            std::uint64_t started = 0, ended = 0;
            for (std::size_t i = 0; i < kStrips; ++i) {
                started |= strips[i * m_words + w];
                strips[i * m_words + w] = started;
                const std::uint64_t endsHere = strips[(kStrips + i) * m_words + w];
                strips[(kStrips + i) * m_words + w] = ended;
                ended |= endsHere;
            }
        }
    }

    static bool Finite(const Box& b) { return (b.loX - b.loX) + (b.hiX - b.hiX) + (b.loY - b.loY) + (b.hiY - b.hiY) == 0; }

    // The strips of one axis: a coordinate's strip, clamped to the region, never falls as the
    // coordinate grows.
    struct Axis {
        Axis() = default;
        Axis(double from, double to) {
            const double width = to - from;
            if (!(width > 0) || !std::isfinite(width)) return;  // one strip holds all
            lo = from;
            scale = static_cast<double>(kStrips) / width;
        }
        // Strip for a v inside the region, where the product lies in 0 .. kStrips but for
        // rounding: truncation and the top clamp give what Strip gives, at less cost.
        std::size_t Inside(double v) const {
            return static_cast<std::size_t>(std::min(static_cast<int>((v - lo) * scale), static_cast<int>(kStrips - 1)));
        }
        std::size_t Strip(double v) const {
            // Not a number goes to the first strip (std::max keeps its first argument then).
            const double s = std::min(std::max(0.0, (v - lo) * scale), static_cast<double>(kStrips - 1));
            return static_cast<std::size_t>(static_cast<int>(s));
        }
        double lo = 0, scale = 0;
    };

    std::size_t m_count = 0, m_words = 0;
    Axis m_x, m_y;
    bool m_all = false;
    std::vector<std::uint64_t> m_cols, m_rows;
};
