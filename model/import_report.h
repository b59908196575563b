#pragma once
// What the last drawing import found, for the operator to check before any metal is cut:
// its chains, the strokes the file drew twice, the open ends that "Zusammenfügen" might
// close, and what the reader passed over. Filled by the import (import/import_report.h).

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/punkt.h"

struct ImportReport {
    // Whether a drawing import filled it; a job file imports no drawing and leaves it alone.
    bool imported = false;
    // The chains of the imported layer as end-point joining left them (empty ones not counted).
    std::int64_t chains = 0, closed = 0, open = 0;
    // Strokes that repeat an earlier stroke of the same pen exactly, point for point in the
    // same or the reverse order, counted as the file drew them, before end-point joining
    // could merge two copies into one chain that runs there and back.
    std::int64_t doubleStrokes = 0;
    // The distance in millimetres that makes an open end near: twice the joining distance.
    double nearDistanceMm = 0.0;
    // Every open end that lies within that distance of another open end of its pen, where it
    // lies in the drawing; one entry per end.
    std::vector<CPunkt> nearEnds;
    // Unknown HPGL commands by their two characters, and CAD entities passed over by kind,
    // with their counts. Ordered maps, so that every listing comes out in the same order.
    std::map<std::string, std::int64_t, std::less<>> unknownHpgl;
    std::map<std::string, std::int64_t, std::less<>> skippedCad;
};
