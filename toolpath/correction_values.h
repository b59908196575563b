#pragma once
// The values of the radius correction's dialogs, the tool change of one chain and the tab
// dialog: filled by the desktop program's dialogs, quenk-cli and the tests alike, checked by
// Validate() (the range message, empty when fine) and stored only on "OK".

#include <array>
#include <cstdint>
#include <string>

#include "model/tool_tables.h"
#include "toolpath/correction_command.h"

class CQuenkApp;
class CQuenkDoc;
class CVector;

// "Radiusparameter": the tool source, the clean-up option and the tools' diameter and side.
struct CorrectionDialogValues {
    RadiusCorrectionOptions options;
    ToolGeometry tools;

    // The settings' choice and clean-up; a choice no radio button shows becomes tool 1.
    static CorrectionDialogValues From(const CQuenkApp& app);
    std::string Validate() const;
    // The choice and clean-up into the settings, the tools into their records and tables.
    void Store(CQuenkApp& app) const;
};

// "Den Stiften Werkzeuge zuordnen": tool (0 none) and function of the pens 1..16, at [pen].
inline constexpr ValueRange kPenToolRange{0.0, 16.0, "0", "16"};
inline constexpr ValueRange kPenFunctionRange{0.0, 2.0, "0", "2"};
struct PenToolValues {
    std::array<std::int32_t, kTableSize> tool{};
    std::array<std::int32_t, kTableSize> function{};

    static PenToolValues From(const CQuenkApp& app);
    std::string Validate() const;
    void Store(CQuenkApp& app) const;
};

// "Werkzeug" of "RK auf Vektor": the tool for one chain, with the tools' diameter and side.
struct ChainToolValues {
    int tool = 1;
    ToolGeometry tools;

    // Preset to the chain's tool (tool 1 for a chain without one).
    static ChainToolValues From(const CQuenkApp& app, const CVector& chain);
    std::string Validate() const;
};

// "Werkzeug / Stift aendern": the pen is only shown; the chain's tool becomes newTool. The
// corrected paths stay as they are.
struct ToolChangeValues {
    int pen = 0;
    int oldTool = 1;
    int newTool = 1;

    static ToolChangeValues From(int penNumber, const CVector& chain);
    std::string Validate() const;
};
void ApplyToolChange(CVector& chain, const ToolChangeValues& v);

// The tab dialog's "Steglänge:" in millimetres.
inline constexpr ValueRange kTabLengthRange{0.0, 1000.0, "0", "1000"};
std::string TabLengthComplaint(double length);
