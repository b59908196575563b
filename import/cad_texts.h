#pragma once
// The texts the CAD drawing import shows, byte for byte.

namespace cad_texts {
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
inline constexpr const char* kDamaged =
    "Die DXF-Datei ist beschädigt oder unvollständig und wurde nicht eingelesen.";
// Shown once per file for arcs, circles, ellipses and bulges left out because they would
// make too many points.
inline constexpr const char* kArcRefused =
    "Bogen, Kreis oder Ellipse übersprungen: die Angaben ergeben zu viele Punkte.";
// Shown once per file for entities with coordinates far beyond any workpiece (or none at all).
inline constexpr const char* kOutOfRange =
    "Element übersprungen: die Koordinaten liegen außerhalb jedes Werkstücks.";
}  // namespace cad_texts
