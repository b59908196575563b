#pragma once
// Reading a whole file into memory, as every reader of the program does before it parses.

#include <cstddef>
#include <cstring>
#include <limits>
#include <string>

enum class ReadStatus {
    Ok,
    CannotOpen,   // missing, a folder, or not readable
    OutOfMemory,  // the file does not fit into memory
    ReadError,    // the file went away or failed while being read
};

enum class LineBreaks { Keep, Drop };

// Reads at most maxBytes of the file at path into bytes (the rest is not read). With Drop,
// every CR and LF is left out while reading, the order of the other bytes kept.
ReadStatus ReadFileBytes(const std::string& path, std::string& bytes,
                         std::size_t maxBytes = std::numeric_limits<std::size_t>::max(),
                         LineBreaks lineBreaks = LineBreaks::Keep);

// Calls run(start, length) for each stretch of text between CR and LF bytes, in order.
// Line breaks come every few hundred bytes: memchr finds them faster than a byte loop.
template <typename Run>
void ForEachRunBetweenLineBreaks(const char* begin, std::size_t size, Run&& run) {
    const char* const end = begin + size;
    const char* nextLf = static_cast<const char*>(std::memchr(begin, '\n', size));
    const char* nextCr = static_cast<const char*>(std::memchr(begin, '\r', size));
    const char* r = begin;
    while (r < end) {
        if (nextLf && nextLf < r)
            nextLf = static_cast<const char*>(std::memchr(r, '\n', static_cast<std::size_t>(end - r)));
        if (nextCr && nextCr < r)
            nextCr = static_cast<const char*>(std::memchr(r, '\r', static_cast<std::size_t>(end - r)));
        const char* stop = end;
        if (nextLf) stop = nextLf;
        if (nextCr && nextCr < stop) stop = nextCr;
        if (stop > r) run(r, static_cast<std::size_t>(stop - r));
        r = stop + (stop < end ? 1 : 0);
    }
}
