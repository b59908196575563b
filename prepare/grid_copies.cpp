#include "prepare/grid_copies.h"

#include <new>
#include <utility>

#include "model/core_context.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "model/texts.h"
#include "model/value_range.h"

namespace {
// The most points all copies together may hold (about 1.6 GB): a grid of a large drawing
// beyond it would not fail with an exception but drive the machine into swapping or the
// out-of-memory killer.
constexpr double kMostCopiedPoints = 100e6;
void CopyShifted(const CPointArray& from, CPointArray& to, double dx, double dy) {
    to.Reserve(from.Size());
    for (const CPunkt& p : from) to.AddPoint({p.x + dx, p.y + dy});
}

// A copy is the chain moved: besides its points it keeps everything the correction set, so
// that tabs, corner drills, the problem marks and a later re-correction work on the copy as
// on the original.
void CopyChain(const CVector& from, CVector& to, double dx, double dy) {
    to.m_tool = from.m_tool;
    to.m_toolRadius = from.m_toolRadius;
    to.m_empty = from.m_empty;
    to.m_side = from.m_side;
    to.m_function = from.m_function;
    to.m_cleanContour = from.m_cleanContour;
    to.m_hasCorrection = from.m_hasCorrection;
    CopyShifted(from.m_points, to.m_points, dx, dy);
    if (from.HasCorrectionLists()) {
        const CCorrectionLists& f = from.Correction();
        CCorrectionLists& t = to.Correction();
        CopyShifted(f.m_offsetPoints, t.m_offsetPoints, dx, dy);
        CopyShifted(f.m_correctionPointsA, t.m_correctionPointsA, dx, dy);
        CopyShifted(f.m_correctionPointsC, t.m_correctionPointsC, dx, dy);
        t.m_correctionIndexA = f.m_correctionIndexA;
        t.m_correctionIndexB = f.m_correctionIndexB;
    }
    for (const auto& path : from.m_radiusList) {
        CRadius& r = *to.AddRadius();
        r.m_selected = path->m_selected;
        r.m_mark = path->m_mark;
        r.m_closed = path->m_closed;
        r.m_robust = path->m_robust;
        CopyShifted(path->m_path, r.m_path, dx, dy);
        r.m_source = path->m_source;
    }
}

// The points one copy of the layer holds.
double PointsOfLayer(const CLayer& layer) {
    double n = 0;
    for (const auto& pen : layer.m_pens)
        for (const auto& c : pen->m_chains) {
            const CCorrectionLists& k = std::as_const(*c).Correction();
            n += c->m_points.Size() + k.m_offsetPoints.Size() + k.m_correctionPointsA.Size() +
                 k.m_correctionPointsC.Size();
            for (const auto& path : c->m_radiusList) n += path->m_path.Size();
        }
    return n;
}

void CopyLayer(const CLayer& from, CLayer& to, double dx, double dy) {
    for (const auto& pen : from.m_pens) {
        if (pen->m_empty) continue;
        CStift& p = *to.AddPen(pen->m_number);
        p.m_colourIndex = pen->m_colourIndex;
        for (const auto& chain : pen->m_chains)
            if (!chain->m_empty) CopyChain(*chain, *p.AddVector(), dx, dy);
    }
}
}  // namespace

std::string GridCopyOptions::Validate() const {
    if (std::string c = CheckRange(countX, "Anzahl in X Richting", kGridCountRange); !c.empty()) return c;
    return CheckRange(countY, "Anzahl in Y Richting", kGridCountRange);
}

bool MakeGridCopies(CQuenkDoc& doc, const GridCopyOptions& o) {
    if (doc.m_nothingImported || doc.m_layers.empty()) return false;
    if (const std::string c = o.Validate(); !c.empty()) {
        Ui().Message(c);
        return false;
    }
    if (o.countX == 1 && o.countY == 1) {
        Ui().Message(texts::kGridCountsOne);
        return false;
    }
    const double unit = doc.App().m_plotterUnit;
    const CLayer& first = *doc.m_layers.front();
    const double stepX = (first.m_maxX - first.m_minX) + o.distanceX / unit;
    const double stepY = (first.m_maxY - first.m_minY) + o.distanceY / unit;
    const std::size_t before = doc.m_layers.size();
    const double copies = static_cast<double>(o.countX) * o.countY - 1;
    if (PointsOfLayer(first) * copies > kMostCopiedPoints) {
        Ui().Message(texts::kOutOfMemory);
        return false;
    }
    try {
        WaitCursor wait(Ui());
        for (int j = 0; j < o.countY; ++j)
            for (int i = 0; i < o.countX; ++i)
                if (i != 0 || j != 0) CopyLayer(first, *doc.AddLayer(), i * stepX, j * stepY);
        doc.RecomputeBox();
    } catch (const std::bad_alloc&) {
        // A drawing too large for its copies keeps none of them: a part of the grid would
        // look like the whole one.
        doc.m_layers.resize(before);
        doc.RecomputeBox();
        Ui().Message(texts::kOutOfMemory);
        Ui().RequestRedraw();
        return false;
    }
    Ui().RequestRedraw();
    return true;
}
