#pragma once
// "Nutzen erstellen": the drawing as imported, copied into a grid of nx by ny places, each
// copy a layer of its own with its corrected paths, so the copies need no new correction.

#include <string>

#include "model/value_range.h"

class CQuenkDoc;

inline constexpr ValueRange kGridCountRange{1.0, 100.0, "1", "100"};

struct GridCopyOptions {
    int countX = 1;          // "Anzahl in X Richting:"
    double distanceX = 5.0;  // "Abstand in X Richtung:" mm between neighbouring copies
    int countY = 1;          // "Anzahl in Y Richting:"
    double distanceY = 5.0;  // "Abstand in Y Richtung:" mm
    // The range message of the first count out of range, empty when both are inside.
    std::string Validate() const;
};

// Copies the document's first layer into the places (i, j) other than (0, 0), rows first,
// each row from left to right, one step being the layer's width or height plus the
// distance. False, with nothing added, for a document without a drawing, for 1 by 1 (after
// " X und Y == 1 ") and for counts out of range (after their message); true when the copies
// were made, the box recomputed and a redraw requested.
bool MakeGridCopies(CQuenkDoc& doc, const GridCopyOptions& o);
