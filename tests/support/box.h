#pragma once
// One box check for chains, pens, layers, documents and the milling job: the four limits
// compared bit for bit, so that -0 and 0 tell apart and a failure prints all four.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <ostream>
#include <vector>

#include "model/geometry.h"
#include "model/vector.h"

struct Box {
    double minX, maxX, minY, maxY;
    bool operator==(const Box& o) const {
        auto same = [](double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); };
        return same(minX, o.minX) && same(maxX, o.maxX) && same(minY, o.minY) && same(maxY, o.maxY);
    }
    friend std::ostream& operator<<(std::ostream& os, const Box& b) {
        return os << "x " << b.minX << ".." << b.maxX << " y " << b.minY << ".." << b.maxY;
    }
};

inline constexpr Box kEmptyBox{kEmptyMin, kEmptyMax, kEmptyMin, kEmptyMax};

template <typename T>
Box BoxOf(const T& o) {
    return {o.m_minX, o.m_maxX, o.m_minY, o.m_maxY};
}

template <typename T>
Box OuterBoxOf(const T& o) {
    return {OuterMinXOf(o), OuterMaxXOf(o), OuterMinYOf(o), OuterMaxYOf(o)};
}

template <typename T>
Box JobBoxOf(const T& app) {
    return {app.m_jobMinX, app.m_jobMaxX, app.m_jobMinY, app.m_jobMaxY};
}

// The plain box of some points, grown from the empty box one point at a time.
inline Box BoxOfPoints(const std::vector<CPunkt>& pts) {
    Box b = kEmptyBox;
    for (const CPunkt& p : pts) {
        b.minX = std::min(b.minX, p.x);
        b.maxX = std::max(b.maxX, p.x);
        b.minY = std::min(b.minY, p.y);
        b.maxY = std::max(b.maxY, p.y);
    }
    return b;
}
