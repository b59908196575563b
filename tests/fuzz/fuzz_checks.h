#pragma once
// What every import harness checks after reading: no point that is not a finite number ever
// reaches the drawing, whatever the bytes were.

#include <cmath>
#include <cstdlib>

#include "model/document.h"
#include "model/quenk_app.h"

// Settings of the CAD harnesses: every part of the drawing is converted, in coarse steps that
// keep each run short; the limits on points are what is being tested.
inline void UseCadFuzzSettings(CQuenkApp& app) {
    app.m_showUnknownCommands = 1;
    app.m_bLoadRemainingBlocks = app.m_bLoadModelspace = app.m_bLoadPaperspace = 1;
    app.m_segmentAngle = 10.0;
    app.m_maxVectorLength = 5.0;
}

inline void AbortOnNonFinitePoints(const CQuenkDoc& doc) {
    for (const auto& layer : doc.m_layers)
        for (const auto& pen : layer->m_pens)
            for (const auto& chain : pen->m_chains)
                for (const CPunkt& p : chain->m_points)
                    if (!std::isfinite(p.x) || !std::isfinite(p.y)) std::abort();
}
