#pragma once
// The values of m_nMouseMode, the mouse function that all views share, and the colour mode
// that the mouse export switches to.

#include <cstdint>

inline constexpr std::int32_t kMouseModeNone = 0;
inline constexpr std::int32_t kMouseModeExport = 7;  // "RK Export mit Mouse" takes clicks
inline constexpr std::int32_t kMouseModeTabs = 12;
inline constexpr std::int32_t kMouseModeCornerDrill = 13;
inline constexpr std::int32_t kMouseModeCornerVector = 14;

// m_nColorMode that shows each path in its tool's colour.
inline constexpr std::int32_t kColorModeTools = 4;
