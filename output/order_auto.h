#pragma once
// "Reihenfolge automatisch": the milling order without clicking. The chains that can still
// enter the milling list are ordered (see output/order_plan.h) and then clicked in that order
// through the mouse export, so the plotter file, "Einen Schritt zurück", further clicks and
// "Ende -> Fräsen" work as after clicks by hand.

#include <cstddef>
#include <vector>

#include "output/order_plan.h"

class CMouseExport;
class CQuenkApp;
class CQuenkDoc;
class CVector;

// The order's input: every corrected chain that can enter the milling list, in drawing
// order; the machine starts where the milling list ends so far, or at its zero point, the
// drawing's origin (the program's coordinates are the drawing's times the plotter unit).
OrderInput AutoOrderInput(const CQuenkApp& app, CQuenkDoc& doc, std::vector<CVector*>& chains);

// Clicks the chains not yet taken in the automatic order on a running export; answers how
// many were taken.
std::size_t ClickInAutoOrder(CMouseExport& exporter, const CQuenkApp& app, CQuenkDoc& doc);

// The same without a plotter file, ending the mode as "order all" does.
std::size_t OrderAuto(CQuenkApp& app, CQuenkDoc& doc);

// The length of the rapid moves of the milling list in drawing units: from the zero point to
// the first path, and from the end of each path to the start of the next.
double MillingTravel(const CQuenkApp& app);
