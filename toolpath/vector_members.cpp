// CVector's tool-path members: each hands its work to the tool path's function of the same
// purpose.

#include "model/vector.h"
#include "toolpath/chain_toolpath.h"
#include "toolpath/correction_command.h"

std::int32_t CVector::Correct() { return CorrectChain(*this); }

int CVector::FindSegment(const CPunkt& x, double tol) const { return FindChainSegment(*this, x, tol); }

int CVector::FindPoint(const CPunkt& x, double tol) const { return FindChainPoint(*this, x, tol); }

std::int32_t CVector::InsertTab(double lengthMm, const CPunkt& x, double tol, double plotterUnit) {
    return ::InsertTab(*this, lengthMm, x, tol, plotterUnit);
}

std::int32_t CVector::InsertCornerDrill(const CPunkt& x, double tol) { return ::InsertCornerDrill(*this, x, tol); }

std::int32_t CVector::InsertCornerVector(CRadius& path, int j) { return ::InsertCornerVector(*this, path, j); }
