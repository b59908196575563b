#pragma once
// Picking in drawing units and the mouse functions that place tabs and corners. The view
// turns a pixel into a drawing point and its pick tolerance into drawing units; quenk-cli
// gives the same values directly.

#include <cstdint>
#include <optional>

#include "model/mouse_modes.h"
#include "model/punkt.h"

class CQuenkApp;
class CQuenkDoc;
class CRadius;
class CStift;
class CVector;

// What lies under a click: the first chain, in drawing order, with a corrected path, a
// point or a segment near it; corrected paths are tried before the chain itself.
struct Hit {
    CStift* pen = nullptr;
    CVector* chain = nullptr;
    CRadius* radius = nullptr;
    int index = -1;        // chain point, or the end point of the chain segment
    int radiusIndex = -1;  // path point, or the end point of the path segment
    bool chainHit = false;
    bool point = false;
    bool radiusHit = false;
    bool radiusPoint = false;
};
std::optional<Hit> HitTest(CQuenkDoc& doc, const CPunkt& x, double tol);

// The tab mode's values, kept by the view: length in mm and kind (0 "Einzelstege",
// 1 "Vertikal", 2 "Horizontal").
struct TabSettings {
    double length = 0.5;
    std::int32_t kind = 0;
};
// "Stege einfügen" after its dialog (entered: the values of "OK", none for "Abbrechen"):
// the view takes them, m_tabSize follows the view's length, and the tab mode begins.
void ApplyTabDialog(CQuenkApp& app, TabSettings& view, const std::optional<TabSettings>& entered);

// Left clicks of the modes 12, 13 and 14; true when the drawing changed (then a redraw was
// requested).
bool TabClick(CQuenkDoc& doc, const TabSettings& tabs, const CPunkt& x, double tol);
bool CornerDrillClick(CQuenkDoc& doc, const CPunkt& x, double tol);
bool CornerVectorClick(CQuenkDoc& doc, const CPunkt& x, double tol);
