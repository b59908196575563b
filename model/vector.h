#pragma once
// A vector chain: one polyline of the drawing, owned by its pen.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/box.h"
#include "model/compact_array.h"
#include "model/geometry.h"
#include "model/point_array.h"
#include "model/radius.h"
#include "model/core_context.h"

// Points of a chain closer than this are one point for its clean-up.
inline constexpr double kNearDuplicate = 0.0001;

// Direction codes of a chain.
enum : std::int32_t {
    kDirUnknown = 0,
    kDirClockwise = 1,
    kDirCounterClockwise = 2,
    kDirOpen = 3,
};

// What a box recomputation may assume of the chains below it: that their points may have
// changed since their last Recompute, or that nobody touched them since.
enum class ChainPoints : std::uint8_t { MayHaveChanged, Unchanged };

// The lists only the radius correction fills. A drawing of a million chains that never saw a
// correction keeps none of them: the chain holds one pointer for the whole set.
struct CCorrectionLists {
    // The raw offset points of the correction, one or more per working-contour vertex.
    CCompactPointArray m_correctionPointsA;
    // Never filled by any step; emptied with the other lists of the correction.
    CCompactPointArray m_correctionPointsB;
    CCompactPointArray m_offsetPoints;
    CCompactPointArray m_undoPoints;
    // The corner points of the corner vectors, which the view marks.
    CCompactPointArray m_correctionPointsC;
    CCompactIntPointArray m_intPoints;
    // For each raw offset point, the working-contour vertex (index in m_offsetPoints) it came from.
    CCompactIntArray m_correctionIndexA;
    // The working-contour vertices whose raw points the path assembly dropped (problem points).
    CCompactIntArray m_correctionIndexB;
};

// What a chain keeps beside its paths, made only when a correction or a tool radius needs it.
struct CChainCold {
    CCorrectionLists lists;
    // The tool radius the outer box was last computed with, when that was not +0.0.
    double outerRadius = 0.0;
};

// The first index of each box value among a chain's points (-1: none), as the direction test
// looks them up.
struct CBoxExtremes {
    int minX = -1, maxX = -1, minY = -1, maxY = -1;
};

// One read of a chain's points for the recomputation: the box and, in closed chains, its
// values' first indices, and whether any point comes near its predecessor or the start (which
// every exact repeat and everything the clean-up removes does). Where none does, the points
// are exactly what the recomputation reads after removing repeats, and its box scan finds
// nothing to clean up: the three reads (repeats, box, direction) are then this one.
class CPointWatch {
public:
    explicit CPointWatch(const std::vector<CPunkt>& p);
    // Nothing near but the last point on the start (a closed chain's end, which the clean-up
    // keeps), a finite box, and in a closed chain every box value met by a point.
    bool Quiet() const { return m_quiet; }
    double MinX() const { return m_minX; }
    double MaxX() const { return m_maxX; }
    double MinY() const { return m_minY; }
    double MaxY() const { return m_maxY; }
    const CBoxExtremes& Extremes() const { return m_at; }

private:
    // Reads the box (and with kIndices its first indices) into the members; true when a point
    // comes near its predecessor or the start.
    template <bool kIndices>
    bool Watch(const std::vector<CPunkt>& p);

    double m_minX = kEmptyMin, m_maxX = kEmptyMax, m_minY = kEmptyMin, m_maxY = kEmptyMax;
    CBoxExtremes m_at;
    bool m_quiet = false;
};

class CVector {
public:
    CVector() = default;
    CVector(const CVector&) = delete;
    CVector& operator=(const CVector&) = delete;

