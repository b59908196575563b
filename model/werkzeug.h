#pragma once
// One cutter of the machine. The unnamed parameters are kept and stored unchanged.

#include <cstdint>

class CWerkzeug {
public:
    std::uint32_t m_colour = 0x323232;  // 0x00BBGGRR
    double m_depth = 0.0;               // mm
    std::uint32_t m_valueF = 0xBF800000u;  // bits of the 32-bit float -1.0
    std::int32_t m_param1 = -1, m_param2 = -1, m_param3 = -1;
    std::int32_t m_side = 1;  // "Rechts": 1 right of the direction of travel, 0 left
    std::int32_t m_param4 = -1, m_param5 = -1;
    double m_diameter = 0.0;  // "Durchmesser" in mm

    friend bool operator==(const CWerkzeug&, const CWerkzeug&) = default;
};
