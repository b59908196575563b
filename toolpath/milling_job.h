#pragma once
// The milling order: contours enter it one click at a time, leave it by "Einen Schritt
// zurück", and its extent frames the job in milling mode.

#include <cstddef>

class CFraesKontur;
class CQuenkApp;
class CQuenkDoc;
class CRadius;
class CStift;
class CVector;

// Whether the chain can give a contour: a tool 1..16 that the colour table holds, and at
// least one corrected path not yet taken over. Anything else would be a contour that mills
// nothing or a tool the job file cannot store (tool 17 is a chain without correction).
bool CanEnterMillingList(const CQuenkApp& app, const CVector& chain);

// Appends a contour for the clicked chain at the tail of the milling list. Each corrected
// path is taken over once: the paths not yet marked are copied and marked. A chain that
// cannot enter (see above) is ignored: null, and nothing changes.
CFraesKontur* AddContourFromChain(CQuenkApp& app, CVector& chain);

// "Einen Schritt zurück": gives the last clicked chain's paths back (clears their marks) and
// drops the tail contour. lastChain may be null when the chain is gone.
void RemoveLastContour(CQuenkApp& app, CVector* lastChain);

// Sets m_jobMinX .. m_jobMaxY to the extent of the contours' outer boxes, or 10..100 without
// contours; returns whether there is any contour.
bool ComputeJobExtent(CQuenkApp& app);

// "Copy to Kontur": a new chain in pen with the points of path, which belongs to chain; the
// chain's correction is then cleared.
void CopyToKontur(CQuenkApp& app, CQuenkDoc& doc, CStift& pen, CVector& chain, const CRadius& path);
