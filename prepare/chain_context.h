#pragma once
// Chain operations of the view's context menu that reach beyond one chain, and the check
// that a remembered chain still belongs to the drawing.

class CQuenkDoc;
class CRadius;
class CStift;
class CVector;

// True while chain (and path, when given, as one of its corrected paths) is part of the
// document. The view remembers the chain of its last click and of its undo; a later "Alles
// löschen" or import may have destroyed it since.
bool DocumentHolds(const CQuenkDoc& doc, const CVector* chain, const CRadius* path = nullptr);

// "Copy to Kontur": a new chain of pen holding the points of path, then the correction of
// chain (the path's owner) is cleared and the document box recomputed. Returns the new chain.
CVector* CopyPathToContour(CQuenkDoc& doc, CStift& pen, CVector& chain, const CRadius& path);
