#pragma once
// The tool-path work on one chain. CVector's members of the same names hand their work to
// these functions, so that it lives with the rest of the tool path.

#include <cstdint>

#include "model/punkt.h"

class CRadius;
class CVector;

// Picking: the first segment (index of its end point) within tol of x on either side, or -1.
int FindChainSegment(const CVector& v, const CPunkt& x, double tol);
// Picking: the first chain point within tol of x, or -1.
int FindChainPoint(const CVector& v, const CPunkt& x, double tol);

// Tabs and corners on the corrected paths: 1 when something was inserted, else 0.
// A tab of lengthMm millimetres (plotterUnit mm per drawing unit) at the click point x.
std::int32_t InsertTab(CVector& v, double lengthMm, const CPunkt& x, double tol, double plotterUnit);
// A drill path at the corner of the chain point within tol of x.
std::int32_t InsertCornerDrill(CVector& v, const CPunkt& x, double tol);
// An excursion into the corner from point j of path.
std::int32_t InsertCornerVector(CVector& v, CRadius& path, int j);
