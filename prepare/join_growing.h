#pragma once
// The chain A of the end-point joining while it takes partner after partner. Grown by
// doubling in its own storage, every contour was copied and given up several times over; here
// A grows in one block that passes from A to A, and only once A has taken its partners do its
// points get storage of their exact size.
//
// A file that draws a long outline stroke by stroke backwards puts every stroke in front of A:
// with the points in order each stroke moved all points before it, and the recomputation read
// them all again. A long A that gets points in front moves to a block with room at both ends,
// where the joining does what JoinTouchingPair and RecomputeAfterAdding would do, reading only
// the new points and the seam; a joining it cannot take exactly so (one that closes A, meets
// the clean-up, or where more than one pair of ends meets) goes back to them.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/punkt.h"
#include "model/seam_rules.h"

class CVector;
class DirectionNotes;

namespace join_detail {

class SpentPoints;

class GrowingChain {
public:
    // A with the later chain B, as JoinTouchingPair does it (aCurrent: A's points are as its
    // last recomputation left them; aMade and bMade as there). A's points stay here until
    // Finish, which gives them storage of their exact size.
    void Join(CVector& a, CVector& b, bool aCurrent, std::uint8_t& aMade, bool bMade, SpentPoints& spent,
              DirectionNotes& notes);
    // A has taken its partners for now.
    void Finish(CVector& a);

private:
    // Where A's points are: in A's own storage, in a block that passes from A to A and only
    // grows (nearly every A), or, for a long A that gets points in front, in a block with room
    // at both ends.
    enum class Held : std::uint8_t { InPlace, InOrder, BothEnds };

    // Whether A may grow at both ends: open, not empty, and as its last recomputation left it,
    // which found nothing to clean up (what RecomputeAfterAdding takes the short way).
    static bool TakesBothEnds(const CVector& a, bool aCurrent);
    void BeginBothEnds(CVector& a, SpentPoints& spent, bool aMade);
    // The joining with room at both ends; false when it is none that the block takes exactly as
    // JoinTouchingPair and RecomputeAfterAdding would, and then nothing has changed.
    bool JoinBothEnds(CVector& a, CVector& b, SpentPoints& spent, bool bMade, DirectionNotes& notes);
    std::size_t Size() const { return m_tail - m_head; }
    const CPunkt& Point(std::size_t k) const { return m_block[m_head + k]; }
    // Room for `front` points before the first and `back` after the last.
    void MakeRoom(std::size_t front, std::size_t back);
    // Whether an old point other than the first and the last lies near s, the new start.
    bool InteriorNear(const CPunkt& s);
    void IndexPoints(std::size_t from, std::size_t to);

    Held m_held = Held::InPlace;
    std::vector<CPunkt> m_inOrder;  // empty while A holds it
    std::vector<CPunkt> m_block;
    std::size_t m_head = 0, m_tail = 0;
    FoldedBox m_box;
    // For a long chain that gets points in front: its points by cell of twice the clean-up's
    // distance, each under its place counted from the chain's first point at Begin (points
    // put in front count below zero).
    std::unordered_multimap<std::uint64_t, std::int64_t> m_cells;
    bool m_indexed = false;
    std::size_t m_read = 0;  // old points read by the tests of new starts since Begin
    std::int64_t m_firstPlace = 0;  // the place of the current first point
};

}  // namespace join_detail
