#pragma once
// What every import harness checks after reading: no point that is not a finite number ever
// reaches the drawing, whatever the bytes were.

#include <cmath>
#include <cstdlib>

#include "model/document.h"

inline void AbortOnNonFinitePoints(const CQuenkDoc& doc) {
    for (const auto& layer : doc.m_layers)
        for (const auto& pen : layer->m_pens)
            for (const auto& chain : pen->m_chains)
                for (const CPunkt& p : chain->m_points)
                    if (!std::isfinite(p.x) || !std::isfinite(p.y)) std::abort();
}
