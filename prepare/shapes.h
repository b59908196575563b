#pragma once
// "Rechteck zeichnen", "Trapez zeichnen" and "Trapez zeichnen (90 Grad gedreht)": one closed,
// counter-clockwise chain in a layer of its own, placed at the workpiece zero point. The
// dialogs and quenk-cli fill the options; the sizes are millimetres.

#include <string>
#include <vector>

#include "model/punkt.h"
#include "model/value_range.h"

class CQuenkDoc;

// Any size up to ten digits.
inline constexpr ValueRange kShapeSizeRange{0.0, 9999999999.0, "0", "9999999999"};

struct RectangleOptions {
    double x = 0.0;  // "X:"
    double y = 0.0;  // "Y:"
    int pen = 1;     // "Stift:"
    // The range message of the first field out of range, empty when all are inside.
    std::string Validate() const;
};

struct TrapezoidOptions {
    double top = 0.0;      // "Breite oben:" a
    double bottom = 0.0;   // "Breite unten:" b
    double height = 0.0;   // "Höhe:" h
    int pen = 1;           // "Stift:"
    bool rotated = false;  // the parallel sides vertical, "oben" at x0 + h
    std::string Validate() const;
};

// The corner points in millimetres from the zero point (x0, y0), the first repeated as the last.
// Empty when the size is missing: X or Y 0; h 0, or a and b both 0 (one width 0 is a triangle).
std::vector<CPunkt> RectanglePoints(const RectangleOptions& o, double x0, double y0);
std::vector<CPunkt> TrapezoidPoints(const TrapezoidOptions& o, double x0, double y0);

// The shape commands are offered only while nothing lies right of the origin.
bool ShapeCommandsEnabled(const CQuenkDoc& doc);

// Adds the shape at the settings' workpiece zero point, recomputes the box and marks the
// document as holding a drawing; false, after "Geben Sie die Grösse ein.", when the size is
// missing, and nothing is added.
bool AddRectangle(CQuenkDoc& doc, const RectangleOptions& o);
bool AddTrapezoid(CQuenkDoc& doc, const TrapezoidOptions& o);
