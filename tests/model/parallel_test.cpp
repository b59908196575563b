// Chain work on several threads: the direction messages come in the order of the pieces, as
// from a plain walk, and a failure reaches the caller.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "model/parallel.h"
#include "model/texts.h"
#include "support/scripted_interaction.h"

TEST(RunPiecesInOrder, DirectionMessagesComeInTheOrderOfThePieces) {
    ScriptedSession s;
    // Piece k shows k % 3 "Vektor zu klein" and, for odd k, one undeterminable direction.
    std::vector<std::string> expected;
    int warnings = 0;
    for (int k = 0; k < 64; ++k) {
        for (int m = 0; m < k % 3; ++m) expected.push_back(texts::kChainTooSmall);
        if (k % 2 && warnings++ < kMaxDirectionWarnings) expected.push_back(texts::kDirectionUndeterminable);
    }
    RunPiecesInOrder(
        64,
        [](std::size_t k) {
            for (std::size_t m = 0; m < k % 3; ++m) ShowDirectionNote(DirectionNote::ChainTooSmall);
            if (k % 2) ShowDirectionNote(DirectionNote::Undeterminable);
        },
        kPiecesWorthThreads);
    EXPECT_EQ(s.ui.shown, expected);
}

TEST(RunPiecesInOrder, TheFirstFailureReachesTheCallerAfterTheMessagesBeforeIt) {
    ScriptedSession s;
    EXPECT_THROW(RunPiecesInOrder(
                     8,
                     [](std::size_t k) {
                         ShowDirectionNote(DirectionNote::ChainTooSmall);
                         if (k == 3 || k == 6) throw std::runtime_error("piece " + std::to_string(k));
                     },
                     kPiecesWorthThreads),
                 std::runtime_error);
    // Pieces 0 to 3 showed their message before piece 3 failed; later ones count for nothing.
    EXPECT_EQ(s.ui.shown.size(), 4u);
}
