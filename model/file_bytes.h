#pragma once
// Reading a whole file into memory, as every reader of the program does before it parses.

#include <cstddef>
#include <limits>
#include <string>

enum class ReadStatus {
    Ok,
    CannotOpen,   // missing, a folder, or not readable
    OutOfMemory,  // the file does not fit into memory
    ReadError,    // the file went away or failed while being read
};

// Reads at most maxBytes of the file at path into bytes (the rest is not read).
ReadStatus ReadFileBytes(const std::string& path, std::string& bytes,
                         std::size_t maxBytes = std::numeric_limits<std::size_t>::max());
