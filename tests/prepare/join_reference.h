#pragma once
// The two joinings written the plain way, exactly as they are described: every pass walks all
// pairs, every join is followed by a full pair search. Slow, but obviously right; the tests
// compare the indexed versions with these on many random drawings.

class CLayer;
class CQuenkDoc;

bool ReferenceJoinEndPoints(CQuenkDoc& doc, CLayer& layer);
void ReferenceJoinChains(CQuenkDoc& doc);