    // Drawing model. The recomputations show nothing: each returns the note of the direction
    // test it ran (None when it found nothing to say), for the command to show.
    DirectionNote Recompute();
    // Recompute for a chain whose points nobody changed since its last Recompute. When that
    // recomputation changed no point, a second one gives the same state and the same note:
    // that note is returned again and the points are not read.
    DirectionNote RecomputeUnchanged();
    // Recompute done as soon as a chain is complete, ahead of a box recomputation that will
    // find its points unchanged and run RecomputeUnchanged (which then returns the note).
    // Where the clean-up of near points would change something, only exact repeats are
    // removed and the chain is left to that later Recompute, so the result stays that of a
    // single Recompute.
    void RecomputeAhead();
    // The same, reading the points once where they are free of repeats and near points
    // (nearly always); the result is exactly that of RecomputeAhead.
    void RecomputeAheadOnce();
    // Recompute after `added` points were put in front of (atFront) or behind the points that
    // the last Recompute saw, nobody having changed those since. Where that recomputation
    // changed no point, only the added points and the seam are read; the result is exactly
    // that of Recompute.
    DirectionNote RecomputeAfterAdding(std::size_t added, bool atFront);
    // For the end-point joining, which grows an open chain outside its storage: takes `points`
    // and the box folded over them as the recomputation folds it, and leaves the state that
    // RecomputeAfterAdding leaves where nothing needed cleaning up.
    void TakeGrownPoints(std::vector<CPunkt>& points, double minX, double maxX, double minY, double maxY);
    // Moves every point by (dx, dy) and recomputes the chain while the points are in the cache.
    DirectionNote MoveAndRecompute(double dx, double dy);
    void RemoveDuplicatePoints();
    void ClearCorrection();
    CRadius* AddRadius();
    void BuildIntPoints();
    // The rounded points into a list of the caller's, leaving the chain as it is.
    void BuildIntPoints(std::vector<std::pair<std::int32_t, std::int32_t>>& out) const;
    int AddPoint(const CPunkt& p) { return m_points.AddPoint(p); }
    int PointCount() const { return m_points.Size(); }
    // Length in millimetres; sets overflow when the running sum ever went down.
    double LengthMm(double plotterUnit, bool* overflow = nullptr) const;

    // Orientation and editing. DetermineDirection stores its note in m_directionNote and shows
    // nothing; the edits are commands on one chain and show their messages themselves.
    std::int32_t DetermineDirection();
    // The same with the first index of each box value already known.
    std::int32_t DetermineDirection(const CBoxExtremes& at);
    void SetDirection(std::int32_t clockwise);
    void Reverse();
    void SetStartPoint(int k);
    void DeletePoint(int k);
    void ClearChain();
    void RestorePoints();
    void RemoveNearDuplicates();

    // Radius correction: 1 done or nothing to do, 0 failed.
    std::int32_t Correct();
    // Picking: the first segment (index of its end point) within tol of x on either side, or -1.
    int FindSegment(const CPunkt& x, double tol) const;
    // Picking: the first chain point within tol of x, or -1.
    int FindPoint(const CPunkt& x, double tol) const;

    // Tabs and corners on the corrected paths: 1 when something was inserted, else 0.
    // A tab of lengthMm millimetres (plotterUnit mm per drawing unit) at the click point x.
    std::int32_t InsertTab(double lengthMm, const CPunkt& x, double tol, double plotterUnit);
    // A drill path at the corner of the chain point within tol of x.
    std::int32_t InsertCornerDrill(const CPunkt& x, double tol);
    // An excursion into the corner from point j of path.
    std::int32_t InsertCornerVector(CRadius& path, int j);

    std::int32_t m_function = 0;
    std::int32_t m_tool = 1;
    std::int32_t m_endX = 0, m_endY = 0;
    std::int32_t m_startX = 0, m_startY = 0;
    std::int32_t m_hasCorrection = 0;
    std::int32_t m_side = 1;
    double m_toolRadius = 0.0;
    // No step ever sets another value; a constant keeps every chain a few bytes smaller.
    static constexpr double m_pi = kPi;
    // The paths, with the correction's lists and the outer box's radius beside them.
    CCompactVector<std::unique_ptr<CRadius>, CChainCold> m_radiusList;
    CPointArray m_points;
    std::int32_t m_closed = 0;
    std::int32_t m_empty = 1;
    double m_minY = kEmptyMin, m_maxY = kEmptyMax;
    double m_minX = kEmptyMin, m_maxX = kEmptyMax;
    std::int32_t m_direction = kDirUnknown;
    std::uint8_t m_cleanContour = 0;

