#pragma once
// What milling mode lets the operator change before the program is written: the tools that
// take part ("Fräser 1" … "Fräser 16", "Alles Fräsen"), the material data and the per-tool
// depth. The material and tool-data dialogs fill these plain values and check them here, so
// that the tests check the same rules without a window.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/quenk_app.h"
#include "model/value_range.h"

// One flag per tool 1..16, position 0 is tool 1.
using ToolFlags = std::array<bool, kToolCount>;

// The check boxes of the milling panel as m_toolUsed holds them. Both throw
// std::invalid_argument when m_toolUsed has fewer than 17 entries.
ToolFlags ToolsUsed(const CQuenkApp& app);
void SetToolsUsed(CQuenkApp& app, const ToolFlags& used);
// "Alles Fräsen": exactly the tools that occur in the milling list take part.
void UseToolsOfMillingList(CQuenkApp& app);

// The material dialog ("Material").
struct MaterialOptions {
    // The fields with a range, in the order they are checked.
    enum class Field : std::uint8_t { Thickness, SafetyDistance, MaxPassDepth, ExtraDepth };
    struct Complaint {
        Field field;
        std::string message;
    };

    std::string name;                // "Material:"
    double thickness = 0.0;          // "Materialdicke:"
    double safetyDistance = 0.0;     // "Sicherheitsabstand:"
    double maxPassDepth = 0.0;       // "Maximale Frästiefe:", 0 = one pass
    std::int32_t zReference = 0;     // 0 "Materialoberkante ist bei", 1 "Materialunterkante ist bei"
    double zTop = 0.0;
    double zBottom = 0.0;
    std::int32_t depthMode = 0;      // 0 "Materialdicke + zusätzlich", 1 "Fräsertiefe"
    double extraDepth = 0.1;

    static MaterialOptions From(const CQuenkApp& app);
    void ApplyTo(CQuenkApp& app) const;
    // The first value outside its range with the message to show; none when all are inside.
    std::optional<Complaint> Validate() const;
};

// One row of the tool-data dialog ("Werkzeuge"); only the depth is edited there.
struct ToolDataRow {
    double diameter = 0.0;  // "Durchmesser mm", from the tool table
    bool right = false;     // "Rechts"
    double depth = 0.0;     // "Tiefe"
    double feedXY = 0.0;    // "XY" mm/sec
    double feedZ = 0.0;     // "Z" mm/sec
};

struct ToolDataOptions {
    std::array<ToolDataRow, kToolCount> tools;  // position 0 is tool 1

    static ToolDataOptions From(const CQuenkApp& app);
    // Stores depth and both speeds of every tool the tables hold; diameter and side belong
    // to the tools dialog and are left alone.
    void ApplyTo(CQuenkApp& app) const;
};

// A number as typed into a dialog field: a decimal point or comma, blanks around it; none
// for anything else, including infinities and NaN.
std::optional<double> ParseFieldNumber(const std::string& text);
