#pragma once
// The geometric half of the import report, worked out once the reader is done: the strokes a
// pen drew twice (by hashing, so a pen of a million strokes costs a pass, not all pairs) and
// the chains and near open ends of the imported layer (by a grid over the ends).

#include <cstdint>
#include <memory>
#include <vector>

#include "model/import_report.h"

class CLayer;
class CVector;

// Chains of the list that repeat an earlier chain of it exactly: the same points in the same
// or in the reverse order (coordinates compared with ==). Chains of fewer than two points are
// no strokes and never count.
std::int64_t CountDoubleStrokes(const std::vector<std::unique_ptr<CVector>>& chains);

// The layer's chain counts and, pen by pen, every open end within `near` drawing units of
// another open end of the pen, as "Zusammenfügen" measures them (integer end points). A
// chain's own two ends count as near only when it has three points or more, as only then
// does the closing step close it. Chains of fewer than two points have no ends.
void CountChainsAndEnds(ImportReport& report, const CLayer& layer, double near);
