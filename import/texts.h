#pragma once
// The texts the import shows, byte for byte: the import command, the HPGL reader and the
// CAD drawing import with its DXF and DWG messages.

#include <string>
#include <string_view>

namespace import_texts {

// ---- HPGL reader ----
inline constexpr const char* kTooManyErrors = "Über 10 Fehler";
inline constexpr const char* kXYError = " XY Error ";
inline constexpr const char* kIPErrorP1 = " IP Error P1 ";
inline constexpr const char* kIPErrorP2 = " IP Error P2 ";
inline constexpr const char* kSCError = " SC-Error! ";
inline constexpr const char* kAAErrorXY = "AA Error xy!";
inline constexpr const char* kAAErrorArc = "AA Error arc!";
inline constexpr const char* kARError = "AA Error!";
inline constexpr const char* kCIError = "CI Error!";
// "Unbekannter " + the two characters + " Befehl".
inline constexpr const char* kUnknownPrefix = "Unbekannter ";
inline constexpr const char* kUnknownSuffix = " Befehl";
// An arc or circle whose parameters would produce an absurd number of points (or none that
// make sense) is left out instead of filling the memory; shown once per file.
inline constexpr const char* kHpglArcRefused =
    "Bogen oder Kreis übersprungen: die Angaben ergeben zu viele Punkte oder einen ungültigen "
    "Segmentwinkel.";

// ---- CAD drawing import ----
inline constexpr const char* kFileOpenError = "File open Error";
inline constexpr const char* kTextNotRead = "Text kann nicht eingelesen werden";
inline constexpr const char* kSpline = "SPLine";
inline constexpr const char* kSolid = "Solid";
inline constexpr const char* kAttdef = "Attdef";
inline constexpr const char* kAttrib = "Attribut";
inline constexpr const char* kDimension = "Dimension";
inline constexpr const char* kXLine = "XLine";
inline constexpr const char* kMLine = "MLine";
inline constexpr const char* kVertex = "Vertex";
inline constexpr const char* kPolylineQuad = "Polyline QUAD";
inline constexpr const char* kPolylineCubic = "Polyline CUBIC";
inline constexpr const char* kPolylineBezier = "Polyline BEZIER";
inline constexpr const char* kPolyline = "Polyline";
// Texts are passed over without counting as unsupported; the import report lists them by these.
inline constexpr const char* kTextKind = "Text";
inline constexpr const char* kMTextKind = "MText";
inline constexpr const char* kDxfDamaged =
    "Die DXF-Datei ist beschädigt oder unvollständig und wurde nicht eingelesen.";
// Shown once per file for arcs, circles, ellipses and bulges left out because they would
// make too many points.
inline constexpr const char* kCadArcRefused =
    "Bogen, Kreis oder Ellipse übersprungen: die Angaben ergeben zu viele Punkte.";
// Shown once per file for entities with coordinates far beyond any workpiece (or none at all).
inline constexpr const char* kOutOfRange =
    "Element übersprungen: die Koordinaten liegen außerhalb jedes Werkstücks.";

// ---- DWG drawings ----
// "{}" stands for the version, as the file names it, with its release: "AC1021 (R2007)".
inline constexpr const char* kVersionNotRead =
    "Die DWG-Zeichnung hat die Version {}, die nicht eingelesen werden kann. Bitte die Zeichnung "
    "im CAD-Programm als DXF oder als DWG einer anderen Version speichern und erneut importieren.";
inline constexpr const char* kDwgDamaged =
    "Die DWG-Datei ist beschädigt oder unvollständig und wurde nicht eingelesen.";

inline std::string WithVersion(const char* text, const std::string& version) {
    const std::string_view t(text);
    const std::size_t at = t.find("{}");
    if (at == std::string_view::npos) return std::string(t);
    std::string out(t.substr(0, at));
    out += version;
    out += t.substr(at + 2);
    return out;
}

}  // namespace import_texts
