#include "model/chain_info.h"

#include <cmath>

#include "model/document.h"
#include "model/texts.h"

void AddSegmentLengths(const std::vector<CPunkt>& points, double plotterUnit, double& sum, bool& overflow) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double next = sum + Distance(points[i - 1], points[i]) * plotterUnit;
        if (next < sum || !std::isfinite(next)) {
            overflow = true;
            sum = 0.0;
            continue;
        }
        sum = next;
    }
}

namespace {
template <typename Box>
void SetExtent(ExtentInfo& info, const Box& b, double pu) {
    info.plotterUnit = pu;
    info.top = b.m_maxY * pu;
    info.bottom = b.m_minY * pu;
    info.left = b.m_minX * pu;
    info.right = b.m_maxX * pu;
    info.sizeX = info.right - info.left;
    info.sizeY = info.top - info.bottom;
}

// Both sums are only formed for a chain of at least two points.
void AddChainLengths(ExtentInfo& info, const CVector& chain, double pu) {
    if (chain.PointCount() < 2) return;
    AddSegmentLengths(chain.m_points.Raw(), pu, info.contour, info.overflow);
    for (const auto& path : chain.m_radiusList) AddSegmentLengths(path->m_path.Raw(), pu, info.pathSum, info.overflow);
}
}  // namespace

ChainInfo ComputeChainInfo(const CVector& chain, double plotterUnit) {
    ChainInfo info;
    SetExtent(info, chain, plotterUnit);
    AddChainLengths(info, chain, plotterUnit);
    info.direction = chain.m_direction;
    return info;
}

ExtentInfo ComputeWorkpieceInfo(const CQuenkDoc& doc, double plotterUnit) {
    ExtentInfo info;
    SetExtent(info, doc, plotterUnit);
    for (const auto& layer : doc.m_layers)
        for (const auto& pen : layer->m_pens)
            for (const auto& chain : pen->m_chains) AddChainLengths(info, *chain, plotterUnit);
    return info;
}

const char* DirectionText(std::int32_t direction) {
    if (direction == kDirClockwise) return texts::kDirectionClockwise;
    if (direction == kDirCounterClockwise) return texts::kDirectionCounterClockwise;
    return texts::kDirectionUnknown;
}

PointRows PointRowsAround(const CVector& chain, int k, double plotterUnit) {
    PointRows rows;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const long long i = static_cast<long long>(k) + r - kPointRowsAround;
        if (i < 0 || i >= chain.PointCount()) continue;
        const CPunkt& p = chain.m_points[static_cast<int>(i)];
        rows[static_cast<std::size_t>(r)] = {p.x * plotterUnit, p.y * plotterUnit, static_cast<int>(i)};
    }
    return rows;
}

bool RemoveCheckedRows(CVector& chain, const PointRows& rows, const RowChecks& checked) {
    bool removed = false;
    for (std::size_t r = rows.size(); r-- > 0;) {
        const int i = rows[r].index;
        if (!checked[r] || i < 0 || i >= chain.PointCount()) continue;
        chain.m_points.RemovePoints(i, 1);
        removed = true;
    }
    if (removed && chain.m_hasCorrection) chain.Correct();
    return removed;
}
