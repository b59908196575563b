#pragma once
// The steps every drawing import ends with: the new layer goes to the work zero point, or
// beside the drawing already there, after the box recomputation and the end-point joining;
// and, when memory ran out, the half-read layer goes again.

class CLayer;
class CQuenkDoc;
class LayerJoiner;

// maxXBefore is the document's m_maxX from before the import.
void PlaceImportedLayer(CQuenkDoc& doc, CLayer& layer, double maxXBefore, LayerJoiner& joiner);

// Removes the import's layer (when it is still the last one) and forgets the current layer,
// pen and chain. Half a drawing is worse than none.
void DropImportedLayer(CQuenkDoc& doc, const CLayer* layer);
