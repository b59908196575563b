#pragma once
// The milling order: contours enter it one click at a time, leave it by "Einen Schritt
// zurück", and its extent frames the job in milling mode.

class CFraesKontur;
class CQuenkApp;
class CQuenkDoc;
class CRadius;
class CStift;
class CVector;

// Appends a contour for the clicked chain at the tail of the milling list. Each corrected
// path is taken over once: the paths not yet marked are copied and marked. A chain whose
// tool has no colour entry gives a contour with only its box, direction and tool.
CFraesKontur& AddContourFromChain(CQuenkApp& app, CVector& chain);

// "Einen Schritt zurück": gives the last clicked chain's paths back (clears their marks) and
// drops the tail contour. lastChain may be null when the chain is gone.
void RemoveLastContour(CQuenkApp& app, CVector* lastChain);

// Sets m_jobMinX .. m_jobMaxY to the extent of the contours' outer boxes, or 10..100 without
// contours; returns whether there is any contour.
bool ComputeJobExtent(CQuenkApp& app);

// "Copy to Kontur": a new chain in pen with the points of path, which belongs to chain; the
// chain's correction is then cleared.
void CopyToKontur(CQuenkApp& app, CQuenkDoc& doc, CStift& pen, CVector& chain, const CRadius& path);
