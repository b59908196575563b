#pragma once
// The commands "Radiuskorrektur" (all chains) and "RK auf Vektor" (one chain) as plain
// flows. The dialogs belong to the front end; the flows receive the values chosen there.

#include <cstdint>

#include "model/quenk_app.h"

class CQuenkApp;
class CQuenkDoc;
class CVector;

struct RadiusCorrectionOptions {
    // 0: tool = pen number; 1..16: that tool for every chain; 17: the tools and functions
    // assigned to the pens.
    int toolMode = 1;
    bool cleanContour = false;
};

// Corrects every chain of the document, then marks the correction done and shows tool colours.
void RunRadiusCorrection(CQuenkDoc& doc, const RadiusCorrectionOptions& options);

// Corrects one chain with the given tool (17 or a tool without a record clears it).
void CorrectOneChain(CQuenkDoc& doc, CVector& chain, int tool);

// What the correction of one chain uses: tool number (17 for none), r in drawing units and
// side. Exposed for the dialogs that show these values.
struct ToolChoice {
    std::int32_t tool = kNoTool;
    double radius = 0.0;
    std::int32_t side = 1;
};
ToolChoice ChooseTool(const CQuenkApp& app, std::int32_t tool);
