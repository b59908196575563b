#pragma once
// Joining loose strokes into longer chains, pen by pen; chains of different pens never meet.

#include "model/vector.h"

class CLayer;
class CQuenkDoc;

// The joining every import runs on its new layer: chains whose integer end points coincide
// are merged. Recomputes the document box, shows " Vektorkette in die gleiche Richtung
// gedreht !! " once when anything was joined, and asks for a redraw. Returns whether
// anything was joined. `before` says Unchanged when every chain of the document is as its
// last Recompute left it (an importer that has just recomputed the document); the joining
// then reads only the points it moves.
bool JoinEndPoints(CQuenkDoc& doc, CLayer& layer, ChainPoints before = ChainPoints::MayHaveChanged);

// "Zusammenfügen": merges chains whose ends lie within the joining distance, nearest pair
// first, and closes chains whose own ends lie within it.
void JoinChains(CQuenkDoc& doc);
