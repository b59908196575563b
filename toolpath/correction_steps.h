#pragma once
// The steps of CVector::Correct, as functions of plain point lists so that each can be
// tested and timed on its own. Side 0 puts the path on the left of the direction of travel,
// any other value on the right.

#include <cstdint>
#include <vector>

#include "model/punkt.h"

class CVector;
class PathQueries;

// The contour as read from the chain: exact repeats dropped, or with clean-up every point
// not farther than r/4 from the last kept one; a closed chain stays closed.
std::vector<CPunkt> BuildWorkingContour(const std::vector<CPunkt>& points, bool closed, bool clean, double r);

// Removes small loops of three segments and straight back-and-forth spikes, from the end
// towards the start. The buffer, the caller's, holds the pass's work.
void WindowPass(std::vector<CPunkt>& w, std::vector<CPunkt>& buffer);

// Cuts off spikes narrower than limit on the path's side (ten passes at most), working in
// the caller's buffer.
void SmoothSharpCorners(std::vector<CPunkt>& w, bool closed, int side, double limit, std::vector<CPunkt>& buffer);

// Drops points equal to their predecessor, which would give the next corner no direction.
void DropExactRepeats(std::vector<CPunkt>& w);

// The raw offset points of every vertex and the vertex that produced each. False when no
// usable point came out.
bool OffsetVertices(const std::vector<CPunkt>& w, bool closed, int side, double r,
                    std::vector<CPunkt>& raw, std::vector<std::int32_t>& source);

// What the assembly leaves to the checks of the path: whether no raw point passed the
// clearance test (no point is kept then), and the raw points dropped with the loops that
// were cut off, which may have been reachable boundary.
// A stretch of the raw path that the kept path does not run along: from `from` on raw
// segment fromSeg (raw[fromSeg] -> raw[fromSeg + 1]) along the raw path to `to` on segment
// toSeg (fromSeg <= toSeg). pathAt is the index of the path point at the stretch's end, or
// at its start when the stretch follows the path's last point.
struct RawSpan {
    CPunkt from;
    std::int32_t fromSeg = 0;
    CPunkt to;
    std::int32_t toSeg = 0;
    std::int32_t pathAt = 0;
};

struct AssemblyOutcome {
    bool nothingPasses = false;
    // The raw points and their sources were out of step; the path was still assembled.
    bool sourcesOutOfStep = false;
    std::vector<std::int32_t> dropped;
    // Every stretch of the raw path that the kept path leaves out, loops and short cuts
    // alike: the offset boundary the walk can have lost lies on them.
    std::vector<RawSpan> skipped;
};

// Builds the chain's path from its raw points (m_correctionPointsA / m_correctionIndexA)
// against its working contour (m_offsetPoints), dropping what cuts into the contour.
// The outcome's lists keep their storage from chain to chain.
void AssemblePath(CVector& v, PathQueries& queries, AssemblyOutcome& outcome);

enum class RobustResult { WalkKept, Replaced, CutterFitsNowhere };

// Replaces the chain's paths by those of the robust offset, marked as such; when the cutter
// fits nowhere no path is kept. With keepFullWalk the chain's path from the walk stays
// unless it is clearly shorter than the robust one.
RobustResult RobustCorrection(CVector& v, bool keepFullWalk = false);

// What the correction of one chain did and has to tell the user; the command shows it, in
// this order: the out-of-step sources, then that the cutter is too large, then the lack of
// memory.
struct CorrectionReport {
    std::int32_t result = 1;  // 1 done or nothing to do, 0 failed, -1 out of memory
    bool sourcesOutOfStep = false;
    bool cutterTooLarge = false;
    bool operator==(const CorrectionReport&) const = default;
};

// Correct with the given queries; CVector::Correct uses the grid queries.
CorrectionReport CorrectWith(CVector& v, PathQueries& queries);

// CorrectWith, but out of memory leaves the chain without correction and gives the result
// -1, keeping what was to be told before.
CorrectionReport CorrectOrOutOfMemory(CVector& v, PathQueries& queries);
