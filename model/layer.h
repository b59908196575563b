#pragma once
// The drawing's levels below the document: a layer (one per imported file) holds pens,
// a pen holds chains. Lists keep creation order; empty entries stay in them.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "model/box.h"
#include "model/int_table.h"
#include "model/vector.h"

class CStift {
public:
    explicit CStift(std::int32_t number = 0) : m_number(number) {}

    CVector* AddVector();
    // Recomputes every chain and folds the box; the chains' direction notes go to `notes` in
    // list order.
    void RecomputeBox(DirectionNotes& notes, ChainPoints points = ChainPoints::MayHaveChanged);
    void RemoveDuplicatePoints();

    std::int32_t m_empty = 1;
    double m_minY = kEmptyMin, m_maxY = kEmptyMax;
    double m_minX = kEmptyMin, m_maxX = kEmptyMax;
    double m_outerMinY = kEmptyMin, m_outerMaxY = kEmptyMax;
    double m_outerMinX = kEmptyMin, m_outerMaxX = kEmptyMax;
    std::vector<std::unique_ptr<CVector>> m_chains;
    std::int32_t m_number = 0;
    std::int32_t m_colourIndex = 0;
};

class CLayer {
public:
    CStift* AddPen(std::int32_t number);
    // The first pen of that number in the list, or null. A plotter file may select a million
    // pen numbers, so this looks the number up in an index beside the list instead of
    // walking it; pens appended to the list by any means are indexed on the next call. A
    // pen's number never changes once it is in the list.
    CStift* FindPen(std::int32_t number);
    void RecomputeBox(DirectionNotes& notes, ChainPoints points = ChainPoints::MayHaveChanged);
    // The same walk with each pen's own recomputation done by the caller, which returns the
    // box to fold in for the pen.
    void RecomputeBox(const std::function<BoxValues(CStift&)>& penBox);
    // Nothing happens for negative z; the importers pass 0. The recomputed chains' notes go
    // to `notes` in list order.
    void MoveBy(double dx, double dy, double z, DirectionNotes& notes);
    void RemoveDuplicatePoints();

    std::int32_t m_empty = 1;
    double m_minY = kEmptyMin, m_maxY = kEmptyMax;
    double m_minX = kEmptyMin, m_maxX = kEmptyMax;
    double m_outerMinY = kEmptyMin, m_outerMaxY = kEmptyMax;
    double m_outerMinX = kEmptyMin, m_outerMaxX = kEmptyMax;
    std::vector<std::unique_ptr<CStift>> m_pens;

private:
    CIntTable<std::uint32_t> m_penIndex;  // number -> first position
    std::size_t m_indexedPens = 0;        // the first pens in m_penIndex
};