    // Set by Recompute: a second Recompute on the same points would change none of them.
    // Only meaningful while nobody has changed the points since.
    std::uint8_t m_settled = 0;
    // The note of the last direction test, so that a repeat can return it again.
    DirectionNote m_directionNote = DirectionNote::None;

    // The box widened by the tool radius as it was when the box was last computed: a radius
    // changed since then shows in it only after the next recomputation. 0.0 before the first.
    double OuterMinY() const { return m_outer == OuterBox::Unset ? 0.0 : m_minY - OuterRadius(); }
    double OuterMaxY() const { return m_outer == OuterBox::Unset ? 0.0 : m_maxY + OuterRadius(); }
    double OuterMinX() const { return m_outer == OuterBox::Unset ? 0.0 : m_minX - OuterRadius(); }
    double OuterMaxX() const { return m_outer == OuterBox::Unset ? 0.0 : m_maxX + OuterRadius(); }

    // The lists of the radius correction, made by the first call that may write them. A
    // chain that never saw a correction reads a shared empty set through the const call.
    CCorrectionLists& Correction() { return m_radiusList.MakeCompanion().lists; }
    const CCorrectionLists& Correction() const { return m_radiusList.ReadCompanion().lists; }
    bool HasCorrectionLists() const { return m_radiusList.HasStorage(); }

private:
    // How the outer box follows from the box: not yet set, widened by +0.0, or widened by the
    // radius kept beside the paths (most chains never get a radius and keep nothing there).
    enum class OuterBox : std::uint8_t { Unset, PlusZero, Kept };
    double OuterRadius() const { return m_outer == OuterBox::Kept ? m_radiusList.ReadCompanion().outerRadius : 0.0; }

    OuterBox m_outer = OuterBox::Unset;

    // Recompute without the direction test. Without cleanUp it stops and returns false where
    // the clean-up of near points would have to change points.
    // With a quiet watch, its box is taken instead of a scan.
    bool RecomputeShape(bool cleanUp, const CPointWatch* watch = nullptr);
    // The box widened by the tool radius.
    void SetOuterBox();
    // Recompute in one read of the points where they are free of repeats and near points; false
    // (and nothing changed) where they are not.
    bool RecomputeFromWatch();
    // The end of RecomputeAfterAdding: ends, box and direction of the points as they are.
    DirectionNote SetShapeAfterAdding(double minX, double maxX, double minY, double maxY);
};

// Asks the processor for a chain's own fields ahead of their use. The chain objects lie
// scattered between the point storage, and a walk over a hundred thousand chains otherwise
// waits for memory at every one of them.
inline void PrefetchChain(const CVector* v) {
#if defined(__GNUC__)
    const char* bytes = reinterpret_cast<const char*>(v);
    for (std::size_t offset = 0; offset < sizeof(CVector); offset += 64) __builtin_prefetch(bytes + offset);
#else
    (void)v;
#endif
}

// Calls f on every chain of the list in order, with the chains a few places ahead already on
// their way from memory.
template <typename F>
void ForEachChain(const std::vector<std::unique_ptr<CVector>>& chains, F&& f) {
    constexpr std::size_t kAhead = 8;
    const std::size_t n = chains.size();
    for (std::size_t k = 0; k < std::min(kAhead, n); ++k) PrefetchChain(chains[k].get());
    for (std::size_t k = 0; k < n; ++k) {
        if (k + kAhead < n) PrefetchChain(chains[k + kAhead].get());
        f(*chains[k]);
    }
}

// Truncation toward zero into 32 bits, saturated so that huge coordinates stay defined.
std::int32_t TruncToInt32(double v);
