#pragma once
// The steps quenk-cli runs, in the order given, on one document.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "output/gcode_dialect.h"

class CQuenkApp;
class CQuenkDoc;
class CliInteraction;

struct CliContext {
    CQuenkApp& app;
    CQuenkDoc& doc;
    CliInteraction& ui;
    std::ostream& out;
    // The view's pick tolerance in pixels; clicks take it times the view scale m_viewScale.
    double pickTolerance = 5.0;
    // The controller the step "gcode" writes for (--dialect).
    GCodeDialect dialect = GCodeDialect::WinPcNc;
};

struct StepSpec {
    const char* name;
    int minArgs;
    int maxArgs;  // -1: any number
    const char* usage;
    // Returns false with a reason in error when the step failed.
    std::function<bool(CliContext&, const std::vector<std::string>& args, std::string& error)> run;
};

// Every step, from the groups below.
const std::vector<StepSpec>& Steps();
const std::vector<StepSpec>& DrawingSteps();
const std::vector<StepSpec>& JobSteps();
const std::vector<StepSpec>& ExportSteps();
const std::vector<StepSpec>& HandoffSteps();
const std::vector<StepSpec>& ShapeSteps();
const std::vector<StepSpec>& ReportSteps();
const std::vector<StepSpec>& SendSteps();
const StepSpec* FindStep(const std::string& name);

class CVector;
// LAYER:PEN:CHAIN: the layer's and the chain's positions in their lists (from 0, as in the
// dump), the pen by its number; nothing, with the reason in error, when there is none.
CVector* FindChain(CQuenkDoc& doc, const std::string& where, std::string& error);
