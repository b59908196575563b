#pragma once
// Independent pieces of chain work on the machine's cores, with the outcome of the plain
// walk: the direction messages the pieces would show come afterwards, in the order of the
// pieces, as if they had run one after the other on the calling thread.
//
// A piece may only touch its own chains and show nothing but direction messages (the only
// ones a chain's recomputation can show); everything else stays on the calling thread.

#include <cstddef>
#include <functional>

// Runs piece(0) .. piece(count - 1), on several threads where the machine has them. When a
// piece throws, the exception of the first such piece is thrown again after all have ended
// and the direction messages of the pieces after it are dropped. Later pieces may have run
// by then: a caller that catches must treat all of the pieces' chains as spoilt.
// Work of fewer than kPiecesWorthThreads chains in all runs on the calling thread alone: for
// it, starting a thread costs more than it saves.
inline constexpr std::size_t kPiecesWorthThreads = 4096;
void RunPiecesInOrder(std::size_t count, const std::function<void(std::size_t)>& piece, std::size_t chains);
