#pragma once
// The commands "Radiuskorrektur" (all chains) and "RK auf Vektor" (one chain) as plain
// flows. The dialogs belong to the front end; the flows receive the values chosen there.

#include <cstdint>
#include <string>

#include "model/quenk_app.h"

class CQuenkApp;
class CQuenkDoc;
class CVector;

struct RadiusCorrectionOptions {
    // 0: tool = pen number; 1..16: that tool for every chain; 17: the tools and functions
    // assigned to the pens.
    int toolMode = 1;
    bool cleanContour = false;

    // Empty when the tool source lies in its range, else the message naming its range.
    std::string Validate() const;
};

// The options the dialog opens with: the settings m_rkToolMode and m_cleanContourSetting.
RadiusCorrectionOptions CorrectionOptionsFromSettings(const CQuenkApp& app);

// Keeps the dialog's choice in the settings for the next time, corrects every chain of the
// document, then marks the correction done and shows tool colours. False, with the range
// message shown and nothing changed, when the options are out of range.
bool RunRadiusCorrection(CQuenkDoc& doc, const RadiusCorrectionOptions& options);

// Corrects one chain with the given tool (17 or a tool without a record clears it).
void CorrectOneChain(CQuenkDoc& doc, CVector& chain, int tool);

// Corrects one chain as it stands and shows what the correction has to tell; CVector::Correct.
// 1 done or nothing to do, 0 failed.
std::int32_t CorrectChain(CVector& chain);

// What the correction of one chain uses: tool number (17 for none), r in drawing units and
// side. Exposed for the dialogs that show these values.
struct ToolChoice {
    std::int32_t tool = kNoTool;
    double radius = 0.0;
    std::int32_t side = 1;
};
ToolChoice ChooseTool(const CQuenkApp& app, std::int32_t tool);
