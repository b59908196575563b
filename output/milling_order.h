#pragma once
// The milling order without a mouse: the clicks of "RK Export mit Mouse" on chains given in
// advance, without a plotter file. The desktop program's click-by-click export and quenk-cli
// share these rules.

#include <cstddef>
#include <vector>

class CQuenkApp;
class CQuenkDoc;
class CVector;

// Every chain of the document that carries a correction, in drawing order (layers, pens,
// chains as listed).
std::vector<CVector*> CorrectedChains(CQuenkDoc& doc);

// Takes every corrected chain into the milling list; chains that give no milling contour
// (no path left to take, a tool the machine does not have) are passed over. Answers how many
// were taken.
std::size_t OrderAll(CQuenkApp& app, CQuenkDoc& doc);

// Clicks on the chains in turn and stops at the first one the export ignores. Answers its
// position, or chains.size() when every click was taken; the mode ends either way.
std::size_t OrderChains(CQuenkApp& app, CQuenkDoc& doc, const std::vector<CVector*>& chains);
