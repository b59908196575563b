#pragma once
// The operations on one pair of chains that both joinings share with their indexes. Kept
// apart from the searches so that the searches decide only which pair comes next.

#include <cstdint>

class CVector;

namespace join_detail {

// Distance of two integer end points. Every comparison of end distances goes through this
// one formula, so equal distances come out bit-equal and ties are decided the same way
// wherever they are compared.
double EndDistance(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

// Hash key of an integer end point.
inline std::uint64_t EndKey(std::int32_t x, std::int32_t y) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) |
           static_cast<std::uint32_t>(y);
}

// End-point joining of A with a later chain B: the four cases, each tested with the end
// points as they were before the first one ran; B gives its points and is left empty.
// Returns whether any case held.
bool JoinTouchingPair(CVector& a, CVector& b);

// Joins A with the later chain B at the ends named by joinCase (1: start/start, 2: start/end,
// 3: end/start, 4: end/end), treating the two meeting ends first. The receiver is B for
// case 2, A otherwise; the donor is left empty. Both must have at least two points.
void MergeByCase(CVector& a, CVector& b, int joinCase);

// A chain's integer end points, as Recompute left them.
struct Ends {
    std::int32_t sx, sy, ex, ey;
};
Ends EndsOf(const CVector& v);

// The pair's smallest end distance and its case (the first of equal ones), A before B.
struct PairDistance {
    double distance;
    int joinCase;
};
PairDistance NearestEnds(const Ends& a, const Ends& b);

// Closes an open chain of at least three points whose ends lie close together.
void CloseChain(CVector& v);

}  // namespace join_detail
