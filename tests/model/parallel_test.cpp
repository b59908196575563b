// Chain work on several threads: the direction notes come in the order of the pieces, as
// from a plain walk, and a failure reaches the caller.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "model/parallel.h"

TEST(RunPiecesInOrder, NotesComeInTheOrderOfThePieces) {
    // Piece k notes k % 3 "Vektor zu klein" and, for odd k, one undeterminable direction.
    std::vector<DirectionNote> expected;
    for (int k = 0; k < 64; ++k) {
        for (int m = 0; m < k % 3; ++m) expected.push_back(DirectionNote::ChainTooSmall);
        if (k % 2) expected.push_back(DirectionNote::Undeterminable);
    }
    DirectionNotes notes;
    RunPiecesInOrder(
        64,
        [](std::size_t k, DirectionNotes& found) {
            for (std::size_t m = 0; m < k % 3; ++m) found.Add(DirectionNote::ChainTooSmall);
            if (k % 2) found.Add(DirectionNote::Undeterminable);
        },
        kPiecesWorthThreads, notes);
    EXPECT_EQ(notes.All(), expected);
}

TEST(RunPiecesInOrder, TheFirstFailureReachesTheCallerAfterTheNotesBeforeIt) {
    DirectionNotes notes;
    EXPECT_THROW(RunPiecesInOrder(
                     8,
                     [](std::size_t k, DirectionNotes& found) {
                         found.Add(DirectionNote::ChainTooSmall);
                         if (k == 3 || k == 6) throw std::runtime_error("piece " + std::to_string(k));
                     },
                     kPiecesWorthThreads, notes),
                 std::runtime_error);
    // Pieces 0 to 3 noted before piece 3 failed; later ones count for nothing.
    EXPECT_EQ(notes.All().size(), 4u);
}
