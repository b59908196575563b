#pragma once
// Which tool and function the radius correction gives a pen, and the geometry of a tool.
// Every lookup is guarded: a tool without a record, a pen without a table entry and a tool
// mode that no dialog can set all mean tool 17, no tool.

#include <cstdint>

#include "model/quenk_app.h"

struct PenToolChoice {
    int tool;      // 1..16, or kNoTool
    int function;  // 0 none, 1 outside, 2 inside
};

// Tool modes of the radius correction.
inline constexpr int kToolModePenNumber = 0;  // "Werkzeugnummer = Stiftnummer"
inline constexpr int kToolModePerPen = 17;    // "Den Stiften Werkzeuge zuordnen"

PenToolChoice ToolForPen(const CQuenkApp& app, int toolMode, int penNumber);

// The tool's object, or nullptr for kNoTool and for numbers without a record.
const CWerkzeug* ToolRecord(const CQuenkApp& app, int tool);

// The tool radius in drawing units (diameter / (2 * plotter unit)); 0 without a record.
double ToolRadiusUnits(const CQuenkApp& app, int tool);

// "Rechts" of the tool: 1 right of the direction of travel, 0 left; 1 without a record.
std::int32_t ToolSide(const CQuenkApp& app, int tool);
