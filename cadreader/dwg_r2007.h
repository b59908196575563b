#pragma once
// Inside the DWG front end: what R2007 (AC1021) files do differently. Their file header and
// pages are Reed–Solomon coded with the code words interleaved, and their pages use a
// compression of their own, unlike the one of R2004 and later.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "cadreader/dwg_layout.h"

// The data bytes of `blocks` interleaved code words of 255 bytes, `dataBytes` of each word
// carrying data (the rest is parity, which is not checked: a damaged page shows itself in the
// decompression and the objects). Appends at most `want` bytes; false when `in` is too short.
bool DwgDeinterleave(const std::uint8_t* in, std::size_t size, std::size_t blocks, std::size_t dataBytes,
                     std::size_t want, std::vector<std::uint8_t>& out);

// Appends the decompressed bytes of [in, in + size) to out, at most `limit` of them. False when
// the data are damaged: a copy from before the start, more bytes than the limit, or the data
// end inside an instruction.
bool DwgDecompress2007(const std::uint8_t* in, std::size_t size, std::size_t limit, std::vector<std::uint8_t>& out);

// Finds the classes, the object map and the objects of an R2007 file. False when the file is
// damaged or cut short.
bool FindDwgParts2007(std::string_view file, DwgLayout& out);
