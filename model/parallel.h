#pragma once
// Independent pieces of chain work on the machine's cores, with the outcome of the plain
// walk: the direction notes of the pieces come back in the order of the pieces, as if they
// had run one after the other on the calling thread.
//
// A piece may only touch its own chains and show nothing; it adds the notes of its chains to
// the list it is given. Everything else stays on the calling thread.

#include <cstddef>
#include <functional>

#include "model/core_context.h"

// Runs piece(0, ..) .. piece(count - 1, ..), on several threads where the machine has them,
// and appends their notes to `notes` in the order of the pieces. When a piece throws, the
// notes up to and including that piece's are appended and its exception is thrown again
// after all pieces have ended; the notes of the pieces after it are dropped. Later pieces
// may have run by then: a caller that catches must treat all of the pieces' chains as spoilt.
// Work of fewer than kPiecesWorthThreads chains in all runs on the calling thread alone: for
// it, starting a thread costs more than it saves.
inline constexpr std::size_t kPiecesWorthThreads = 4096;
void RunPiecesInOrder(std::size_t count, const std::function<void(std::size_t, DirectionNotes&)>& piece,
                      std::size_t chains, DirectionNotes& notes);

// Two pieces of work that touch no chains' notes (one large contour's checks or grids split
// in two): on two threads when split is set and the machine has them, else one after the
// other on the calling thread. An exception of a piece is thrown again after both have ended.
void RunTwoPieces(bool split, const std::function<void(std::size_t)>& piece);
