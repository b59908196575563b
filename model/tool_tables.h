#pragma once
// The tool and pen tables as the dialogs edit them: plain values copied out of the
// application, checked, and stored back only when the user confirmed.

#include <array>
#include <cstdint>
#include <string>

#include "model/quenk_app.h"
#include "model/value_range.h"

// The dialogs' diameter ranges in millimetres.
inline constexpr ValueRange kToolsDialogDiameterRange{0.0, 50.0, "0", "50"};
inline constexpr ValueRange kCorrectionDiameterRange{0.0, 20.0, "0", "20"};
// A tool or pen number that a dialog accepts.
inline constexpr ValueRange kToolNumberRange{1.0, 16.0, "1", "16"};
inline constexpr ValueRange kPenNumberRange{1.0, 16.0, "1", "16"};

// Diameter and "Rechts" of the tools 1..16, at [tool - 1].
struct ToolGeometry {
    std::array<double, kToolCount> diameter{};
    std::array<std::int32_t, kToolCount> right{};
    // The first diameter outside the range, as "Durchmesser Werkzeug <n>"; empty when fine.
    std::string Validate(const ValueRange& range) const;
};

// From the tool objects, which the correction reads.
ToolGeometry ToolGeometryOfRecords(const CQuenkApp& app);
// From the tables m_toolDiameter and m_toolSide, which the tools dialog edits.
ToolGeometry ToolGeometryOfTables(const CQuenkApp& app);
// Into both, so that the correction's dialogs and the tools dialog show the same tools.
void StoreToolGeometry(CQuenkApp& app, const ToolGeometry& g);

// The tools dialog "Werkzeuge".
struct ToolTableValues {
    ToolGeometry geometry;
    std::array<std::uint32_t, kTableSize> colour{};  // [tool]; entry 0 is kept as it is
    std::array<double, kTableSize> depth{};          // [tool]
    std::uint32_t contourColour = 0;                 // "Farbe für Konturdarstellung:"
    std::uint32_t errorColour = 0;                   // "Fehlerfarbe:"
    std::uint32_t cwColour = 0;                      // "Farbe für CW:"
    std::uint32_t ccwColour = 0;                     // "Farbe für CCW:"

    static ToolTableValues From(const CQuenkApp& app);
    std::string Validate() const;
    // "Werkzeugfarben = Stiftfarben": the tool colours become the pen colours 1..16.
    void TakePenColours(const CQuenkApp& app);
    // Stores the tables and display colours, hands every tool object its tool's values and
    // rebuilds m_toolColoursB from the tool colours.
    void Store(CQuenkApp& app) const;
};

// The pen-colour dialog "Farbe für Stifte".
struct PenColourValues {
    std::array<std::uint32_t, kTableSize> pen{};  // [pen], 1..16 shown
    std::uint32_t correctionColour = 0;           // "Radiuskorrekturfarbe:"

    static PenColourValues From(const CQuenkApp& app);
    void Store(CQuenkApp& app) const;
};
