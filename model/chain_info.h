#pragma once
// The values of the information dialogs, computed from the drawing: "Information Vektor" for
// one chain, "Information alle Vektoren" for the document, the position of a click and the
// point list around a chain point. Lengths and positions are in millimetres.

#include <array>
#include <cstdint>
#include <vector>

#include "model/punkt.h"

class CQuenkDoc;
class CVector;

struct ExtentInfo {
    double plotterUnit = 0.0;
    double top = 0.0, bottom = 0.0, left = 0.0, right = 0.0;
    double sizeX = 0.0, sizeY = 0.0;
    double contour = 0.0;   // "Kontur:": the chains' segments
    double pathSum = 0.0;   // "Fräsbahn:": the corrected paths' segments
    bool overflow = false;  // a running sum went down and started again at 0
};

struct ChainInfo : ExtentInfo {
    std::int32_t direction = 0;
};

ChainInfo ComputeChainInfo(const CVector& chain, double plotterUnit);
ExtentInfo ComputeWorkpieceInfo(const CQuenkDoc& doc, double plotterUnit);
// The text of "Drehrichtung:".
const char* DirectionText(std::int32_t direction);

// Adds the segment lengths of the points (times plotterUnit) to sum; a sum that would go
// down, or stop being finite, starts again at 0 and sets overflow.
void AddSegmentLengths(const std::vector<CPunkt>& points, double plotterUnit, double& sum, bool& overflow);

// One row of "Info Vektorpunkte": a point in mm and its index; -1 for all three outside
// the chain.
struct PointRow {
    double x = -1.0, y = -1.0;
    int index = -1;
};
inline constexpr int kPointRowsAround = 3;
using PointRows = std::array<PointRow, 2 * kPointRowsAround + 1>;
using RowChecks = std::array<bool, 2 * kPointRowsAround + 1>;  // "Loeschen" per row
PointRows PointRowsAround(const CVector& chain, int k, double plotterUnit);
// "OK" of the point list: removes the checked rows' points, last row first so that the
// indexes of the others stay valid, and corrects the chain again when it had a correction.
// Answers whether a point was removed.
bool RemoveCheckedRows(CVector& chain, const PointRows& rows, const RowChecks& checked);
