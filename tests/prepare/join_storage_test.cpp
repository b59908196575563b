// The storage that the end-point joining leaves behind: a contour put together from many
// pieces, and a long open chain, keep no more than an eighth of their storage unused.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "join_test_support.h"
#include "prepare/join.h"
#include "support/scripted_interaction.h"

namespace {

// Pieces of `n` points each along a zigzag, shuffled, every third one reversed; a closed
// contour when the last piece ends where the first begins.
void AddPieces(CStift& pen, int pieces, int n, double y0, bool closed, unsigned seed) {
    std::vector<CPunkt> line;
    const int total = pieces * (n - 1);
    for (int k = 0; k <= total; ++k) line.push_back({k * 10.0, y0 + (k % 2) * 7.0});
    if (closed) line.back() = line.front() = CPunkt{0.0, y0 - 50.0};
    std::vector<std::vector<CPunkt>> cut;
    for (int p = 0; p < pieces; ++p) {
        std::vector<CPunkt> piece(line.begin() + p * (n - 1), line.begin() + (p + 1) * (n - 1) + 1);
        if (p % 3 == 1) std::reverse(piece.begin(), piece.end());
        cut.push_back(std::move(piece));
    }
    std::shuffle(cut.begin(), cut.end(), std::mt19937(seed));
    for (const auto& piece : cut) {
        CVector& v = *pen.AddVector();
        v.m_points.Raw() = piece;  // storage of exactly its size
        v.Recompute();
    }
}

}  // namespace

TEST(JoinStorage, JoinedChainsKeepLittleUnusedStorage) {
    ScriptedSession s;
    JoinDrawing d;
    CStift& pen = d.Pen(1);
    AddPieces(pen, 40, 25, 0.0, true, 7);
    AddPieces(pen, 30, 20, 1000.0, false, 11);
    EXPECT_TRUE(JoinEndPoints(d.doc, *d.doc.m_layers.back()));
    int closed = 0, long_open = 0;
    for (const auto& c : pen.m_chains) {
        const auto& pts = c->m_points.Raw();
        EXPECT_LE(pts.capacity() - pts.size(), pts.size() / 8);
        closed += c->m_closed && pts.size() == 40 * 24 + 1;
        long_open += !c->m_closed && pts.size() == 30 * 19 + 1;
    }
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(long_open, 1);
}
