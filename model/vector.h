#pragma once
// A vector chain: one polyline of the drawing, owned by its pen.

#include <cstdint>
#include <memory>
#include <vector>

#include "model/geometry.h"
#include "model/point_array.h"
#include "model/radius.h"

// The empty-box values: the 32-bit integer limits as doubles; any real coordinate replaces
// them at the first comparison.
inline constexpr double kEmptyMin = 2147483647.0;
inline constexpr double kEmptyMax = -2147483648.0;

// Points of a chain closer than this are one point for its clean-up.
inline constexpr double kNearDuplicate = 0.0001;

// Direction codes of a chain.
enum : std::int32_t {
    kDirUnknown = 0,
    kDirClockwise = 1,
    kDirCounterClockwise = 2,
    kDirOpen = 3,
};

class CVector {
public:
    CVector() = default;
    CVector(const CVector&) = delete;
    CVector& operator=(const CVector&) = delete;

    // Drawing model
    void Recompute();
    void RemoveDuplicatePoints();
    void ClearCorrection();
    CRadius* AddRadius();
    void BuildIntPoints();
    int AddPoint(const CPunkt& p) { return m_points.AddPoint(p); }
    int PointCount() const { return m_points.Size(); }
    // Length in millimetres; sets overflow when the running sum ever went down.
    double LengthMm(double plotterUnit, bool* overflow = nullptr) const;

    // Orientation and editing
    std::int32_t DetermineDirection();
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

    std::int32_t m_function = 0;
    std::int32_t m_tool = 1;
    std::int32_t m_endX = 0, m_endY = 0;
    std::int32_t m_startX = 0, m_startY = 0;
    std::int32_t m_hasCorrection = 0;
    std::int32_t m_side = 1;
    double m_toolRadius = 0.0;
    double m_pi = kPi;
    std::vector<std::unique_ptr<CRadius>> m_radiusList;
    CPointArray m_points;
    CPointArray m_correctionPointsA;
    CPointArray m_correctionPointsB;
    CPointArray m_cutBand;
    CPointArray m_offsetPoints;
    CPointArray m_undoPoints;
    CPointArray m_correctionPointsC;
    CIntPointArray m_intPoints;
    CIntArray m_correctionIndexA;
    CIntArray m_correctionIndexB;
    std::int32_t m_closed = 0;
    std::int32_t m_empty = 1;
    double m_minY = kEmptyMin, m_maxY = kEmptyMax;
    double m_minX = kEmptyMin, m_maxX = kEmptyMax;
    double m_outerMinY = 0.0, m_outerMaxY = 0.0;
    double m_outerMinX = 0.0, m_outerMaxX = 0.0;
    std::uint8_t m_cleanContour = 0;
    std::int32_t m_direction = kDirUnknown;
};

// Truncation toward zero into 32 bits, saturated so that huge coordinates stay defined.
std::int32_t TruncToInt32(double v);
