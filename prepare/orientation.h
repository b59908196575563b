#pragma once
// Sense of rotation and the small edits a user makes on one chain. The members of CVector of
// the same names forward here.

#include <cstdint>

class CVector;
struct CBoxExtremes;

namespace orientation {

// Computes and stores the chain's direction code and the note of its test
// (m_directionNote); shows nothing.
std::int32_t DetermineDirection(CVector& v);
// The same with the first indices of the box values already known.
std::int32_t DetermineDirection(CVector& v, const CBoxExtremes& at);

// The commands below run on the thread that talks to the front end and show their messages
// as they meet them.
// clockwise 0 turns a closed chain counter-clockwise, 1 clockwise.
void SetDirection(CVector& v, std::int32_t clockwise);
void Reverse(CVector& v);
void SetStartPoint(CVector& v, int k);
void DeletePoint(CVector& v, int k);
void ClearChain(CVector& v);
void RestorePoints(CVector& v);

// The clean-up of nearly coincident points that the chain's recomputation runs.
void RemoveNearDuplicates(CVector& v);

}  // namespace orientation
