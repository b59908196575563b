#include "model/parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace {
// Chain work is bound by memory speed; beyond a few threads nothing is gained.
constexpr unsigned kMaxThreads = 4;
}  // namespace

void RunPiecesInOrder(std::size_t count, const std::function<void(std::size_t, DirectionNotes&)>& piece,
                      std::size_t chains, DirectionNotes& notes) {
    if (count == 0) return;
    std::vector<DirectionNotes> found(count);
    std::vector<std::exception_ptr> errors(count);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t k; (k = next.fetch_add(1)) < count;) {
            try {
                piece(k, found[k]);
            } catch (...) {
                errors[k] = std::current_exception();
            }
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t helpers =
        chains < kPiecesWorthThreads ? 0 : std::min<std::size_t>(std::min(cores, kMaxThreads), count) - 1;
    std::vector<std::thread> threads;
    threads.reserve(helpers);
    try {
        for (std::size_t t = 0; t < helpers; ++t) threads.emplace_back(work);
    } catch (const std::system_error&) {
        // No thread to be had: the calling thread does the rest on its own.
    }
    work();
    for (std::thread& t : threads) t.join();

    for (std::size_t k = 0; k < count; ++k) {
        notes.Append(found[k]);
        if (errors[k]) std::rethrow_exception(errors[k]);
    }
}

void RunTwoPieces(bool split, const std::function<void(std::size_t)>& piece) {
    DirectionNotes none;
    RunPiecesInOrder(
        2, [&](std::size_t k, DirectionNotes&) { piece(k); }, split ? kPiecesWorthThreads : 0, none);
}
