#pragma once
// The milling job's pieces: a contour in milling order with copies of its corrected paths.

#include <cstdint>
#include <memory>
#include <vector>

#include "model/point_array.h"

// One copied cutter path.
class CFraesDaten {
public:
    CPointArray m_points;
};

class CFraesKontur {
public:
    std::vector<std::unique_ptr<CFraesDaten>> m_paths;
    CPointArray m_points;  // the chain's outline
    std::int32_t m_tool = 0;
    double m_reserved1 = 0.0;
    double m_reserved2 = 0.0;
    std::uint8_t m_reservedFlag = 0;
    std::uint32_t m_toolColor = 0;
    std::int32_t m_reserved3 = 0;
    std::int32_t m_reserved4 = 0;
    double m_reserved5 = 0.0;
    double m_outerMaxX = 0.0, m_outerMinX = 0.0, m_outerMaxY = 0.0, m_outerMinY = 0.0;
    std::int32_t m_direction = 0;
};
