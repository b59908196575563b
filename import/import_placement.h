#pragma once
// The frame every drawing import runs in: a new layer that a reader fills while a helper
// joins its finished pens, then placed at the work zero point, or beside the drawing already
// there, after the box recomputation and the end-point joining; when memory runs out, the
// half-read layer goes again.

#include <functional>

class CLayer;
class CQuenkDoc;
class LayerJoiner;

// maxXBefore is the document's m_maxX from before the import.
void PlaceImportedLayer(CQuenkDoc& doc, CLayer& layer, double maxXBefore, LayerJoiner& joiner);

// Reads into a new layer under the wait cursor (`read`), lets the reader give back what it
// no longer needs (`afterRead`), and places the layer. False, with "Speicher Fehler!" shown
// and the layer removed, when memory ran out: half a drawing is worse than none.
bool ImportIntoNewLayer(CQuenkDoc& doc, const std::function<void(LayerJoiner&)>& read,
                        const std::function<void()>& afterRead);
