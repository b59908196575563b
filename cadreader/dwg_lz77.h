#pragma once
// Inside the DWG front end: the LZ77 variant that compresses the pages of R2004 and later
// files.

#include <cstddef>
#include <cstdint>
#include <vector>

// Appends the decompressed bytes of [in, in + size) to out, at most `limit` of them. False when
// the data are damaged: a copy from before the start, more bytes than the limit, or the data
// end inside an instruction.
bool DwgDecompress(const std::uint8_t* in, std::size_t size, std::size_t limit, std::vector<std::uint8_t>& out);
