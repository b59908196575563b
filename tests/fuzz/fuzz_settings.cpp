// Feeds arbitrary bytes to the settings reader: it must neither crash nor hang nor allocate
// without bound, and must always leave every table with at least 17 entries and the steps
// that later code divides by above zero.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/quenk_app.h"
#include "files/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CQuenkApp app;
    LoadSettingsFromBytes(app, std::string_view(reinterpret_cast<const char*>(data), size));
    const std::size_t n = static_cast<std::size_t>(kTableSize);
    if (app.m_tools.size() < n || app.m_penColours.size() < n || app.m_toolColours.size() < n ||
        app.m_penTool.size() < n || app.m_penFunction.size() < n || app.m_colourPen.size() < n ||
        app.m_toolDiameter.size() < n || app.m_toolDepth.size() < n || app.m_toolSide.size() < n ||
        app.m_toolValueC.size() < n || app.m_toolFeedXY.size() < n || app.m_toolFeedZ.size() < n ||
        app.m_toolColoursB.size() < n || !(app.m_plotterUnit > 0.0) || !(app.m_segmentAngle > 0.0))
        std::abort();
    return 0;
}
